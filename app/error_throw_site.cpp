// Records the address of every C++ raise, so that the application-error
// report can name where an unhandled error came from. Active when the program
// is linked with -Wl,--wrap=__cxa_throw; without it the weak reference below
// stays empty and only run-time failures and faults record their addresses.
#include "app/error_throw_site.h"

#include <cstdint>
#include <typeinfo>

#include "base/run_time_errors.h"

extern "C" {

[[noreturn]] void __real___cxa_throw(void* object, std::type_info* type, void (*destroy)(void*))
    __attribute__((weak));

[[noreturn]] void __wrap___cxa_throw(void* object, std::type_info* type, void (*destroy)(void*)) {
  toridasu::NoteRaiseAddress(reinterpret_cast<uintptr_t>(__builtin_return_address(0)));
  __real___cxa_throw(object, type, destroy);
}

}  // extern "C"

namespace toridasu::app {

bool RaiseSitesRecorded() { return &__real___cxa_throw != nullptr; }

}  // namespace toridasu::app

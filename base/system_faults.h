// Hardware faults reported by the platform: which error each becomes while
// the error machinery is installed, and which fatal run-time error number
// ends the process before it is installed and after it is removed.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

#include "base/string_ids.h"
namespace toridasu {

namespace fault_code {
constexpr uint32_t kAccessViolation = 0xC0000005;
constexpr uint32_t kStackOverflow = 0xC00000FD;
}  // namespace fault_code

// What the platform tells of a fault, in the program's own terms.
struct SystemFault {
  uint32_t code = 0;     // the platform's exception code
  uint32_t address = 0;  // the faulting code address
  // Access violations only: whether it was a write, and the address accessed.
  bool write = false;
  uint32_t accessedAddress = 0;
  // The file name (a full path is cut to its name) of the loaded module whose
  // committed memory holds `address`; empty when it lies in none.
  std::string moduleName;
};

// The fatal run-time error number of a fault.
int FatalNumberForFault(uint32_t code);

// The error of a fault's kind with its message from the string table.
std::exception_ptr MapSystemFault(const SystemFault& fault);

// The access violation's message from one of its two templates.
std::string AccessViolationText(const SystemFault& fault);

}  // namespace toridasu

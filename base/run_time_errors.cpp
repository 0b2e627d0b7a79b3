#include "base/run_time_errors.h"

#include <cxxabi.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <typeinfo>

#include "base/errors.h"
#include "base/string_table.h"

namespace toridasu {
namespace {

struct FailureEntry {
  std::exception_ptr (*make)(std::string message);
  uint32_t textId;
  int fatalNumber;
};

// Indexed by the failure code; code 0 (I/O) is made by MakeIoError.
const FailureEntry kFailures[] = {
    {nullptr, 0, 0},
    {&MakeErrorOf<EOutOfMemory>, text_id::kOutOfMemory, 203},
    {&MakeErrorOf<EInvalidPointer>, text_id::kInvalidPointer, 204},
    {&MakeErrorOf<EDivByZero>, text_id::kDivByZero, 200},
    {&MakeErrorOf<ERangeError>, text_id::kRangeError, 201},
    {&MakeErrorOf<EIntOverflow>, text_id::kIntOverflow, 215},
    {&MakeErrorOf<EInvalidOp>, text_id::kInvalidOp, 207},
    {&MakeErrorOf<EZeroDivide>, text_id::kZeroDivide, 200},
    {&MakeErrorOf<EOverflow>, text_id::kOverflow, 205},
    {&MakeErrorOf<EUnderflow>, text_id::kUnderflow, 206},
    {&MakeErrorOf<EInvalidCast>, text_id::kInvalidCast, 219},
};

const FailureEntry& EntryOf(FailureCode code) { return kFailures[static_cast<int>(code)]; }

std::atomic<FatalEnd> fatalEnd{nullptr};
std::atomic<bool> installed{false};
// Made at installation and kept until removal: raising and handling them
// never frees them, since the handlers only drop references.
std::exception_ptr premadeOutOfMemory;
std::exception_ptr premadeInvalidPointer;

thread_local uintptr_t raiseAddress = 0;

std::string Demangled(const std::type_info* type) {
  if (type == nullptr) return {};
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> name(
      abi::__cxa_demangle(type->name(), nullptr, nullptr, &status), &std::free);
  return status == 0 && name ? std::string(name.get()) : std::string(type->name());
}

}  // namespace

int FatalNumberForFailure(FailureCode code, int32_t ioCode) {
  return code == FailureCode::kIoFailure ? ioCode : EntryOf(code).fatalNumber;
}

std::exception_ptr MakeRunTimeError(FailureCode code) {
  switch (code) {
    case FailureCode::kIoFailure: return std::make_exception_ptr(MakeIoError());
    case FailureCode::kOutOfMemory:
      if (premadeOutOfMemory) return premadeOutOfMemory;
      break;
    case FailureCode::kInvalidPointer:
      if (premadeInvalidPointer) return premadeInvalidPointer;
      break;
    default: break;
  }
  const FailureEntry& entry = EntryOf(code);
  return entry.make(LoadResString(entry.textId));
}

void RunTimeFailure(FailureCode code, uintptr_t callSite) {
  if (!installed.load()) {
    if (FatalEnd end = fatalEnd.load()) {
      end(FatalNumberForFailure(code, RecordedIoCode()), callSite);
      std::abort();  // a fatal end never returns
    }
  }
  NoteRaiseAddress(callSite);
  std::rethrow_exception(MakeRunTimeError(code));
}

__attribute__((noinline)) void RunTimeFailure(FailureCode code) {
  RunTimeFailure(code, reinterpret_cast<uintptr_t>(__builtin_return_address(0)));
}

void SetFatalEnd(FatalEnd end) { fatalEnd.store(end); }
FatalEnd CurrentFatalEnd() { return fatalEnd.load(); }
bool RunTimeErrorsInstalled() { return installed.load(); }

void InstallRunTimeErrors() {
  premadeOutOfMemory =
      EntryOf(FailureCode::kOutOfMemory).make(LoadResString(text_id::kOutOfMemory));
  premadeInvalidPointer =
      EntryOf(FailureCode::kInvalidPointer).make(LoadResString(text_id::kInvalidPointer));
  installed.store(true);
}

void RemoveRunTimeErrors() {
  installed.store(false);
  premadeOutOfMemory = nullptr;
  premadeInvalidPointer = nullptr;
}

std::exception_ptr OutOfMemoryError() { return MakeRunTimeError(FailureCode::kOutOfMemory); }

void NoteRaiseAddress(uintptr_t address) { raiseAddress = address; }
uintptr_t RaiseAddress() { return raiseAddress; }

std::exception_ptr AsProgramError(std::exception_ptr error) {
  if (!error) return error;
  try {
    std::rethrow_exception(error);
  } catch (const std::bad_alloc&) {
    return OutOfMemoryError();
  } catch (...) {
    return error;
  }
}

ErrorDescription DescribeError(std::exception_ptr error) {
  ErrorDescription description;
  if (!error) return description;
  try {
    std::rethrow_exception(error);
  } catch (const Exception& e) {
    description.kindName = e.KindName();
    description.message = e.Message();
    description.fromException = true;
    description.isAbort = dynamic_cast<const EAbort*>(&e) != nullptr;
  } catch (...) {
    description.kindName = Demangled(abi::__cxa_current_exception_type());
  }
  return description;
}

}  // namespace toridasu

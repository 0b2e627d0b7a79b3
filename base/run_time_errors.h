// The run-time's failures and the errors they become. While the error
// machinery is installed a failure raises the error of its kind; before it is
// installed and after it is removed it ends the process with its fatal
// run-time error number instead (through the fatal end the shell registers).
#pragma once

#include <cstdint>
#include <exception>
#include <string>

#include "base/string_ids.h"
namespace toridasu {

enum class FailureCode : int {
  kIoFailure = 0,       // EInOutError, from the recorded I/O code
  kOutOfMemory = 1,     // the pre-made EOutOfMemory
  kInvalidPointer = 2,  // the pre-made EInvalidPointer
  kDivByZero = 3,
  kRangeCheck = 4,
  kIntOverflow = 5,
  kInvalidOp = 6,
  kZeroDivide = 7,
  kOverflow = 8,
  kUnderflow = 9,
  kInvalidCast = 10,
};

// The fatal run-time error number of `code`; an I/O failure takes `ioCode`.
int FatalNumberForFailure(FailureCode code, int32_t ioCode);

// The error `code` makes while the machinery is installed: a new error of its
// kind with its message, MakeIoError for an I/O failure, the pre-made error
// for codes 1 and 2 (a new one when none has been made).
std::exception_ptr MakeRunTimeError(FailureCode code);

// Raises the error of `code` as if raised at `callSite`, or, while the
// machinery is not installed and a fatal end is registered, ends the process
// with the code's fatal number.
[[noreturn]] void RunTimeFailure(FailureCode code, uintptr_t callSite);
// The same with the caller's return address as the call site.
[[noreturn]] void RunTimeFailure(FailureCode code);

// The machinery's state. Without a registered fatal end (the converter, the
// tests) failures are always raised.
using FatalEnd = void (*)(int number, uintptr_t address);
void SetFatalEnd(FatalEnd end);
FatalEnd CurrentFatalEnd();
bool RunTimeErrorsInstalled();
// Takes the texts from the string table now and makes the two pre-made heap
// errors, so that reporting a lack of memory needs no memory.
void InstallRunTimeErrors();
// Releases the pre-made errors; failures are fatal again from now on.
void RemoveRunTimeErrors();

// The pre-made out-of-memory error, or a new one when none is installed.
std::exception_ptr OutOfMemoryError();

// The address at which the error now travelling was raised (0 when unknown).
// Recorded per thread by every raise that knows its site.
void NoteRaiseAddress(uintptr_t address);
uintptr_t RaiseAddress();

// An error as the program's boxes see it: a memory manager's refusal
// (std::bad_alloc) is the pre-made out-of-memory error; everything else
// stays as it is.
std::exception_ptr AsProgramError(std::exception_ptr error);

// What the boxes show of an error.
struct ErrorDescription {
  std::string kindName;        // "EInOutError"; the language type for a foreign object
  std::string message;         // empty for a kind outside the program's tree
  bool fromException = false;  // derived from Exception
  bool isAbort = false;        // derived from EAbort: never shown
};
ErrorDescription DescribeError(std::exception_ptr error);

}  // namespace toridasu

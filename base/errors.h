// The error kinds of the program. Every failure travels as one of these,
// carrying a message in Shift-JIS bytes taken from the string table.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace toridasu {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const { return message_; }
  int32_t HelpContext() const { return 0; }
  // The kind's name as the reports show it ("EInOutError").
  virtual const char* KindName() const { return "Exception"; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

#define TORIDASU_ERROR_KIND(Kind, Base)                     \
  class Kind : public Base {                                \
   public:                                                  \
    using Base::Base;                                       \
    const char* KindName() const override { return #Kind; } \
  };

TORIDASU_ERROR_KIND(EAbort, Exception)
TORIDASU_ERROR_KIND(EHeapException, Exception)
TORIDASU_ERROR_KIND(EOutOfMemory, EHeapException)
TORIDASU_ERROR_KIND(EOutOfResources, EOutOfMemory)
TORIDASU_ERROR_KIND(EInvalidPointer, EHeapException)
TORIDASU_ERROR_KIND(EExternal, Exception)
TORIDASU_ERROR_KIND(EExternalException, EExternal)
TORIDASU_ERROR_KIND(EIntError, EExternal)
TORIDASU_ERROR_KIND(EDivByZero, EIntError)
TORIDASU_ERROR_KIND(ERangeError, EIntError)
TORIDASU_ERROR_KIND(EIntOverflow, EIntError)
TORIDASU_ERROR_KIND(EMathError, EExternal)
TORIDASU_ERROR_KIND(EInvalidOp, EMathError)
TORIDASU_ERROR_KIND(EZeroDivide, EMathError)
TORIDASU_ERROR_KIND(EOverflow, EMathError)
TORIDASU_ERROR_KIND(EUnderflow, EMathError)
TORIDASU_ERROR_KIND(EAccessViolation, EExternal)
TORIDASU_ERROR_KIND(EPrivilege, EExternal)
TORIDASU_ERROR_KIND(EStackOverflow, EExternal)
TORIDASU_ERROR_KIND(EControlC, EExternal)
TORIDASU_ERROR_KIND(EInvalidCast, Exception)
TORIDASU_ERROR_KIND(EConvertError, Exception)
TORIDASU_ERROR_KIND(EVariantError, Exception)
TORIDASU_ERROR_KIND(EAssertionFailed, Exception)
TORIDASU_ERROR_KIND(EAbstractError, Exception)
TORIDASU_ERROR_KIND(EIntfCastError, Exception)
TORIDASU_ERROR_KIND(EWin32Error, Exception)
// Of the window layer: a resource that is missing, or there but unreadable.
TORIDASU_ERROR_KIND(EResNotFound, Exception)
TORIDASU_ERROR_KIND(EStreamError, Exception)
TORIDASU_ERROR_KIND(EFilerError, EStreamError)
TORIDASU_ERROR_KIND(EReadError, EFilerError)

#undef TORIDASU_ERROR_KIND

// A failed file operation; carries the I/O code (the platform's error code,
// 103 for a file that is not open, 105 for an unusable created handle).
class EInOutError : public Exception {
 public:
  EInOutError(std::string message, int32_t code) : Exception(std::move(message)), code_(code) {}
  int32_t Code() const { return code_; }
  const char* KindName() const override { return "EInOutError"; }

 private:
  int32_t code_;
};

// A new error of `Kind`, ready to be raised later (tables of kinds use it).
template <class Kind>
std::exception_ptr MakeErrorOf(std::string message) {
  return std::make_exception_ptr(Kind(std::move(message)));
}

// I/O codes of the run-time itself.
namespace io_code {
constexpr int32_t kFileNotOpen = 103;
constexpr int32_t kUnusableHandle = 105;
}  // namespace io_code

// The per-thread record of the last I/O error code (0 for none).
void RecordIoCode(int32_t code);
int32_t RecordedIoCode();

// Takes the recorded code, clears it, and makes the error with its message.
EInOutError MakeIoError();
// The same for a code given directly.
EInOutError IoErrorFor(int32_t code);
// Records `code` and raises the error MakeIoError makes of it.
[[noreturn]] void RaiseIoError(int32_t code);

// The range-check error of the double-byte text operations.
[[noreturn]] void RaiseRangeError();

}  // namespace toridasu

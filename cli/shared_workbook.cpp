#include "cli/shared_workbook.h"

#include <functional>
#include <new>

#include "base/errors.h"
#include "cli/conversion_ends.h"
#include "cli/failure_text.h"
#include "cli/workbook_output.h"
#include "platform/platform.h"

namespace toridasu::cli {

SharedWorkbook::SharedWorkbook(const Conversion& conversion, const std::atomic<bool>& stop)
    : conversion_(conversion),
      stop_(stop),
      output_(conversion, CurrentPlatform(), stop),
      book_(MakeWorkbook(output_.Sink())) {}

void SharedWorkbook::Fail(int32_t code) {
  ConversionFailure failure;
  failure.kind = FailureKind::kOutput;
  failure.ioCode = code;
  failure.operation = book_->Fault() ? book_->Fault()->operation : FileOperation::kWrite;
  // The message names the workbook, whichever drawing was last.
  message_ = FailureText({conversion_.input, conversion_.output, failure});
}

bool SharedWorkbook::Attempt(const std::function<uint32_t()>& step) {
  try {
    const uint32_t code = step();
    if (code == 0) return true;
    Fail(static_cast<int32_t>(code));
  } catch (const EInOutError& error) {
    Fail(error.Code());
  } catch (const std::bad_alloc&) {
    Fail(static_cast<int32_t>(win_error::kNotEnoughMemory));
  }
  return false;
}

bool SharedWorkbook::Open() {
  if (Attempt([this] {
        book_->Open();
        return uint32_t{0};
      }))
    return true;
  book_->Discard();
  return false;
}

bool SharedWorkbook::Complete(bool keep) {
  if (keep && !stop_.load()) {
    // The whole workbook takes the place of the file of its name; a
    // failure of either leaves that file as it was.
    bool finished = false;
    if (Attempt([&] {
          book_->Finish();
          finished = true;
          return output_.Keep();
        }))
      return true;
    if (finished) return false;  // nothing left to give up
  }
  book_->Discard();
  return !keep;
}

}  // namespace toridasu::cli

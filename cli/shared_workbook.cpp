#include "cli/shared_workbook.h"

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

bool SharedWorkbook::Open() {
  try {
    book_->Open();
    return true;
  } catch (const EInOutError& error) {
    Fail(error.Code());
  } catch (const std::bad_alloc&) {
    Fail(static_cast<int32_t>(win_error::kNotEnoughMemory));
  }
  book_->Discard();
  return false;
}

bool SharedWorkbook::Complete(bool keep) {
  if (keep && !stop_.load()) {
    try {
      book_->Finish();
      // The whole workbook takes the place of the file of its name.
      if (const uint32_t code = output_.Keep()) {
        Fail(static_cast<int32_t>(code));
        return false;
      }
      return true;
    } catch (const EInOutError& error) {
      Fail(error.Code());
    } catch (const std::bad_alloc&) {
      Fail(static_cast<int32_t>(win_error::kNotEnoughMemory));
    }
  }
  book_->Discard();
  return !keep;
}

}  // namespace toridasu::cli

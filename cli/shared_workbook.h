// The one workbook of a batch written with -o NAME.xlsx: opened before the
// first drawing, completed after the last one that converted, and given up
// (taking its output away) when none did or the run was interrupted.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "cli/batch_plan.h"
#include "cli/conversion_ends.h"
#include "io/byte_sink.h"
#include "xlsx/workbook.h"

namespace toridasu::cli {

class SharedWorkbook {
 public:
  // The workbook that `conversion`'s output names; it stops once `stop` is set.
  SharedWorkbook(const Conversion& conversion, const std::atomic<bool>& stop);
  xlsx::Workbook& Book() { return *book_; }

  // Makes the output; false with Message() when it cannot be made.
  bool Open();
  // Completes the workbook when `keep` (some drawing converted) and the run
  // was not interrupted, else gives it up. False with Message() when it
  // could not be written, and after an interruption.
  bool Complete(bool keep);
  // Why it failed, in the user's words (native text).
  const std::string& Message() const { return message_; }

 private:
  void Fail(int32_t code);
  // Runs `step` (0 or a code, or it raises); false after a failure, which
  // Message() then tells.
  bool Attempt(const std::function<uint32_t()>& step);

  const Conversion& conversion_;
  const std::atomic<bool>& stop_;
  ConversionOutput output_;
  std::unique_ptr<xlsx::Workbook> book_;
  std::string message_;
};

}  // namespace toridasu::cli

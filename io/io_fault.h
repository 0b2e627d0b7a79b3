// Which file operation of a source or sink failed first, and with what code,
// so that a failed conversion can name the side at fault and what it was
// doing without reading an error text back.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>

#include "platform/platform.h"

namespace toridasu {

// The code of every operation refused once a conversion is cancelled.
constexpr uint32_t kOperationAborted = win_error::kOperationAborted;

enum class FileOperation { kOpen, kRead, kCreate, kWrite, kClose };

struct IoFault {
  FileOperation operation;
  uint32_t code;
};

// What sources and sinks share: a cancellation they obey, and the first real
// failure they met (a refusal after a cancellation is none).
class IoEnd {
 public:
  // Once `*stop` is set, every read or write is refused with
  // kOperationAborted; null: never.
  void SetCancellation(const std::atomic<bool>* stop) { stop_ = stop; }
  bool Cancelled() const { return stop_ != nullptr && stop_->load(std::memory_order_relaxed); }
  const std::optional<IoFault>& Fault() const { return fault_; }

 protected:
  // Keeps the first real failure and passes the code on.
  uint32_t Note(uint32_t code, FileOperation operation) {
    if (code != 0 && code != kOperationAborted && !fault_) fault_ = IoFault{operation, code};
    return code;
  }

 private:
  const std::atomic<bool>* stop_ = nullptr;
  std::optional<IoFault> fault_;
};

}  // namespace toridasu

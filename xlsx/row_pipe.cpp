#include "xlsx/row_pipe.h"

#include <cstring>

#include "base/threads.h"

namespace toridasu::xlsx {
namespace {

constexpr std::size_t kBatchBytes = std::size_t{256} << 10;
constexpr std::size_t kQueuedBatches = 8;

}  // namespace

double CellCursor::NextNumber() {
  double value;
  std::memcpy(&value, cells_.data(), sizeof value);
  cells_.remove_prefix(sizeof value);
  return value;
}

std::string_view CellCursor::NextText() {
  uint32_t size;
  std::memcpy(&size, cells_.data(), sizeof size);
  const std::string_view text = cells_.substr(sizeof size, size);
  cells_.remove_prefix(sizeof size + size);
  return text;
}

RowPipe::RowPipe(Writer write) : write_(std::move(write)) {
  batch_.reserve(kBatchBytes + 4096);
  if (kOwnThreads) thread_ = std::thread([this] { Run(); });
}

void RowPipe::AddNumber(double value) {
  batch_.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void RowPipe::AddText(std::string_view text) {
  const uint32_t size = static_cast<uint32_t>(text.size());
  batch_.append(reinterpret_cast<const char*>(&size), sizeof size);
  batch_.append(text);
}

void RowPipe::EndRow() {
  ++rows_;
  if (batch_.size() >= kBatchBytes) HandOver();
}

void RowPipe::HandOver() {
  if (!kOwnThreads) {
    write_(batch_, rows_);
    batch_.clear();
    rows_ = 0;
    return;
  }
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return queue_.size() < kQueuedBatches || failure_; });
  if (failure_) std::rethrow_exception(failure_);
  queue_.emplace_back(std::move(batch_), rows_);
  batch_ = std::string();
  batch_.reserve(kBatchBytes + 4096);
  rows_ = 0;
  changed_.notify_all();
}

void RowPipe::Finish() {
  if (rows_ != 0) HandOver();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
    changed_.notify_all();
  }
  if (thread_.joinable()) thread_.join();
  if (failure_) std::rethrow_exception(failure_);
}

void RowPipe::Stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closed_ = stopped_ = true;
    changed_.notify_all();
  }
  if (thread_.joinable()) thread_.join();
}

void RowPipe::Run() {
  for (;;) {
    std::pair<std::string, uint64_t> batch;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      changed_.wait(lock, [this] { return !queue_.empty() || closed_; });
      if (stopped_ || queue_.empty()) return;
      batch = std::move(queue_.front());
      queue_.pop_front();
      changed_.notify_all();
    }
    try {
      write_(batch.first, batch.second);
    } catch (...) {
      std::lock_guard<std::mutex> lock(mutex_);
      failure_ = std::current_exception();
      changed_.notify_all();
      return;
    }
  }
}

}  // namespace toridasu::xlsx

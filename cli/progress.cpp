#include "cli/progress.h"

#include <cstdio>

#include "base/threads.h"
#include "cli/console.h"
#include "cli/messages.h"

namespace toridasu::cli {
namespace {

constexpr auto kQuietStart = std::chrono::seconds(1);     // short work shows no line
constexpr auto kRedraw = std::chrono::milliseconds(100);  // at most ten times a second

std::string Fixed(double value, int decimals) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

}  // namespace

ProgressLine::ProgressLine(bool enabled, uint64_t totalDrawings, uint64_t totalBytes,
                           const std::atomic<uint64_t>& finished,
                           const std::atomic<uint64_t>& bytesRead)
    : enabled_(enabled),
      totalDrawings_(totalDrawings),
      totalBytes_(totalBytes),
      finished_(finished),
      bytesRead_(bytesRead) {
  if (enabled_ && kOwnThreads) thread_ = std::thread([this] { Run(); });
}

ProgressLine::~ProgressLine() { Finish(); }

std::string ProgressLine::Render() const {
  using namespace std::chrono;
  const double seconds = duration<double>(steady_clock::now() - start_).count();
  const double read = static_cast<double>(bytesRead_.load());
  const double rate = seconds > 0 ? read / seconds : 0;
  const double left = rate > 0 && totalBytes_ > read ? (totalBytes_ - read) / rate : 0;
  return Say(
      text_id::kCliProgress,
      {std::to_string(finished_.load()), std::to_string(totalDrawings_), Fixed(read / 1e6, 1),
       Fixed(totalBytes_ / 1e6, 1), Fixed(rate / 1e6, 1), Fixed(left, 0)});
}

void ProgressLine::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  if (wake_.wait_for(lock, kQuietStart, [this] { return stopping_; })) return;
  while (!stopping_) {
    const std::string line = Render();
    Clear();
    WriteNative(stderr, line);
    shownWidth_ = DisplayWidth(line);
    wake_.wait_for(lock, kRedraw, [this] { return stopping_; });
  }
}

void ProgressLine::Clear() {
  if (shownWidth_ == 0) return;
  std::string blank(shownWidth_ + 2, ' ');
  blank.front() = blank.back() = '\r';
  WriteNative(stderr, blank);
  shownWidth_ = 0;
}

void ProgressLine::Print(std::FILE* stream, const std::string& text) {
  std::lock_guard<std::mutex> lock(mutex_);
  Clear();
  WriteNative(stream, text);
}

void ProgressLine::Finish() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
  std::lock_guard<std::mutex> lock(mutex_);
  Clear();
}

}  // namespace toridasu::cli

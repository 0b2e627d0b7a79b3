// The progress line of long batches: drawings done, megabytes read, speed and
// time left, redrawn at most ten times a second on a terminal and cleared at
// the end. Other output goes through Print so that it never mixes with it.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>

namespace toridasu::cli {

class ProgressLine {
 public:
  // `enabled` false: Print alone, no line ever drawn.
  ProgressLine(bool enabled, uint64_t totalDrawings, uint64_t totalBytes,
               const std::atomic<uint64_t>& finished, const std::atomic<uint64_t>& bytesRead);
  ~ProgressLine();
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  // Writes native text to `stream`, clearing the line first.
  void Print(std::FILE* stream, const std::string& text);
  // Stops redrawing and clears the line.
  void Finish();

 private:
  void Run();
  void Clear();  // with mutex_ held
  std::string Render() const;

  const bool enabled_;
  const uint64_t totalDrawings_;
  const uint64_t totalBytes_;
  const std::atomic<uint64_t>& finished_;
  const std::atomic<uint64_t>& bytesRead_;
  const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  std::size_t shownWidth_ = 0;
  std::thread thread_;
};

}  // namespace toridasu::cli

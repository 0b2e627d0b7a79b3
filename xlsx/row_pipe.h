// The rows of a drawing handed to a second thread that writes them into its
// workbook, so that reading the drawing and writing its sheets overlap (the
// library's writing of cells costs as much as the reading itself). Rows go
// over in batches through a short queue: memory stays flat, and the reading
// waits when the writing falls behind.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace toridasu::xlsx {

// A batch's cells in the order they were added: a number as its 8 bytes, a
// text as its 4-byte length and its bytes.
class CellCursor {
 public:
  explicit CellCursor(std::string_view cells) : cells_(cells) {}
  double NextNumber();
  std::string_view NextText();

 private:
  std::string_view cells_;
};

class RowPipe {
 public:
  // `write` runs on the pipe's thread with each batch and its number of rows.
  using Writer = std::function<void(std::string_view cells, uint64_t rows)>;
  explicit RowPipe(Writer write);
  ~RowPipe() { Stop(); }
  RowPipe(const RowPipe&) = delete;
  RowPipe& operator=(const RowPipe&) = delete;

  void AddNumber(double value);
  void AddText(std::string_view text);
  // Hands the batch over when it is full; raises what failed the writing.
  void EndRow();
  // Hands the rest over and waits until everything is written; raises what
  // failed the writing.
  void Finish();
  // Gives up what is not written yet and ends the thread. Never raises.
  void Stop();

 private:
  void HandOver();
  void Run();

  Writer write_;
  std::string batch_;
  uint64_t rows_ = 0;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::pair<std::string, uint64_t>> queue_;
  bool closed_ = false;   // no more batches will come
  bool stopped_ = false;  // the rest is given up
  std::exception_ptr failure_;
  std::thread thread_;
};

}  // namespace toridasu::xlsx

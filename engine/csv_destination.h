// The output side of a conversion: the CSV file with its line and buffer
// discipline.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "io/byte_sink.h"
#include "io/file_sink.h"
#include "platform/platform.h"

namespace toridasu {

class CsvDestination {
 public:
  static constexpr std::size_t kDefaultBufferSize = 256 * 1024;

  // `bufferSize` bytes are gathered before the platform sees them; a
  // character device gets its bytes at every line end as well.
  explicit CsvDestination(Platform& platform, std::size_t bufferSize = kDefaultBufferSize);
  // A destination that is only ever opened on a sink, never created by name.
  explicit CsvDestination(std::size_t bufferSize = kDefaultBufferSize);
  ~CsvDestination();
  CsvDestination(const CsvDestination&) = delete;
  CsvDestination& operator=(const CsvDestination&) = delete;

  // CreateCsvFile: empties an existing file or makes a new one (through the
  // platform the destination was made with).
  void Create(std::string_view name);
  // Writes into `sink` (memory, standard output, ...), which outlives the
  // destination and is opened here; a failure raises its EInOutError.
  void Open(ByteSink& sink);
  // WriteCsvLine: the line and CR LF.
  void WriteLine(std::string_view line);
  // A line handed over in pieces, for a record too long to assemble first:
  // the same bytes and failures as WriteLine of the pieces joined. Only
  // without a line filter, which needs the whole line.
  bool TakesPieces() const { return !filter_; }
  void BeginLine();
  void AppendToLine(std::string_view piece);
  void EndLine();
  // CloseCsvFile: writes out what is held, then closes.
  void Close();
  // Closes the handle without writing what is held (after a failure).
  void Abandon();
  // Every line passes through `filter` before it is written; empty: none.
  void SetLineFilter(std::function<void(std::string_view, std::string&)> filter) {
    filter_ = std::move(filter);
  }

  bool IsOpen() const { return open_; }
  // Whether creation made or emptied a file on disk, that is, output of ours
  // that a failed conversion has to remove.
  bool CreatedDiskFile() const { return file_ && file_->CreatedDiskFile(); }
  // Room for assembling one record, kept between records so that writing
  // one allocates nothing; each destination has its own, so that parallel
  // conversions never share it.
  std::string& RecordScratch() { return record_; }

 private:
  void Append(const char* bytes, std::size_t count);
  bool WriteOut(const char* bytes, std::size_t count);

  // Starts writing into the opened `sink`.
  void Start(ByteSink& sink);

  Platform* platform_ = nullptr;
  std::optional<FileSink> file_;
  ByteSink* sink_ = nullptr;
  bool open_ = false;
  bool writeOutAtLineEnd_ = false;
  std::unique_ptr<char[]> buffer_;
  std::size_t capacity_;
  std::size_t held_ = 0;
  uint32_t failedCode_ = 0;
  std::function<void(std::string_view, std::string&)> filter_;
  std::string filtered_;
  std::string record_;
};

void CreateCsvFile(CsvDestination& destination, std::string_view name);
void WriteCsvLine(CsvDestination& destination, std::string_view line);
void CloseCsvFile(CsvDestination& destination);

}  // namespace toridasu

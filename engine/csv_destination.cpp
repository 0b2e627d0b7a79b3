#include "engine/csv_destination.h"

#include <cstring>

#include "base/errors.h"

namespace toridasu {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

CsvDestination::CsvDestination(Platform& platform, std::size_t bufferSize)
    : platform_(&platform), capacity_(bufferSize == 0 ? 1 : bufferSize) {}

CsvDestination::CsvDestination(std::size_t bufferSize)
    : capacity_(bufferSize == 0 ? 1 : bufferSize) {}

CsvDestination::~CsvDestination() { Abandon(); }

void CsvDestination::Create(std::string_view name) {
  open_ = false;
  held_ = 0;
  failedCode_ = 0;
  if (!platform_) RaiseIoError(io_code::kFileNotOpen);
  file_.emplace(*platform_, name);
  sink_ = &*file_;
  if (const uint32_t code = file_->Open()) RaiseIoError(static_cast<int32_t>(code));
  Start(*file_);
}

void CsvDestination::Open(ByteSink& sink) {
  open_ = false;
  held_ = 0;
  failedCode_ = 0;
  file_.reset();
  sink_ = &sink;
  if (const uint32_t code = sink.Open()) RaiseIoError(static_cast<int32_t>(code));
  Start(sink);
}

void CsvDestination::Start(ByteSink& sink) {
  writeOutAtLineEnd_ = sink.WantsEveryLine();
  if (!buffer_) buffer_ = std::make_unique<char[]>(capacity_);
  open_ = true;
}

bool CsvDestination::WriteOut(const char* bytes, std::size_t count) {
  const uint32_t code = sink_->Write(bytes, static_cast<uint32_t>(count));
  if (code != 0) failedCode_ = code;
  return code == 0;
}

void CsvDestination::Append(const char* bytes, std::size_t count) {
  std::size_t room = capacity_ - held_;
  while (count >= room) {
    std::memcpy(buffer_.get() + held_, bytes, room);
    held_ = 0;
    // On failure this buffer and the rest of the piece are lost.
    if (!WriteOut(buffer_.get(), capacity_)) return;
    bytes += room;
    count -= room;
    room = capacity_;
  }
  std::memcpy(buffer_.get() + held_, bytes, count);
  held_ += count;
}

void CsvDestination::WriteLine(std::string_view line) {
  if (!open_) RaiseIoError(io_code::kFileNotOpen);
  if (filter_) {
    filtered_.clear();
    filter_(line, filtered_);  // may refuse the line: then nothing of it is written
    line = filtered_;
  }
  BeginLine();
  AppendToLine(line);
  EndLine();
}

void CsvDestination::BeginLine() {
  if (!open_) RaiseIoError(io_code::kFileNotOpen);
  failedCode_ = 0;
}

void CsvDestination::AppendToLine(std::string_view piece) {
  // After a failed write the rest of the line is lost, as within one piece.
  if (failedCode_ == 0) Append(piece.data(), piece.size());
}

void CsvDestination::EndLine() {
  Append(kLineEnd.data(), kLineEnd.size());
  if (writeOutAtLineEnd_ && held_ != 0) {
    const std::size_t count = held_;
    held_ = 0;
    WriteOut(buffer_.get(), count);
  }
  if (failedCode_ != 0) RaiseIoError(static_cast<int32_t>(failedCode_));
}

void CsvDestination::Close() {
  if (!open_) RaiseIoError(io_code::kFileNotOpen);
  if (held_ != 0) {
    const std::size_t count = held_;
    held_ = 0;
    // On failure the handle stays open, so that a second close only closes it.
    if (!WriteOut(buffer_.get(), count)) RaiseIoError(static_cast<int32_t>(failedCode_));
  }
  open_ = false;
  if (const uint32_t code = sink_->Close()) RaiseIoError(static_cast<int32_t>(code));
}

void CsvDestination::Abandon() {
  held_ = 0;
  if (!open_) return;
  open_ = false;
  sink_->CloseQuietly();
}

void CreateCsvFile(CsvDestination& destination, std::string_view name) { destination.Create(name); }
void WriteCsvLine(CsvDestination& destination, std::string_view line) {
  destination.WriteLine(line);
}
void CloseCsvFile(CsvDestination& destination) { destination.Close(); }

}  // namespace toridasu

#include "xlsx/row_spool.h"

#include <cerrno>
#include <cstdint>

#include "base/errors.h"
#include "xlsx/scratch_files.h"

namespace toridasu::xlsx {
namespace {

constexpr std::size_t kBuffer = std::size_t{1} << 20;

[[noreturn]] void RaiseLastFailure() {
  throw EInOutError("scratch file", static_cast<int32_t>(CodeOfLastFailure()));
}

}  // namespace

RowSpool::RowSpool(const std::string& folder) : file_(OpenScratchFile(folder)) {
  if (!file_) RaiseLastFailure();
  std::setvbuf(file_, nullptr, _IOFBF, kBuffer);
}

RowSpool::~RowSpool() { std::fclose(file_); }

void RowSpool::AddNumber(double value) { std::fwrite(&value, sizeof value, 1, file_); }

void RowSpool::AddText(std::string_view text) {
  const uint32_t size = static_cast<uint32_t>(text.size());
  std::fwrite(&size, sizeof size, 1, file_);
  std::fwrite(text.data(), 1, text.size(), file_);
}

void RowSpool::Rewind() {
  if (std::fflush(file_) != 0 || std::ferror(file_)) RaiseLastFailure();
  std::rewind(file_);
}

double RowSpool::NextNumber() {
  double value;
  Read(&value, sizeof value);
  return value;
}

const std::string& RowSpool::NextText() {
  uint32_t size;
  Read(&size, sizeof size);
  text_.resize(size);
  Read(text_.data(), size);
  return text_;
}

void RowSpool::Read(void* data, std::size_t size) {
  if (size != 0 && std::fread(data, 1, size, file_) != size) {
    if (!std::ferror(file_)) errno = EIO;
    RaiseLastFailure();
  }
}

}  // namespace toridasu::xlsx

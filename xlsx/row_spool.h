// The rows of one drawing, held in a scratch file until the drawing has
// converted: only then do they become its sheets, so that a drawing that
// fails leaves no sheet, and the sheets know their rows and widths first.
// Memory stays flat whatever the number of rows.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace toridasu::xlsx {

class RowSpool {
 public:
  // Raises EInOutError when no scratch file can be made in `folder`.
  explicit RowSpool(const std::string& folder);
  ~RowSpool();
  RowSpool(const RowSpool&) = delete;
  RowSpool& operator=(const RowSpool&) = delete;

  void AddNumber(double value);
  void AddText(std::string_view text);
  void EndRow() { ++rows_; }
  uint64_t Rows() const { return rows_; }

  // Back to the first cell for reading; raises EInOutError when a write failed.
  void Rewind();
  // The next cell, of the kind it was added as.
  double NextNumber();
  const std::string& NextText();

 private:
  void Read(void* data, std::size_t size);

  std::FILE* file_;
  uint64_t rows_ = 0;
  std::string text_;
};

}  // namespace toridasu::xlsx

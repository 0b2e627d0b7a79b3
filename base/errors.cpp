#include "base/errors.h"

#include <string>

#include "base/string_table.h"

namespace toridasu {
namespace {

thread_local int32_t recordedIoCode = 0;

// Codes with a text of their own; every other code shows as "I/O エラー (%d)".
uint32_t TextIdForIoCode(int32_t code) {
  switch (code) {
    case 2: return text_id::kFileNotFound;
    case 3: return text_id::kInvalidFilename;
    case 4: return text_id::kTooManyOpenFiles;
    case 5: return text_id::kAccessDenied;
    case 100: return text_id::kEndOfFile;
    case 101: return text_id::kDiskFull;
    case 106: return text_id::kInvalidInput;
    default: return 0;
  }
}

std::string FillDecimal(const std::string& text, int32_t value) {
  std::string out;
  const std::size_t at = text.find("%d");
  if (at == std::string::npos) return text;
  out.append(text, 0, at);
  out += std::to_string(value);
  out.append(text, at + 2, std::string::npos);
  return out;
}

}  // namespace

void RecordIoCode(int32_t code) { recordedIoCode = code; }
int32_t RecordedIoCode() { return recordedIoCode; }

EInOutError IoErrorFor(int32_t code) {
  const uint32_t id = TextIdForIoCode(code);
  std::string message =
      id != 0 ? LoadResString(id) : FillDecimal(LoadResString(text_id::kInOutError), code);
  return EInOutError(std::move(message), code);
}

EInOutError MakeIoError() {
  const int32_t code = recordedIoCode;
  recordedIoCode = 0;
  return IoErrorFor(code);
}

void RaiseIoError(int32_t code) {
  RecordIoCode(code);
  throw MakeIoError();
}

void RaiseRangeError() { throw ERangeError(LoadResString(text_id::kRangeError)); }

}  // namespace toridasu

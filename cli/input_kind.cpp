#include "cli/input_kind.h"

#include <algorithm>
#include <cstring>

namespace toridasu::cli {
namespace {

constexpr std::string_view kJwwSignature = "JwwData.";
constexpr std::string_view kBinaryDxfSentinel = "AutoCAD Binary DXF\r\n\x1a";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A DWG begins with its version: "AC1015", "AC1032", and the early "AC2.10".
bool IsDwg(std::string_view head) {
  return head.size() >= 6 && head.starts_with("AC") && IsDigit(head[2]) &&
         (IsDigit(head[3]) || head[3] == '.') && IsDigit(head[4]) && IsDigit(head[5]);
}

// A DXF's first line is a group code: blanks and digits (a comment's 999 too).
bool BeginsLikeDxf(std::string_view head) {
  if (head.starts_with(kUtf8Bom)) head.remove_prefix(kUtf8Bom.size());
  std::size_t i = 0;
  while (i < head.size() && (head[i] == ' ' || head[i] == '\t')) ++i;
  const std::size_t digits = i;
  while (i < head.size() && IsDigit(head[i])) ++i;
  if (i == digits) return false;
  while (i < head.size() && (head[i] == ' ' || head[i] == '\t')) ++i;
  return i < head.size() && (head[i] == '\r' || head[i] == '\n');
}

}  // namespace

Recognition Recognize(std::string_view head) {
  Recognition recognition;
  const auto foreign = [&recognition](ForeignFile what) {
    recognition.kind = InputKind::kForeign;
    recognition.foreign = what;
    return recognition;
  };
  if (head.starts_with(kJwwSignature)) {
    recognition.kind = InputKind::kJww;
    return recognition;
  }
  if (head.empty()) return foreign(ForeignFile::kEmpty);
  if (IsDwg(head)) return foreign(ForeignFile::kDwg);
  if (head.starts_with(kBinaryDxfSentinel)) return foreign(ForeignFile::kBinaryDxf);
  if (head.starts_with("PK\x03\x04") || head.starts_with("PK\x05\x06") ||
      head.starts_with("PK\x07\x08"))
    return foreign(ForeignFile::kZip);
  if (head.starts_with("\x1f\x8b")) return foreign(ForeignFile::kGzip);
  // Text holds no NUL; a drawing that begins as a DXF stays one, whatever
  // trash it carries.
  if (!BeginsLikeDxf(head) && head.find('\0') != std::string_view::npos)
    return foreign(ForeignFile::kBinary);
  return recognition;
}

RecognizedSource::RecognizedSource(ByteSource& inner) : inner_(inner) {
  head_.resize(kHead);
  std::size_t filled = 0;
  while (filled < kHead) {
    uint32_t got = 0;
    const uint32_t code =
        inner_.Read(head_.data() + filled, static_cast<uint32_t>(kHead - filled), &got);
    filled += got;
    if (code != 0) {
      headFailure_ = code;
      break;
    }
    if (got == 0) break;
    // Its first line decides: a drawing streamed slowly through a pipe is
    // not held back until 4 KB have come.
    if (BeginsLikeDxf(std::string_view(head_.data(), filled))) break;
  }
  head_.resize(filled);
  if (headFailure_ == 0) recognition_ = Recognize(head_);
}

uint32_t RecognizedSource::ReadSome(void* buffer, uint32_t size, uint32_t* got) {
  if (given_ < head_.size()) {
    const std::size_t step = std::min<std::size_t>(size, head_.size() - given_);
    std::memcpy(buffer, head_.data() + given_, step);
    given_ += step;
    *got = static_cast<uint32_t>(step);
    return 0;
  }
  if (headFailure_ != 0) {
    const uint32_t code = headFailure_;
    headFailure_ = 0;
    return code;
  }
  return inner_.Read(buffer, size, got);
}

}  // namespace toridasu::cli

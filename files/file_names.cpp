#include "files/file_names.h"

#include "files/lead_bytes.h"

namespace toridasu {
namespace {

constexpr std::string_view kPathDelimiters = "\\:";
constexpr std::string_view kExtensionDelimiters = ".\\:";

unsigned char ByteAt(std::string_view text, std::size_t position) {
  return position >= 1 && position <= text.size() ? static_cast<unsigned char>(text[position - 1])
                                                  : 0;
}

}  // namespace

ByteKind ByteKindAt(std::string_view text, std::size_t position) {
  if (!DoubleByteSystem()) return ByteKind::SingleByte;
  const unsigned char byte = ByteAt(text, position);
  if (byte == 0) return ByteKind::SingleByte;
  // Trail bytes may themselves lie in the lead ranges, so the pairing is
  // decided by the run of lead-range bytes directly in front.
  std::size_t run = 0;
  for (std::size_t i = position - 1; i >= 1 && IsLeadByte(ByteAt(text, i)); --i) ++run;
  if (run % 2 == 1) return ByteKind::TrailByte;
  return IsLeadByte(byte) ? ByteKind::LeadByte : ByteKind::SingleByte;
}

std::size_t FindLastDelimiter(std::string_view delimiters, std::string_view text) {
  std::size_t i = text.size();
  while (i > 0) {
    const char b = text[i - 1];
    if (b != '\0' && delimiters.find(b) != std::string_view::npos) {
      if (ByteKindAt(text, i) != ByteKind::TrailByte) return i;
      i = i >= 2 ? i - 2 : 0;  // step over the whole double-byte character
    } else {
      --i;
    }
  }
  return 0;
}

std::string DirectoryPart(std::string_view path) {
  return std::string(path.substr(0, FindLastDelimiter(kPathDelimiters, path)));
}

std::string FileNamePart(std::string_view path) {
  return std::string(path.substr(FindLastDelimiter(kPathDelimiters, path)));
}

std::string ReplaceExtension(std::string_view path, std::string_view extension) {
  const std::size_t k = FindLastDelimiter(kExtensionDelimiters, path);
  std::string result(k > 0 && path[k - 1] == '.' ? path.substr(0, k - 1) : path);
  result += extension;
  return result;
}

}  // namespace toridasu

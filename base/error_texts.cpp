#include "base/error_texts.h"

#include "base/lead_bytes.h"
#include "base/message_format.h"

namespace toridasu {
namespace {

constexpr std::string_view kFullStop = ".";
constexpr std::string_view kFatalTemplate = "Runtime error     at 00000000";
constexpr std::size_t kNumberEnd = 17;   // the number's last digit, counted from 1
constexpr std::size_t kAddressEnd = 29;  // the address's last digit

// Byte-wise unsigned comparison in which a longer text sorts after its own
// beginning.
bool SortsAfter(std::string_view a, std::string_view b) {
  const std::size_t common = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < common; ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x != y) return x > y;
  }
  return a.size() > b.size();
}

}  // namespace

bool ErrorBoxAddsFullStop(std::string_view message) {
  if (message.empty()) return false;
  const std::size_t length =
      message.size() >= 2 && ByteKindAt(message, message.size()) == ByteKind::TrailByte ? 2 : 1;
  return SortsAfter(message.substr(message.size() - length), kFullStop);
}

std::string ErrorBoxText(std::string_view message) {
  std::string text(message);
  if (ErrorBoxAddsFullStop(message)) text += kFullStop;
  return text;
}

bool ReportAddsFullStop(std::string_view message) {
  return !message.empty() && message.back() != '.';
}

std::string CutText(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return std::string(text);
  std::size_t length = limit;
  // Half a character would show as a stray glyph, or swallow the next byte.
  if (length > 0 && ByteKindAt(text, length) == ByteKind::LeadByte) --length;
  return std::string(text.substr(0, length));
}

std::string ModuleFileName(std::string_view path) {
  return CutText(path.substr(FindLastDelimiter("\\", path)), kModuleNameLimit);
}

std::string UnhandledReportText(std::string_view pattern, std::string_view kindName,
                                std::string_view modulePath, uint32_t offset,
                                std::string_view message) {
  const std::string name = ModuleFileName(modulePath);
  const std::string_view fullStop = ReportAddsFullStop(message) ? kFullStop : std::string_view();
  return CutText(FormatMessageText(pattern, {kindName, name, offset, message, fullStop}),
                 kReportTextLimit);
}

std::string UnhandledReportCaption(std::string_view caption) {
  return CutText(caption, kReportCaptionLimit);
}

std::string FatalErrorText(uint32_t number, uint32_t address) {
  std::string text(kFatalTemplate);
  std::size_t at = kNumberEnd;
  do {
    text[--at] = static_cast<char>('0' + number % 10);
    number /= 10;
  } while (number != 0 && at > 0);
  for (at = kAddressEnd; address != 0 && at > 0; address >>= 4) {
    text[--at] = "0123456789ABCDEF"[address & 0xF];
  }
  return text;
}

}  // namespace toridasu

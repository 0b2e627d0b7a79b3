// The texts of the three error boxes: the application's error box, the
// application-error report and the fatal run-time error box. The two boxes
// that show an error's message end it with "." by different rules, kept side
// by side here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/string_ids.h"
namespace toridasu {

constexpr std::size_t kReportTextLimit = 1023;
constexpr std::size_t kReportCaptionLimit = 63;
constexpr std::size_t kModuleNameLimit = 260;

// Error box: the message's last character (two bytes when the last byte is
// the second byte of a double-byte character) compared with "." as unsigned
// bytes, a longer text sorting after its own beginning; a "." is added when
// it sorts after. So a double-byte ending or any byte above 0x2E gets one.
bool ErrorBoxAddsFullStop(std::string_view message);
std::string ErrorBoxText(std::string_view message);

// Application-error report: a "." is added unless the message is empty or its
// last byte already is ".".
bool ReportAddsFullStop(std::string_view message);

// `text` cut to at most `limit` bytes without leaving the first byte of a
// double-byte character alone at the end.
std::string CutText(std::string_view text, std::size_t limit);

// What follows the last backslash of `path` that is not the second byte of a
// double-byte character, at most kModuleNameLimit bytes.
std::string ModuleFileName(std::string_view path);

// The report's text from its template (text_id::kExceptionReport): the kind's name, the module's
// file name (a full path is cut to its name), the offset, the message and its
// ".", cut to kReportTextLimit bytes. An error of a kind outside the
// program's tree passes an empty message, which gets no ".".
std::string UnhandledReportText(std::string_view pattern, std::string_view kindName,
                                std::string_view modulePath, uint32_t offset,
                                std::string_view message);
// The report's caption (text_id::kApplicationErrorCaption), cut to kReportCaptionLimit bytes.
std::string UnhandledReportCaption(std::string_view caption);

// "Runtime error     at 00000000" with the number's decimal digits written
// right to left ending at the 17th character and the address's upper-case
// hexadecimal digits ending at the 29th.
std::string FatalErrorText(uint32_t number, uint32_t address);

}  // namespace toridasu

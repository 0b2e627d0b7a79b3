#include "cli/workbook_output.h"

#include "cli/batch_run.h"
#include "cli/console.h"
#include "cli/messages.h"
#include "cli/paths.h"
#include "cli/scratch.h"
#include "text/code_page.h"

namespace toridasu::cli {
namespace {

// A native name in UTF-8: on Linux a name is bytes, which need not be UTF-8.
std::string Utf8Name(const std::string& native) {
  if (NativeNameEncoding() == NameEncoding::kUtf8) return native;
  std::string utf8;
  text::AppendAsUtf8(native, text::kUtf8CodePage, true, utf8);
  return utf8;
}

}  // namespace

WorkbookOutput::WorkbookOutput(ByteSink& output, xlsx::Workbook* shared) : shared_(shared) {
  if (!shared_) own_ = MakeWorkbook(output);
}

std::unique_ptr<xlsx::Workbook> MakeWorkbook(ByteSink& output) {
  const std::string folder = ScratchFolder();
  return std::make_unique<xlsx::Workbook>(output, ScratchName(folder), folder);
}

std::string SheetNameOf(const Conversion& conversion) {
  if (conversion.streams.input) return "Sheet1";
  const std::string name = BaseName(conversion.input);
  const std::size_t dot = name.rfind('.');
  return Utf8Name(dot == std::string::npos || dot == 0 ? name : name.substr(0, dot));
}

std::string DrawingNameOf(const Conversion& conversion) {
  return conversion.streams.input ? conversion.input : Utf8Name(BaseName(conversion.input));
}

void AddSheetNotes(const Conversion& conversion, const std::vector<std::string>& sheets,
                   ModeEnd& end) {
  if (sheets.size() < 2) return;
  end.notes.push_back(conversion.input + ": " +
                      Say(text_id::kCliWarnMoreSheets, {NativeFromUtf8(sheets[1])}));
  ++end.warnings;
}

}  // namespace toridasu::cli

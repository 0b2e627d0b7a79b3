#include "support/full_drawing.h"

#include "model/columns.h"
#include "support/fake_platform.h"

namespace toridasu::full {

std::string Dxf(std::string_view pairs) {
  std::string out;
  for (std::size_t start = 0;;) {
    const std::size_t bar = pairs.find('|', start);
    out.append(pairs.substr(start, bar - start)).append("\r\n");
    if (bar == std::string_view::npos) return out;
    start = bar + 1;
  }
}

std::string Entities(std::string_view pairs) {
  return Dxf(std::string("0|SECTION|2|ENTITIES|") + std::string(pairs) + "|0|ENDSEC|0|EOF");
}

FullOptions Utf8(std::string_view columns) {
  FullOptions options;
  options.output.utf8 = true;
  options.output.columns = *model::ParseColumns(columns);
  return options;
}

Converted Convert(const std::string& drawing, const FullOptions& options, char separator) {
  FakePlatform fake;
  fake.AddFile("in.dxf", drawing);
  Converted result;
  ConversionContext context;
  context.platform = &fake;
  context.decimalSeparator = separator;
  result.converted = ConvertFull("in.dxf", "out.csv", context, options, &result.stats);
  result.csv = fake.Contents("out.csv");
  const std::string& csv = result.csv;
  const std::size_t headerEnd = csv.find("\r\n");
  // CR LF line ends as LF.
  for (std::size_t i = headerEnd == std::string::npos ? csv.size() : headerEnd + 2; i < csv.size();
       ++i) {
    if (csv[i] != '\r' || i + 1 == csv.size() || csv[i + 1] != '\n') result.records += csv[i];
  }
  return result;
}

}  // namespace toridasu::full

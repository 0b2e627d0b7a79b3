// The whole conversion on any drawing and with failures injected: it answers
// true with a well-formed CSV, or false with no output left behind.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/errors.h"
#include "engine/conversion_job.h"
#include "engine/csv_record.h"
#include "support/fake_platform.h"

using namespace toridasu;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  // The first two bytes choose a failure to inject; the rest is the drawing.
  const uint8_t plan = data[0];
  const uint8_t when = data[1];
  const std::string drawing(reinterpret_cast<const char*>(data) + 2, size - 2);
  FakePlatform fake;
  fake.AddFile("in.dxf", drawing);
  switch (plan % 6) {
    case 1:
      fake.failWriteNumber = 1 + when % 4;
      fake.writeError = 112;
      break;
    case 2:
      fake.readChunk = 1 + when % 32;
      fake.failReadNumber = 1 + when % 8;
      fake.readError = 23;
      break;
    case 3: fake.closeError = 6; break;
    case 4: fake.readChunk = 1 + when % 32; break;
    case 5: fake.kind = FileKind::Character; break;
    default: break;
  }
  ConversionStats stats;
  const bool converted = ConvertDxfToCsv("in.dxf", "out", LocaleContext(fake), &stats);
  if (fake.OpenHandleCount() != 0) std::abort();
  if (fake.Contents("in.dxf") != drawing) std::abort();  // the drawing is never touched
  if (converted) {
    const std::string csv = fake.Contents("out.csv");
    const std::string header = std::string(kCsvHeader) + "\r\n";
    if (csv.compare(0, header.size(), header) != 0) std::abort();
    if (csv.size() < 2 || csv.substr(csv.size() - 2) != "\r\n") std::abort();
  } else {
    if (!stats.failure) std::abort();
    if (plan % 6 != 5 && fake.Exists("out.csv")) std::abort();  // no partial output
  }
  return 0;
}

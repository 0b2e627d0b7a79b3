// Running a batch of conversions several at a time, with the results
// reported in input order.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/batch_plan.h"
#include "cli/conversion_ends.h"
#include "cli/input_kind.h"
#include "engine/conversion_job.h"
#include "engine/exact_csv_sink.h"
#include "full/full_conversion.h"
#include "platform/platform.h"
#include "xlsx/workbook.h"

namespace toridasu::cli {

struct Outcome {
  bool converted = false;
  bool interrupted = false;  // given up, or never started, after an interruption
  uint64_t records = 0;
  std::string message;             // native text: why it failed; empty when converted
  std::vector<std::string> notes;  // native texts: warnings and hints, in order
  uint64_t warnings = 0;           // how many of the notes are warnings
  std::string listing;             // --list-layers: the lines for standard output
};

// The XLSX output of a run: each drawing its own workbook, or, with
// `shared`, all of them sheets of that one.
struct WorkbookChoice {
  xlsx::Workbook* shared = nullptr;
};

struct RunOptions {
  // The platform, lead bytes and decimal separator of every conversion.
  explicit RunOptions(const ConversionContext& conversionContext) : context(conversionContext) {}

  ConversionContext context;
  unsigned jobs = 1;
  ExactCsvChoice csv;  // the default mode's CSV file (its separator is the context's)
  // Set: workbooks instead of CSV files (the default mode takes csv.replace).
  std::optional<WorkbookChoice> workbooks;
  const full::FullOptions* full = nullptr;  // set: the drawings are read in full mode
  bool listLayers = false;                  // with full: their layers listed, nothing written
  // Whether the default mode looks for what --full would find (a second
  // reading of each drawing that wrote no record); pointless when no note is shown.
  bool hints = true;
  // Once set, no drawing starts, and those under way give up.
  const std::atomic<bool>* stop = nullptr;
  std::atomic<uint64_t>* bytesRead = nullptr;  // the reading of all drawings together
  std::atomic<uint64_t>* finished = nullptr;   // drawings done
};

// What one conversion of a run works with, in either mode: its output folder
// made first, and its drawing and output, which stop once the run is
// interrupted. The output replaces the previous file only once the
// conversion has succeeded.
class ConversionFrame {
 public:
  ConversionFrame(const Conversion& conversion, const ConversionContext& context,
                  const std::atomic<bool>& stop);
  // Why the conversion cannot start (native text); empty when it can.
  const std::string& Refusal() const { return refusal_; }
  const ConversionContext& Context() const { return context_; }
  // The drawing, open, its kind recognised; raises EInOutError when it
  // cannot be opened.
  ByteSource& OpenDrawing();
  // What the drawing is, once open.
  const Recognition& Kind() const { return recognized_->Kind(); }
  // The output, made when the conversion begins writing.
  ByteSink& Output() { return output_.Sink(); }
  // After the conversion succeeded: the output takes its place; 0 or the code.
  uint32_t KeepOutput() { return output_.Keep(); }

 private:
  const Conversion& conversion_;
  const ConversionContext& context_;
  const std::atomic<bool>& stop_;
  std::unique_ptr<ByteSource> drawing_;
  std::unique_ptr<RecognizedSource> recognized_;
  ConversionOutput output_;
  std::string refusal_;
};

// How a mode's conversion of one drawing in its frame ended.
struct ModeEnd {
  bool converted = false;
  bool binary = false;  // the drawing is a binary one: its places are byte offsets
  uint64_t records = 0;
  std::vector<std::string> notes;            // native texts: warnings, whatever the end
  uint64_t warnings = 0;                     // of the notes (a hint is none)
  std::optional<ConversionFailure> failure;  // why it did not convert
};

// The end of a conversion of a drawing that is none the converter reads.
ModeEnd ForeignEnd(ForeignFile what);

// One conversion in either mode: `convert` runs the mode's conversion in the
// frame; the frame's refusal, a drawing that cannot be opened, an
// interruption and the failure in the user's words are seen to here.
Outcome ConvertInFrame(const Conversion& conversion, const ConversionContext& context,
                       const std::atomic<bool>& stop,
                       const std::function<ModeEnd(ConversionFrame&)>& convert);

// Runs every conversion. `report` is called once per conversion, in the
// order of `conversions`, whatever order they end in.
void RunConversions(const std::vector<Conversion>& conversions, const RunOptions& options,
                    const std::function<void(std::size_t, const Outcome&)>& report);

// One conversion in the default mode, with its failure put in the user's
// words. It runs on the platform, lead bytes and separator of `context`;
// with `hints`, a drawing that wrote no record is also asked what --full
// would find. With `workbook`, it writes sheets rather than a CSV file.
Outcome ConvertOne(const Conversion& conversion, const ConversionContext& context,
                   const ExactCsvChoice& csv, const ConversionOptions& options,
                   const std::atomic<bool>& stop, bool hints,
                   const WorkbookChoice* workbook = nullptr);

}  // namespace toridasu::cli

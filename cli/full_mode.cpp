#include "cli/full_mode.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "cli/console.h"
#include "cli/failure_text.h"
#include "cli/layer_listing.h"
#include "cli/messages.h"
#include "cli/paths.h"
#include "cli/workbook_output.h"
#include "io/file_source.h"
#include "jww/jww_conversion.h"
#include "text/code_page.h"
#include "xlsx/full_sheet_sink.h"

namespace toridasu::cli {
namespace {

// The notes of a full reading: its warnings, and how many texts it left out
// because the drawing hides them.
void AddNotes(const std::string& input, const full::FullStats& stats, ModeEnd& end) {
  for (const model::Warning& warning : stats.warnings) {
    end.notes.push_back(WarningText(input, warning, end.binary));
  }
  end.warnings = stats.warnings.size();
  if (end.converted && stats.hidden != 0) {
    end.notes.push_back(input + ": " +
                        Say(text_id::kCliHiddenLeftOut, {std::to_string(stats.hidden)}));
  }
}

// UTF-8 text in the output's encoding: Shift-JIS unless UTF-8 was asked for,
// with the stand-ins of Japanese drawings and "?" for what it lacks (a "?"
// that --layers takes for any one character).
std::string InOutputEncoding(std::string utf8, const full::OutputChoice& output) {
  if (output.utf8) return utf8;
  text::UseShiftJisStandIns(utf8);
  std::string shiftJis;
  text::AppendUtf8AsShiftJis(utf8, true, shiftJis);
  return shiftJis;
}

// The hint reads the drawing a second time with the full reader, which takes
// a few times as long per byte as the default mode. Reading again only the
// drawings that the default mode found no longer than this bounds what the
// hint costs (a fraction of a second), and its count is always of a whole
// drawing: a larger drawing gets no hint rather than a count of its first part.
constexpr uint64_t kHintReadingLimit = uint64_t{64} << 20;
// And the work of its expansion: a drawing of many references counts up to
// here (a count that falls short, never over), in a fraction of a second.
constexpr uint64_t kHintBudget = 1000000;

// A drawing read up to `limit` bytes; past them every read is refused, which
// ends the reading without a count. It guards the second reading should it go on
// where the default mode's stopped.
class BoundedSource final : public ByteSource {
 public:
  BoundedSource(ByteSource& inner, uint64_t limit) : inner_(inner), left_(limit) {}

 protected:
  uint32_t ReadSome(void* buffer, uint32_t size, uint32_t* got) override {
    if (left_ == 0) {
      // One more byte tells a drawing of exactly the limit from a longer one.
      char probe;
      const uint32_t code = inner_.Read(&probe, 1, got);
      if (code != 0 || *got == 0) return code;
      *got = 0;
      return kOperationAborted;
    }
    const uint32_t code =
        inner_.Read(buffer, static_cast<uint32_t>(std::min<uint64_t>(size, left_)), got);
    left_ -= *got;
    return code;
  }
  uint32_t CloseSource() override { return inner_.Close(); }

 private:
  ByteSource& inner_;
  uint64_t left_;
};

// Converts the frame's drawing (open) in full mode, by its kind, into `sink`;
// a drawing of no kind the converter reads fails.
ModeEnd ConvertByKind(ConversionFrame& frame, ByteSource& drawing, model::RecordSink& sink,
                      const ConversionContext& context, const full::FullOptions& options,
                      full::FullStats& stats) {
  ModeEnd end;
  switch (frame.Kind().kind) {
    case InputKind::kForeign: return ForeignEnd(frame.Kind().foreign);
    case InputKind::kJww:
      end.binary = true;
      end.converted = jww::ConvertJwwFull(drawing, sink, options, &stats);
      break;
    case InputKind::kDxf:
      end.converted = full::ConvertFull(drawing, sink, context, options, &stats);
  }
  end.records = stats.records;
  end.failure = stats.failure;
  return end;
}

}  // namespace

Outcome ConvertOneFull(const Conversion& conversion, const ConversionContext& context,
                       const full::FullOptions& options, const std::atomic<bool>& stop,
                       const WorkbookChoice* workbook) {
  return ConvertInFrame(conversion, context, stop, [&](ConversionFrame& frame) {
    ByteSource& drawing = frame.OpenDrawing();
    // Before any output: a file that is no drawing leaves no sheet behind.
    if (frame.Kind().kind == InputKind::kForeign) return ForeignEnd(frame.Kind().foreign);
    full::FullStats stats;
    ModeEnd end;
    std::vector<std::string> sheets;
    if (workbook) {
      WorkbookOutput output(frame.Output(), workbook->shared);
      xlsx::FullSheetSink sink(output.Book(), SheetNameOf(conversion), DrawingNameOf(conversion),
                               output.Owns());
      end = ConvertByKind(frame, drawing, sink, context, options, stats);
      sheets = sink.Sheets();
    } else {
      full::CsvRecordSink sink(frame.Output(), options.output, context.decimalSeparator,
                               DrawingNameOf(conversion));
      end = ConvertByKind(frame, drawing, sink, context, options, stats);
    }
    AddNotes(conversion.input, stats, end);
    if (end.converted) AddSheetNotes(conversion, sheets, end);
    return end;
  });
}

Outcome ListLayersOne(const Conversion& conversion, const ConversionContext& context,
                      const full::FullOptions& options, const std::atomic<bool>& stop, bool named) {
  std::string listing;
  Outcome outcome = ConvertInFrame(conversion, context, stop, [&](ConversionFrame& frame) {
    LayerTally tally;
    full::FullStats stats;
    ModeEnd end = ConvertByKind(frame, frame.OpenDrawing(), tally, context, options, stats);
    AddNotes(conversion.input, stats, end);
    if (end.converted) {
      const std::string prefix = named ? conversion.input + "\t" : "";
      listing =
          InOutputEncoding(tally.Lines(stats.layers, options.texts.layers, prefix), options.output);
    }
    return end;
  });
  outcome.listing = std::move(listing);
  return outcome;
}

uint32_t CountedSource::ReadSome(void* buffer, uint32_t size, uint32_t* got) {
  const uint32_t code = inner_.Read(buffer, size, got);
  count_ += *got;
  return code;
}

void AddFullModeHint(const Conversion& conversion, uint64_t bytesRead, Platform* platform,
                     const std::atomic<bool>& stop, ModeEnd& end) {
  // Standard input cannot be read a second time.
  if (!end.converted || conversion.streams.input || bytesRead > kHintReadingLimit) return;
  FileSource drawing(*platform, NativeNameEncoding());
  drawing.SetCancellation(&stop);
  if (drawing.Open(conversion.input) != 0) return;
  BoundedSource bounded(drawing, kHintReadingLimit);
  const std::optional<uint64_t> fullTexts = full::CountTexts(bounded, &stop, kHintBudget);
  if (!fullTexts) return;
  // The texts that the default mode writes are, but for a few, texts that
  // full mode writes too, wherever the default walk began; full mode adds
  // the texts of block references, attributes, dimensions, leaders and the
  // layouts kept among the blocks. So the difference of the two counts is
  // what --full adds. The few (blank texts, texts that the drawing hides,
  // which --full counts only with --hidden, the texts of blocks that nothing
  // references when the walk began at a name holding "ENTITIES" before that
  // section) can only make it smaller: the hint may say too little, never
  // too much. A count by kind would miss the layouts, and count again the
  // block texts that such an early walk has written already.
  if (*fullTexts > end.records) {
    end.notes.push_back(conversion.input + ": " +
                        Say(text_id::kCliHintFull, {std::to_string(*fullTexts - end.records)}));
  }
}

}  // namespace toridasu::cli

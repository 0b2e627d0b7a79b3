#include "cli/jww_mode.h"

#include "cli/failure_text.h"
#include "jww/jww_conversion.h"

namespace toridasu::cli {

ModeEnd ConvertJwwInDefaultMode(const Conversion& conversion, ByteSource& drawing,
                                ExactRecordSink& sink, const ConversionOptions& options,
                                bool replace, const std::atomic<bool>& stop) {
  jww::ExactChoice choice;
  choice.replace = replace;
  choice.bytesRead = options.bytesRead;
  choice.stop = &stop;
  jww::ExactStats stats;
  ModeEnd end;
  end.binary = true;
  end.converted = jww::ConvertJwwExact(drawing, sink, choice, &stats);
  end.records = stats.records;
  end.failure = stats.failure;
  for (const model::Warning& warning : stats.warnings) {
    end.notes.push_back(WarningText(conversion.input, warning, true));
  }
  end.warnings = stats.warnings.size();
  return end;
}

}  // namespace toridasu::cli

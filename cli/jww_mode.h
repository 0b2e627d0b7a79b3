// The converter's default mode on a Jw_cad drawing: the texts that full
// mode writes, as the default mode's records, with the warnings of the
// reading in the user's words, placed by byte offsets.
#pragma once

#include <atomic>
#include <string>

#include "cli/batch_run.h"
#include "engine/conversion_job.h"
#include "engine/record_sink.h"
#include "io/byte_source.h"

namespace toridasu::cli {

// `replace`: a character that Shift-JIS lacks becomes "?" (--invalid replace).
ModeEnd ConvertJwwInDefaultMode(const Conversion& conversion, ByteSource& drawing,
                                ExactRecordSink& sink, const ConversionOptions& options,
                                bool replace, const std::atomic<bool>& stop);

}  // namespace toridasu::cli

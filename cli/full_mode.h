// The converter's full mode (--full) and the default mode's hint towards it,
// with their warnings in the user's words.
#pragma once

#include <atomic>

#include "cli/batch_run.h"
#include "full/full_conversion.h"
#include "platform/platform.h"

namespace toridasu::cli {

// One drawing in full mode, as ConvertOne converts one in the default mode.
Outcome ConvertOneFull(const Conversion& conversion, const ConversionContext& context,
                       const full::FullOptions& options, const std::atomic<bool>& stop);

// After a default-mode conversion that wrote no record: a note when the
// drawing's block references show texts that --full would write. The
// drawing is read again on `platform`, stopping once `stop` is set; a
// reading that fails adds nothing.
void AddFullModeHint(const Conversion& conversion, Platform* platform,
                     const std::atomic<bool>& stop, ModeEnd& end);

}  // namespace toridasu::cli

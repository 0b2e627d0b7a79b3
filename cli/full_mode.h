// The converter's full mode (--full) and the default mode's hint towards it,
// with their failures and warnings in the user's words.
#pragma once

#include "cli/batch_run.h"
#include "full/full_conversion.h"

namespace toridasu::cli {

// One drawing in full mode.
Outcome ConvertOneFull(const Conversion& conversion, const full::FullOptions& options);

// After a default-mode conversion that wrote no record: a note when the
// drawing's block references show texts that --full would write.
void AddFullModeHint(const Conversion& conversion, Outcome& outcome);

}  // namespace toridasu::cli

// The temporary files that the converter writes its outputs to before they
// replace the files they are for, beside them, named so that a user knows
// them: `plan.csv.toridasu-1234.tmp` for plan.csv (1234 the converter's
// process id), `plan.csv.toridasu-1234-2.tmp` when that name is taken, and
// `toridasu-1234.tmp` in the same folder when the long name would pass the
// system's limit. A converter that was killed leaves its own behind; a later
// run removes them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/batch_plan.h"
#include "platform/platform.h"

namespace toridasu::cli {

// The temporary file for the output file `target` at the given attempt (from 1).
std::string TemporaryName(const std::string& target, uint32_t processId, unsigned attempt);

// The process that wrote `entry` (a name in a folder), when it is a
// temporary file for the output file named `targetName` in that folder, or
// one of the short form, which any output of the folder may have written.
std::optional<uint32_t> TemporaryWriter(const std::string& entry, const std::string& targetName);

// Removes the temporary files left beside the outputs of `conversions` by
// converters that have ended. The files of a converter that runs are kept;
// the system also refuses to remove a file that another converter holds
// open, whatever its name says.
void RemoveLeftTemporaries(const std::vector<Conversion>& conversions, Platform& platform);

}  // namespace toridasu::cli

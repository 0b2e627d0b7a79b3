// Patterns with * and ? in the inputs. On Windows the converter expands them
// itself, by the system's own matching, as the command prompt passes them
// on unexpanded; on Linux the shell has expanded them already.
#pragma once

#include <string>
#include <vector>

namespace toridasu::cli {

// False when `input` is no pattern here; else true, with the files that
// match it, sorted, appended to `found`.
bool ExpandPattern(const std::string& input, std::vector<std::string>* found);

}  // namespace toridasu::cli

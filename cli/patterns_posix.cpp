#include "cli/patterns.h"

namespace toridasu::cli {

bool ExpandPattern(const std::string&, std::vector<std::string>*) { return false; }

}  // namespace toridasu::cli

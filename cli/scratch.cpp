#include "cli/scratch.h"

#include <atomic>
#include <string>

namespace toridasu::cli {

std::string ScratchName(const std::string& folder) {
  static std::atomic<unsigned> counter{0};
  const std::string leaf = "toridasu-" + std::to_string(ProcessNumber()) + "-" +
                           std::to_string(counter.fetch_add(1)) + ".xlsx";
  if (folder.empty()) return leaf;
  const char last = folder.back();
  return folder + (last == '/' || last == '\\' ? "" : "/") + leaf;
}

}  // namespace toridasu::cli

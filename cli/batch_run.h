// Running a batch of conversions several at a time, with the results
// reported in input order.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "cli/batch_plan.h"
#include "engine/conversion_job.h"
#include "full/full_conversion.h"

namespace toridasu::cli {

struct Outcome {
  bool converted = false;
  uint64_t records = 0;
  std::string message;             // native text: why it failed; empty when converted
  std::vector<std::string> notes;  // native texts: warnings and hints, in order
};

// Runs every conversion, `jobs` at a time. `report` is called once per
// conversion, in the order of `conversions`, whatever order they end in.
// `bytesRead` follows the reading of all drawings together. With `full`, the
// drawings are read in full mode.
void RunConversions(const std::vector<Conversion>& conversions, unsigned jobs,
                    const ConversionOptions& options, const full::FullOptions* full,
                    std::atomic<uint64_t>* bytesRead, std::atomic<uint64_t>* finished,
                    const std::function<void(std::size_t, const Outcome&)>& report);

// One conversion, with its failure put in the user's words.
Outcome ConvertOne(const Conversion& conversion, const ConversionOptions& options);

}  // namespace toridasu::cli

// What a dimension measures, from its definition points, and the measurement
// as its text shows it in place of "<>".
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "full/raw_entity.h"

namespace toridasu::full {

struct Measurement {
  double value = 0;    // drawing units, or degrees for an angle
  bool angle = false;  // shown with a degree sign
};

// The measurement of a DIMENSION, or nothing when neither its points nor its
// group 42 give one.
std::optional<Measurement> MeasurementOf(const RawEntity& dimension);

// The measurement with `decimals` decimal places (the style's), `separator`
// the decimal separator; an angle ends in a degree sign (UTF-8).
std::string FormatMeasurement(const Measurement& measurement, int32_t decimals, char separator);

}  // namespace toridasu::full

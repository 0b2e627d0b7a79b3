#include "number_samples.h"

#include <cstdio>
#include <cstdlib>
#include <random>

namespace toridasu::bench {

const char* NumberSampleName(NumberSample kind) {
  switch (kind) {
    case NumberSample::kShort: return "short";
    case NumberSample::kLong: return "long";
    case NumberSample::kZero: return "zero";
  }
  return "?";
}

std::vector<std::string> CoordinateTexts(NumberSample kind) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> coordinate(-50000.0, 50000.0);
  std::vector<std::string> texts;
  char text[40];
  for (int i = 0; i < 1024; ++i) {
    const double v = coordinate(random);
    switch (kind) {
      case NumberSample::kShort: std::snprintf(text, sizeof text, "%.4f", v); break;
      case NumberSample::kLong: std::snprintf(text, sizeof text, "%.16g", v / 64); break;
      case NumberSample::kZero: std::snprintf(text, sizeof text, "0.0"); break;
    }
    texts.emplace_back(text);
  }
  return texts;
}

std::vector<double> CoordinateValues(NumberSample kind) {
  std::vector<double> values;
  for (const std::string& text : CoordinateTexts(kind)) {
    values.push_back(std::strtod(text.c_str(), nullptr));
  }
  return values;
}

}  // namespace toridasu::bench

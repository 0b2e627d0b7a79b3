// One text as the model gives it: where it is shown, what it says
// (UTF-8), and what the columns can tell about it.
#pragma once

#include <cstdint>
#include <string>

#include "model/ocs.h"

namespace toridasu::model {

// A point of a drawing: the coordinates' own type serves.
using Point3 = Vec3;

struct TextRecord {
  Point3 point;  // world coordinates
  Point3 align;  // the alignment point, world coordinates
  std::string text;
  std::string type;  // TEXT, ATTRIB, MTEXT, MULTILEADER, DIMENSION
  std::string layer;
  std::string handle;
  std::string style;
  std::string space;  // "Model" or the paper-space layout's name
  std::string block;  // block names from the top, joined by "/"; empty outside blocks
  // Whether the drawing shows it: not invisible itself, not on a layer that
  // is off or frozen, not inside a reference that hides it.
  bool visible = true;
  double height = 0.0;
  double rotation = 0.0;  // degrees
  uint64_t line = 0;      // the drawing's line that held the text
};

}  // namespace toridasu::model

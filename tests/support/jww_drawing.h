// Jw_cad drawings made for tests, byte by byte as Jw_cad's archive writes
// them: the header of the version (strings in Shift-JIS up to 600, UTF-16
// from 700), the list of objects with their class tags, the block
// definitions. What the shared samples lack is made here: long strings,
// escaped counts and tags, nested and turned blocks, dimensions, damage.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace toridasu::jww {

struct Placed {
  unsigned group = 0, layer = 0;
  uint16_t flags = 0;  // the attribute bits
};

struct DrawnText {
  double x = 0, y = 0;
  std::string text;  // UTF-8 from version 700, else the Shift-JIS bytes
  Placed on;
  double height = 2.5, angleDegrees = 0;
  std::string font = "MS Gothic";
  bool zeroLength = false;  // its end point is its start point (a setting's form)
};

class JwwDrawing {
 public:
  explicit JwwDrawing(uint32_t version = 600);

  // The header.
  JwwDrawing& Scale(unsigned group, double denominator);
  JwwDrawing& GroupState(unsigned group, uint32_t state);
  JwwDrawing& LayerState(unsigned group, unsigned layer, uint32_t state);
  JwwDrawing& GroupName(unsigned group, std::string name);
  JwwDrawing& LayerName(unsigned group, unsigned layer, std::string name);

  // Objects of the list being written: the drawing's, or the open
  // definition's.
  JwwDrawing& Text(const DrawnText& text);
  JwwDrawing& Line(double x1, double y1, double x2, double y2, Placed on = {});
  JwwDrawing& Point(double x, double y);
  // A dimension whose value, `value`, stands at x, y.
  JwwDrawing& Dimension(double x, double y, std::string value, Placed on = {});
  JwwDrawing& Block(uint32_t number, double x, double y, double scaleX = 1, double scaleY = 1,
                    double rotationRadians = 0, Placed on = {});
  // Raw bytes that count as one object of the list.
  JwwDrawing& RawObject(std::string bytes);
  // The tag of an object met before: the n-th object written (from 0).
  JwwDrawing& Again(std::size_t object);

  // Block definitions, after the drawing's list.
  JwwDrawing& BeginDefinition(uint32_t number, std::string name);
  JwwDrawing& EndDefinition();

  // The count written for the list being written, instead of the true one.
  JwwDrawing& CountAs(uint64_t count);

  std::string Bytes() const;

 private:
  struct List {
    std::string bytes;
    uint64_t count = 0;
    bool countGiven = false;
    uint64_t givenCount = 0;
  };
  void Tag(std::string_view className);
  void Base(std::string& out, Placed on, uint8_t penStyle = 1, uint16_t penColor = 1);
  void TextBody(std::string& out, const DrawnText& text);
  void String(std::string& out, std::string_view text) const;
  List& Current();

  uint32_t version_;
  std::array<double, 16> scales_;
  std::array<uint32_t, 16> groupStates_;
  std::array<std::array<uint32_t, 16>, 16> layerStates_;
  std::array<std::string, 16> groupNames_;
  std::array<std::array<std::string, 16>, 16> layerNames_;
  List top_;
  std::vector<List> definitions_;   // each: its head and its own list
  std::vector<std::string> heads_;  // each definition's tag and fields
  bool inDefinition_ = false;
  std::map<std::string, uint32_t, std::less<>> classes_;  // each class's index
  std::vector<uint32_t> objectIndex_;                     // the index of each object written
  uint32_t nextIndex_ = 1;
};

// UTF-16LE of UTF-8 text, for the strings of version 700.
std::string Utf16Of(std::string_view utf8);

}  // namespace toridasu::jww

#include "support/jww_drawing.h"

#include <cstring>

namespace toridasu::jww {
namespace {

void Put(std::string& out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}
void Word(std::string& out, uint32_t value) { Put(out, value, 2); }
void Dword(std::string& out, uint32_t value) { Put(out, value, 4); }
void Double(std::string& out, double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  Put(out, bits, 8);
}
void Zeros(std::string& out, std::size_t count) { out.append(count, '\0'); }

// A string's length as the archive writes it, after the wide mark if any.
void Length(std::string& out, uint64_t length) {
  if (length < 0xFF) {
    out += static_cast<char>(length);
  } else if (length < 0xFFFE) {
    out += '\xFF';
    Word(out, static_cast<uint32_t>(length));
  } else {
    out += '\xFF';
    Word(out, 0xFFFF);
    Dword(out, static_cast<uint32_t>(length));
  }
}

}  // namespace

std::string Utf16Of(std::string_view utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    const int length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? byte : byte & (0x7F >> length);
    for (int k = 1; k < length; ++k)
      c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    i += static_cast<std::size_t>(length);
    if (c >= 0x10000) {
      Word(out, 0xD800 + ((c - 0x10000) >> 10));
      Word(out, 0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      Word(out, c);
    }
  }
  return out;
}

JwwDrawing::JwwDrawing(uint32_t version) : version_(version) {
  scales_.fill(1);
  groupStates_.fill(2);
  for (auto& group : layerStates_) group.fill(2);
}

JwwDrawing& JwwDrawing::Scale(unsigned group, double denominator) {
  scales_[group] = denominator;
  return *this;
}
JwwDrawing& JwwDrawing::GroupState(unsigned group, uint32_t state) {
  groupStates_[group] = state;
  return *this;
}
JwwDrawing& JwwDrawing::LayerState(unsigned group, unsigned layer, uint32_t state) {
  layerStates_[group][layer] = state;
  return *this;
}
JwwDrawing& JwwDrawing::GroupName(unsigned group, std::string name) {
  groupNames_[group] = std::move(name);
  return *this;
}
JwwDrawing& JwwDrawing::LayerName(unsigned group, unsigned layer, std::string name) {
  layerNames_[group][layer] = std::move(name);
  return *this;
}

void JwwDrawing::String(std::string& out, std::string_view text) const {
  if (version_ >= 700) {
    const std::string wide = Utf16Of(text);
    out += "\xFF\xFE\xFF";
    Length(out, wide.size() / 2);
    out += wide;
  } else {
    Length(out, text.size());
    out += text;
  }
}

JwwDrawing::List& JwwDrawing::Current() { return inDefinition_ ? definitions_.back() : top_; }

void JwwDrawing::Tag(std::string_view className) {
  List& list = Current();
  std::string& out = list.bytes;
  const auto known = classes_.find(className);
  const uint32_t classIndex = known == classes_.end() ? 0 : known->second;
  if (classIndex == 0) {
    Word(out, 0xFFFF);
    Word(out, version_);
    Word(out, static_cast<uint32_t>(className.size()));
    out += className;
    classes_.emplace(std::string(className), nextIndex_++);
  } else if (classIndex < 0x7FFF) {
    Word(out, 0x8000 | classIndex);
  } else {
    Word(out, 0x7FFF);
    Dword(out, 0x80000000u | classIndex);
  }
  objectIndex_.push_back(nextIndex_++);
  ++list.count;
}

void JwwDrawing::Base(std::string& out, Placed on, uint8_t penStyle, uint16_t penColor) {
  Dword(out, 0);  // curve
  out += static_cast<char>(penStyle);
  Word(out, penColor);
  if (version_ >= 351) Word(out, 0);
  Word(out, on.layer);
  Word(out, on.group);
  Word(out, on.flags);
}

void JwwDrawing::TextBody(std::string& out, const DrawnText& text) {
  Base(out, text.on);
  Double(out, text.x);
  Double(out, text.y);
  const double length = text.zeroLength ? 0 : text.height * static_cast<double>(text.text.size());
  Double(out, text.x + length);
  Double(out, text.y);
  Dword(out, 1);  // text kind
  Double(out, text.height);
  Double(out, text.height);
  Double(out, 0);
  Double(out, text.angleDegrees);
  String(out, text.font);
  String(out, text.text);
}

JwwDrawing& JwwDrawing::Text(const DrawnText& text) {
  Tag("CDataMoji");
  TextBody(Current().bytes, text);
  return *this;
}

JwwDrawing& JwwDrawing::Line(double x1, double y1, double x2, double y2, Placed on) {
  Tag("CDataSen");
  std::string& out = Current().bytes;
  Base(out, on);
  for (const double v : {x1, y1, x2, y2}) Double(out, v);
  return *this;
}

JwwDrawing& JwwDrawing::Point(double x, double y) {
  Tag("CDataTen");
  std::string& out = Current().bytes;
  Base(out, {});
  Double(out, x);
  Double(out, y);
  Dword(out, 0);
  return *this;
}

JwwDrawing& JwwDrawing::Dimension(double x, double y, std::string value, Placed on) {
  Tag("CDataSunpou");
  std::string& out = Current().bytes;
  Base(out, on);
  Base(out, on);  // its line
  for (const double v : {x, y - 1, x + 10, y - 1}) Double(out, v);
  DrawnText text;
  text.x = x;
  text.y = y;
  text.text = std::move(value);
  text.on = on;
  TextBody(out, text);
  if (version_ >= 420) {
    Word(out, 0);  // SXF mode
    for (int i = 0; i < 2; ++i) {
      Base(out, on);
      Zeros(out, 32);
    }
    for (int i = 0; i < 4; ++i) {
      Base(out, on, i == 0 ? 100 : 1);  // the first a marker, with its code, angle and scale
      Zeros(out, 20);
      if (i == 0) Zeros(out, 20);
    }
  }
  return *this;
}

JwwDrawing& JwwDrawing::Block(uint32_t number, double x, double y, double scaleX, double scaleY,
                              double rotationRadians, Placed on) {
  Tag("CDataBlock");
  std::string& out = Current().bytes;
  Base(out, on);
  for (const double v : {x, y, scaleX, scaleY, rotationRadians}) Double(out, v);
  Dword(out, number);
  return *this;
}

JwwDrawing& JwwDrawing::RawObject(std::string bytes) {
  List& list = Current();
  list.bytes += bytes;
  ++list.count;
  return *this;
}

JwwDrawing& JwwDrawing::Again(std::size_t object) {
  List& list = Current();
  const uint32_t index = objectIndex_.at(object);
  if (index < 0x7FFF) {
    Word(list.bytes, index);
  } else {
    Word(list.bytes, 0x7FFF);
    Dword(list.bytes, index);
  }
  ++list.count;
  return *this;
}

JwwDrawing& JwwDrawing::BeginDefinition(uint32_t number, std::string name) {
  inDefinition_ = false;
  // The definition's tag and head go into the block list; its objects into a
  // list of its own.
  List head;
  std::swap(head, top_);
  Tag("CDataList");
  std::swap(head, top_);
  std::string& out = head.bytes;
  Base(out, {});
  Dword(out, number);
  Dword(out, 1);           // referenced
  Dword(out, 0x6A850F12);  // when it was made
  String(out, name);
  heads_.push_back(out);
  definitions_.emplace_back();
  inDefinition_ = true;
  return *this;
}

JwwDrawing& JwwDrawing::EndDefinition() {
  inDefinition_ = false;
  return *this;
}

JwwDrawing& JwwDrawing::CountAs(uint64_t count) {
  Current().countGiven = true;
  Current().givenCount = count;
  return *this;
}

std::string JwwDrawing::Bytes() const {
  std::string out = "JwwData.";
  Dword(out, version_);
  String(out, "memo");
  Dword(out, 3);  // paper
  Dword(out, 0);  // the group written to
  for (unsigned g = 0; g < 16; ++g) {
    Dword(out, groupStates_[g]);
    Dword(out, 0);
    Double(out, scales_[g]);
    Dword(out, 0);
    for (unsigned l = 0; l < 16; ++l) {
      Dword(out, layerStates_[g][l]);
      Dword(out, 0);
    }
  }
  Zeros(out, 21 * 4 + 72);
  for (const auto& group : layerNames_) {
    for (const std::string& name : group) String(out, name);
  }
  for (const std::string& name : groupNames_) String(out, name);
  Zeros(out, 3 * 8 + 4 + (version_ >= 300 ? 16 : 0) + 4 + 48);
  Zeros(out, version_ >= 300 ? 8 * 28 + 6 * 8 + 2 * 4 : 4 * 24);
  Zeros(out, 11 * 8 + 80 + 160 + 128 + 100 + 64 + 44 + 4 + 4 + 12 + 40 + 32 + 8);
  if (version_ >= 420) {
    Zeros(out, 257 * 8);
    for (int i = 0; i < 257; ++i) {
      String(out, "");
      Zeros(out, 16);
    }
    Zeros(out, 33 * 16);
    for (int i = 0; i < 33; ++i) {
      String(out, "");
      Zeros(out, 84);
    }
  }
  Zeros(out, 10 * 28 + 32 + 16 + 4 + 48);
  const auto count = [&out](const List& list) {
    const uint64_t n = list.countGiven ? list.givenCount : list.count;
    if (n < 0xFFFF) {
      Word(out, static_cast<uint32_t>(n));
    } else {
      Word(out, 0xFFFF);
      Dword(out, static_cast<uint32_t>(n));
    }
  };
  count(top_);
  out += top_.bytes;
  Word(out, static_cast<uint32_t>(definitions_.size()));
  for (std::size_t i = 0; i < definitions_.size(); ++i) {
    out += heads_[i];
    count(definitions_[i]);
    out += definitions_[i].bytes;
  }
  if (version_ >= 700) Dword(out, 0);  // no pictures
  return out;
}

}  // namespace toridasu::jww

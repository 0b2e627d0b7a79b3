#include "jww/object_tags.h"

#include <string>
#include <utility>

namespace toridasu::jww {
namespace {

constexpr uint16_t kNewClassTag = 0xFFFF;
constexpr uint16_t kBigTag = 0x7FFF;  // a DWORD tag follows
constexpr uint32_t kClassBit = 0x80000000;
// The archive's own bound on a class name.
constexpr uint16_t kLongestClassName = 64;

constexpr std::pair<std::string_view, ObjectClass> kClasses[] = {
    {"CDataSen", ObjectClass::kLine},         {"CDataEnko", ObjectClass::kArc},
    {"CDataTen", ObjectClass::kPoint},        {"CDataMoji", ObjectClass::kText},
    {"CDataSunpou", ObjectClass::kDimension}, {"CDataSolid", ObjectClass::kSolid},
    {"CDataBlock", ObjectClass::kBlock},      {"CDataList", ObjectClass::kList},
};

// A class name for a message: its printable ASCII, anything else as "?".
std::string Shown(std::string_view name) {
  std::string shown;
  for (const char c : name) shown += c >= 0x20 && c < 0x7F ? c : '?';
  return shown;
}

}  // namespace

bool ClassNamed(std::string_view name, ObjectClass& objectClass) {
  for (const auto& [known, value] : kClasses) {
    if (name == known) {
      objectClass = value;
      return true;
    }
  }
  return false;
}

std::string_view ClassName(ObjectClass objectClass) {
  for (const auto& [name, value] : kClasses) {
    if (value == objectClass) return name;
  }
  return {};
}

ObjectTag ObjectTable::Next(ArchiveReader& reader) {
  const uint64_t offset = reader.Offset();
  const uint16_t word = reader.Word();
  ObjectTag tag;
  if (word == kNewClassTag) {
    reader.Word();  // the class's schema: the drawing's version, which the header gave
    const uint16_t length = reader.Word();
    if (length == 0 || length > kLongestClassName) RaiseDamage(Damage::kUnknownClass, offset, "?");
    std::string name;
    for (uint16_t i = 0; i < length; ++i) name += static_cast<char>(reader.Byte());
    if (!ClassNamed(name, tag.objectClass)) RaiseDamage(Damage::kUnknownClass, offset, Shown(name));
    classes_.emplace(given_, tag.objectClass);
    given_ += 2;  // the class, and its first object
    tag.what = ObjectTag::What::kNew;
    return tag;
  }
  const uint32_t value = word == kBigTag ? reader.Dword()
                                         : ((static_cast<uint32_t>(word) & 0x8000) << 16) |
                                               (static_cast<uint32_t>(word) & 0x7FFF);
  const uint32_t index = value & ~kClassBit;
  if (value == 0) return tag;  // no object
  const auto named = classes_.find(index);
  if ((value & kClassBit) != 0) {
    // An object of a class met before.
    if (named == classes_.end()) RaiseDamage(Damage::kBadReference, offset);
    tag.objectClass = named->second;
    ++given_;
    tag.what = ObjectTag::What::kNew;
    return tag;
  }
  // An object read before, standing here again.
  if (index == 0 || index >= given_ || named != classes_.end())
    RaiseDamage(Damage::kBadReference, offset);
  tag.what = ObjectTag::What::kSeen;
  return tag;
}

}  // namespace toridasu::jww

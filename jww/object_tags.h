// The tags that lead each object of a Jw_cad drawing's lists. The archive
// names a class in full the first time one of its objects comes, and by the
// index it was given afterwards; every class and every object takes the next
// index as it is met, in one numbering for the whole drawing. A tag may also
// stand for no object, or for one read before.
#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_map>

#include "jww/archive_reader.h"

namespace toridasu::jww {

// The classes of a drawing's objects.
enum class ObjectClass : uint8_t {
  kLine,       // CDataSen
  kArc,        // CDataEnko
  kPoint,      // CDataTen
  kText,       // CDataMoji
  kDimension,  // CDataSunpou
  kSolid,      // CDataSolid
  kBlock,      // CDataBlock: a block reference
  kList,       // CDataList: a block definition
};

struct ObjectTag {
  enum class What { kNone, kNew, kSeen } what = What::kNone;
  ObjectClass objectClass = ObjectClass::kLine;  // kNew only
};

class ObjectTable {
 public:
  // Reads the next tag. A class the drawing format does not know, and an
  // index that names nothing read yet or the wrong kind of thing, raise their
  // damage at the tag's offset.
  ObjectTag Next(ArchiveReader& reader);

 private:
  // The indices given so far; 0 stands for no object. Every index that is
  // no class's is an object's, so only the classes are kept: memory does
  // not grow with the objects.
  uint64_t given_ = 1;
  std::unordered_map<uint64_t, ObjectClass> classes_;  // by index
};

// The class of the name as written, false for a name the format does not know.
bool ClassNamed(std::string_view name, ObjectClass& objectClass);
// The name of the class as the drawing writes it.
std::string_view ClassName(ObjectClass objectClass);

}  // namespace toridasu::jww

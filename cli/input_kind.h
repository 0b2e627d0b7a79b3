// What an input is, told by its first bytes rather than by its name: a DXF
// is a DXF whatever it is called, and a file the converter cannot read is
// named for what it is (a DWG, a binary DXF, an archive, ...) instead of
// being read as an empty drawing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/conversion_failure.h"
#include "io/byte_source.h"

namespace toridasu::cli {

enum class InputKind { kDxf, kJww, kForeign };

struct Recognition {
  InputKind kind = InputKind::kDxf;
  ForeignFile foreign = ForeignFile::kBinary;  // kForeign only
};

// The kind of a file that begins with `head` (all of it when it is shorter
// than the head the converter looks at). A file that looks like text is a
// DXF for the DXF reader to judge, as ever.
Recognition Recognize(std::string_view head);

// A drawing whose first bytes are read ahead to recognise it, then given
// again to its reader before the rest.
class RecognizedSource final : public ByteSource {
 public:
  // The bytes looked at: enough for every signature, and for a text's
  // first lines.
  static constexpr std::size_t kHead = 4096;

  // Reads the head of `inner` at once. A read that fails there leaves the
  // input to be read as a DXF, whose reader meets the failure again.
  explicit RecognizedSource(ByteSource& inner);
  const Recognition& Kind() const { return recognition_; }

 protected:
  uint32_t ReadSome(void* buffer, uint32_t size, uint32_t* got) override;
  uint32_t CloseSource() override { return inner_.Close(); }

 private:
  ByteSource& inner_;
  std::string head_;
  std::size_t given_ = 0;  // of head_
  uint32_t headFailure_ = 0;
  Recognition recognition_;
};

}  // namespace toridasu::cli

// The converter's full mode (--full) and the default mode's hint towards it,
// with their warnings in the user's words.
#pragma once

#include <atomic>
#include <cstdint>

#include "cli/batch_run.h"
#include "full/full_conversion.h"
#include "io/byte_source.h"
#include "platform/platform.h"

namespace toridasu::cli {

// One drawing in full mode, as ConvertOne converts one in the default mode.
Outcome ConvertOneFull(const Conversion& conversion, const ConversionContext& context,
                       const full::FullOptions& options, const std::atomic<bool>& stop,
                       const WorkbookChoice* workbook = nullptr);

// One drawing read in full mode for --list-layers: its layers with their
// numbers of texts in the outcome's listing, in the output's encoding, each
// line led by the drawing's name when `named`. Nothing is written.
Outcome ListLayersOne(const Conversion& conversion, const ConversionContext& context,
                      const full::FullOptions& options, const std::atomic<bool>& stop, bool named);

// A drawing whose bytes are counted as they are read: the default mode's
// reading tells the hint how long the drawing is.
class CountedSource final : public ByteSource {
 public:
  explicit CountedSource(ByteSource& inner) : inner_(inner) {}
  uint64_t Count() const { return count_; }

 protected:
  uint32_t ReadSome(void* buffer, uint32_t size, uint32_t* got) override;
  uint32_t CloseSource() override { return inner_.Close(); }

 private:
  ByteSource& inner_;
  uint64_t count_ = 0;
};

// After a default-mode conversion that read `bytesRead` bytes: a note saying
// how many more texts --full would write, when it writes more than the
// default mode did. The drawing is read again on `platform`, stopping once
// `stop` is set; a drawing too long to read again, and a reading that fails
// or is interrupted, add nothing.
void AddFullModeHint(const Conversion& conversion, uint64_t bytesRead, Platform* platform,
                     const std::atomic<bool>& stop, ModeEnd& end);

}  // namespace toridasu::cli

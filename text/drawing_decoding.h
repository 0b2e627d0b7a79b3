// The choice of code page for one drawing's texts, from its header and the
// user's choice, and the decoder that reads each text with it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text/code_page.h"

namespace toridasu::text {

// How one drawing's texts are read.
struct DrawingDecoding {
  int codePage = kHomeCodePage;  // what the texts are read in
  // For a UTF-8 drawing: the header's code page, used for a text whose bytes
  // are not UTF-8 but are defined there (some writers do that); else 0.
  int fallbackCodePage = 0;
  // The header names a code page that is not known: code page 932 stands in
  // for it (as `codePage`, or as the fallback of a UTF-8 drawing).
  bool standIn = false;
};

// The decoding of a drawing. `overrideCodePage` (the user's choice, 0 for
// none) wins. Otherwise drawings of version AC1021 and later are UTF-8, with
// the `$DWGCODEPAGE` code page as fallback; earlier ones use the code page
// that `$DWGCODEPAGE` names; with no or an unknown header, code page 932.
// `acadVersion` and `drawingCodePage` are the header's raw values, empty when
// absent.
DrawingDecoding ChooseDecoding(int overrideCodePage, std::string_view acadVersion,
                               std::string_view drawingCodePage);

// Decodes the texts of one drawing and remembers whether the fallback was
// needed, so that the drawing gets one warning, not one per text.
class TextDecoder {
 public:
  enum class Result {
    kDecoded,
    kDecodedByFallback,  // the first text read in the fallback code page
    kUndefined,          // `out` unchanged; `badOffset` set
  };

  TextDecoder(DrawingDecoding decoding, bool replace) : decoding_(decoding), replace_(replace) {}

  Result Decode(std::string_view bytes, std::string& out, std::size_t* badOffset = nullptr);
  const DrawingDecoding& Decoding() const { return decoding_; }
  bool UsedFallback() const { return usedFallback_; }
  // True once a text was read in the code page that stands in for an unknown
  // one and the reading depended on it (a text of ASCII alone does not).
  bool UsedStandIn() const { return usedStandIn_; }

 private:
  DrawingDecoding decoding_;
  bool replace_;
  bool usedFallback_ = false;
  bool usedStandIn_ = false;
};

}  // namespace toridasu::text

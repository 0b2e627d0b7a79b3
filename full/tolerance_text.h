// A feature control frame (TOLERANCE) as a user reads it: its cells and its
// geometric characteristic symbols in words.
#pragma once

#include <string>
#include <string_view>

namespace toridasu::full {

// The plain text of a TOLERANCE value (UTF-8): "%%v", the line between two
// cells of the frame, as "|"; a symbol of the GD&T font "{\Fgdt;x}" as its
// name in braces:
//   a {angularity}       b {perpendicularity}  c {flatness}
//   d {surface profile}  e {circularity}       f {parallelism}
//   g {cylindricity}     h {circular runout}   i {symmetry}
//   j {position}         k {line profile}      l {LMC}
//   m {MMC}              n {diameter}          p {projected tolerance zone}
//   r {concentricity}    s {RFS}               t {total runout}
//   u {straightness}
// (another letter stays as it stands); then the text codes of a text ("%%d",
// "\U+XXXX", "^J" a line break, ...).
std::string ToleranceToPlain(std::string_view utf8);

}  // namespace toridasu::full

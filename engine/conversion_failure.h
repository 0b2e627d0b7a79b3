// Why a conversion failed, as a value that callers can tell the user about
// in their own words: what went wrong, on which side, with the I/O code and
// the drawing's line.
#pragma once

#include <cstdint>
#include <string>

#include "io/io_fault.h"

namespace toridasu {

enum class FailureKind {
  kInput,                // reading the drawing failed (ioCode, operation)
  kOutput,               // making or writing the output failed (ioCode, operation)
  kUnfinishedCharacter,  // a text ends in half a double-byte character
  kNotCodePage932,       // a text for UTF-8 output holds bytes that code page 932 lacks
  kUnencodable,          // a character the Shift-JIS output cannot hold (detail: the character)
  kUndefinedBytes,       // bytes the drawing's code page does not define (detail: the page)
  kOutOfMemory,
  kLineTooLong,  // a line longer than the reading's bound (detail: the bound in MiB)
  kTextTooLong,  // a text longer than a workbook's cell holds (detail: its length)
  kNotDrawing,   // the input is no drawing the converter reads (foreign: what it is instead)
  kDamaged,      // a binary drawing's structure is broken at byte `line` (damage: how)
  kOther,        // any other error (detail: its kind's name)
};

// What an input that is no drawing the converter reads turns out to be.
enum class ForeignFile : uint8_t { kEmpty, kDwg, kBinaryDxf, kZip, kGzip, kBinary };

// How the structure of a binary drawing is broken.
enum class Damage : uint8_t {
  kUnknownVersion,   // detail: the version number
  kBadCount,         // a count or length past any real drawing's
  kUnknownClass,     // detail: the class name as written
  kBadReference,     // a tag naming a class or object that was never read
  kMisplacedObject,  // detail: the class of an object where it cannot stand
};

struct ConversionFailure {
  FailureKind kind = FailureKind::kOther;
  FileOperation operation = FileOperation::kOpen;  // kInput and kOutput only
  int32_t ioCode = 0;                              // kInput and kOutput only
  // The drawing's line being read when it failed (0: none); in a binary
  // drawing, the offset of the byte being read.
  uint64_t line = 0;
  std::string detail;                          // UTF-8
  ForeignFile foreign = ForeignFile::kBinary;  // kNotDrawing only
  Damage damage = Damage::kBadCount;           // kDamaged only
};

class Exception;
class IoEnd;

// The failure that a caught error makes at `line`. An I/O error is the side's
// whose first failure it was: the input's, else the output's; one that
// neither side met (a file that was never open) is the output's once the
// input was opened.
ConversionFailure FailureOf(const Exception& error, uint64_t line, const IoEnd* input,
                            const IoEnd* output);
ConversionFailure OutOfMemoryFailure(uint64_t line);

}  // namespace toridasu

// Fills the placeholders of the error texts' templates: %s, %d, %x and %p,
// each optionally with an argument index ("%1:s"). Templates may come from a
// language module, so a malformed one is copied as it stands: reporting an
// error must never fail on its own text.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace toridasu {

// One argument: a text or a 32-bit value (an address, a code, a number).
class FormatArg {
 public:
  FormatArg(std::string_view text) : text_(text), isText_(true) {}    // NOLINT: implicit by design
  FormatArg(const char* text) : FormatArg(std::string_view(text)) {}  // NOLINT
  FormatArg(const std::string& text) : FormatArg(std::string_view(text)) {}  // NOLINT
  FormatArg(uint32_t value) : value_(value) {}                               // NOLINT
  FormatArg(int32_t value) : value_(static_cast<uint32_t>(value)) {}         // NOLINT

  bool IsText() const { return isText_; }
  std::string_view Text() const { return text_; }
  uint32_t Value() const { return value_; }

 private:
  std::string_view text_;
  uint32_t value_ = 0;
  bool isText_ = false;
};

// %s: the text; %d: the value as signed decimal; %x: the value in upper-case
// hexadecimal without leading zeros; %p: the value as 8 upper-case hexadecimal
// digits; %%: one "%". "%n:" picks argument n (from 0); a placeholder without
// an index takes the argument after the previous one. A missing argument
// gives nothing.
std::string FormatMessageText(std::string_view pattern, std::initializer_list<FormatArg> args);

// The 8-digit upper-case hexadecimal form of %p.
std::string AddressText(uint32_t address);

}  // namespace toridasu

// The window layout resource: a form's frame and components as data, read
// when the form is constructed.
//
// The resource (type LAYOUT, named after the form's class in capitals) holds
// Shift-JIS text, one item a line:
//   [Name: kind]      starts a component; the first one is the form itself
//   key = value       a property of the component above
// A value is an integer, a list of names separated by blanks (possibly
// empty), "yes" or "no", or a text in double quotes. A text runs from the
// first to the last double quote of its line and needs no escapes: 0x22
// and 0x0A are never the second byte of a Shift-JIS character.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "base/errors.h"

namespace toridasu::ui {

struct LayoutProperty {
  std::string key;
  std::string value;  // a text without its quotes
  bool quoted = false;
  int line = 0;
};

class LayoutComponent {
 public:
  std::string name;
  std::string kind;
  int line = 0;
  std::vector<LayoutProperty> properties;

  const LayoutProperty* Find(std::string_view key) const;
  bool Has(std::string_view key) const { return Find(key) != nullptr; }
  // Typed reads; each raises EReadError when the value has another type.
  int Integer(std::string_view key, int otherwise) const;
  std::string Text(std::string_view key, std::string otherwise) const;
  std::vector<std::string> Names(std::string_view key) const;
  // The single name of `key`, or `otherwise` when the key is absent.
  std::string Name(std::string_view key, std::string otherwise) const;
  bool Flag(std::string_view key, bool otherwise) const;
  // Every value of a key that may repeat, in order (memo lines).
  std::vector<std::string> Texts(std::string_view key) const;

  // Raises EReadError about this component's layout.
  [[noreturn]] void Fail(int line) const;

  std::string resource;  // for messages: the resource it came from
};

struct Layout {
  std::string resource;
  std::vector<LayoutComponent> components;
};

// Parses the layout text; EReadError names the first line it cannot read.
Layout ParseLayout(std::string_view text, std::string_view resourceName);

// Reads the layout resource `name` of `module`; EResNotFound when the
// module has none.
Layout LoadLayout(HMODULE module, const char* name);

}  // namespace toridasu::ui

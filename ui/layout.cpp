#include "ui/layout.h"

#include <cstdlib>

#include "base/string_ids.h"
#include "base/string_table.h"

namespace toridasu::ui {
namespace {

// Fills "%s" and "%d" of a string-table text.
std::string Fill(std::string text, std::string_view s, int d) {
  if (auto at = text.find("%s"); at != std::string::npos) text.replace(at, 2, s);
  if (auto at = text.find("%d"); at != std::string::npos) text.replace(at, 2, std::to_string(d));
  return text;
}

[[noreturn]] void FailAt(std::string_view resource, int line) {
  throw EReadError(Fill(LoadResString(text_id::kLayoutError), resource, line));
}

bool IsNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9'); }
bool IsKeyChar(char c) { return (c >= 'a' && c <= 'z') || c == '-'; }

bool IsName(std::string_view s) {
  if (s.empty() || !IsNameStart(s[0])) return false;
  for (char c : s) {
    if (!IsNameChar(c)) return false;
  }
  return true;
}

bool ParseInteger(std::string_view s, int* value) {
  std::size_t i = (!s.empty() && s[0] == '-') ? 1 : 0;
  if (i == s.size() || s.size() - i > 9) return false;
  long result = 0;
  for (; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    result = result * 10 + (s[i] - '0');
  }
  *value = static_cast<int>(s[0] == '-' ? -result : result);
  return true;
}

// "[Name: kind]"
bool ParseSection(std::string_view line, LayoutComponent* component) {
  if (line.size() < 5 || line.front() != '[' || line.back() != ']') return false;
  std::string_view inner = line.substr(1, line.size() - 2);
  auto colon = inner.find(": ");
  if (colon == std::string_view::npos) return false;
  std::string_view name = inner.substr(0, colon);
  std::string_view kind = inner.substr(colon + 2);
  if (!IsName(name) || kind.empty()) return false;
  for (char c : kind) {
    if (!IsKeyChar(c)) return false;
  }
  component->name.assign(name);
  component->kind.assign(kind);
  return true;
}

// "key = value", "key ="
bool ParseProperty(std::string_view line, LayoutProperty* property) {
  auto equals = line.find(" =");
  if (equals == std::string_view::npos || equals == 0) return false;
  std::string_view key = line.substr(0, equals);
  for (char c : key) {
    if (!IsKeyChar(c)) return false;
  }
  std::string_view rest = line.substr(equals + 2);
  if (!rest.empty()) {
    if (rest.front() != ' ') return false;
    rest.remove_prefix(1);
  }
  property->key.assign(key);
  property->quoted = !rest.empty() && rest.front() == '"';
  if (property->quoted) {
    auto close = rest.rfind('"');
    if (close == 0 || close != rest.size() - 1) return false;
    property->value.assign(rest.substr(1, close - 1));
  } else {
    property->value.assign(rest);
  }
  return true;
}

}  // namespace

const LayoutProperty* LayoutComponent::Find(std::string_view key) const {
  for (const LayoutProperty& property : properties) {
    if (property.key == key) return &property;
  }
  return nullptr;
}

void LayoutComponent::Fail(int failedLine) const { FailAt(resource, failedLine); }

int LayoutComponent::Integer(std::string_view key, int otherwise) const {
  const LayoutProperty* property = Find(key);
  if (property == nullptr) return otherwise;
  int value = 0;
  if (property->quoted || !ParseInteger(property->value, &value)) Fail(property->line);
  return value;
}

std::string LayoutComponent::Text(std::string_view key, std::string otherwise) const {
  const LayoutProperty* property = Find(key);
  if (property == nullptr) return otherwise;
  if (!property->quoted) Fail(property->line);
  return property->value;
}

std::vector<std::string> LayoutComponent::Names(std::string_view key) const {
  std::vector<std::string> names;
  const LayoutProperty* property = Find(key);
  if (property == nullptr) return names;
  if (property->quoted) Fail(property->line);
  std::string_view rest = property->value;
  while (!rest.empty()) {
    auto blank = rest.find(' ');
    std::string_view name = rest.substr(0, blank);
    if (!IsName(name)) Fail(property->line);
    names.emplace_back(name);
    rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank + 1);
    if (blank != std::string_view::npos && rest.empty()) Fail(property->line);
  }
  return names;
}

std::string LayoutComponent::Name(std::string_view key, std::string otherwise) const {
  const LayoutProperty* property = Find(key);
  if (property == nullptr) return otherwise;
  std::vector<std::string> names = Names(key);
  if (names.size() != 1) Fail(property->line);
  return names.front();
}

bool LayoutComponent::Flag(std::string_view key, bool otherwise) const {
  const LayoutProperty* property = Find(key);
  if (property == nullptr) return otherwise;
  if (!property->quoted && property->value == "yes") return true;
  if (!property->quoted && property->value == "no") return false;
  Fail(property->line);
}

std::vector<std::string> LayoutComponent::Texts(std::string_view key) const {
  std::vector<std::string> texts;
  for (const LayoutProperty& property : properties) {
    if (property.key != key) continue;
    if (!property.quoted) Fail(property.line);
    texts.push_back(property.value);
  }
  return texts;
}

Layout ParseLayout(std::string_view text, std::string_view resourceName) {
  Layout layout;
  layout.resource.assign(resourceName);
  int number = 0;
  while (!text.empty()) {
    ++number;
    auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '[') {
      LayoutComponent component;
      if (!ParseSection(line, &component)) FailAt(resourceName, number);
      component.line = number;
      component.resource = layout.resource;
      layout.components.push_back(std::move(component));
      continue;
    }
    LayoutProperty property;
    if (layout.components.empty() || !ParseProperty(line, &property)) {
      FailAt(resourceName, number);
    }
    property.line = number;
    layout.components.back().properties.push_back(std::move(property));
  }
  if (layout.components.empty()) FailAt(resourceName, number);
  return layout;
}

Layout LoadLayout(HMODULE module, const char* name) {
  HRSRC found = FindResourceA(module, name, "LAYOUT");
  HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr) throw EResNotFound(Fill(LoadResString(text_id::kResNotFound), name, 0));
  return ParseLayout(
      std::string_view(static_cast<const char*>(data), SizeofResource(module, found)), name);
}

}  // namespace toridasu::ui

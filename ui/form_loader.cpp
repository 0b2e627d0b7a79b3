// Building a form from its layout: the frame's properties, then each
// component in creation order.
#include <initializer_list>
#include <map>
#include <set>

#include "base/string_ids.h"
#include "base/string_table.h"
#include "ui/form.h"
#include "ui/layout.h"
#include "ui/std_controls.h"

namespace toridasu::ui {
namespace {

const std::set<std::string_view> kControlKeys = {
    "left",  "top",       "width",       "height",       "visible",    "enabled",
    "color", "font-name", "font-height", "font-charset", "font-color", "font-style"};
const std::set<std::string_view> kFocusKeys = {"tab-order", "tab-stop"};

const std::map<std::string_view, std::set<std::string_view>> kKindKeys = {
    {"form",
     {"class", "caption", "client-width", "client-height", "border-style", "border-icons",
      "position", "scaled", "on-show"}},
    {"label", {"caption"}},
    {"edit", {"text", "read-only"}},
    {"memo", {"line", "read-only", "word-wrap", "scroll-bars"}},
    {"button", {"caption", "on-click"}},
};

// Each key once (lines of a memo excepted), and only keys of the kind.
void CheckKeys(const LayoutComponent& component) {
  const auto& own = kKindKeys.at(component.kind);
  const bool focusable = component.kind != "form" && component.kind != "label";
  std::set<std::string_view> seen;
  for (const LayoutProperty& property : component.properties) {
    const std::string_view key = property.key;
    const bool known =
        own.count(key) || kControlKeys.count(key) || (focusable && kFocusKeys.count(key));
    if (!known || (key != "line" && !seen.insert(key).second)) component.Fail(property.line);
  }
}

template <class T>
T NameValue(const LayoutComponent& component, std::string_view key,
            std::initializer_list<std::pair<std::string_view, T>> values, T otherwise) {
  const LayoutProperty* property = component.Find(key);
  if (property == nullptr) return otherwise;
  const std::string name = component.Name(key, "");
  for (const auto& [text, value] : values) {
    if (text == name) return value;
  }
  component.Fail(property->line);
}

TColor ColourValue(const LayoutComponent& component, std::string_view key, TColor otherwise) {
  return NameValue<TColor>(component, key,
                           {{"clBtnFace", clBtnFace},
                            {"clWindow", clWindow},
                            {"clWindowText", clWindowText},
                            {"clBtnText", clBtnText},
                            {"clBlack", TColor::Rgb(RGB(0, 0, 0))},
                            {"clWhite", TColor::Rgb(RGB(255, 255, 255))}},
                           otherwise);
}

// The font keys change the parent's font; a component that names none
// keeps the parent's.
TFont ReadFont(const LayoutComponent& component, TFont font) {
  font.name = component.Text("font-name", font.name);
  font.height = component.Integer("font-height", font.height);
  font.charset = static_cast<uint8_t>(component.Integer("font-charset", font.charset));
  font.color = ColourValue(component, "font-color", font.color);
  if (const LayoutProperty* styles = component.Find("font-style")) {
    font.styles = 0;
    for (const std::string& name : component.Names("font-style")) {
      if (name == "fsBold")
        font.styles |= 1u << fsBold;
      else if (name == "fsItalic")
        font.styles |= 1u << fsItalic;
      else if (name == "fsUnderline")
        font.styles |= 1u << fsUnderline;
      else if (name == "fsStrikeOut")
        font.styles |= 1u << fsStrikeOut;
      else
        component.Fail(styles->line);
    }
  }
  return font;
}

}  // namespace

void TForm::ReadLayout(const Layout& layout) {
  const LayoutComponent& frame = layout.components.front();
  if (frame.kind != "form") frame.Fail(frame.line);
  ReadFrame(frame);
  for (std::size_t i = 1; i < layout.components.size(); ++i) {
    const LayoutComponent& component = layout.components[i];
    if (FindComponent(component.name) != nullptr || component.name == Name()) {
      component.Fail(component.line);
    }
    if (kKindKeys.count(component.kind) && component.kind != "form") {
      ReadControl(component);
    } else {
      ReadComponent(component);
    }
  }
}

void TForm::ReadFrame(const LayoutComponent& frame) {
  CheckKeys(frame);
  SetName(frame.name);
  className_ = frame.Name("class", className_);
  SetText(frame.Text("caption", Text()));
  left_ = frame.Integer("left", left_);
  top_ = frame.Integer("top", top_);
  SetClientSize(frame.Integer("client-width", clientWidth_),
                frame.Integer("client-height", clientHeight_));
  borderStyle_ = NameValue<TBorderStyle>(frame, "border-style",
                                         {{"bsNone", bsNone},
                                          {"bsSingle", bsSingle},
                                          {"bsSizeable", bsSizeable},
                                          {"bsDialog", bsDialog}},
                                         borderStyle_);
  if (const LayoutProperty* icons = frame.Find("border-icons")) {
    borderIcons_ = 0;
    for (const std::string& name : frame.Names("border-icons")) {
      if (name == "biSystemMenu")
        borderIcons_ |= BorderIconBit(biSystemMenu);
      else if (name == "biMinimize")
        borderIcons_ |= BorderIconBit(biMinimize);
      else if (name == "biMaximize")
        borderIcons_ |= BorderIconBit(biMaximize);
      else if (name == "biHelp")
        borderIcons_ |= BorderIconBit(biHelp);
      else
        frame.Fail(icons->line);
    }
  }
  position_ = NameValue<TPosition>(frame, "position",
                                   {{"poDesigned", poDesigned}, {"poScreenCenter", poScreenCenter}},
                                   position_);
  // The layout is in fixed pixels; scaling to the screen is not offered.
  if (frame.Flag("scaled", false)) frame.Fail(frame.Find("scaled")->line);
  SetColor(ColourValue(frame, "color", Color()));
  SetFont(ReadFont(frame, Font()));
  if (frame.Has("on-show")) SetOnShow(FindHandler(frame.Name("on-show", "")));
}

void TForm::ReadControl(const LayoutComponent& component) {
  CheckKeys(component);
  TWinControl* control = nullptr;
  if (component.kind == "label") {
    auto* label = new TLabel(this);
    label->SetText(component.Text("caption", ""));
    label->SetColor(Color());
    control = label;
  } else if (component.kind == "edit" || component.kind == "memo") {
    TEdit* edit = nullptr;
    if (component.kind == "memo") {
      auto* memo = new TMemo(this);
      memo->SetLines(component.Texts("line"));
      memo->SetWordWrap(component.Flag("word-wrap", true));
      memo->SetScrollBars(NameValue<TScrollStyle>(component, "scroll-bars",
                                                  {{"ssNone", ssNone},
                                                   {"ssHorizontal", ssHorizontal},
                                                   {"ssVertical", ssVertical},
                                                   {"ssBoth", ssBoth}},
                                                  ssNone));
      edit = memo;
    } else {
      edit = new TEdit(this);
      edit->SetText(component.Text("text", ""));
    }
    edit->SetReadOnly(component.Flag("read-only", false));
    control = edit;
  } else {
    auto* button = new TButton(this);
    button->SetText(component.Text("caption", ""));
    if (component.Has("on-click")) button->SetOnClick(FindHandler(component.Name("on-click", "")));
    control = button;
  }
  control->SetName(component.name);
  control->SetParent(this);
  control->SetBounds(component.Integer("left", 0), component.Integer("top", 0),
                     component.Integer("width", 0), component.Integer("height", 0));
  control->SetFont(ReadFont(component, Font()));
  control->SetColor(ColourValue(component, "color", control->Color()));
  control->SetVisible(component.Flag("visible", true));
  control->SetEnabled(component.Flag("enabled", true));
  if (control->TakesFocus()) {
    control->SetTabOrder(component.Integer("tab-order", static_cast<int>(Controls().size())));
    control->SetTabStop(component.Flag("tab-stop", control->TabStop()));
  }
}

TForm::EventHandler TForm::FindHandler(std::string_view name) { MissingComponent(name); }

void TForm::ReadComponent(const LayoutComponent& component) { component.Fail(component.line); }

void TForm::MissingComponent(std::string_view name) const {
  std::string text = LoadResString(text_id::kResNotFound);
  if (auto at = text.find("%s"); at != std::string::npos) text.replace(at, 2, name);
  throw EResNotFound(text);
}

}  // namespace toridasu::ui

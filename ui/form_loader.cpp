// Building a form from its layout: the frame's properties, then each
// component in creation order.
#include "ui/form_loader.h"

#include <initializer_list>
#include <map>
#include <set>

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

// A friend of the form: the layout sets what the form keeps to itself (its
// position before it has a window, the handlers and components it names).
class FormLoader {
 public:
  static void Read(TForm& form, const Layout& layout);

 private:
  static void ReadFrame(TForm& form, const LayoutComponent& frame);
  static void ReadControl(TForm& form, const LayoutComponent& component);
};

void ReadFormLayout(TForm& form, const Layout& layout) { FormLoader::Read(form, layout); }

void FormLoader::Read(TForm& form, const Layout& layout) {
  const LayoutComponent& frame = layout.components.front();
  if (frame.kind != "form") frame.Fail(frame.line);
  ReadFrame(form, frame);
  for (std::size_t i = 1; i < layout.components.size(); ++i) {
    const LayoutComponent& component = layout.components[i];
    if (form.FindComponent(component.name) != nullptr || component.name == form.Name()) {
      component.Fail(component.line);
    }
    if (kKindKeys.count(component.kind) && component.kind != "form") {
      ReadControl(form, component);
    } else {
      form.ReadComponent(component);
    }
  }
}

void FormLoader::ReadFrame(TForm& form, const LayoutComponent& frame) {
  CheckKeys(frame);
  form.SetName(frame.name);
  form.className_ = frame.Name("class", form.className_);
  form.SetText(frame.Text("caption", form.Text()));
  form.left_ = frame.Integer("left", form.left_);
  form.top_ = frame.Integer("top", form.top_);
  form.SetClientSize(frame.Integer("client-width", form.clientWidth_),
                     frame.Integer("client-height", form.clientHeight_));
  form.borderStyle_ = NameValue<TBorderStyle>(frame, "border-style",
                                              {{"bsNone", bsNone},
                                               {"bsSingle", bsSingle},
                                               {"bsSizeable", bsSizeable},
                                               {"bsDialog", bsDialog}},
                                              form.borderStyle_);
  if (const LayoutProperty* icons = frame.Find("border-icons")) {
    form.borderIcons_ = 0;
    for (const std::string& name : frame.Names("border-icons")) {
      if (name == "biSystemMenu")
        form.borderIcons_ |= BorderIconBit(biSystemMenu);
      else if (name == "biMinimize")
        form.borderIcons_ |= BorderIconBit(biMinimize);
      else if (name == "biMaximize")
        form.borderIcons_ |= BorderIconBit(biMaximize);
      else if (name == "biHelp")
        form.borderIcons_ |= BorderIconBit(biHelp);
      else
        frame.Fail(icons->line);
    }
  }
  form.position_ = NameValue<TPosition>(
      frame, "position", {{"poDesigned", poDesigned}, {"poScreenCenter", poScreenCenter}},
      form.position_);
  // The layout is in fixed pixels; scaling to the screen is not offered.
  if (frame.Flag("scaled", false)) frame.Fail(frame.Find("scaled")->line);
  form.SetColor(ColourValue(frame, "color", form.Color()));
  form.SetFont(ReadFont(frame, form.Font()));
  if (frame.Has("on-show")) form.SetOnShow(form.FindHandler(frame.Name("on-show", "")));
}

void FormLoader::ReadControl(TForm& form, const LayoutComponent& component) {
  CheckKeys(component);
  TWinControl* control = nullptr;
  if (component.kind == "label") {
    auto* label = new TLabel(&form);
    label->SetText(component.Text("caption", ""));
    label->SetColor(form.Color());
    control = label;
  } else if (component.kind == "edit" || component.kind == "memo") {
    TEdit* edit = nullptr;
    if (component.kind == "memo") {
      auto* memo = new TMemo(&form);
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
      edit = new TEdit(&form);
      edit->SetText(component.Text("text", ""));
    }
    edit->SetReadOnly(component.Flag("read-only", false));
    control = edit;
  } else {
    auto* button = new TButton(&form);
    button->SetText(component.Text("caption", ""));
    if (component.Has("on-click"))
      button->SetOnClick(form.FindHandler(component.Name("on-click", "")));
    control = button;
  }
  control->SetName(component.name);
  control->SetParent(&form);
  control->SetBounds(component.Integer("left", 0), component.Integer("top", 0),
                     component.Integer("width", 0), component.Integer("height", 0));
  control->SetFont(ReadFont(component, form.Font()));
  control->SetColor(ColourValue(component, "color", control->Color()));
  control->SetVisible(component.Flag("visible", true));
  control->SetEnabled(component.Flag("enabled", true));
  if (control->TakesFocus()) {
    control->SetTabOrder(component.Integer("tab-order", static_cast<int>(form.Controls().size())));
    control->SetTabStop(component.Flag("tab-stop", control->TabStop()));
  }
}

}  // namespace toridasu::ui

#include "ui/main_form.h"

#include "ui/file_chooser.h"
#include "ui/form_loader.h"
#include "ui/layout.h"
#include "ui/shell.h"
#include "ui/window_actions.h"

namespace toridasu::ui {

TForm1* Form1 = nullptr;

namespace {

constexpr char kLayoutResource[] = "TFORM1";

TOpenOptions ReadOptions(const LayoutComponent& component) {
  static constexpr std::pair<std::string_view, TOpenOption> kNames[] = {
      {"ofReadOnly", ofReadOnly},
      {"ofOverwritePrompt", ofOverwritePrompt},
      {"ofHideReadOnly", ofHideReadOnly},
      {"ofNoChangeDir", ofNoChangeDir},
      {"ofShowHelp", ofShowHelp},
      {"ofNoValidate", ofNoValidate},
      {"ofAllowMultiSelect", ofAllowMultiSelect},
      {"ofExtensionDifferent", ofExtensionDifferent},
      {"ofPathMustExist", ofPathMustExist},
      {"ofFileMustExist", ofFileMustExist},
      {"ofCreatePrompt", ofCreatePrompt},
      {"ofShareAware", ofShareAware},
      {"ofNoReadOnlyReturn", ofNoReadOnlyReturn},
      {"ofNoTestFileCreate", ofNoTestFileCreate},
      {"ofNoNetworkButton", ofNoNetworkButton},
      {"ofNoLongNames", ofNoLongNames},
      {"ofOldStyleDialog", ofOldStyleDialog},
      {"ofNoDereferenceLinks", ofNoDereferenceLinks},
      {"ofEnableIncludeNotify", ofEnableIncludeNotify},
      {"ofEnableSizing", ofEnableSizing},
  };
  TOpenOptions options;
  for (const std::string& name : component.Names("options")) {
    bool known = false;
    for (const auto& [text, option] : kNames) {
      if (text == name) {
        options.Include(option);
        known = true;
      }
    }
    if (!known) component.Fail(component.Find("options")->line);
  }
  return options;
}

void ReadChooser(const LayoutComponent& component, TOpenDialog& chooser) {
  for (const LayoutProperty& property : component.properties) {
    const std::string& key = property.key;
    if (key != "default-ext" && key != "filter" && key != "filter-index" && key != "options" &&
        key != "title") {
      component.Fail(property.line);
    }
  }
  chooser.SetDefaultExt(component.Text("default-ext", chooser.DefaultExt()));
  chooser.SetFilter(component.Text("filter", chooser.Filter()));
  chooser.SetFilterIndex(component.Integer("filter-index", chooser.FilterIndex()));
  if (component.Has("options")) chooser.SetOptions(ReadOptions(component));
  chooser.SetTitle(component.Text("title", chooser.Title()));
}

}  // namespace

TForm1::TForm1(TComponent* owner) : TForm(owner) {
  ReadFormLayout(*this, LoadLayout(CurrentShell().ResourceModule(), kLayoutResource));
  Edit1 = Bind<TEdit>("Edit1");
  Label1 = Bind<TLabel>("Label1");
  Memo1 = Bind<TMemo>("Memo1");
  Button1 = Bind<TButton>("Button1");
  Button2 = Bind<TButton>("Button2");
  Edit2 = Bind<TEdit>("Edit2");
  Button3 = Bind<TButton>("Button3");
  Button4 = Bind<TButton>("Button4");
  Label2 = Bind<TLabel>("Label2");
  Label3 = Bind<TLabel>("Label3");
  if (openDialog_ == nullptr) MissingComponent("OpenDialog1");
  if (saveDialog_ == nullptr) MissingComponent("SaveDialog1");
  OpenDialog1 = openDialog_.get();
  SaveDialog1 = saveDialog_.get();
}

TForm1::~TForm1() {
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::ReadComponent(const LayoutComponent& component) {
  if (component.kind == "open-dialog" && component.name == "OpenDialog1" && !openDialog_) {
    openDialog_ = std::make_unique<TOpenDialog>();
    ReadChooser(component, *openDialog_);
  } else if (component.kind == "save-dialog" && component.name == "SaveDialog1" && !saveDialog_) {
    saveDialog_ = std::make_unique<TSaveDialog>();
    ReadChooser(component, *saveDialog_);
  } else {
    TForm::ReadComponent(component);
  }
}

TForm::EventHandler TForm1::FindHandler(std::string_view name) {
  if (name == "FormShow") return [this] { FormShow(); };
  if (name == "Button4Click") return [this] { Button4Click(); };
  if (name == "Button1Click") return [this] { Button1Click(); };
  if (name == "Button3Click") return [this] { Button3Click(); };
  if (name == "Button2Click") return [this] { Button2Click(); };
  return TForm::FindHandler(name);
}

void TForm1::FormShow() { ui::FormShow(*this); }
void TForm1::Button4Click() { Close(); }
void TForm1::Button1Click() { ui::Button1Click(*this); }
void TForm1::Button3Click() { ui::Button3Click(*this); }
void TForm1::Button2Click() { ui::Button2Click(*this); }

const ConversionContext& TForm1::Conversion() { return CurrentShell().Conversion(); }

TEdit* TForm1::Field(FieldId field) const { return field == FieldId::kSource ? Edit1 : Edit2; }

std::string TForm1::FieldText(FieldId field) { return Field(field)->Text(); }

void TForm1::SetFieldText(FieldId field, const std::string& text) { Field(field)->SetText(text); }

void TForm1::FocusField(FieldId field) { Field(field)->SetFocus(); }

TOpenDialog& TForm1::SourceChooser() { return *openDialog_; }
TOpenDialog& TForm1::DestinationChooser() { return *saveDialog_; }

}  // namespace toridasu::ui

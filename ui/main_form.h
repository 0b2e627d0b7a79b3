// The program's one window of its own, Form1 of class TForm1: two file-name
// fields, a browse button beside each, a convert button, an exit button and
// a read-only note. Its frame and components come from the layout resource
// TFORM1 of the resource module; what the buttons do is window_actions.h.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "ui/actions_host.h"
#include "ui/form.h"
#include "ui/std_controls.h"

namespace toridasu::ui {

class TOpenDialog;
class TSaveDialog;

class TForm1 : public TForm, public ActionsHost {
 public:
  // Builds the window's objects from the layout; the platform window is made
  // later (HandleNeeded, or CreateMainWindow).
  explicit TForm1(TComponent* owner);
  ~TForm1() override;

  // The components, in the order the class declares them.
  TEdit* Edit1 = nullptr;
  TLabel* Label1 = nullptr;
  TMemo* Memo1 = nullptr;
  TButton* Button1 = nullptr;
  TButton* Button2 = nullptr;
  TEdit* Edit2 = nullptr;
  TButton* Button3 = nullptr;
  TButton* Button4 = nullptr;
  TOpenDialog* OpenDialog1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TSaveDialog* SaveDialog1 = nullptr;

  // The handlers the layout binds by name.
  void FormShow();
  void Button4Click();
  void Button1Click();
  void Button3Click();
  void Button2Click();

  // What the window actions use.
  std::string FieldText(FieldId field) override;
  void SetFieldText(FieldId field, const std::string& text) override;
  void FocusField(FieldId field) override;
  TOpenDialog& SourceChooser() override;
  TOpenDialog& DestinationChooser() override;
  void Close() override { TForm::Close(); }
  const ConversionContext& Conversion() override;

 protected:
  EventHandler FindHandler(std::string_view name) override;
  // The two file choosers.
  void ReadComponent(const LayoutComponent& component) override;

 private:
  TEdit* Field(FieldId field) const;

  std::unique_ptr<TOpenDialog> openDialog_;
  std::unique_ptr<TSaveDialog> saveDialog_;
};

// The main window; set by CreateMainWindow before the window is constructed.
extern TForm1* Form1;

}  // namespace toridasu::ui

// What the window actions need of the main window.
#pragma once
#include <cstdint>
#include <string>

#include "engine/conversion_context.h"
#include "ui/message_box_layout.h"

namespace toridasu::ui {
class TOpenDialog;

// How the actions speak to the user: the platform's beep and the program's
// own message box (PlatformFeedback), or a recorder that a test passes in.
struct ActionFeedback {
  void (*beep)(uint32_t type);
  int (*showMessage)(const std::string& text, MessageBoxKind kind, MessageBoxButtons buttons,
                     int32_t helpContext);
};
const ActionFeedback& PlatformFeedback();

enum class FieldId { kSource, kDestination };  // Edit1, Edit2
class ActionsHost {
 public:
  virtual ~ActionsHost() = default;
  virtual std::string FieldText(FieldId field) = 0;  // GetWindowTextA bytes
  virtual void SetFieldText(FieldId field, const std::string& text) = 0;
  virtual void FocusField(FieldId field) = 0;     // focus moves; whole text selected
  virtual TOpenDialog& SourceChooser() = 0;       // OpenDialog1
  virtual TOpenDialog& DestinationChooser() = 0;  // SaveDialog1 (a TSaveDialog is a TOpenDialog)
  virtual void Close() = 0;                       // close request to the main window
  virtual const ConversionContext& Conversion() = 0;  // what a conversion runs with
  virtual const ActionFeedback& Feedback() { return PlatformFeedback(); }
};
}  // namespace toridasu::ui

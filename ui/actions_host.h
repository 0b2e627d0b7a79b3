// What the window actions need of the main window.
#pragma once
#include <string>

#include "engine/conversion_context.h"

namespace toridasu::ui {
class TOpenDialog;
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
};
}  // namespace toridasu::ui

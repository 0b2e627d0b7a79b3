// What the main window's buttons and show event do.
#pragma once

#include <cstdint>
#include <string>

#include "ui/message_box_layout.h"

namespace toridasu::ui {

class ActionsHost;

void FormShow(ActionsHost& host);      // the window was shown: nothing to do
void Button1Click(ActionsHost& host);  // browse for the source drawing
void Button2Click(ActionsHost& host);  // convert
void Button3Click(ActionsHost& host);  // browse for the destination
void Button4Click(ActionsHost& host);  // leave the program

// How the actions speak to the user: the platform's beep and the program's
// own message box.
struct ActionFeedback {
  void (*beep)(uint32_t type);
  int (*showMessage)(const std::string& text, MessageBoxKind kind, MessageBoxButtons buttons,
                     int32_t helpContext);
};
// Tests record what the actions say; nullptr puts back MessageBeep and
// ShowMessageBox.
void SetActionFeedbackForTesting(const ActionFeedback* feedback);

}  // namespace toridasu::ui

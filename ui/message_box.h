// The program's own message box: a modal window of class TMessageForm
// (message_box_form.h), built afresh for every message from the system's
// message font and laid out as message_box_layout.h computes it, shown until
// the user answers and then destroyed. It makes no sound; callers beep when
// they want one.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "ui/message_box_form.h"
#include "ui/message_box_layout.h"

namespace toridasu::ui {

// Shows `text` in a box of `kind` with `buttons`, centred; answers the result.
int ShowMessageBox(const std::string& text, MessageBoxKind kind, MessageBoxButtons buttons,
                   int32_t helpContext);
// The same at (x, y) when either is not negative, with a help file for the
// Help button.
int ShowMessageBoxAt(const std::string& text, MessageBoxKind kind, MessageBoxButtons buttons,
                     int32_t helpContext, int x, int y, const std::string& helpFile);
// A new, laid-out box that is not shown yet.
std::unique_ptr<TMessageForm> BuildMessageBox(const std::string& text, MessageBoxKind kind,
                                              MessageBoxButtons buttons);
// Average width of the 52 Latin letters and the character height of the
// surface's current font.
CharSize AverageCharSize(HDC surface);

// Each button's measured caption width plus padding, filled the first time a
// box with that button is built and kept for the rest of the run. Exposed so
// that tests can see and reset it.
std::array<int, kButtonCount>& ButtonWidthCache();

}  // namespace toridasu::ui

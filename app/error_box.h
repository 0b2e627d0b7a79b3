// How an error that escapes a message handler reaches the user: it is shown
// in the application's error box and forgotten, and the program goes on.
#pragma once

#include "base/errors.h"

namespace toridasu::app {

// Called inside the catch block of every place that handles messages (window
// procedures, ApplicationWindow, IdleStep, show/hide and create/destroy
// handlers, the closing of a modal form, the file choosers): releases a mouse
// capture, then shows the error being handled (std::current_exception) unless
// it is an EAbort. The message then counts as handled. Never throws.
void ReportHandlerError(const void* sender) noexcept;

// The application's error box: the message with its final "." through
// ApplicationMessageBox, captioned ApplicationTitle, MB_OK | MB_ICONSTOP.
void ShowErrorBox(const Exception& error);

// The optional application-wide handler that takes the place of the error
// box. The program sets none; nullptr removes it.
using ApplicationErrorHandler = void (*)(void* context, const void* sender, const Exception& error);
void SetApplicationErrorHandler(ApplicationErrorHandler handler, void* context);

}  // namespace toridasu::app

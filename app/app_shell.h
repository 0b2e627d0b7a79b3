// The shell as the user interface sees it (ui/shell.h), backed by the
// application object.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace toridasu::app {

// Installs the application's shell for the user interface, and the
// application as the forms' host.
void InstallShell();

// The application's modal platform message box, owned by ApplicationWindow,
// with every other window of the program disabled while it is open; it
// opens on the monitor of the window that was active.
int ApplicationMessageBox(const std::string& text, const std::string& caption, UINT flags);

// Disables every visible, enabled top-level window of the thread except
// `keep` and returns them; EnableTaskWindows re-enables those that still
// exist.
std::vector<HWND> DisableTaskWindows(HWND keep);
void EnableTaskWindows(const std::vector<HWND>& windows);

}  // namespace toridasu::app

#include "ui/file_chooser.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "base/fpu_control.h"
#include "files/file_names.h"
#include "ui/shell.h"

namespace toridasu::ui {

namespace {

constexpr std::array<DWORD, 20> kOptionFlags = {
    OFN_READONLY,         OFN_OVERWRITEPROMPT,    OFN_HIDEREADONLY,        OFN_NOCHANGEDIR,
    OFN_SHOWHELP,         OFN_NOVALIDATE,         OFN_ALLOWMULTISELECT,    OFN_EXTENSIONDIFFERENT,
    OFN_PATHMUSTEXIST,    OFN_FILEMUSTEXIST,      OFN_CREATEPROMPT,        OFN_SHAREAWARE,
    OFN_NOREADONLYRETURN, OFN_NOTESTFILECREATE,   OFN_NONETWORKBUTTON,     OFN_NOLONGNAMES,
    OFN_EXPLORER,         OFN_NODEREFERENCELINKS, OFN_ENABLEINCLUDENOTIFY, OFN_ENABLESIZING,
};

constexpr DWORD kSingleNameBufferSize = 260;
constexpr DWORD kMultiNameBufferSize = 65519;
// Room CDM_GETFILEPATH gets for the path the open chooser holds.
constexpr WPARAM kCurrentPathBufferSize = 261;

// The chooser whose platform dialog is running. One thread runs the choosers
// and the hooks; the hooks find their component here.
TOpenDialog* runningChooser = nullptr;

// Platforms of version 4 and later have the explorer-style dialog.
bool PlatformHasExplorerStyle() { return LOBYTE(LOWORD(GetVersion())) >= 4; }

// The filter as the platform wants it: description and pattern separated by
// zeros, ended by two zeros. A 0x7C that is the second byte of a double-byte
// character (ポ is 83 7C) is part of that character, not a separator.
std::string FilterRequestText(const std::string& filter) {
  if (filter.empty()) return std::string();
  std::string text = filter + '\0';
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '|' && ByteKindAt(text, i + 1) == ByteKind::SingleByte) text[i] = '\0';
  }
  return text;
}

// The extension of `name` without its full stop; empty when it has none.
std::string ExtensionWithoutStop(const std::string& name) {
  const std::size_t k = FindLastDelimiter(".\\:", name);
  if (k == 0 || name[k - 1] != '.') return std::string();
  return name.substr(k);
}

bool EndsWithBackslash(const std::string& path) {
  return !path.empty() && path.back() == '\\' &&
         ByteKindAt(path, path.size()) == ByteKind::SingleByte;
}

// The names in the returned buffer: one full path, or (a multiple selection
// in the explorer style) the folder followed by the names in it.
std::vector<std::string> ChosenNames(const std::vector<char>& buffer, bool multiple) {
  std::vector<std::string> parts;
  const char* at = buffer.data();
  const char* end = buffer.data() + buffer.size();
  do {
    const char* stop = std::find(at, end, '\0');
    parts.emplace_back(at, stop);
    at = stop + 1;
  } while (multiple && at < end && *at != '\0');
  if (parts.size() == 1) return parts;
  std::string folder = parts.front();
  if (!EndsWithBackslash(folder)) folder += '\\';
  std::vector<std::string> names;
  for (std::size_t i = 1; i < parts.size(); ++i) names.push_back(folder + parts[i]);
  return names;
}

void PlaceChooser(HWND chooser) {
  RECT bounds;
  if (!GetWindowRect(chooser, &bounds)) return;
  const HWND mainForm = CurrentShell().MainFormWindow();
  const HMONITOR monitor = mainForm != nullptr
                               ? MonitorFromWindow(mainForm, MONITOR_DEFAULTTONEAREST)
                               : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(monitor, &info)) return;
  const RECT& m = info.rcMonitor;
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  const int left = m.left + (m.right - m.left - width) / 2;
  const int top = m.top + (m.bottom - m.top - height) / 3;
  SetWindowPos(chooser, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

// The hook procedures and the component's handling of the hook window.
struct ChooserHooks {
  static UINT_PTR CALLBACK Explorer(HWND window, UINT message, WPARAM, LPARAM) {
    TOpenDialog* chooser = runningChooser;
    if (message != WM_INITDIALOG || chooser == nullptr) return 0;
    try {
      chooser->hookWindow_ = window;
      chooser->previousHookProc_ = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookWindowProc)));
      // The component's own handling of the initialisation has nothing to do
      // in the explorer style: placement waits for CDN_INITDONE.
    } catch (...) {
      CurrentShell().ReportHandlerError(chooser);
    }
    return 0;
  }

  static UINT_PTR CALLBACK OldStyle(HWND window, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) return 0;
    try {
      PlaceChooser(window);
    } catch (...) {
      CurrentShell().ReportHandlerError(runningChooser);
    }
    return 0;
  }

  static LRESULT CALLBACK HookWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TOpenDialog* chooser = runningChooser;
    if (chooser == nullptr || chooser->hookWindow_ != window) {
      return DefWindowProcA(window, message, wParam, lParam);
    }
    const WNDPROC previous = chooser->previousHookProc_;
    try {
      if (message == WM_NOTIFY) {
        HandleNotification(*chooser, window, reinterpret_cast<const OFNOTIFYA*>(lParam));
      } else if (message == WM_DESTROY) {
        // From here on FileName is the stored name again.
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        chooser->hookWindow_ = nullptr;
        chooser->previousHookProc_ = nullptr;
      }
    } catch (...) {
      CurrentShell().ReportHandlerError(chooser);
    }
    return CallWindowProcA(previous, window, message, wParam, lParam);
  }

  static void HandleNotification(TOpenDialog& chooser, HWND window, const OFNOTIFYA* notice) {
    switch (notice->hdr.code) {
      case CDN_INITDONE: PlaceChooser(GetParent(window)); break;
      case CDN_TYPECHANGE:
        chooser.currentFilterIndex_ = static_cast<int32_t>(notice->lpOFN->nFilterIndex);
        break;
      default:
        // Selection and folder changes and accepted files have no handlers
        // in this program; a file the platform accepts stays accepted.
        break;
    }
  }

  // Help requests of the chooser reach ApplicationWindow as "commdlg_help".
  // The program has no help viewer and its choosers have help context 0, so
  // the request is answered with nothing.
  static bool HelpRequest(void*, UINT message, WPARAM, LPARAM, LRESULT* result) {
    static const UINT helpMessage = RegisterWindowMessageA(HELPMSGSTRINGA);
    if (message != helpMessage) return false;
    *result = 0;
    return true;
  }
};

DWORD FlagOf(TOpenOption option) { return kOptionFlags[option]; }

TOpenDialog::TOpenDialog(FileDialogFunction run) : run_(run) {}

TOpenDialog::~TOpenDialog() = default;

void TOpenDialog::SetInitialDir(const std::string& folder) {
  const std::size_t length = folder.size();
  if (length > 1 && EndsWithBackslash(folder) &&
      !(folder[length - 2] == ':' && ByteKindAt(folder, length - 1) == ByteKind::SingleByte)) {
    initialDir_ = folder.substr(0, length - 1);
  } else {
    initialDir_ = folder;
  }
}

std::string TOpenDialog::FileName() const {
  if (hookWindow_ == nullptr) return fileName_;
  char path[kCurrentPathBufferSize] = {};
  SendMessageA(GetParent(hookWindow_), CDM_GETFILEPATH, kCurrentPathBufferSize,
               reinterpret_cast<LPARAM>(path));
  return path;
}

bool TOpenDialog::Execute() {
  Shell& shell = CurrentShell();
  files_.clear();

  OPENFILENAMEA request;
  std::memset(&request, 0, sizeof request);
  request.lStructSize = kOpenFileNameRequestSize;
  request.hwndOwner = shell.ApplicationWindow();
  request.hInstance = shell.Instance();

  const std::string filterText = FilterRequestText(filter_);
  request.lpstrFilter = filterText.c_str();
  request.nFilterIndex = static_cast<DWORD>(filterIndex_);
  currentFilterIndex_ = filterIndex_;

  const DWORD nameSize =
      options_.Has(ofAllowMultiSelect) ? kMultiNameBufferSize : kSingleNameBufferSize;
  std::vector<char> names(nameSize + 2, '\0');
  std::memcpy(names.data(), fileName_.data(), std::min<std::size_t>(fileName_.size(), nameSize));
  request.lpstrFile = names.data();
  request.nMaxFile = nameSize;
  request.lpstrInitialDir = initialDir_.c_str();
  request.lpstrTitle = title_.c_str();

  DWORD flags = OFN_ENABLEHOOK;
  for (std::size_t bit = 0; bit < kOptionFlags.size(); ++bit) {
    if (options_.Has(static_cast<TOpenOption>(bit))) flags |= kOptionFlags[bit];
  }
  // The option asks for the old style; on platforms of version 4 and later
  // the explorer style is the default that it switches off.
  if (PlatformHasExplorerStyle()) {
    flags ^= OFN_EXPLORER;
  } else {
    flags &= ~static_cast<DWORD>(OFN_EXPLORER);
  }
  request.Flags = flags;
  const bool explorer = (flags & OFN_EXPLORER) != 0;

  const std::string defaultExt =
      defaultExt_.empty() && !explorer ? ExtensionWithoutStop(fileName_) : defaultExt_;
  request.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
  request.lpfnHook = explorer ? &ChooserHooks::Explorer : &ChooserHooks::OldStyle;

  BOOL confirmed = FALSE;
  {
    // Whatever happens during the run, the windows come back as they were.
    struct RunScope {
      Shell& shell;
      TOpenDialog* owner;
      TOpenDialog* previousChooser;
      HWND active;
      std::vector<HWND> disabled;
      ~RunScope() {
        runningChooser = previousChooser;
        shell.RemoveWindowHook(&ChooserHooks::HelpRequest, owner);
        shell.EnableTaskWindows(disabled);
        if (active != nullptr) SetActiveWindow(active);
      }
    } scope{shell, this, runningChooser, GetActiveWindow(), {}};
    scope.disabled = shell.DisableTaskWindows(nullptr);
    shell.AddWindowHook(&ChooserHooks::HelpRequest, this);
    runningChooser = this;
    confirmed = run_(&request);
    ResetFloatingPointControl();  // the dialog code may have changed it
  }
  if (!confirmed) return false;

  files_ = ChosenNames(names, options_.Has(ofAllowMultiSelect));
  fileName_ = files_.front();
  if (request.Flags & OFN_EXTENSIONDIFFERENT) {
    options_.Include(ofExtensionDifferent);
  } else {
    options_.Exclude(ofExtensionDifferent);
  }
  if (request.Flags & OFN_READONLY) {
    options_.Include(ofReadOnly);
  } else {
    options_.Exclude(ofReadOnly);
  }
  filterIndex_ = static_cast<int32_t>(request.nFilterIndex);
  return true;
}

}  // namespace toridasu::ui

// The two file choosers of the main window: components that wrap the
// platform's common file dialogs (GetOpenFileNameA, GetSaveFileNameA).
#pragma once

#include <windows.h>
// After windows.h, whose types it uses.
#include <commdlg.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace toridasu::ui {

// Options of a chooser; the value is the option's bit in TOpenOptions.
enum TOpenOption : uint8_t {
  ofReadOnly,
  ofOverwritePrompt,
  ofHideReadOnly,
  ofNoChangeDir,
  ofShowHelp,
  ofNoValidate,
  ofAllowMultiSelect,
  ofExtensionDifferent,
  ofPathMustExist,
  ofFileMustExist,
  ofCreatePrompt,
  ofShareAware,
  ofNoReadOnlyReturn,
  ofNoTestFileCreate,
  ofNoNetworkButton,
  ofNoLongNames,
  ofOldStyleDialog,
  ofNoDereferenceLinks,
  ofEnableIncludeNotify,
  ofEnableSizing,
};

// A set of TOpenOption (bits 0 to 19).
class TOpenOptions {
 public:
  constexpr TOpenOptions() = default;
  constexpr TOpenOptions(std::initializer_list<TOpenOption> options) {
    for (TOpenOption option : options) Include(option);
  }
  constexpr bool Has(TOpenOption option) const { return (bits_ >> option) & 1u; }
  constexpr void Include(TOpenOption option) { bits_ |= 1u << option; }
  constexpr void Exclude(TOpenOption option) { bits_ &= ~(1u << option); }
  constexpr uint32_t Bits() const { return bits_; }
  friend constexpr bool operator==(TOpenOptions, TOpenOptions) = default;

 private:
  uint32_t bits_ = 0;
};

// The platform flag that each option adds to the request.
DWORD FlagOf(TOpenOption option);

// The platform call that runs a chooser: GetOpenFileNameA or
// GetSaveFileNameA, or a recorder that a test passes in.
using FileDialogFunction = BOOL(WINAPI*)(LPOPENFILENAMEA);

class TOpenDialog {
 public:
  explicit TOpenDialog(FileDialogFunction run = &GetOpenFileNameA);
  virtual ~TOpenDialog();
  TOpenDialog(const TOpenDialog&) = delete;
  TOpenDialog& operator=(const TOpenDialog&) = delete;

  const std::string& DefaultExt() const { return defaultExt_; }
  void SetDefaultExt(std::string extension) { defaultExt_ = std::move(extension); }
  const std::string& Filter() const { return filter_; }
  void SetFilter(std::string filter) { filter_ = std::move(filter); }
  int32_t FilterIndex() const { return filterIndex_; }
  void SetFilterIndex(int32_t index) { filterIndex_ = index; }
  TOpenOptions Options() const { return options_; }
  void SetOptions(TOpenOptions options) { options_ = options; }
  const std::string& InitialDir() const { return initialDir_; }
  // Stores the folder without one trailing backslash (C:\dwg\ -> C:\dwg),
  // keeping the root of a drive (C:\) and a lone backslash whole.
  void SetInitialDir(const std::string& folder);
  const std::string& Title() const { return title_; }
  void SetTitle(std::string title) { title_ = std::move(title); }
  int32_t HelpContext() const { return helpContext_; }
  void SetHelpContext(int32_t context) { helpContext_ = context; }

  // The stored name: before a run the initial name, after a confirmed run the
  // chosen full path. While an explorer-style chooser is open, the path that
  // the open chooser currently holds.
  std::string FileName() const;
  void SetFileName(std::string name) { fileName_ = std::move(name); }
  // The names chosen by the last confirmed run.
  const std::vector<std::string>& Files() const { return files_; }
  // The filter that the user has selected while the chooser is open.
  int32_t CurrentFilterIndex() const { return currentFilterIndex_; }

  // Runs the chooser modally; true when the user confirmed a choice, false
  // on cancel or when the platform call failed (nothing is changed then).
  virtual bool Execute();

 private:
  friend struct ChooserHooks;

  FileDialogFunction run_;
  std::string defaultExt_;
  std::string filter_;
  int32_t filterIndex_ = 1;
  TOpenOptions options_{ofHideReadOnly, ofEnableSizing};
  std::string fileName_;
  std::string initialDir_;
  std::string title_;
  int32_t helpContext_ = 0;
  std::vector<std::string> files_;
  int32_t currentFilterIndex_ = 1;

  // The explorer chooser's hook window while it exists, and the window
  // procedure it had before the component took its messages over.
  HWND hookWindow_ = nullptr;
  WNDPROC previousHookProc_ = nullptr;
};

// The same chooser asking for a name to save under.
class TSaveDialog : public TOpenDialog {
 public:
  explicit TSaveDialog(FileDialogFunction run = &GetSaveFileNameA) : TOpenDialog(run) {}
};

// The size of the request passed to the platform: the structure as it was
// before the fields added for later platforms.
constexpr DWORD kOpenFileNameRequestSize = 76;

}  // namespace toridasu::ui

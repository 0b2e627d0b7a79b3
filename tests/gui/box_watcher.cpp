#include "box_watcher.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace toridasu::test {
namespace {

constexpr int kBoxTextId = 0xFFFF;  // the static control that holds a box's message

struct Walk {
  DWORD process;
  std::vector<HWND> boxes;
};

BOOL CALLBACK CollectBoxes(HWND window, LPARAM data) {
  auto* walk = reinterpret_cast<Walk*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (process == walk->process && std::strcmp(className, "#32770") == 0 &&
      IsWindowVisible(window)) {
    walk->boxes.push_back(window);
  }
  return TRUE;
}

std::string TextOf(HWND window) {
  char buffer[4096] = {};
  const int length = GetWindowTextA(window, buffer, sizeof buffer);
  return std::string(buffer, length > 0 ? length : 0);
}

std::string MessageOf(HWND box) {
  char buffer[4096] = {};
  const UINT length = GetDlgItemTextA(box, kBoxTextId, buffer, sizeof buffer);
  return std::string(buffer, length);
}

}  // namespace

BoxWatcher::BoxWatcher(HWND watched, std::function<void(const SeenBox&)> onBox)
    : watched_(watched), onBox_(std::move(onBox)), thread_([this] { Watch(); }) {}

BoxWatcher::~BoxWatcher() { Stop(); }

std::vector<SeenBox> BoxWatcher::Boxes() {
  std::lock_guard<std::mutex> lock(mutex_);
  return boxes_;
}

std::vector<SeenBox> BoxWatcher::Stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  return Boxes();
}

void BoxWatcher::Watch() {
  while (!stop_) {
    // A closed box's handle may come back for a new one.
    closed_.erase(
        std::remove_if(closed_.begin(), closed_.end(), [](HWND w) { return !IsWindow(w); }),
        closed_.end());
    Walk walk{GetCurrentProcessId(), {}};
    EnumWindows(&CollectBoxes, reinterpret_cast<LPARAM>(&walk));
    for (HWND box : walk.boxes) {
      if (std::find(closed_.begin(), closed_.end(), box) != closed_.end()) continue;
      SeenBox seen;
      seen.text = MessageOf(box);
      seen.caption = TextOf(box);
      seen.owner = GetWindow(box, GW_OWNER);
      for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
        HWND button = GetDlgItem(box, id);
        if (button != nullptr && IsWindowVisible(button)) seen.visibleButtons.push_back(id);
      }
      seen.watchedWindowEnabled = watched_ == nullptr || IsWindowEnabled(watched_);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        boxes_.push_back(seen);
      }
      if (onBox_) onBox_(seen);
      closed_.push_back(box);
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    Sleep(20);
  }
}

}  // namespace toridasu::test

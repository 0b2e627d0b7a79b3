// Watches, on a thread of its own, for the platform message boxes of this
// process, reads each one back and closes it with its OK button, so that a
// test that makes the program show a box neither hangs nor guesses.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace toridasu::test {

struct SeenBox {
  std::string text;     // the message, bytes as the box holds them
  std::string caption;  // bytes
  HWND owner = nullptr;
  std::vector<int> visibleButtons;  // control ids
  // Whether the window given to the watcher was enabled while the box was up.
  bool watchedWindowEnabled = true;
};

class BoxWatcher {
 public:
  // `watched`: a window whose enabled state is noted for each box (may be
  // nullptr). `onBox` runs on the watcher's thread for each box before it is
  // closed.
  explicit BoxWatcher(HWND watched = nullptr, std::function<void(const SeenBox&)> onBox = {});
  ~BoxWatcher();
  BoxWatcher(const BoxWatcher&) = delete;
  BoxWatcher& operator=(const BoxWatcher&) = delete;

  // The boxes closed so far, in the order they appeared.
  std::vector<SeenBox> Boxes();
  // Stops watching and returns every box seen.
  std::vector<SeenBox> Stop();

 private:
  void Watch();

  HWND watched_;
  std::function<void(const SeenBox&)> onBox_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<SeenBox> boxes_;
  std::vector<HWND> closed_;
  std::thread thread_;
};

}  // namespace toridasu::test

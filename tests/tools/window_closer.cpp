// Test helper: waits for a top-level window of a class (and title, when
// given) to appear, then asks it to close as its close button would.
// Usage: toridasu_window_closer CLASS [TITLE] — exit 0 when it was found.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: toridasu_window_closer CLASS [TITLE]\n");
    return 2;
  }
  const char* title = argc > 2 ? argv[2] : nullptr;
  for (int tries = 0; tries < 600; ++tries) {  // up to a minute
    if (HWND window = FindWindowA(argv[1], title)) {
      if (IsWindowVisible(window)) {
        PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
      }
    }
    Sleep(100);
  }
  std::fprintf(stderr, "no window of class %s appeared\n", argv[1]);
  return 1;
}

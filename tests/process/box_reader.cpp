// Test helper that plays the user of a program under test: it waits for the
// program's platform message boxes, writes down what each one says and
// closes it with OK, and closes windows as their close button would.
// Usage: toridasu_box_reader OUTPUT STEP...
//   box          wait for a message box, append it to OUTPUT, press OK
//   close:CLASS  wait for a visible window of CLASS and ask it to close
// Each box is one line of OUTPUT: caption and text in lower-case
// hexadecimal, the window class of its owner ("-" for none) and the ids of
// its visible buttons. Exit code 0 when every step was done.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int kTries = 600;  // 100 ms apart: up to a minute per step
constexpr int kBoxTextId = 0xFFFF;

std::string Hex(const char* bytes, int length) {
  std::string out;
  char digits[3];
  for (int i = 0; i < length; ++i) {
    std::snprintf(digits, sizeof digits, "%02x", static_cast<unsigned char>(bytes[i]));
    out += digits;
  }
  return out.empty() ? "-" : out;
}

HWND WaitForVisible(const char* className) {
  for (int tries = 0; tries < kTries; ++tries) {
    HWND window = FindWindowA(className, nullptr);
    if (window != nullptr && IsWindowVisible(window)) return window;
    Sleep(100);
  }
  return nullptr;
}

bool ReadBox(const char* output) {
  HWND box = WaitForVisible("#32770");
  if (box == nullptr) return false;
  char text[4096] = {};
  char caption[512] = {};
  const int textLength = static_cast<int>(GetDlgItemTextA(box, kBoxTextId, text, sizeof text));
  const int captionLength = GetWindowTextA(box, caption, sizeof caption);
  std::string owner = "-";
  if (HWND ownerWindow = GetWindow(box, GW_OWNER)) {
    char ownerClass[256] = {};
    GetClassNameA(ownerWindow, ownerClass, sizeof ownerClass);
    owner = ownerClass;
  }
  std::string buttons;
  for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
    HWND button = GetDlgItem(box, id);
    if (button == nullptr || !IsWindowVisible(button)) continue;
    if (!buttons.empty()) buttons += ",";
    buttons += std::to_string(id);
  }
  FILE* file = std::fopen(output, "ab");
  if (file == nullptr) return false;
  std::fprintf(file, "%s %s %s %s\n", Hex(caption, captionLength).c_str(),
               Hex(text, textLength).c_str(), owner.c_str(),
               buttons.empty() ? "-" : buttons.c_str());
  std::fclose(file);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  // The next step starts once this box is gone.
  for (int tries = 0; tries < kTries && IsWindow(box); ++tries) Sleep(100);
  return !IsWindow(box);
}

bool CloseWindow(const char* className) {
  HWND window = WaitForVisible(className);
  if (window == nullptr) return false;
  PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: toridasu_box_reader OUTPUT box|close:CLASS...\n");
    return 2;
  }
  for (int i = 2; i < argc; ++i) {
    const bool done = std::strcmp(argv[i], "box") == 0          ? ReadBox(argv[1])
                      : std::strncmp(argv[i], "close:", 6) == 0 ? CloseWindow(argv[i] + 6)
                                                                : false;
    if (!done) {
      std::fprintf(stderr, "step %d (%s) was not done\n", i - 1, argv[i]);
      return 1;
    }
  }
  return 0;
}

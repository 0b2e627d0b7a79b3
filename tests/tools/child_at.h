// Finding a control of the program's window from outside, by where the
// window's layout puts it.
#pragma once

#include <windows.h>

#include <cstring>

namespace toridasu::test {

// The first child of `form` whose client-relative top-left corner is
// (left, top), and of class `className` when one is given.
inline HWND ChildAt(HWND form, int left, int top, const char* className = nullptr) {
  for (HWND child = GetWindow(form, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    RECT rect;
    GetWindowRect(child, &rect);
    POINT corner{rect.left, rect.top};
    ScreenToClient(form, &corner);
    if (corner.x != left || corner.y != top) continue;
    char name[64] = {};
    if (className == nullptr ||
        (GetClassNameA(child, name, sizeof name) > 0 && std::strcmp(name, className) == 0)) {
      return child;
    }
  }
  return nullptr;
}

}  // namespace toridasu::test

// A window's drawing surface (the screen's, for no window) with a font
// selected into it for as long as it lives: for measuring texts as they
// will be drawn.
#pragma once

#include <windows.h>

namespace toridasu::ui {

class FontSurface {
 public:
  FontSurface(HWND window, HFONT font)
      : window_(window), dc_(GetDC(window)), previous_(SelectObject(dc_, font)) {}
  ~FontSurface() {
    SelectObject(dc_, previous_);
    ReleaseDC(window_, dc_);
  }
  FontSurface(const FontSurface&) = delete;
  FontSurface& operator=(const FontSurface&) = delete;
  HDC Dc() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace toridasu::ui

// What the message box tests share: a shell with an owner and a main form,
// reading a box's parts back, the real metrics of a box's font, and running
// steps inside a shown box's modal loop.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "test_shell.h"
#include "ui/message_box.h"
#include "ui/shell.h"

namespace toridasu::ui::box_test {

// A hidden ApplicationWindow and a visible main form that boxes are modal
// over. It disables and enables windows the way the program's shell does.
class BoxTestShell : public test::TestShell {
 public:
  BoxTestShell();
  std::vector<HWND> DisableTaskWindows(HWND keep) override;
  void EnableTaskWindows(const std::vector<HWND>& windows) override;
};

// Installs the shell (putting back the one before at the end), shows and
// activates the main form, and starts every test with an empty button-width
// cache.
class MessageBoxTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  BoxTestShell shell_;
  Shell* previousShell_ = nullptr;
};

// The set of the listed buttons.
inline MessageBoxButtons ButtonSet(std::initializer_list<MessageBoxButton> buttons) {
  MessageBoxButtons set = 0;
  for (MessageBoxButton b : buttons) set |= ButtonBit(b);
  return set;
}

struct Part {
  HWND window;
  std::string className;
  std::string text;  // bytes as the window holds them
  RECT place;        // in the box's client coordinates
  LONG style;
};
// The box's child windows in creation order.
std::vector<Part> PartsOf(HWND box);
std::vector<Part> ButtonsOf(HWND box);
std::string WindowText(HWND window);
SIZE ClientSize(HWND window);
int Width(const RECT& r);
int Height(const RECT& r);

// Measures with the font the box uses, read back from the box.
class BoxFont {
 public:
  explicit BoxFont(HWND box);
  ~BoxFont();
  BoxFont(const BoxFont&) = delete;
  BoxFont& operator=(const BoxFont&) = delete;
  // Average width of the 52 Latin letters, and the character height.
  int X() const { return x_; }
  int Y() const { return y_; }
  // The text wrapped at half the screen's width.
  SIZE Block(const std::string& text) const;
  // A caption on one line; "&" marks the next character and takes no room.
  int Caption(const std::string& caption) const;
  int Extent(const std::string& text) const;
  int LineHeight() const;

 private:
  HDC dc_;
  HGDIOBJ previous_;
  int x_ = 0;
  int y_ = 0;
};

// Shows a box and runs each step inside its modal loop on its own timer
// tick, so that what one step posted has been handled before the next runs.
// A box still open after the last step is closed and reported as a failure.
using Step = std::function<void(HWND box)>;
int ShowWithSteps(const std::vector<Step>& steps, const std::string& text, MessageBoxKind kind,
                  MessageBoxButtons buttons, int x = -1, int y = -1);

// Posts a key press (down and up) to `target`, as the keyboard would.
void PostKey(HWND target, UINT key);
// Posts Alt+letter as the translated system character.
void PostAltChar(HWND target, char letter);
// Holds Shift in the thread's keyboard state, or lets it go.
void HoldShift(bool held);

}  // namespace toridasu::ui::box_test

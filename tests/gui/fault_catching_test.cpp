// Hardware faults inside a window's message handling, in the program's own
// code or in a C library routine it calls, become errors of their kinds,
// reach ReportHandlerError and show in the error box; the window goes on
// answering afterwards.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "app/error_box.h"
#include "app/error_faults.h"
#include "base/error_texts.h"
#include "base/fpu_control.h"
#include "base/message_format.h"
#include "files/file_names.h"
#include "platform/platform.h"
#include "scoped_error_machinery.h"
#include "test_shell.h"
#include "ui/shell.h"

namespace toridasu::app {
namespace {

__attribute__((noipa)) int ReadFrom(volatile int* p) { return *p; }
__attribute__((noipa)) int WriteTo(volatile int* p) {
  *p = 1;
  return 0;
}
__attribute__((noipa)) int Divide(int a, int b) { return a / b; }

int ReadNearNull() { return ReadFrom(reinterpret_cast<int*>(0x10)); }
int WriteNearNull() { return WriteTo(reinterpret_cast<int*>(0x24)); }
int DivideByZero() { return Divide(7, 0); }

// What the window's handler runs; called through a pointer, as handlers are.
int (*volatile action)() = nullptr;

constexpr UINT kRunAction = WM_USER;
constexpr UINT kAreYouThere = WM_USER + 1;

LRESULT CALLBACK HandlerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRunAction) {
    try {
      return action();
    } catch (...) {
      ReportHandlerError(window);
      return -1;
    }
  }
  if (message == kAreYouThere) return 42;
  return DefWindowProcA(window, message, wParam, lParam);
}

uint16_t ControlWord() {
  uint16_t word = 0;
  asm volatile("fnstcw %0" : "=m"(word));
  return word;
}
void SetControlWord(uint16_t word) { asm volatile("fldcw %0" : : "m"(word)); }

class FaultCatching : public ::testing::Test {
 protected:
  void SetUp() override {
    // The tests' program has started up as the real one does.
    machinery_.emplace(shell_);
    InstallFaultCatching();
    window_ = test::MakeTestWindow(WS_POPUP, nullptr, 0, 0, 10, 10, &HandlerProcedure);
    savedControl_ = ControlWord();
  }
  void TearDown() override {
    SetControlWord(savedControl_);
    DestroyWindow(window_);
    RemoveFaultCatching();
    machinery_.reset();
  }

  // Runs `faulting` in the window's handler; the box text it showed.
  std::string ShownFor(int (*faulting)()) {
    shell_.boxes.clear();
    action = faulting;
    EXPECT_EQ(SendMessageA(window_, kRunAction, 0, 0), -1);
    EXPECT_EQ(SendMessageA(window_, kAreYouThere, 0, 0), 42) << "the program goes on";
    return shell_.boxes.size() == 1 ? shell_.boxes[0].text : std::string();
  }

  test::ErrorBoxShell shell_;
  std::optional<test::ScopedErrorMachinery> machinery_;
  HWND window_ = nullptr;
  uint16_t savedControl_ = 0;
};

// "モジュール '%1:s' のアドレス %0:p でアドレス %3:p に対する%2:s違反がおきました。" + "."
std::string ViolationText(const std::string& module, uint32_t at, const std::string& accessed,
                          const std::string& access) {
  return "\x83\x82\x83\x57\x83\x85\x81\x5B\x83\x8B\x20\x27" + module +
         "\x27\x20\x82\xCC\x83\x41\x83\x68\x83\x8C\x83\x58\x20" + AddressText(at) +
         "\x20\x82\xC5\x83\x41\x83\x68\x83\x8C\x83\x58\x20" + accessed +
         "\x20\x82\xC9\x91\xCE\x82\xB7\x82\xE9" + access +
         "\x88\xE1\x94\xBD\x82\xAA\x82\xA8\x82\xAB\x82\xDC\x82\xB5\x82\xBD\x81\x42" + ".";
}

// The faulting address as the text gives it (the 8 digits after the module).
uint32_t FaultingAddressIn(const std::string& text, const std::string& module) {
  const std::size_t at = 12 + module.size() + 13;
  return text.size() >= at + 8 ? std::strtoul(text.substr(at, 8).c_str(), nullptr, 16) : 0;
}

struct ViolationCase {
  const char* name;
  int (*faulting)();
  const void* function;  // where the faulting instruction lies
  const char* accessed;
  std::string access;  // 読み込み / 書き込み
};

TEST_F(FaultCatching, AccessViolationInAHandlerShowsItsFormattedText) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  const std::string module = ModuleFileName(path);
  const ViolationCase cases[] = {
      {"read", &ReadNearNull, reinterpret_cast<const void*>(&ReadFrom), "00000010",
       "\x93\xC7\x82\xDD\x8D\x9E\x82\xDD"},
      {"write", &WriteNearNull, reinterpret_cast<const void*>(&WriteTo), "00000024",
       "\x8F\x91\x82\xAB\x8D\x9E\x82\xDD"},
  };
  for (const ViolationCase& c : cases) {
    const std::string text = ShownFor(c.faulting);
    const uint32_t at = FaultingAddressIn(text, module);
    const auto start = reinterpret_cast<uintptr_t>(c.function);
    EXPECT_TRUE(at >= start && at < start + 32) << c.name << ": " << std::hex << at;
    EXPECT_EQ(text, ViolationText(module, at, c.accessed, c.access)) << c.name;
  }
}

// A C library routine that faults, called the way the program calls it, from
// a frame with a cleanup that needs the registers the frame keeps.
void* (*volatile libraryCopy)(void*, const void*, size_t) = &memcpy;
int cleanups = 0;

__attribute__((noipa)) int CopyCounting(void* to, const void* from, int* counter) {
  struct Counted {
    int* counter;
    ~Counted() { ++*counter; }
  } counted{counter};
  libraryCopy(to, from, sizeof(int));
  return *counted.counter;
}
int CopyFromNearNull() {
  int target = 0;
  return CopyCounting(&target, reinterpret_cast<const void*>(0x10), &cleanups);
}
int CopyToNearNull() {
  const int source = 1;
  return CopyCounting(reinterpret_cast<void*>(0x24), &source, &cleanups);
}

TEST_F(FaultCatching, FaultInACLibraryRoutineIsRaisedAtTheCall) {
  const std::string library = "msvcrt.dll";
  const ViolationCase cases[] = {
      {"read", &CopyFromNearNull, nullptr, "00000010", "\x93\xC7\x82\xDD\x8D\x9E\x82\xDD"},
      {"write", &CopyToNearNull, nullptr, "00000024", "\x8F\x91\x82\xAB\x8D\x9E\x82\xDD"},
  };
  for (const ViolationCase& c : cases) {
    cleanups = 0;
    const std::string text = ShownFor(c.faulting);
    EXPECT_EQ(cleanups, 1) << c.name << ": the calling frame's cleanup ran";
    const uint32_t at = FaultingAddressIn(text, library);
    EXPECT_EQ(text, ViolationText(library, at, c.accessed, c.access)) << c.name;
  }
}

TEST_F(FaultCatching, IntegerDivisionByZeroShowsItsText) {
  EXPECT_EQ(ShownFor(&DivideByZero), "\x83\x5B\x83\x8D\x82\xC9\x82\xE6\x82\xE9\x8F\x9C\x8E\x5A.");
}

TEST_F(FaultCatching, FaultSetsTheFloatingPointControlBack) {
  SetControlWord(0x037F);
  ShownFor(&ReadNearNull);
  // The reserved bits read back as the processor keeps them.
  constexpr uint16_t kDefinedBits = 0x1F3F;
  EXPECT_EQ(ControlWord() & kDefinedBits, kFloatingPointControl);
}

}  // namespace
}  // namespace toridasu::app

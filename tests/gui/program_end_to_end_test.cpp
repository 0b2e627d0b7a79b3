// The whole job done from outside the program, as a person does it: type the
// two names, click convert, read and close the box, leave with Alt+X; then
// the CSV bytes and the exit code.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

#include "program_process.h"
#include "tools/child_at.h"

namespace toridasu::test {
namespace {

const std::string kConvertCaption = "\x95\xCF\x8A\xB7\x81\xAB";  // 変換↓
const std::string kConvertedText =
    "\x95\xCF\x8A\xB7\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x49";  // 変換しました！
const std::string kInformationTitle = "\x8F\xEE\x95\xF1";        // 情報
// 変換出来ませんでした！
const std::string kFailedText =
    "\x95\xCF\x8A\xB7\x8F\x6F\x97\x88\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81\x49";
const std::string kWarningTitle = "\x8C\x78\x8D\x90";  // 警告

std::string Folder() {
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  std::string folder = std::string(temp) + "toridasu-e2e-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Asked of the window itself: GetWindowTextA of another process's edit
// field would give the text it was created with.
std::string TextOf(HWND window) {
  char text[512] = {};
  SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

struct BoxSeen {
  std::string title;
  std::string message;
};

// Runs one conversion through the window and returns the box it showed.
BoxSeen ConvertThroughTheWindow(Program& program, HWND form, const std::string& source,
                                const std::string& destination) {
  BoxSeen seen;
  for (const auto& [field, text] : {std::pair{ChildAt(form, 8, 40, "Edit"), source},
                                    std::pair{ChildAt(form, 8, 120, "Edit"), destination}}) {
    EXPECT_NE(field, nullptr);
    if (field == nullptr) return seen;
    ClickOn(field);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    EXPECT_TRUE(program.WaitUntil([&] {
      return GetGUIThreadInfo(GetWindowThreadProcessId(form, nullptr), &info) &&
             info.hwndFocus == field;
    })) << "focus "
        << info.hwndFocus << " field " << field;
    // What the field held is selected, so typing replaces it.
    SendMessageA(field, EM_SETSEL, 0, -1);
    // Each character as the field receives it from the keyboard.
    for (const char c : text) PostMessageA(field, WM_CHAR, static_cast<unsigned char>(c), 1);
    EXPECT_TRUE(program.WaitUntil([&] { return TextOf(field) == text; })) << TextOf(field);
  }
  ClickOn(ChildWithText(form, kConvertCaption));
  HWND box = program.WaitForWindow("TMessageForm", &Visible);
  EXPECT_NE(box, nullptr);
  if (box == nullptr) return seen;
  seen.title = TextOf(box);
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    const std::string text = TextOf(child);
    if (text != "OK" && !text.empty()) seen.message = text;
  }
  // Enter on the box's focused button (OK).
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  EXPECT_TRUE(program.WaitUntil([&] {
    return GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &info) &&
           info.hwndFocus != nullptr && GetParent(info.hwndFocus) == box;
  }));
  PostMessageA(info.hwndFocus, WM_KEYDOWN, VK_RETURN, 0x001C0001);
  PostMessageA(info.hwndFocus, WM_KEYUP, VK_RETURN, 0xC01C0001);
  EXPECT_TRUE(program.WaitUntil([&] { return !IsWindow(box); }));
  return seen;
}

TEST(ProgramEndToEnd, ConvertsFromTheWindowAndLeavesWithAltX) {
  const std::string folder = Folder();
  const std::string source = folder + "\\plan";
  const std::string destination = folder + "\\list";
  {
    std::ofstream dxf(source + ".dxf", std::ios::binary);
    dxf << "0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nTEXT\r\n10\r\n12.5\r\n20\r\n-3\r\n1\r\n"
           "\x8B\x8F\x8E\xBA\r\n0\r\nEOF\r\n";  // 居室
  }
  Program program;
  ASSERT_TRUE(program.Started()) << ProgramPath();
  HWND form = program.WaitForWindow("TForm1", &Visible);
  ASSERT_NE(form, nullptr);
  ASSERT_TRUE(program.WaitUntil([&] { return GetForegroundWindow() == form; }));

  const BoxSeen done = ConvertThroughTheWindow(program, form, source, destination);
  EXPECT_EQ(done.title, kInformationTitle);
  EXPECT_EQ(done.message, kConvertedText);
  EXPECT_EQ(Read(destination + ".csv"),
            "\"X\",\"Y\",\"Z\",\"\x95\xB6\x8E\x9A\x93\xE0\x97\x65\"\r\n12.5,-3,0,"
            "\"\x8B\x8F\x8E\xBA\"\r\n");

  // A drawing that cannot be converted: the warning, and no output left.
  {
    std::ofstream dxf(folder + "\\broken.dxf", std::ios::binary);
    dxf << "0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nTEXT\r\n1\r\nA\x82\r\n0\r\nEOF\r\n";
  }
  const BoxSeen failed =
      ConvertThroughTheWindow(program, form, folder + "\\broken", folder + "\\broken");
  EXPECT_EQ(failed.title, kWarningTitle);
  EXPECT_EQ(failed.message, kFailedText);
  EXPECT_EQ(GetFileAttributesA((folder + "\\broken.csv").c_str()), INVALID_FILE_ATTRIBUTES);

  ASSERT_TRUE(program.WaitUntil([&] { return GetForegroundWindow() == form; }));
  SendKeys({{VK_MENU, false}, {'X', false}, {'X', true}, {VK_MENU, true}});
  EXPECT_EQ(program.WaitForExit(), 0u);

  for (const char* leaf : {"\\plan.dxf", "\\list.csv", "\\broken.dxf"})
    DeleteFileA((folder + leaf).c_str());
  RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace toridasu::test

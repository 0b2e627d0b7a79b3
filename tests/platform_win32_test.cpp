// What only the Windows platform shows: its handles are the system's own,
// pipes end with code 109, and the code page 932 answers come from the
// system (run under the Japanese locale).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/platform.h"

namespace toridasu {
namespace {

Platform& System() { return SystemPlatform(); }

TEST(PlatformWin32, AnswersAsAJapaneseSystem) {
  EXPECT_TRUE(System().DoubleByteEnabled());
  CodePageInfo info;
  ASSERT_TRUE(System().AnsiCodePageInfo(&info));
  const uint8_t expected[12] = {0x81, 0x9F, 0xE0, 0xFC};
  EXPECT_EQ(std::memcmp(info.leadByteRanges, expected, sizeof expected), 0);
  EXPECT_EQ(System().LocaleDecimalSeparator(), '.');
  System().ResetThreadLocale();
  EXPECT_EQ(System().LocaleDecimalSeparator(), '.');
}

struct UpperCaseCase {
  std::string text;
  std::string upper;
};

TEST(PlatformWin32, UpperCasingLeavesATrailByteThatLooksLikeALetter) {
  const UpperCaseCase cases[] = {
      {"text", "TEXT"},
      {"\x83\x61z", "\x83\x61Z"},  // ヂ: its trail byte is 'a'
      {"\x95\x5C\x65nd",
       "\x95\x5C"
       "END"},             // 表 then "end"
      {"\xB1z", "\xB1Z"},  // half-width katakana is a single byte
  };
  for (const UpperCaseCase& c : cases) {
    std::string text = c.text;
    System().UpperCase(text.data(), static_cast<uint32_t>(text.size()));
    EXPECT_EQ(text, c.upper) << c.text;
  }
}

TEST(PlatformWin32, HandlesAreTheSystemsOwn) {
  char folder[MAX_PATH];
  ASSERT_NE(GetTempPathA(MAX_PATH, folder), 0u);
  std::string name =
      std::string(folder) + "toridasu_handle_" + std::to_string(GetCurrentProcessId());
  FileHandle handle;
  ASSERT_EQ(System().CreateForWriting(name.c_str(), &handle), 0u);
  EXPECT_EQ(GetFileType(reinterpret_cast<HANDLE>(handle)), static_cast<DWORD>(FILE_TYPE_DISK));
  EXPECT_EQ(System().Close(handle), 0u);
  EXPECT_EQ(System().Close(handle), win_error::kInvalidHandle);
  EXPECT_TRUE(System().Delete(name.c_str()));
}

// A named pipe whose other end writes `bytes` and hangs up: the reader gets
// them all, then the broken-pipe code that the DXF reader takes as the end.
TEST(PlatformWin32, PipeIsAPipeAndEndsWithBrokenPipe) {
  std::string name = "\\\\.\\pipe\\toridasu_test_" + std::to_string(GetCurrentProcessId());
  HANDLE server = CreateNamedPipeA(name.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT,
                                   1, 4096, 4096, 0, nullptr);
  ASSERT_NE(server, INVALID_HANDLE_VALUE);
  std::vector<char> bytes(100000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i % 251);
  std::thread writer([&] {
    ConnectNamedPipe(server, nullptr);
    DWORD written = 0;
    WriteFile(server, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    FlushFileBuffers(server);
    CloseHandle(server);
  });

  FileHandle reader;
  ASSERT_EQ(System().OpenForReading(name.c_str(), &reader), 0u);
  EXPECT_EQ(System().KindOf(reader), FileKind::Pipe);
  std::vector<char> back;
  char block[128];
  uint32_t got = 0;
  uint32_t result = 0;
  while ((result = System().Read(reader, block, sizeof block, &got)) == 0 && got != 0) {
    back.insert(back.end(), block, block + got);
  }
  EXPECT_EQ(result, win_error::kBrokenPipe);
  EXPECT_EQ(got, 0u);
  EXPECT_TRUE(back == bytes);
  EXPECT_EQ(System().Close(reader), 0u);
  writer.join();
}

}  // namespace
}  // namespace toridasu

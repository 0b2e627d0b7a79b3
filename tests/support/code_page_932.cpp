#include "support/code_page_932.h"

#include "files/file_names.h"
#include "platform/platform.h"

namespace toridasu {
namespace {

// Answers only the code-page questions; the lead-byte refresh asks nothing else.
class CodePageOnly : public Platform {
 public:
  explicit CodePageOnly(bool doubleByte) : doubleByte_(doubleByte) {}
  uint32_t OpenForReading(const char*, FileHandle*) override { return win_error::kAccessDenied; }
  uint32_t CreateForWriting(const char*, FileHandle*) override { return win_error::kAccessDenied; }
  uint32_t Read(FileHandle, void*, uint32_t, uint32_t*) override {
    return win_error::kInvalidHandle;
  }
  uint32_t Write(FileHandle, const void*, uint32_t) override { return win_error::kInvalidHandle; }
  FileKind KindOf(FileHandle) override { return FileKind::Unknown; }
  uint32_t Close(FileHandle) override { return win_error::kInvalidHandle; }
  bool FindFirst(const char*, FoundEntry*) override { return false; }
  bool Delete(const char*) override { return false; }
  bool DoubleByteEnabled() override { return doubleByte_; }
  bool AnsiCodePageInfo(CodePageInfo* info) override {
    *info = CodePageInfo{{0x81, 0x9F, 0xE0, 0xFC}};
    return true;
  }
  void UpperCase(char*, uint32_t) override {}
  char LocaleDecimalSeparator() override { return '.'; }
  void ResetThreadLocale() override {}

 private:
  bool doubleByte_;
};

}  // namespace

void UseCodePage932() {
  CodePageOnly platform(true);
  RefreshLeadByteSet(platform);
}

void UseSingleByteSystem() {
  CodePageOnly platform(false);
  RefreshLeadByteSet(platform);
}

}  // namespace toridasu

#include <gtest/gtest.h>

#include "base/string_table.h"
#include "cli/messages.h"

namespace toridasu::cli {
namespace {

// Every converter text is in the string table in both languages, and the
// English one is plain ASCII, readable in any console.
TEST(CliMessages, EveryTextHasBothLanguages) {
  for (uint32_t id = text_id::kCliDescription; id <= text_id::kCliHiddenLeftOut; ++id) {
    SCOPED_TRACE(id);
    EXPECT_FALSE(LoadResString(id).empty());
    const std::string english = LoadResString(id + kEnglish);
    ASSERT_FALSE(english.empty());
    for (const char c : english) EXPECT_LT(static_cast<unsigned char>(c), 0x80);
  }
}

}  // namespace
}  // namespace toridasu::cli

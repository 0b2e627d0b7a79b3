// The layout resource's reader: what a well-formed layout yields, texts of
// any bytes (a trail byte 0x5C, inner quotes) kept whole, and the line of
// the first thing it cannot read.
#include "ui/layout.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace toridasu::ui {
namespace {

TEST(Layout, ReadsComponentsAndTypedProperties) {
  const std::string text =
      "# a comment\r\n"
      "[Form1: form]\r\n"
      "caption = \"TORIDASU\"\r\n"
      "left = -192\n"
      "border-icons = biSystemMenu biMinimize\n"
      "font-style =\n"
      "\n"
      "[Memo1: memo]\n"
      "line = \"\x95\x5C\\\"quoted\"\"\n"  // 表\"quoted""
      "line = \"\"\n"
      "read-only = yes\n";
  const Layout layout = ParseLayout(text, "TEST");
  ASSERT_EQ(layout.components.size(), 2u);
  const LayoutComponent& form = layout.components[0];
  EXPECT_EQ(form.name, "Form1");
  EXPECT_EQ(form.kind, "form");
  EXPECT_EQ(form.Text("caption", ""), "TORIDASU");
  EXPECT_EQ(form.Integer("left", 0), -192);
  EXPECT_EQ(form.Integer("top", 118), 118);  // absent: the default
  EXPECT_EQ(form.Names("border-icons"), (std::vector<std::string>{"biSystemMenu", "biMinimize"}));
  EXPECT_TRUE(form.Names("font-style").empty());
  EXPECT_TRUE(form.Has("font-style"));
  const LayoutComponent& memo = layout.components[1];
  EXPECT_EQ(memo.Texts("line"), (std::vector<std::string>{"\x95\x5C\\\"quoted\"", ""}));
  EXPECT_TRUE(memo.Flag("read-only", false));
  EXPECT_FALSE(memo.Flag("word-wrap", false));
  EXPECT_EQ(memo.line, 8);
}

TEST(Layout, NamesTheLineItCannotRead) {
  struct BadCase {
    const char* text;
    int line;
  };
  const BadCase cases[] = {
      {"left = 1\n", 1},                          // a property before any component
      {"[Form1 form]\n", 1},                      // no ": "
      {"[Form1: ]\n", 1},                         // no kind
      {"[1Form: form]\n", 1},                     // not a name
      {"[Form1: form]\nleft 1\n", 2},             // no " ="
      {"[Form1: form]\nleft =1\n", 2},            // no blank after "="
      {"[Form1: form]\ncaption = \"open\n", 2},   // no closing quote
      {"[Form1: form]\ncaption = \"a\" b\n", 2},  // something after the text
      {"[Form1: form]\nLeft = 1\n", 2},           // keys are lower case
      {"# only a comment\n", 1},                  // no component at all
  };
  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      ParseLayout(c.text, "TEST");
      ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
      EXPECT_NE(e.Message().find(" " + std::to_string(c.line) + " "), std::string::npos)
          << e.Message();
      EXPECT_NE(e.Message().find("TEST"), std::string::npos);
    }
  }
}

TEST(Layout, ValuesOfTheWrongTypeAreErrorsOfTheirLine) {
  const Layout layout = ParseLayout(
      "[Form1: form]\nleft = \"8\"\ntop = 1x\ncaption = plain\nscaled = maybe\n"
      "class = T1 T2\n",
      "TEST");
  const LayoutComponent& form = layout.components[0];
  struct WrongCase {
    std::function<void()> read;
    int line;
  };
  const WrongCase cases[] = {
      {[&] { form.Integer("left", 0); }, 2},  {[&] { form.Integer("top", 0); }, 3},
      {[&] { form.Text("caption", ""); }, 4}, {[&] { form.Flag("scaled", false); }, 5},
      {[&] { form.Name("class", ""); }, 6},
  };
  for (const WrongCase& c : cases) {
    SCOPED_TRACE(c.line);
    try {
      c.read();
      ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
      EXPECT_NE(e.Message().find(" " + std::to_string(c.line) + " "), std::string::npos)
          << e.Message();
    }
  }
}

TEST(Layout, AMissingResourceIsEResNotFound) {
  EXPECT_THROW(LoadLayout(GetModuleHandleA(nullptr), "NOSUCHFORM"), EResNotFound);
  const Layout layout = LoadLayout(GetModuleHandleA(nullptr), "TFORM1");
  ASSERT_FALSE(layout.components.empty());
  EXPECT_EQ(layout.components.front().name, "Form1");
  EXPECT_EQ(layout.components.size(), 13u);
}

}  // namespace
}  // namespace toridasu::ui

#include <gtest/gtest.h>

#include "platform/wildcard.h"

namespace toridasu {
namespace {

struct WildcardCase {
  const char* pattern;
  const char* name;
  bool matches;
};

TEST(PlatformWildcard, MatchesLikeAFindFirstSearch) {
  const WildcardCase cases[] = {
      {"*", "plan.dxf", true},
      {"*.dxf", "plan.dxf", true},
      {"*.dxf", "a.b.dxf", true},
      {"*.dxf", ".dxf", true},
      {"*.dxf", "plan.dxf.bak", false},
      {"*.dxf", "plan.DXF", false},
      {"*.*", "noext", true},
      {"*.*", "a.b", true},
      {"plan.*", "plan", true},
      {"plan.*", "plan.dxf", true},
      {"plan.*", "planb", false},
      {"plan.", "plan", true},
      {"?", "a", true},
      {"?", ".", true},
      {"?", "ab", false},
      {"no?xt", "noext", true},
      {"a?c", "ac", false},
      {"a*c*e", "abcde", true},
      {"a*c*e", "abcdf", false},
      {"*b*", "abc", true},
      {"[ab]*", "a.dxf", false},
      {"[ab]*", "[ab].dxf", true},
      {"*\x95\x5C", "\x8A\x95\x5C", true},
  };
  for (const WildcardCase& c : cases) {
    EXPECT_EQ(MatchesWildcard(c.pattern, c.name), c.matches) << c.pattern << " / " << c.name;
  }
}

TEST(PlatformWildcard, OnlyStarAndQuestionMarkAreWildcards) {
  EXPECT_TRUE(HasWildcard("C:\\dwg\\*.dxf"));
  EXPECT_TRUE(HasWildcard("plan?.dxf"));
  EXPECT_FALSE(HasWildcard("[plan].dxf"));
  EXPECT_FALSE(HasWildcard(""));
}

}  // namespace
}  // namespace toridasu

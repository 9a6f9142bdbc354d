#include "tools/change/options.h"

#include <gtest/gtest.h>

#include "tools/change/texts.h"

namespace change {
namespace {

Options Parse(std::vector<std::string> args) { return ParseOptions(CommandLine{std::move(args)}); }

TEST(ChangeOptions, EveryFlagFromTheFourthArgumentOn) {
  Options o = Parse({"f", "a", "b", "/C", "/U", "/L", "/A", "/O", "/B", "/E", "/W"});
  EXPECT_TRUE(o.case_sensitive && o.upper && o.lower && o.ansi && o.omit_empty && o.at_start &&
              o.at_end && o.warn);
  Options none = Parse({"f", "a", "b"});
  EXPECT_FALSE(none.case_sensitive || none.upper || none.lower || none.ansi ||
               none.omit_empty || none.at_start || none.at_end || none.warn);
  EXPECT_EQ(none.quote, '`');
  EXPECT_EQ(none.line_break, '~');
}

TEST(ChangeOptions, OptionsBeforeTheFourthArgumentAreNotRead) {
  Options o = Parse({"/U", "/W", "/Q=#"});
  EXPECT_FALSE(o.upper || o.warn);
  EXPECT_EQ(o.quote, '`');
}

TEST(ChangeOptions, TheSecondCharacterSelectsTheFlag) {
  Options o = Parse({"f", "a", "b", "/upper", "/wx"});
  EXPECT_TRUE(o.upper);  // read in capitals
  EXPECT_TRUE(o.warn);
  EXPECT_FALSE(Parse({"f", "a", "b", "U", "-U", "x/U"}).upper);
}

TEST(ChangeOptions, QuoteAndLineBreakCharacters) {
  Options o = Parse({"f", "a", "b", "/Q=#", "/N=|"});
  EXPECT_EQ(o.quote, '#');
  EXPECT_EQ(o.line_break, '|');
  // Anywhere in an argument, beside a flag.
  Options both = Parse({"f", "a", "b", "/U/Q=$/N=%"});
  EXPECT_TRUE(both.upper);
  EXPECT_EQ(both.quote, '$');
  EXPECT_EQ(both.line_break, '%');
  // Nothing after the "=": no such character at all.
  EXPECT_EQ(Parse({"f", "a", "b", "/Q="}).quote, '\0');
  // Read in capitals until /C: a letter is taken as its capital, after
  // /C as written (and a small option letter is not seen then).
  EXPECT_EQ(Parse({"f", "a", "b", "/q=x"}).quote, 'X');
  Options after_c = Parse({"f", "a", "b", "/C", "/Q=x", "/u"});
  EXPECT_EQ(after_c.quote, 'x');
  EXPECT_FALSE(after_c.upper);
}

TEST(ChangeTexts, PreparedAsTheOptionsSay) {
  Options o;
  Texts t = PrepareTexts("say `hi`", "line1~`x`~", o);
  EXPECT_EQ(t.search, "SAY \"HI\"");
  EXPECT_EQ(t.replacement, "line1\n\"x\"\n");

  o.quote = '#';
  o.line_break = '|';
  t = PrepareTexts("#a#~|", "#b#~|", o);
  EXPECT_EQ(t.search, "\"A\"~|");  // no line break in the search text
  EXPECT_EQ(t.replacement, "\"b\"~\n");

  Options cased;
  cased.case_sensitive = true;
  cased.upper = true;
  t = PrepareTexts("Ab", "Cd", cased);
  EXPECT_EQ(t.search, "Ab");
  EXPECT_EQ(t.replacement, "CD");
  cased.lower = true;  // after /U: it wins
  EXPECT_EQ(PrepareTexts("Ab", "Cd", cased).replacement, "cd");

  Options ansi;
  ansi.ansi = true;
  t = PrepareTexts("\xe4", "\xc4", ansi);
  EXPECT_EQ(t.search, "\x84");  // OEM, and no capital made of it
  EXPECT_EQ(t.replacement, "\x8e");
}

}  // namespace
}  // namespace change

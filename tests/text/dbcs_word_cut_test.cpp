#include <gtest/gtest.h>

#include <string>

#include "text/dbcs_word_cut.h"

namespace {

// Shift-JIS lead bytes, whatever the code page of the machine running the
// tests.
bool ShiftJisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

} // namespace

TEST(TextDoubleByte, WordsAreCutBetweenCharactersNeverInsideOne)
{
    struct Case {
        const char* text;
        int wordStart;
        int fit;
        int cut;
    } cases[] = {
        {"\x82\xa0\x82\xa2\x82\xa4", 0, 4, 4},   // between two characters
        {"\x82\xa0\x82\xa2\x82\xa4", 0, 3, 2},   // on a trail byte: back to its lead
        {"\x82\xa0\x82\xa2\x82\xa4", 0, 1, -1},  // only the word's start is left
        {"ab\x82\xa0" "cd", 0, 5, 4},            // inside Latin letters: back to after the character
        {"ab\x82\xa0" "cd", 0, 2, 2},            // before a double-byte character
        {"ab\x82\xa0" "cd", 0, 1, -1},           // Latin letters are not cut
        {"\x82\x82\x82\xa0", 0, 3, 2},           // a trail byte with a lead byte's value
        {"\x82\x82\x82\xa0", 0, 1, -1},
        {"xy \x82\xa0\x82\xa2", 3, 5, 5},
        {"xy \x82\xa0\x82\xa2", 3, 4, -1},       // would fall at the word's start
        {"a\x01\x82\xa0\x82\xa2", 0, 3, -1},     // right after a soft hyphen
        {"a\t\x82\xa0\x82\xa2", 0, 2, -1},       // right after a tab
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.cut, FindDbcsWordCut(c.text, c.wordStart, c.fit, ShiftJisLead)) << c.text << " " << c.fit;
}

TEST(TextDoubleByte, CharacterStartsCountTheLeadBytesBefore)
{
    const char text[] = "\x82\x82\x82\xa0" "a";
    const bool expected[] = {true, false, true, false, false};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(expected[i], BeginsDoubleByteChar(text, i, ShiftJisLead)) << i;
}

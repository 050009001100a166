#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/app_globals.h"
#include "frame/command_line.h"

namespace {

struct CommandLineCase {
    const char* name;
    const char* tail;
    const char* file;
    const char* optionsFile;
    const char* printFile;
    int embedding;
};

const std::string kLong(300, 'x');

const CommandLineCase kCases[] = {
    {"Empty", "", "", "", "", 0},
    {"BlanksOnly", "    ", "", "", "", 0},
    {"PlainFile", "drawing.tyr", "drawing.tyr", "", "", 0},
    {"FileTrimmed", "   drawing.tyr   ", "drawing.tyr", "", "", 0},
    {"FileThenOptions", "drawing.tyr /o my.opt", "drawing.tyr", "my.opt", "", 0},
    {"OptionsSwallowRest", "/o my.opt drawing.tyr", "", "my.opt drawing.tyr", "", 0},
    {"PrintFile", "/p c:\\a.tyr", "", "", "c:\\a.tyr", 0},
    {"UpperCaseSwitches", "/O my.opt /P b.tyr", "", "my.opt", "b.tyr", 0},
    {"DashEmbedding", "-embedding", "", "", "", 1},
    {"SlashEmbeddingUpper", "/EMBEDDING", "", "", "", 1},
    {"EmbeddingThenFile", "-Embedding c:\\doc.tyr", "c:\\doc.tyr", "", "", 1},
    {"ShortEmbedNeitherFlagNorFile", "/Embed", "", "", "", 0},
    {"DashInsideNameIsText", "a.tyr -p", "a.tyr -p", "", "", 0},
    {"SecondSegmentDropped", "a.tyr /x b.tyr", "a.tyr", "", "", 0},
    {"DashRightAfterSwitchLetter", "/o-p x.tyr", "", "", "x.tyr", 0},
    {"UnknownSwitchIgnored", "/z file.tyr", "file.tyr", "", "", 0},
    {"SwitchAtEnd", "file.tyr /", "file.tyr", "", "", 0},
    {"TabsStay", "\tfile.tyr\t", "\tfile.tyr\t", "", "", 0},
};

} // namespace

TEST(CommandLine, ParsesEachCase)
{
    for (const CommandLineCase& row : kCases) {
        SCOPED_TRACE(row.name);
        char file[kCommandPathSize] = "junk";
        char options[kCommandPathSize] = "junk";
        char print[kCommandPathSize] = "junk";
        int embedding = -1;
        StartedForEmbedding = 0;
        ParseCommandLine(row.tail, file, options, print, &embedding);
        EXPECT_STREQ(row.file, file);
        EXPECT_STREQ(row.optionsFile, options);
        EXPECT_STREQ(row.printFile, print);
        EXPECT_EQ(row.embedding, embedding);
        EXPECT_EQ(row.embedding, StartedForEmbedding);
    }
    StartedForEmbedding = 0;
}

TEST(CommandLine, NullTailLeavesEverythingEmpty)
{
    char file[kCommandPathSize] = "junk";
    char options[kCommandPathSize] = "junk";
    char print[kCommandPathSize] = "junk";
    int embedding = 5;
    ParseCommandLine(nullptr, file, options, print, &embedding);
    EXPECT_STREQ("", file);
    EXPECT_STREQ("", options);
    EXPECT_STREQ("", print);
    EXPECT_EQ(0, embedding);
}

TEST(CommandLine, LongNamesAreCutTo261Characters)
{
    const std::string tail = kLong + " /o " + kLong;
    char file[kCommandPathSize];
    char options[kCommandPathSize];
    char print[kCommandPathSize];
    int embedding = 0;
    ParseCommandLine(tail.c_str(), file, options, print, &embedding);
    EXPECT_EQ(std::string(261, 'x'), file);
    // The blank after the switch counts among the 261 characters kept.
    EXPECT_EQ(std::string(260, 'x'), options);
}

TEST(TrimBlanks, RemovesOnlyBlanksAtBothEnds)
{
    struct Case {
        const char* name;
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"Nothing", "", ""},
        {"OnlyBlanks", "   ", ""},
        {"Leading", "  a b", "a b"},
        {"Trailing", "a b  ", "a b"},
        {"Both", "  a  ", "a"},
        {"TabsKept", "\t a \t", "\t a \t"},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        char text[32];
        strcpy(text, row.text);
        TrimBlanks(text);
        EXPECT_STREQ(row.expected, text);
    }
}

// The help file built beside the program: read back as WinHelp reads it, it
// must open on its contents under the program's title and hold a topic for
// every context number the program asks for. And the dialogs' tables of
// help on their controls.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

#include "common/help_topics.h"
#include "frame/arrow_dialog.h"
#include "frame/run_tool_edit_dlg.h"
#include "frame/style_dialogs.h"
#include "resources/dialog_ids.h"
#include "support/test_paths.h"

namespace {

const uint32_t kFileMagic = 0x00035F3F;
const int kInternalHeader = 9;
const int kTreeHeader = 38;
const int kPageHeader = 8;
const int kSystemHeader = 12;
const int kTitleRecord = 1;
const int kContentsRecord = 3;
const int kLastCommandId = 40000;

uint32_t Word32(const std::string& bytes, size_t at)
{
    if (at + 4 > bytes.size())
        return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + at);
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint16_t Word16(const std::string& bytes, size_t at)
{
    if (at + 2 > bytes.size())
        return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + at);
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

// The help file read back: its internal files by name, from the directory's
// one page.
class HelpFileReader {
public:
    explicit HelpFileReader(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        bytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bool valid() const { return bytes_.size() > 16 && Word32(bytes_, 0) == kFileMagic; }
    // An internal file's contents, empty when the directory does not name it.
    std::string File(const std::string& name) const
    {
        const size_t tree = Word32(bytes_, 4) + kInternalHeader;
        const size_t page = tree + kTreeHeader + Word16(bytes_, tree + 26) * Word16(bytes_, tree + 4);
        size_t at = page + kPageHeader;
        for (int i = 0; i < Word16(bytes_, page + 2) && at < bytes_.size(); ++i) {
            const std::string entry = bytes_.c_str() + at;
            at += entry.size() + 1;
            const size_t offset = Word32(bytes_, at);
            at += 4;
            if (entry == name && offset + kInternalHeader <= bytes_.size())
                return bytes_.substr(offset + kInternalHeader, Word32(bytes_, offset + 4));
        }
        return std::string();
    }
    // Context number -> topic.
    std::map<uint32_t, uint32_t> ContextMap() const
    {
        const std::string map = File("|CTXOMAP");
        std::map<uint32_t, uint32_t> result;
        for (size_t i = 0, at = 2; i < Word16(map, 0) && at + 8 <= map.size(); ++i, at += 8)
            result[Word32(map, at)] = Word32(map, at + 4);
        return result;
    }
    // The data of the first |SYSTEM record of that kind.
    std::string SystemRecord(int kind) const
    {
        const std::string system = File("|SYSTEM");
        for (size_t at = kSystemHeader; at + 4 <= system.size(); at += 4 + Word16(system, at + 2))
            if (Word16(system, at) == kind)
                return system.substr(at + 4, Word16(system, at + 2));
        return std::string();
    }

private:
    std::string bytes_;
};

class HelpFile : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(file_.valid()) << "no help file beside the program"; }
    HelpFileReader file_{BuildFolder() + "TESSRY3.HLP"};
};

TEST_F(HelpFile, OpensOnItsContentsUnderTheProgramsTitle)
{
    EXPECT_STREQ("Tessary Plus Help", file_.SystemRecord(kTitleRecord).c_str());
    const std::map<uint32_t, uint32_t> map = file_.ContextMap();
    ASSERT_EQ(1u, map.count(kHelpContentsTopic));
    EXPECT_EQ(map.at(kHelpContentsTopic), Word32(file_.SystemRecord(kContentsRecord), 0));
}

TEST_F(HelpFile, HoldsEveryTopicTheProgramAsksFor)
{
    const std::map<uint32_t, uint32_t> map = file_.ContextMap();
    std::ostringstream missing;
    for (int id = 1; id <= kLastCommandId; ++id) {
        const int topic = HelpTopicForCommand(id);
        if (topic > 0 && !map.count(topic))
            missing << " command " << id << " topic " << topic;
    }
    struct Row {
        const char* name;
        int topic;
    };
    const Row shown[] = {
        {"Options", 30000},        {"Colors and Shadows", 30028}, {"Define Styles", 30027},
        {"Edit Toolbar", 30030},   {"Arrowheads", 30039},         {"Rulers and Grids", 108},
        {"Text sizing", 30029},    {"Shape sizing", 30035},       {"Set Rotation Angle", 30050},
        {"Set Window Scale", 107}, {"Insert Symbol", 116},        {"GIF options", 30057},
        {"Define Footer", 30038},  {"Welcome", 30031},            {"Print", 30034},
        {"Print Setup", 30033},    {"Menus", 30005},              {"Import", 30023},
        {"Export", 30025},         {"Library notice", 127},       {"Select hint", 106},
        {"Connector hint", 207},   {"Link hint", 118},            {"Line tool hint", 122},
        {"Text tool hint", 112},   {"Sticky tool hint", 217},     {"Dimensions", 30055},
    };
    for (const Row& row : shown)
        if (!map.count(row.topic))
            missing << " " << row.name << " " << row.topic;
    for (const DWORD* pairs : {ToolEditHelpPairs(), ArrowHelpPairs(), StyleHelpPairs(), DefineStyleHelpPairs()})
        for (const DWORD* p = pairs; *p; p += 2)
            if (!map.count(p[1]))
                missing << " control " << p[0] << " topic " << p[1];
    EXPECT_EQ("", missing.str());
}

DWORD TopicOf(const DWORD* pairs, int id)
{
    for (const DWORD* p = pairs; *p; p += 2)
        if (static_cast<int>(p[0]) == id)
            return p[1];
    return 0;
}

TEST(DialogControlHelp, EachControlLeadsToItsTopic)
{
    struct Row {
        const char* name;
        const DWORD* pairs;
        int control;
        DWORD topic;
    };
    const Row rows[] = {
        {"toolbar width", ToolEditHelpPairs(), IDC_TOOLEDIT_WIDTH, 15022},
        {"toolbar height", ToolEditHelpPairs(), IDC_TOOLEDIT_HEIGHT, 15022},
        {"toolbar shape", ToolEditHelpPairs(), IDC_TOOLEDIT_SHAPE, 15021},
        {"toolbar adjustment", ToolEditHelpPairs(), IDC_TOOLEDIT_ADJUSTMENT, 15020},
        {"toolbar OK", ToolEditHelpPairs(), IDOK, 0},
        {"arrow sample", ArrowHelpPairs(), IDC_ARROW_SAMPLE, 15026},
        {"first start head", ArrowHelpPairs(), IDC_ARROW_START_FIRST, 15023},
        {"last start head", ArrowHelpPairs(), IDC_ARROW_START_LAST, 15023},
        {"first end head", ArrowHelpPairs(), IDC_ARROW_END_FIRST, 15024},
        {"last end head", ArrowHelpPairs(), IDC_ARROW_END_LAST, 15024},
        {"start set back", ArrowHelpPairs(), IDC_ARROW_START_DISPLACED, 15027},
        {"end normal", ArrowHelpPairs(), IDC_ARROW_END_NORMAL, 15027},
        {"arrow sizes", ArrowHelpPairs(), IDC_ARROW_SIZE_LAST, 15025},
        {"between the head groups", ArrowHelpPairs(), IDC_ARROW_START_LAST + 1, 0},
        {"style list", StyleHelpPairs(), IDC_STYLE_LIST, 15041},
        {"style Define", StyleHelpPairs(), IDC_STYLE_DEFINE, 15042},
        {"style reverse text", StyleHelpPairs(), IDC_STYLE_REVERSE_TEXT, 15007},
        {"style to fills", StyleHelpPairs(), IDC_STYLE_APPLY_FILLS, 15043},
        {"style to lines", StyleHelpPairs(), IDC_STYLE_APPLY_LINES, 15044},
        {"define list", DefineStyleHelpPairs(), IDC_STYLE_LIST, 15019},
        {"define name", DefineStyleHelpPairs(), IDC_DEFSTYLE_NAME, 15016},
        {"define highlight colour", DefineStyleHelpPairs(), IDC_DEFSTYLE_HIGHLIGHT, 15012},
        {"define shadow kinds", DefineStyleHelpPairs(), IDC_DEFSTYLE_KIND_LAST, 15011},
        {"define shadow angle", DefineStyleHelpPairs(), IDC_DEFSTYLE_DIR_FIRST, 15010},
        {"define Add", DefineStyleHelpPairs(), IDC_DEFSTYLE_ADD, 15015},
        {"define Delete", DefineStyleHelpPairs(), IDC_DEFSTYLE_DELETE, 15013},
        {"define sample", DefineStyleHelpPairs(), IDC_STYLE_SAMPLE, 15017},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.topic, TopicOf(row.pairs, row.control)) << row.name;
}

} // namespace

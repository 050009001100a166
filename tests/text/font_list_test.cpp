#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/io_seam.h"
#include "font_test_support.h"
#include "common/app_globals.h"
#include "text/document_fonts.h"
#include "text/font_dialogs.h"
#include "text/font_list.h"
#include "text/font_substitution.h"

namespace {

class FontLists : public testing::Test {
protected:
    void TearDown() override
    {
        SeamDisarm();
        WindowsMajorVersion = 4;
        TrueTypeFaceSeen = 0;
    }
};

} // namespace

TEST_F(FontLists, EnumerationKeepsOneEntryPerFaceAndCharacterSet)
{
    const FaceRow faces[] = {
        {"Arial", ANSI_CHARSET, 0x22, 0},
        {"Arial", RUSSIAN_CHARSET, 0x22, 0},
        {"ARIAL", ANSI_CHARSET, 0x22, 0},
        {"Fixedsys", ANSI_CHARSET, 0x31, 0},
    };
    const DWORD types[] = {TRUETYPE_FONTTYPE, TRUETYPE_FONTTYPE, TRUETYPE_FONTTYPE, RASTER_FONTTYPE};
    struct Case {
        const char* name;
        FONTENUMPROCA callback;
        std::vector<int> kinds;
    };
    const Case cases[] = {
        {"by family: face and character set", ExamineFontFamilies, {kFontTrueType, kFontTrueType, kFontRaster}},
        {"by face alone", ExamineFonts, {kFontTrueType, kFontRaster}},
    };
    for (const Case& c : cases) {
        HGLOBAL list = NewFontList();
        TrueTypeFaceSeen = 0;
        for (int i = 0; i < 4; ++i) {
            const LOGFONTA logFont = LogFontOf(faces[i]);
            EXPECT_EQ(1, c.callback(&logFont, nullptr, types[i], reinterpret_cast<LPARAM>(&list))) << c.name;
        }
        ASSERT_EQ(static_cast<int>(c.kinds.size()), FontListCount(list)) << c.name;
        for (size_t i = 0; i < c.kinds.size(); ++i) {
            FontListEntry entry;
            ASSERT_TRUE(GetFontListEntry(list, static_cast<int>(i), &entry));
            EXPECT_EQ(c.kinds[i], entry.kind) << c.name << " entry " << i;
            EXPECT_EQ(-1, entry.cacheSlotHint);
            EXPECT_EQ(16, entry.measuredHeight);
        }
        EXPECT_EQ(1, TrueTypeFaceSeen) << c.name;
        FreeFontList(list);
    }
}

TEST_F(FontLists, EnumerationStopsAtTheListLimit)
{
    struct Case {
        const char* name;
        FONTENUMPROCA callback;
        int limit;
    };
    const Case cases[] = {{"by family", ExamineFontFamilies, 1099}, {"by face", ExamineFonts, 1100}};
    for (const Case& c : cases) {
        HGLOBAL list = NewFontList();
        int lastAnswer = 1;
        for (int i = 0; i < 1200 && lastAnswer; ++i) {
            char face[LF_FACESIZE];
            wsprintfA(face, "Face %04d", i);
            const LOGFONTA logFont = LogFontOf({face, ANSI_CHARSET, 0x22, 0});
            lastAnswer = c.callback(&logFont, nullptr, TRUETYPE_FONTTYPE, reinterpret_cast<LPARAM>(&list));
        }
        EXPECT_EQ(0, lastAnswer) << c.name;
        EXPECT_EQ(c.limit, FontListCount(list)) << c.name;
        FreeFontList(list);
    }
}

TEST_F(FontLists, DefaultIsTheFirstAnsiTrueTypeFace)
{
    struct Case {
        const char* name;
        std::vector<FaceRow> faces;
        int expected;
    };
    const Case cases[] = {
        {"ANSI TrueType after others", {{"Sym", SYMBOL_CHARSET, 0x52, 2}, {"Ras", 0, 0x22, 0}, {"TT", 0, 0x22, 2}}, 2},
        {"no ANSI TrueType: first ANSI", {{"Sym", SYMBOL_CHARSET, 0x52, 2}, {"Ras", 0, 0x22, 0}, {"Dev", 0, 0x22, 1}},
         1},
        {"nothing ANSI", {{"Sym", SYMBOL_CHARSET, 0x52, 2}, {"Cyr", RUSSIAN_CHARSET, 0x22, 2}}, 0},
    };
    for (const Case& c : cases) {
        HGLOBAL list = MakeFontList(c.faces);
        EXPECT_EQ(c.expected, ChooseDefaultFontIndex(list)) << c.name;
        FreeFontList(list);
    }
}

TEST_F(FontLists, BuildingFromTheScreenListsFacesAndAnAnsiDefault)
{
    HGLOBAL list = MakeFontList({{"Stale", 0, 0, 0}});
    HDC screen = GetDC(nullptr);
    ASSERT_EQ(kErrNone, BuildFontList(nullptr, screen, &list));
    ReleaseDC(nullptr, screen);
    const int count = FontListCount(list);
    EXPECT_GT(count, 1);
    EXPECT_LT(count, 1100);
    EXPECT_EQ(ChooseDefaultFontIndex(list), GetDefaultFontIndex(list));
    EXPECT_EQ(-1, [&] {
        for (int i = 0; i < count; ++i)
            if (FaceAt(list, i) == "Stale")
                return i;
        return -1;
    }()) << "the list starts empty";
    FreeFontList(list);
}

TEST_F(FontLists, FindOrAddFace)
{
    HGLOBAL list = MakeFontList({{"Arial", ANSI_CHARSET, 0x22, 2}, {"Arial", RUSSIAN_CHARSET, 0x22, 2}});
    EXPECT_EQ(0, FindOrAddFace(&list, "arial", nullptr));
    EXPECT_EQ(1, FindOrAddFaceCharset(&list, "ARIAL", RUSSIAN_CHARSET, nullptr));
    const LOGFONTA given = LogFontOf({"No Such Face On Earth", ANSI_CHARSET, 0x12, 0});
    EXPECT_EQ(-1, FindOrAddFace(&list, "No Such Face On Earth", nullptr)) << "the system lacks it";
    EXPECT_EQ(2, FindOrAddFace(&list, "No Such Face On Earth", &given)) << "a given LOGFONT is taken";
    FontListEntry entry;
    ASSERT_TRUE(GetFontListEntry(list, 2, &entry));
    EXPECT_EQ(kFontTrueType, entry.kind);
    EXPECT_EQ(0x12, entry.logFont.lfPitchAndFamily);
    WindowsMajorVersion = 3;
    EXPECT_EQ(-1, FindOrAddFaceCharset(&list, "Arial", ANSI_CHARSET, nullptr));
    WindowsMajorVersion = 4;
    SeamArmFault(kSeamAlloc, 1, true);
    EXPECT_EQ(-1, FindOrAddFace(&list, "Another Face", &given)) << "no memory";
    SeamDisarm();
    EXPECT_EQ(3, FontListCount(list));
    FreeFontList(list);
}

TEST_F(FontLists, FreeSlotsAreReusedBeforeTheTableGrows)
{
    HGLOBAL table = MakeFontTable({3, -1, 5});
    EXPECT_EQ(2, FindOrAddFontIndex(&table, 5));
    EXPECT_EQ(1, FindOrAddFontIndex(&table, 9));
    EXPECT_EQ(3, FindOrAddFontIndex(&table, 7));
    EXPECT_EQ((std::vector<int>{3, 9, 5, 7}), TableSlots(table));
    EXPECT_EQ(16u + 16u, GlobalSize(table)) << "grows by four slots";
    EXPECT_EQ(4, FindOrAddFontIndex(&table, 8)) << "room left";
    EXPECT_EQ(32u, GlobalSize(table));
    GlobalFree(table);
    HGLOBAL none = nullptr;
    EXPECT_EQ(-1, FindOrAddFontIndex(&none, 1));
}

TEST_F(FontLists, PastedTablesJoinTheDocumentsFonts)
{
    HGLOBAL documentList = MakeFontList({{"Arial", 0, 0x22, 2}});
    HGLOBAL documentTable = MakeFontTable({0});
    HGLOBAL pastedList = MakeFontList({{"Courier New", 0, 0x31, 2}, {"Arial", 0, 0x22, 2}});
    HGLOBAL pastedTable = MakeFontTable({0, 1});
    EXPECT_EQ(0, MergeFontTables(&documentTable, pastedTable, pastedList, &documentList));
    EXPECT_EQ(2, FontListCount(documentList));
    EXPECT_EQ("Courier New", FaceAt(documentList, 1));
    EXPECT_EQ((std::vector<int>{0, 1}), TableSlots(documentTable));
    EXPECT_EQ((std::vector<int>{1, 0}), TableSlots(pastedTable)) << "pasted slots now name document slots";
    for (HGLOBAL block : {documentList, documentTable, pastedList, pastedTable})
        GlobalFree(block);
}

TEST_F(FontLists, MappingPrefersTheSameCharacterSet)
{
    HGLOBAL source = MakeFontList({{"Arial", RUSSIAN_CHARSET, 0x22, 2}, {"Tahoma", 0, 0x22, 2}});
    HGLOBAL target = MakeFontList({{"Arial", 0, 0x22, 2}, {"Arial", RUSSIAN_CHARSET, 0x22, 2}, {"Tahoma", 0, 0x22, 2}});
    HGLOBAL table = MakeFontTable({1, -1, 0});
    EXPECT_EQ(1, MapFontTableToList(table, source, &target));
    EXPECT_EQ((std::vector<int>{2, -1, 1}), TableSlots(table));
    EXPECT_EQ(0, MapFontTableToList(table, target, &target)) << "nothing changes the second time";
    for (HGLOBAL block : {source, target, table})
        GlobalFree(block);
}

TEST_F(FontLists, SlotFontsFollowTheTableAndTheFace)
{
    HGLOBAL list = MakeFontList({{"Arial", 0, 0x22, kFontTrueType}, {"Small Fonts", 0, 0x22, kFontRaster}});
    HGLOBAL table = MakeFontTable({1, 0});
    struct Case {
        const char* name;
        HGLOBAL table;
        int slot, size, style, width, trueTypeSeen;
        const char* face;
        LONG height, expectedWidth, weight;
        BYTE italic;
    };
    const Case cases[] = {
        {"slot names entry 1", table, 0, 10, 0, 0, 0, "Small Fonts", -83, 0, FW_NORMAL, 0},
        {"slot beyond the table draws with entry 0", table, 7, 10, 1, 0, 0, "Arial", -83, 0, FW_BOLD, 0},
        {"negative slot too", table, -1, 12, 2, 0, 0, "Arial", -100, 0, FW_NORMAL, 1},
        {"no table: the slot is the index", nullptr, 1, 72, 3, 0, 0, "Small Fonts", -600, 0, FW_BOLD, 1},
        {"width of a TrueType face", table, 1, 10, 0, 40, 0, "Arial", -83, 40, FW_NORMAL, 0},
        {"width of a raster face ignored", table, 0, 10, 0, 40, 0, "Small Fonts", -83, 0, FW_NORMAL, 0},
        {"unless a TrueType face was listed", table, 0, 10, 0, 40, 1, "Small Fonts", -83, 40, FW_NORMAL, 0},
    };
    for (const Case& c : cases) {
        TrueTypeFaceSeen = c.trueTypeSeen;
        LOGFONTA logFont;
        ASSERT_TRUE(BuildDocumentLogFont(list, c.table, c.slot, c.size, c.style, 450, c.width, 600, &logFont))
            << c.name;
        EXPECT_STREQ(c.face, logFont.lfFaceName) << c.name;
        EXPECT_EQ(c.height, logFont.lfHeight) << c.name;
        EXPECT_EQ(c.expectedWidth, logFont.lfWidth) << c.name;
        EXPECT_EQ(c.weight, logFont.lfWeight) << c.name;
        EXPECT_EQ(c.italic, logFont.lfItalic) << c.name;
        EXPECT_EQ(450, logFont.lfEscapement) << c.name;
    }
    LOGFONTA unused;
    EXPECT_FALSE(BuildDocumentLogFont(list, nullptr, 2, 10, 0, 0, 0, 600, &unused)) << "index beyond the list";
    EXPECT_EQ(nullptr, CreateDocumentFont(list, nullptr, 5, 10, 0, 0, 0, 600));
    HFONT font = CreateDocumentFont(list, table, 1, 10, 0, 0, 0, 600);
    EXPECT_NE(nullptr, font);
    DeleteObject(font);
    LOGFONTA outside;
    GetFontTableLogFont(list, table, 9, &outside);
    EXPECT_STREQ("", outside.lfFaceName);
    EXPECT_EQ(0, outside.lfCharSet);
    GlobalFree(table);
    FreeFontList(list);
}

// A raster face cannot be drawn at an escapement: turned text takes a
// TrueType face of the same size and style instead of piling up level.
TEST_F(FontLists, TurnedTextOfARasterFaceTakesATrueTypeStandIn)
{
    HGLOBAL list = MakeFontList({{"Times New Roman", 0, 0x12, kFontTrueType}, {"MS Sans Serif", 0, 0x22, kFontRaster}});
    HDC dc = CreateCompatibleDC(nullptr);
    struct Case {
        const char* name;
        int slot, escapement;
        const char* face;
    };
    const Case cases[] = {
        {"raster face level", 1, 0, "MS Sans Serif"},
        {"raster face turned up", 1, 900, "Arial"},
        {"raster face turned down", 1, 2700, "Arial"},
        {"TrueType face turned", 0, 900, "Times New Roman"},
    };
    for (const Case& c : cases) {
        HFONT font = CreateTurnedDocumentFont(dc, list, nullptr, c.slot, 12, kFontBold | kFontItalic, c.escapement, 0,
                                              600);
        ASSERT_NE(nullptr, font) << c.name;
        LOGFONTA made = {};
        GetObjectA(font, sizeof(made), &made);
        EXPECT_STREQ(c.face, made.lfFaceName) << c.name;
        EXPECT_EQ(c.escapement, made.lfEscapement) << c.name;
        EXPECT_EQ(c.escapement, made.lfOrientation) << c.name;
        EXPECT_EQ(-100, made.lfHeight) << c.name;
        EXPECT_EQ(FW_BOLD, made.lfWeight) << c.name;
        EXPECT_EQ(1, made.lfItalic) << c.name;
        EXPECT_TRUE(FontCanTurn(dc, font) || c.escapement == 0) << c.name;
        DeleteObject(font);
    }
    DeleteDC(dc);
    FreeFontList(list);
}

TEST_F(FontLists, FacesOfOtherSystemsFindAStandIn)
{
    struct Case {
        const char* name;
        const char* face;
        std::vector<FaceRow> list;
        const char* rewritten;
        const char* chosen;
    };
    const Case cases[] = {
        {"Helvetica becomes Arial", "Helvetica",
         {{"Tahoma", 0, 0x22, 2}, {"Arial", 0, 0x22, 2}}, "Arial", "Arial"},
        {"Zapf Dingbats: first decorative symbol face", "Zapf Dingbats",
         {{"Arial", 0, 0x22, 2}, {"Pi Roman", SYMBOL_CHARSET, 0x12, 2}, {"Pi Deco", SYMBOL_CHARSET, 0x52, 2},
          {"Pi Deco 2", SYMBOL_CHARSET, 0x52, 2}},
         "Monotype Sorts", "Pi Deco"},
        {"Zapf Dingbats: else the last symbol face", "Zapf Dingbats",
         {{"Arial", 0, 0x22, 2}, {"Pi Roman", SYMBOL_CHARSET, 0x12, 2}, {"Pi Swiss", SYMBOL_CHARSET, 0x22, 2}},
         "Monotype Sorts", "Pi Swiss"},
        {"Mac face by family", "geneva", {{"Roman", 0, 0x12, 2}, {"Swiss", 0, 0x22, 2}}, "geneva", "Swiss"},
        {"System stands aside for Arial", "geneva", {{"System", 0, 0x22, 0}, {"Arial", 0, 0x22, 2}}, "geneva",
         "Arial"},
        {"unknown face: roman family", "Quaint Old Face", {{"Swiss", 0, 0x22, 2}, {"Roman", 0, 0x12, 2}},
         "Quaint Old Face", "Roman"},
    };
    for (const Case& c : cases) {
        LOGFONTA reported;
        if (std::string(c.rewritten) != c.chosen && SystemHasFace(c.rewritten, DEFAULT_CHARSET, &reported)) {
            ADD_FAILURE() << c.name << ": this system has " << c.rewritten;
            continue;
        }
        HGLOBAL list = MakeFontList(c.list);
        char face[LF_FACESIZE];
        lstrcpyA(face, c.face);
        const int index = SubstituteFontFace(&list, face);
        EXPECT_STREQ(c.rewritten, face) << c.name;
        EXPECT_EQ(c.chosen, FaceAt(list, index)) << c.name;
        FreeFontList(list);
    }
}

TEST_F(FontLists, TextFontDialogRefusesAFaceOutsideTheList)
{
    HGLOBAL list = MakeFontList({{"Arial", 0, 0x22, 2}});
    HGLOBAL table = MakeFontTable({4});
    int slot = 0;
    int size = 10;
    int style = 0;
    EXPECT_EQ(-1, ChooseTextFont(nullptr, &list, &table, nullptr, &slot, &size, &style));
    slot = 3;
    EXPECT_EQ(-1, ChooseTextFont(nullptr, &list, nullptr, nullptr, &slot, &size, &style));
    GlobalFree(table);
    FreeFontList(list);
}

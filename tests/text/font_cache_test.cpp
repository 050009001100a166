#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "common/io_seam.h"
#include "font_test_support.h"
#include "common/app_globals.h"
#include "text/document_fonts.h"
#include "text/font_cache.h"

namespace {

// A fresh cache per test and a window standing in for the main window.
class FontCacheTest : public testing::Test {
protected:
    void SetUp() override
    {
        DestroyFontCache();
        ASSERT_EQ(kErrNone, CreateFontCache());
        FontFlushRequests = 0;
        TooManyFontsPosted = 0;
        savedMain_ = MainWindow;
        MainWindow = CreateWindowA("STATIC", "main", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, nullptr, nullptr);
        list_ = MakeFontList({{"Arial", 0, 0x22, kFontTrueType}, {"Courier New", 0, 0x31, kFontTrueType}});
    }
    void TearDown() override
    {
        SeamDisarm();
        DestroyFontCache();
        EXPECT_EQ(kErrNone, CreateFontCache());
        FreeFontList(list_);
        DestroyWindow(MainWindow);
        MainWindow = savedMain_;
    }

    HFONT Font(int slot, int size, int style = 0, int width = 0, int escapement = 0)
    {
        return GetCachedDocumentFont(list_, nullptr, slot, size, style, width, escapement, 600);
    }
    // Takes the waiting private messages out of the queue and counts them.
    int Drain(UINT message)
    {
        int count = 0;
        MSG waiting;
        while (PeekMessageA(&waiting, MainWindow, message, message, PM_REMOVE))
            ++count;
        return count;
    }

    HGLOBAL list_ = nullptr;
    HWND savedMain_ = nullptr;
};

} // namespace

TEST_F(FontCacheTest, SameRequestGivesTheSameFont)
{
    HFONT plain = Font(0, 12);
    ASSERT_NE(nullptr, plain);
    EXPECT_EQ(plain, Font(0, 12));
    EXPECT_EQ(1, FontsCreated);
    const HFONT others[] = {Font(0, 12, 1), Font(0, 12, 2), Font(0, 12, 0, 30), Font(0, 12, 0, 0, 900),
                            Font(0, 14), Font(1, 12)};
    for (HFONT other : others)
        EXPECT_NE(plain, other);
    EXPECT_EQ(7, FontsCreated);
    EXPECT_EQ(2, FontCacheSlotCount()) << "one slot per face";
    EXPECT_EQ(plain, Font(0, 12));
}

TEST_F(FontCacheTest, HeightsStayInAscendingOrder)
{
    std::map<int, HFONT> bySize;
    for (int size : {24, 12, 18, 12, 36, 6, 18})
        bySize[size] = Font(0, size);
    int32_t heights[16] = {};
    ASSERT_EQ(5, FontCacheHeights(0, heights, 16));
    EXPECT_EQ((std::vector<int32_t>{-300, -200, -150, -100, -50}), std::vector<int32_t>(heights, heights + 5));
    for (const auto& [size, font] : bySize)
        EXPECT_EQ(font, Font(0, size)) << size;
    EXPECT_EQ(5, FontsCreated);
}

TEST_F(FontCacheTest, FlushIsAskedAfterEightyFontsAndTheUserToldOnce)
{
    struct Round {
        int flushRequests;   // 1226 waiting after 82 new fonts
        int tooMany;         // 1227 waiting
    };
    const Round rounds[] = {{1, 0}, {1, 0}, {1, 0}, {1, 0}, {0, 1}, {0, 0}};
    int round = 0;
    for (const Round& expected : rounds) {
        ++round;
        for (int size = 1; size <= 79; ++size)
            ASSERT_NE(nullptr, Font(0, size));
        EXPECT_EQ(0, Drain(kMsgResetSharedFonts) + Drain(kMsgTooManyFonts)) << "round " << round << " before 80";
        Font(0, 80);
        Font(0, 81);
        Font(0, 82);
        EXPECT_EQ(expected.flushRequests, Drain(kMsgResetSharedFonts)) << "round " << round;
        EXPECT_EQ(expected.tooMany, Drain(kMsgTooManyFonts)) << "round " << round;
        FlushFontCache();
        EXPECT_EQ(0, FontsCreated);
        EXPECT_EQ(0, FontCacheSlotCount());
    }
    EXPECT_EQ(1, TooManyFontsPosted);
}

TEST_F(FontCacheTest, FontsPastEightyAskAgainOnlyWhenNoRequestWaits)
{
    for (int size = 1; size <= 80; ++size)
        Font(0, size);
    EXPECT_EQ(1, Drain(kMsgResetSharedFonts));
    Font(0, 81);
    EXPECT_EQ(1, Drain(kMsgResetSharedFonts)) << "the request was taken: ask again";
}

TEST_F(FontCacheTest, CacheHoldsAtMost1015Faces)
{
    std::vector<FaceRow> faces;
    std::vector<std::string> names(1016);
    for (int i = 0; i < 1016; ++i) {
        names[i] = "Face " + std::to_string(i);
        faces.push_back({names[i].c_str(), 0, 0x22, kFontTrueType});
    }
    HGLOBAL many = MakeFontList(faces);
    auto* head = static_cast<FontListHead*>(GlobalLock(many));
    for (int i = 0; i < 1015; ++i)
        ASSERT_EQ(i, FindFontCacheSlot(FontListEntries(head), i));
    EXPECT_EQ(-1, FindFontCacheSlot(FontListEntries(head), 1015));
    EXPECT_EQ(-1, FontListEntries(head)[1015].cacheSlotHint);
    GlobalUnlock(many);
    EXPECT_EQ(nullptr, GetCachedDocumentFont(many, nullptr, 1015, 10, 0, 0, 0, 600));
    EXPECT_NE(nullptr, GetCachedDocumentFont(many, nullptr, 1014, 10, 0, 0, 0, 600));
    FreeFontList(many);
}

TEST_F(FontCacheTest, StaleSlotHintsAreReplaced)
{
    auto* head = static_cast<FontListHead*>(GlobalLock(list_));
    FontListEntry* entries = FontListEntries(head);
    EXPECT_EQ(0, FindFontCacheSlot(entries, 0));
    EXPECT_EQ(1, FindFontCacheSlot(entries, 1));
    struct Case {
        const char* name;
        int hint;
    };
    const Case cases[] = {{"beyond the slots", 40}, {"another face's slot", 0}, {"negative", -5}};
    for (const Case& c : cases) {
        entries[1].cacheSlotHint = c.hint;
        EXPECT_EQ(1, FindFontCacheSlot(entries, 1)) << c.name;
        EXPECT_EQ(1, entries[1].cacheSlotHint) << c.name;
    }
    GlobalUnlock(list_);
    EXPECT_EQ(2, FontCacheSlotCount());
}

TEST_F(FontCacheTest, SizeListPositions)
{
    const int32_t heights[] = {-300, -200, -200, -100, -50};
    std::vector<int32_t> block(1 + 5 * 5, 0);
    block[0] = 5;
    for (int i = 0; i < 5; ++i)
        block[1 + 5 * i + 1] = heights[i];
    struct Case {
        int height;
        int lowest, highest;
    };
    const Case cases[] = {{-300, 0, 0}, {-250, 1, 1}, {-200, 1, 2}, {-150, 3, 3}, {-100, 3, 3}, {-50, 4, 4}};
    for (const Case& c : cases) {
        const int position = FindSizeListPosition(block.data(), c.height);
        EXPECT_GE(position, c.lowest) << c.height;
        EXPECT_LE(position, c.highest) << c.height;
    }
}

TEST_F(FontCacheTest, FontsNeedACache)
{
    DestroyFontCache();
    EXPECT_EQ(nullptr, Font(0, 12));
    FlushFontCache();
    ASSERT_EQ(kErrNone, CreateFontCache());
    EXPECT_NE(nullptr, Font(0, 12));
    SeamArmFault(kSeamAlloc, 1, true);
    EXPECT_EQ(nullptr, Font(0, 13)) << "no memory for the size list";
    EXPECT_EQ(nullptr, Font(1, 12)) << "no memory for a new slot";
}

#include <gtest/gtest.h>

#include "common/handle_words.h"

namespace {

struct Stored {
    int16_t kind;
    uint16_t flags;
    int32_t id;
};
CHECK_FIELD_OFFSET(Stored, flags, 2);
CHECK_FIELD_OFFSET(Stored, id, 4);

} // namespace

TEST(HandleWords, LittleEndianLayout)
{
    uint8_t bytes[4] = {};
    WriteLeU32(bytes, 0x11223344u);
    EXPECT_EQ(0x44, bytes[0]);
    EXPECT_EQ(0x33, bytes[1]);
    EXPECT_EQ(0x22, bytes[2]);
    EXPECT_EQ(0x11, bytes[3]);
    EXPECT_EQ(0x11223344u, ReadLeU32(bytes));
    EXPECT_EQ(0x3344, ReadLeU16(bytes));

    const int32_t values32[] = {0, 1, -1, INT32_MIN, INT32_MAX, -600};
    for (int32_t v : values32) {
        WriteLeI32(bytes, v);
        EXPECT_EQ(v, ReadLeI32(bytes)) << v;
    }
    const int16_t values16[] = {0, 1, -1, INT16_MIN, INT16_MAX, -600};
    for (int16_t v : values16) {
        WriteLeI16(bytes, v);
        EXPECT_EQ(v, ReadLeI16(bytes)) << v;
    }
    WriteLeU16(bytes, 0xFFFE);
    EXPECT_EQ(0xFE, bytes[0]);
    EXPECT_EQ(0xFFFE, ReadLeU16(bytes));
}

TEST(HandleWords, WindowHandleSurvivesA32BitWord)
{
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, window);
    const int32_t word = HandleToWord(window);
    EXPECT_EQ(window, WordToHandle<HWND>(word));
    DestroyWindow(window);
}

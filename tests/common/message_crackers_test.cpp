#include <gtest/gtest.h>

#include "common/message_crackers.h"

namespace {

// High bits a 64-bit wParam may carry; only the low 32 bits are the message's.
const WPARAM kNoise = static_cast<WPARAM>(0xABCD) << 32;

HWND FakeWindow(LPARAM value) { return reinterpret_cast<HWND>(value); }

} // namespace

TEST(Crackers, CrackCommandSplitsWords)
{
    struct Case {
        WPARAM wParam;
        LPARAM lParam;
        int id;
        UINT code;
    };
    const Case cases[] = {
        {MAKEWPARAM(30001, 0), 0, 30001, 0},
        {MAKEWPARAM(102, EN_CHANGE), 0x1234, 102, EN_CHANGE},
        {MAKEWPARAM(0xFFFF, 0xFFFE), 0x10, 0xFFFF, 0xFFFE},
        {kNoise | MAKEWPARAM(7, 1), 0x7FFF0000, 7, 1},
    };
    for (const Case& c : cases) {
        int id = -1;
        UINT code = 99;
        HWND control = nullptr;
        EXPECT_EQ(c.lParam, CrackCommand(c.wParam, c.lParam, &id, &code, &control));
        EXPECT_EQ(c.id, id);
        EXPECT_EQ(c.code, code);
        EXPECT_EQ(FakeWindow(c.lParam), control);
    }
}

TEST(Crackers, CrackScrollSplitsWords)
{
    struct Case {
        WPARAM wParam;
        int code;
        int position;
    };
    const Case cases[] = {
        {MAKEWPARAM(SB_THUMBTRACK, 120), SB_THUMBTRACK, 120},
        {MAKEWPARAM(SB_THUMBPOSITION, 40000), SB_THUMBPOSITION, 40000},
        {kNoise | MAKEWPARAM(SB_LINEDOWN, 0), SB_LINEDOWN, 0},
    };
    for (const Case& c : cases) {
        int code = -1;
        int position = -1;
        HWND bar = nullptr;
        CrackScroll(c.wParam, 0x4321, &code, &position, &bar);
        EXPECT_EQ(c.code, code);
        EXPECT_EQ(c.position, position);
        EXPECT_EQ(FakeWindow(0x4321), bar);
    }
}

TEST(Crackers, CrackActivateAnyArgumentOrder)
{
    const WPARAM wParam = kNoise | MAKEWPARAM(WA_CLICKACTIVE, 1);
    const LPARAM lParam = 0x5678;
    int state = -1;
    EXPECT_EQ(FakeWindow(lParam), CrackActivate(lParam, wParam, &state));
    EXPECT_EQ(WA_CLICKACTIVE, state);
    state = -1;
    EXPECT_EQ(FakeWindow(lParam), CrackActivate(wParam, lParam, &state));
    EXPECT_EQ(WA_CLICKACTIVE, state);
    HWND other = nullptr;
    EXPECT_EQ(WA_CLICKACTIVE, CrackActivate(wParam, lParam, &other));
    EXPECT_EQ(FakeWindow(lParam), other);
}

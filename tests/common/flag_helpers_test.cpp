#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>

#include "common/flag_helpers.h"

TEST(Flag, SetFlagBitsSetsAndClearsMask)
{
    struct Case {
        const char* name;
        uint32_t start;
        uint32_t mask;
        int set;
        uint32_t expected;
    };
    const Case cases[] = {
        {"set one bit", 0x10, 0x01, 1, 0x11},
        {"set several", 0x0, 0x8000000F, 1, 0x8000000F},
        {"set already set", 0x3, 0x1, 1, 0x3},
        {"any nonzero sets", 0x0, 0x4, -7, 0x4},
        {"clear bits", 0xFFFFFFFF, 0x00F0000F, 0, 0xFF0FFFF0},
        {"clear absent bits leaves word", 0x1200, 0x0011, 0, 0x1200},
        {"clear top bit", 0x80000001, 0x80000000, 0, 0x1},
    };
    for (const Case& c : cases) {
        uint32_t word = c.start;
        SetFlagBits(&word, c.mask, c.set);
        EXPECT_EQ(c.expected, word) << c.name;
        // The Windows spellings of a 32-bit word behave the same.
        DWORD dword = c.start;
        SetFlagBits(&dword, c.mask, c.set);
        EXPECT_EQ(c.expected, dword) << c.name;
        LONG signedWord = static_cast<LONG>(c.start);
        SetFlagBits(&signedWord, c.mask, c.set);
        EXPECT_EQ(c.expected, static_cast<uint32_t>(signedWord)) << c.name;
    }
}

TEST(Flag, SetFlagBits16TouchesOnlyItsBit)
{
    struct Case {
        const char* name;
        uint16_t start;
        uint16_t mask;
        int set;
        uint16_t expected;
    };
    const Case cases[] = {
        {"set low", 0x0000, 0x0001, 1, 0x0001},
        {"set top", 0x0102, 0x8000, 1, 0x8102},
        {"clear top", 0xFFFF, 0x8000, 0, 0x7FFF},
        {"clear absent", 0x0F0F, 0x0010, 0, 0x0F0F},
    };
    for (const Case& c : cases) {
        uint16_t word = c.start;
        SetFlagBits16(&word, c.mask, c.set);
        EXPECT_EQ(c.expected, word) << c.name;
        int16_t signedWord = static_cast<int16_t>(c.start);
        SetFlagBits16(&signedWord, c.mask, c.set);
        EXPECT_EQ(c.expected, static_cast<uint16_t>(signedWord)) << c.name;
    }
}

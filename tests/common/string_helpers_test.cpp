#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/string_helpers.h"

TEST(String, LoadStrLoadsTitle)
{
    char buffer[kStringBufferSize];
    EXPECT_EQ(kErrNone, LoadStr(502, buffer));
    EXPECT_STREQ("Tessary Plus", buffer);
}

TEST(String, LoadStrOfMissingIdEmptiesBuffer)
{
    char buffer[kStringBufferSize];
    strcpy(buffer, "left over");
    EXPECT_EQ(kErrStringOrFormat, LoadStr(64999, buffer));
    EXPECT_STREQ("", buffer);
}

TEST(String, SplitDeviceStringCases)
{
    struct Case {
        const char* name;
        const char* input;
        const char* device;
        const char* driver; // null when it stays unset
        const char* port;
    };
    const Case cases[] = {
        {"three parts", "HP LaserJet 4,HPPCL5MS,LPT1:", "HP LaserJet 4", "HPPCL5MS", "LPT1:"},
        {"blanks after commas", "HP LaserJet 4,   HPPCL5MS,  LPT1:", "HP LaserJet 4", "HPPCL5MS", "LPT1:"},
        {"blanks before commas stay", "Dev ,Drv ,Port", "Dev ", "Drv ", "Port"},
        {"no comma", "Generic", "Generic", nullptr, nullptr},
        {"two parts", "Generic,winspool", "Generic", "winspool", nullptr},
        {"more parts: last is the port", "A,B,C,D", "A", "B", "D"},
        {"trailing comma", "A,", "A", "", nullptr},
        {"empty", "", "", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        char text[128];
        strcpy(text, c.input);
        char* driver = text;
        char* device = text;
        char* port = text;
        EXPECT_EQ(kErrNone, SplitDeviceString(text, &driver, &device, &port)) << c.name;
        ASSERT_NE(nullptr, device) << c.name;
        EXPECT_STREQ(c.device, device) << c.name;
        if (c.driver)
            EXPECT_STREQ(c.driver, driver ? driver : "(null)") << c.name;
        else
            EXPECT_EQ(nullptr, driver) << c.name;
        if (c.port)
            EXPECT_STREQ(c.port, port ? port : "(null)") << c.name;
        else
            EXPECT_EQ(nullptr, port) << c.name;
    }
}

TEST(String, SplitDeviceStringWithoutStringIsNoMemory)
{
    char dummy = 0;
    char* driver = &dummy;
    char* device = &dummy;
    char* port = &dummy;
    EXPECT_EQ(kErrNoMemory, SplitDeviceString(nullptr, &driver, &device, &port));
    EXPECT_EQ(nullptr, driver);
    EXPECT_EQ(nullptr, device);
    EXPECT_EQ(nullptr, port);
}

TEST(String, GetTextExtentPackedPacksHeightAndWidth)
{
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, GetStockObject(ANSI_VAR_FONT));
    const char text[] = "Tessary Plus drawing";
    for (int count : {0, 1, 7, 20}) {
        SIZE size = {0, 0};
        GetTextExtentPoint32A(dc, text, count, &size);
        const DWORD packed = static_cast<DWORD>(GetTextExtentPacked(dc, text, count));
        EXPECT_EQ(static_cast<DWORD>(size.cx), packed & 0xFFFF) << count;
        EXPECT_EQ(static_cast<DWORD>(size.cy), packed >> 16) << count;
    }
    SIZE seven = {0, 0};
    GetTextExtentPoint32A(dc, text, 7, &seven);
    EXPECT_GT(seven.cx, 0);
    DeleteDC(dc);
}

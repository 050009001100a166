#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "support/test_paths.h"

namespace {

typedef std::tuple<int, int, int> AcceleratorEntry;  // flags, key, command

const int kControl = FVIRTKEY | FCONTROL | FNOINVERT;
const int kShift = FVIRTKEY | FSHIFT | FNOINVERT;
const int kPlain = FVIRTKEY | FNOINVERT;

const AcceleratorEntry kExpected[] = {
    {kControl, 'A', 218},       {kControl, 'B', 606},        {kControl, 'C', 203},
    {kControl, VK_INSERT, 203}, {kControl, 'D', 206},        {kControl, 'G', 711},
    {kControl | FSHIFT, 'G', 712}, {kControl, 'I', 607},     {kControl, 'N', 101},
    {kControl, 'O', 102},       {kControl, 'P', 107},        {kControl, 'Q', 110},
    {kControl, 'S', 104},       {kControl, 'T', 601},        {kControl, 'U', 604},
    {kControl, 'V', 204},       {kShift, VK_INSERT, 204},    {kControl, 'W', 103},
    {kControl, 'X', 202},       {kShift, VK_DELETE, 202},    {kControl, 'Z', 201},
    {FVIRTKEY | FALT | FNOINVERT, VK_BACK, 201}, {kControl, VK_ADD, 602}, {kControl, VK_SUBTRACT, 603},
    {kPlain, VK_ESCAPE, 999},   {kPlain, VK_F1, 901},        {kShift, VK_F1, 998},
    {kPlain, VK_F11, 740},
};

} // namespace

// The table the message loop uses, read from the program file itself.
TEST(ProgramAccelerators, MDMenuHoldsEveryShortcut)
{
    const std::string program = BuildFolder() + "tessary.exe";
    HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module);
    HACCEL table = LoadAcceleratorsA(module, "MDMenu");
    ASSERT_NE(nullptr, table);
    ACCEL entries[64];
    const int count = CopyAcceleratorTableA(table, entries, 64);
    std::set<AcceleratorEntry> found;
    for (int i = 0; i < count; ++i)
        found.insert(AcceleratorEntry(entries[i].fVirt & 0x7F, entries[i].key, entries[i].cmd));
    const std::set<AcceleratorEntry> expected(std::begin(kExpected), std::end(kExpected));
    EXPECT_EQ(expected, found);
    EXPECT_EQ(28, count);
    DestroyAcceleratorTable(table);
    FreeLibrary(module);
}

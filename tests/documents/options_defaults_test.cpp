// The options' defaults: the record, the library windows, the toolbar, the
// standard colour styles and the symbol fonts.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "objects/color_style.h"
#include "documents/options_file.h"
#include "documents/recent_files.h"
#include "common/io_seam.h"
#include "options_fixture.h"

namespace {

std::string ProgramFolder()
{
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    *std::strrchr(module, '\\') = '\0';
    return module;
}

class OptionsDefaults : public OptionsTest {};

TEST_F(OptionsDefaults, RecordFields)
{
    const OptionsRecord& o = options();
    const std::string folder = ProgramFolder();
    EXPECT_EQ(0x4336, o.flags);
    EXPECT_EQ(0, o.printOptions);
    const int32_t drawing[6] = {12, 12, 10, 0, 6, 6};
    EXPECT_EQ(0, std::memcmp(drawing, o.drawingDefaults, sizeof(drawing)));
    EXPECT_EQ(1, o.rulerDefaults.shown);
    EXPECT_EQ(1, o.rulerDefaults.screenUnit);
    EXPECT_EQ(100.0, o.rulerDefaults.majorLength);
    EXPECT_EQ(12, o.rulerDefaults.divisions);
    EXPECT_EQ(1.0, o.rulerDefaults.labelValue);
    EXPECT_EQ(1, o.rulerDefaults.labelUnit);
    EXPECT_STREQ("Times New Roman", o.defaultFont.lfFaceName);
    EXPECT_EQ(0, o.defaultFont.lfCharSet);
    EXPECT_EQ(folder, o.drawingsFolder);
    EXPECT_EQ(folder, o.exportFolder);
    EXPECT_EQ(folder, o.importFolder);
    EXPECT_EQ(folder + "\\library\\percomp", o.librariesFolder);
    EXPECT_EQ(folder + "\\DIAGRAMS\\", o.templatePath);
    EXPECT_EQ(folder + "\\library\\percomp\\PC1.vxl", o.lastLibrary);
    EXPECT_STREQ("", o.keyword);
    EXPECT_EQ(101, o.exportPictureType);
    EXPECT_EQ(101, o.importPictureType);
    EXPECT_EQ(0, o.tipNumber);
    EXPECT_STREQ("Arial", o.footerFont.lfFaceName);
    EXPECT_EQ(-66, o.footerFont.lfHeight);
    EXPECT_EQ(0, o.footerFont.lfWidth);
    EXPECT_EQ(7, o.footerFont.lfOutPrecision);
    EXPECT_EQ(60, o.footerPosition);
    EXPECT_EQ(0, o.quickPreviews);
    EXPECT_EQ(117, o.symbolCharacter);
    EXPECT_EQ(0, o.symbolFont);
    EXPECT_EQ(0, o.moreFlags);
    EXPECT_EQ(0, o.attachmentType);
    EXPECT_EQ(-1, OldOptionsStore);
}

TEST_F(OptionsDefaults, ColorTableRows)
{
    struct Row {
        int entry;
        COLORREF color;
    };
    const Row rows[] = {{0, RGB(160, 0, 0)},      {7, RGB(0, 0, 0)},         {15, RGB(128, 128, 128)},
                        {23, RGB(160, 160, 164)}, {34, RGB(244, 255, 192)}, {47, RGB(255, 255, 255)}};
    for (const Row& row : rows)
        EXPECT_EQ(row.color, options().colorTable[row.entry]) << "entry " << row.entry;
}

TEST_F(OptionsDefaults, ToolbarSlots)
{
    struct Row {
        int slot, width, height, kind, type, sizing;
        double adjustment;
    };
    const Row rows[] = {
        {0, 600, 600, 1, 1, 0, 0.0},   {1, 600, 150, 2, 0, 0, 0.0},  {3, 300, 2, 3, 0, 0, 0.0},
        {5, 600, 300, 0, 3, 0, 0.2},   {8, 600, 360, 0, 6, 0, 0.0},  {11, 300, 300, 0, 9, 3, 0.0},
        {16, 600, 300, 0, 19, 0, 0.33}, {21, 600, 300, 0, 25, 0, 0.2},
    };
    for (const Row& row : rows) {
        const ToolbarSlot& slot = options().toolbar[row.slot];
        SCOPED_TRACE(row.slot);
        EXPECT_EQ(row.width, slot.width);
        EXPECT_EQ(row.height, slot.height);
        EXPECT_EQ(row.kind, slot.kind);
        EXPECT_EQ(row.type, slot.type);
        EXPECT_EQ(row.sizing, slot.sizing);
        EXPECT_EQ(row.adjustment, slot.adjustment);
    }
}

TEST_F(OptionsDefaults, LibraryWindows)
{
    const std::string folder = ProgramFolder() + "\\";
    struct Row {
        int entry, x, y, open;
        std::string folder, file;
    };
    const Row rows[] = {
        {0, 300, 100, 1, folder + "library\\percomp\\", "PC1.vxl"},
        {1, 350, 150, 0, folder + "library\\comput\\", "SERVERS2.vxl"},
        {2, 400, 200, 0, folder + "library\\PERCOMP\\", "PRINTER1.vxl"},
        {3, 450, 250, 0, folder + "library\\LAN\\", "SWITCHE2.vxl"},
        {4, 200, 130, 0, folder, ""},
        {15, 475, 350, 0, folder, ""},
    };
    for (const Row& row : rows) {
        const SavedLibraryWindow& window = options().libraryWindows[row.entry];
        SCOPED_TRACE(row.entry);
        EXPECT_EQ(row.x, window.x);
        EXPECT_EQ(row.y, window.y);
        EXPECT_EQ(row.open, window.open);
        EXPECT_EQ(0, window.minimized);
        EXPECT_EQ(4, window.width);
        EXPECT_EQ(10, window.height);
        EXPECT_EQ(row.folder, window.folder);
        EXPECT_EQ(row.file, window.fileName);
    }
}

TEST_F(OptionsDefaults, StandardStyles)
{
    const std::vector<uint8_t> list = StylesSnapshot();
    int32_t count = 0, current = -1;
    std::memcpy(&count, list.data(), 4);
    std::memcpy(&current, list.data() + 4, 4);
    ASSERT_EQ(25, count);
    EXPECT_EQ(0, current);
    struct Row {
        int index;
        const char* name;
        COLORREF fill, background;
        int dx, dy, kind;
        uint32_t flags;
    };
    const Row rows[] = {
        {0, "Black & White", RGB(255, 255, 255), 0xFFFFFFFF, 0, 0, 0, 12},
        {2, "B & W: Cont. Shadow", RGB(255, 255, 255), 0xFFFFFFFF, 24, 24, 3, 0},
        {5, "3D Sunken", RGB(192, 192, 192), RGB(192, 192, 192), 6, 6, 2, 3},
        {16, "Color on White", RGB(160, 224, 255), RGB(255, 255, 255), 24, 24, 4, 1},
        {24, "Logo", RGB(192, 192, 192), RGB(224, 224, 224), 6, 6, 1, 7},
    };
    for (const Row& row : rows) {
        ColorStyle style;
        std::memcpy(&style, list.data() + kColorStyleListHead + sizeof(ColorStyle) * row.index, sizeof(style));
        SCOPED_TRACE(row.name);
        EXPECT_STREQ(row.name, style.name);
        EXPECT_EQ(row.fill, style.fillColor);
        EXPECT_EQ(row.background, style.backgroundColor);
        EXPECT_EQ(RGB(255, 255, 255), style.highlightColor);
        EXPECT_EQ(row.dx, style.shadowDx);
        EXPECT_EQ(row.dy, style.shadowDy);
        EXPECT_EQ(row.kind, style.shadowKind);
        EXPECT_EQ(row.flags, style.flags);
    }
}

TEST_F(OptionsDefaults, SymbolFontsAndCharacters)
{
    ASSERT_EQ(2, SymbolFontCount);
    const auto* fonts = static_cast<const LOGFONTA*>(GlobalLock(SymbolFonts));
    EXPECT_STREQ("Arial", fonts[0].lfFaceName);
    EXPECT_STREQ("Symbol", fonts[1].lfFaceName);
    EXPECT_EQ(SYMBOL_CHARSET, fonts[1].lfCharSet);
    EXPECT_EQ(-66, fonts[1].lfHeight);
    GlobalUnlock(SymbolFonts);
    char characters[256] = {};
    ASSERT_NE(0u, GlobalGetAtomNameA(SymbolCharsAtom, characters, sizeof(characters)));
    EXPECT_EQ(224u, std::strlen(characters));
    EXPECT_EQ(' ', characters[0]);
    EXPECT_EQ(static_cast<char>(255), characters[223]);
}

TEST_F(OptionsDefaults, RecentFilesStartEmptyAndChanged)
{
    ASSERT_NE(nullptr, RecentFiles);
    EXPECT_EQ(0, RecentFiles->count);
    EXPECT_EQ(1, RecentFiles->changed);
    const size_t length = std::strlen(RecentFiles->folder);
    ASSERT_GT(length, 0u);
    EXPECT_EQ('\\', RecentFiles->folder[length - 1]);
}

TEST_F(OptionsDefaults, SaveAndFreeTwiceWritesOnce)
{
    OptionsPathAtom = GlobalAddAtomA(path_.c_str());
    SaveAndFreeOptions();
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path_.c_str()));
    EXPECT_EQ(nullptr, AppOptions);
    EXPECT_EQ(nullptr, RecentFiles);
    EXPECT_EQ(nullptr, ColorStyles);
    EXPECT_EQ(0, OptionsPathAtom);
    DeleteFileA(path_.c_str());
    SaveAndFreeOptions();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path_.c_str()));
}

TEST_F(OptionsDefaults, FailedAllocationReportsNoMemory)
{
    FreeOptions();
    for (long nth = 1; nth <= 4; ++nth) {
        SeamArmFault(kSeamAlloc, nth, false);
        EXPECT_EQ(kErrNoMemory, CreateDefaultOptions()) << "allocation " << nth;
        SeamDisarm();
        EXPECT_EQ(-1, OldOptionsStore);
        FreeOptions();
    }
    MakeDefaults();
}

} // namespace

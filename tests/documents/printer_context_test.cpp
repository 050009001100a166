#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/io_seam.h"
#include "documents/page_layout.h"
#include "documents/printer_context.h"
#include "objects/view_record.h"

namespace {

HGLOBAL MakeDevMode(short paper, short width, short length, short orientation)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODEA));
    auto* mode = static_cast<DEVMODEA*>(GlobalLock(block));
    mode->dmSize = sizeof(DEVMODEA);
    mode->dmPaperSize = paper;
    mode->dmPaperWidth = width;
    mode->dmPaperLength = length;
    mode->dmOrientation = orientation;
    mode->dmScale = 10;
    GlobalUnlock(block);
    return block;
}

DEVMODEA CopyOf(HGLOBAL block)
{
    DEVMODEA mode = {};
    std::memcpy(&mode, GlobalLock(block), sizeof(mode));
    GlobalUnlock(block);
    return mode;
}

bool HasDefaultPrinter()
{
    char printer[kPrinterStringSize];
    GetDefaultPrinterString(printer);
    return printer[0] != '\0';
}

class PrinterContext : public testing::Test {
protected:
    void SetUp() override { MeasureSystem = 1; }
    void TearDown() override { MeasureSystem = 1; }
};

} // namespace

TEST_F(PrinterContext, PageComesFromThePaperInTenthsOfAMillimetre)
{
    struct Case {
        const char* name;
        short width, length;
        LONG pageWidth, pageHeight;
    };
    const Case cases[] = {
        {"A4", 2100, 2970, 4960, 7015},
        {"Letter", 2159, 2794, 5100, 6600},
        {"Legal", 2159, 3556, 5100, 8400},
        {"A3", 2970, 4200, 7015, 9921},
    };
    for (const Case& c : cases) {
        HGLOBAL mode = MakeDevMode(0, c.width, c.length, DMORIENT_PORTRAIT);
        SIZE page = {0, 0};
        RECT margins = {1, 2, 3, 4};
        GetPageMetrics(nullptr, mode, &page, &margins);
        EXPECT_EQ(c.pageWidth, page.cx) << c.name;
        EXPECT_EQ(c.pageHeight, page.cy) << c.name;
        EXPECT_EQ(0, margins.left | margins.top | margins.right | margins.bottom) << c.name;
        GlobalFree(mode);
    }
}

TEST_F(PrinterContext, WithoutAPrinterANewDocumentGetsTheDefaultPaperAndALetterPage)
{
    if (HasDefaultPrinter())
        GTEST_SKIP() << "a default printer exists";
    struct Case {
        const char* name;
        int measureSystem;
        short paper, width, length;
    };
    const Case cases[] = {
        {"US measures: Letter", 1, DMPAPER_LETTER, 2159, 2794},
        {"metric: A4", 0, DMPAPER_A4, 2100, 2970},
    };
    for (const Case& c : cases) {
        MeasureSystem = c.measureSystem;
        HGLOBAL mode = MakeDevMode(DMPAPER_A3, 2970, 4200, DMORIENT_LANDSCAPE);
        char printer[kPrinterStringSize] = "";
        SIZE page = {1, 1};
        RECT margins = {5, 5, 5, 5};
        int isDefault = 0;
        HDC context = OpenPrinterContext(printer, &mode, &margins, &page, kPrinterNewDefault, 0, &isDefault, nullptr);
        ASSERT_NE(nullptr, context) << c.name;
        EXPECT_EQ(1, isDefault) << c.name;
        EXPECT_STREQ("", printer) << c.name;
        EXPECT_EQ(5100, page.cx) << c.name;
        EXPECT_EQ(6600, page.cy) << c.name;
        EXPECT_EQ(0, margins.left | margins.top | margins.right | margins.bottom) << c.name;
        const DEVMODEA dm = CopyOf(mode);
        EXPECT_EQ(c.paper, dm.dmPaperSize) << c.name;
        EXPECT_EQ(c.width, dm.dmPaperWidth) << c.name;
        EXPECT_EQ(c.length, dm.dmPaperLength) << c.name;
        EXPECT_EQ(DMORIENT_PORTRAIT, dm.dmOrientation) << c.name;
        EXPECT_EQ(100, dm.dmScale) << c.name;
        EXPECT_EQ(1, dm.dmCopies) << c.name;
        EXPECT_EQ(0x111u, dm.dmFields) << c.name;
        EXPECT_EQ(static_cast<WORD>(sizeof(DEVMODEA)), dm.dmSize) << c.name;
        // The measuring context: memory, 600 units per inch, baseline text.
        EXPECT_EQ(OBJ_MEMDC, static_cast<int>(GetObjectType(context))) << c.name;
        EXPECT_EQ(MM_ANISOTROPIC, GetMapMode(context)) << c.name;
        SIZE extent;
        GetWindowExtEx(context, &extent);
        EXPECT_EQ(600, extent.cx) << c.name;
        EXPECT_EQ(static_cast<UINT>(TA_BASELINE), GetTextAlign(context) & TA_BASELINE) << c.name;
        EXPECT_EQ(TRANSPARENT, GetBkMode(context)) << c.name;
        DeleteDC(context);
        GlobalFree(mode);
    }
}

TEST_F(PrinterContext, StoredSettingsOfAMissingPrinterFallBackToTheDefault)
{
    if (HasDefaultPrinter())
        GTEST_SKIP() << "a default printer exists";
    HGLOBAL mode = MakeDevMode(DMPAPER_A4, 2100, 2970, DMORIENT_LANDSCAPE);
    char printer[kPrinterStringSize] = "Gone Printer,winspool,LPT9:";
    SIZE page = {1234, 5678};
    RECT margins = {5, 5, 5, 5};
    int isDefault = 0;
    HDC context = OpenPrinterContext(printer, &mode, &margins, &page, kPrinterUseStored, 0, &isDefault, nullptr);
    ASSERT_NE(nullptr, context);
    EXPECT_STREQ("", printer) << "replaced by the (missing) default printer";
    EXPECT_EQ(5100, page.cx);
    EXPECT_EQ(6600, page.cy);
    EXPECT_EQ(DMPAPER_LETTER, CopyOf(mode).dmPaperSize);
    DeleteDC(context);
    GlobalFree(mode);
}

TEST_F(PrinterContext, PrintableAreaFollowsMarginsAndOverlap)
{
    struct Case {
        const char* name;
        RECT deviceMargins;
        int overlap;
        RECT margins;
        int printableWidth, printableHeight;
    };
    const Case cases[] = {
        {"no margins", {0, 0, 0, 0}, 0, {0, 0, 0, 0}, 5100, 6600},
        {"margins", {100, 150, 120, 170}, 0, {100, 150, 120, 170}, 4880, 6280},
        {"negative margins count as 0", {-30, 150, -1, 170}, 0, {0, 150, 0, 170}, 5100, 6280},
        {"overlap shrinks only where the page differs", {0, 150, 0, 170}, 100, {0, 150, 0, 170}, 5100, 6180},
        {"overlap on both sides", {60, 60, 60, 60}, 100, {60, 60, 60, 60}, 4880, 6380},
    };
    for (const Case& c : cases) {
        ViewRecord view = {};
        view.overlap = c.overlap;
        ApplyPageMeasures(&view, SIZE{5100, 6600}, c.deviceMargins);
        EXPECT_TRUE(EqualRect(&c.margins, &view.margins)) << c.name;
        EXPECT_TRUE(EqualRect(&c.deviceMargins, &view.deviceMargins)) << c.name;
        EXPECT_EQ(c.printableWidth, view.printableWidth) << c.name;
        EXPECT_EQ(c.printableHeight, view.printableHeight) << c.name;
    }
}

TEST_F(PrinterContext, DrawingAreaFollowsThePageSizedFlag)
{
    struct Case {
        const char* name;
        uint32_t flags;
        short orientation;
        int width, height;
    };
    const Case cases[] = {
        {"free area", 0, DMORIENT_PORTRAIT, 30000, 30000},
        {"page-sized portrait", kViewPageSizedArea, DMORIENT_PORTRAIT, 4800, 6000},
        {"page-sized landscape", kViewPageSizedArea, DMORIENT_LANDSCAPE, 6000, 4800},
    };
    for (const Case& c : cases) {
        HGLOBAL mode = MakeDevMode(DMPAPER_LETTER, 2159, 2794, c.orientation);
        ViewRecord view = {};
        view.flags = c.flags;
        SetDrawingAreaFromFlags(&view, mode);
        EXPECT_EQ(c.width, view.drawingWidth) << c.name;
        EXPECT_EQ(c.height, view.drawingHeight) << c.name;
        GlobalFree(mode);
    }
}

TEST(PrinterStrings, DevNamesRoundTrip)
{
    struct Case {
        const char* printer;
        int isDefault;
        const char* parsed;
    };
    const Case cases[] = {
        {"HP LaserJet,winspool,LPT1:", 1, "HP LaserJet,winspool,LPT1:"},
        {"PS Printer, wineps.drv, FILE:", 0, "PS Printer,wineps.drv,FILE:"},
    };
    for (const Case& c : cases) {
        HGLOBAL names = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kDevNamesSize);
        EXPECT_EQ(0, BuildDevNames(c.printer, c.isDefault, names));
        auto* header = static_cast<DEVNAMES*>(GlobalLock(names));
        EXPECT_EQ(8, header->wDeviceOffset);
        const char* base = reinterpret_cast<const char*>(header);
        EXPECT_NE(' ', base[header->wDriverOffset]) << c.printer;
        GlobalUnlock(names);
        char printer[kPrinterStringSize] = "unchanged";
        int isDefault = -1;
        EXPECT_EQ(0, ParseDevNames(names, printer, &isDefault)) << c.printer;
        EXPECT_STREQ(c.parsed, printer);
        EXPECT_EQ(c.isDefault, isDefault);
        GlobalFree(names);
    }
}

TEST(PrinterStrings, DevNamesWithAnEmptyPartOrTooLongAreRefused)
{
    const std::string longDevice(250, 'd');
    struct Case {
        const char* name;
        std::string printer;
    };
    const Case cases[] = {
        {"no port", "Device,driver"},
        {"empty driver", "Device,,LPT1:"},
        {"over 260 characters", longDevice + ",driver,LPT1:"},
    };
    for (const Case& c : cases) {
        HGLOBAL names = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kDevNamesSize);
        BuildDevNames(c.printer.c_str(), 1, names);
        char printer[kPrinterStringSize] = "unchanged";
        int isDefault = 7;
        EXPECT_EQ(1, ParseDevNames(names, printer, &isDefault)) << c.name;
        EXPECT_STREQ("unchanged", printer) << c.name;
        EXPECT_EQ(7, isDefault) << c.name;
        GlobalFree(names);
    }
    // Offsets that point outside the block.
    HGLOBAL names = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 16);
    auto* header = static_cast<DEVNAMES*>(GlobalLock(names));
    header->wDeviceOffset = 8;
    header->wDriverOffset = 5000;
    header->wOutputOffset = 9;
    GlobalUnlock(names);
    char printer[kPrinterStringSize] = "unchanged";
    int isDefault = 0;
    EXPECT_EQ(1, ParseDevNames(names, printer, &isDefault));
    GlobalFree(names);
}

TEST(PrinterStrings, PortNoneIsNeverAvailable)
{
    for (const char* text : {"Laser,winspool,None", "Laser,winspool,NONE", "Laser,winspool,none", "Laser,winspool",
                             "Not Installed,winspool,LPT1:"}) {
        char printer[kPrinterStringSize];
        lstrcpyA(printer, text);
        EXPECT_EQ(0, IsPrinterAvailable(printer)) << text;
    }
    EXPECT_EQ(1, IsNonePort("nOnE"));
    EXPECT_EQ(0, IsNonePort("LPT1:"));
}

TEST(PrinterStrings, RememberedShellDriverAlwaysCountsAsChanged)
{
    if (HasDefaultPrinter())
        GTEST_SKIP() << "a default printer exists";
    lstrcpyA(RememberedDefaultDriver, "");
    EXPECT_EQ(0, HasDefaultPrinterChanged(1));
    lstrcpyA(RememberedDefaultDriver, "SHELLPRT");
    EXPECT_EQ(1, HasDefaultPrinterChanged(0));
    EXPECT_STREQ("SHELLPRT", RememberedDefaultDriver);
    EXPECT_EQ(1, HasDefaultPrinterChanged(1));
    EXPECT_STREQ("", RememberedDefaultDriver);
    EXPECT_EQ(0, HasDefaultPrinterChanged(1));
}

TEST(PrinterStrings, DevModeCopyTakesTheSourceSize)
{
    HGLOBAL source = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 300);
    std::memset(GlobalLock(source), 0x5A, 300);
    GlobalUnlock(source);
    HGLOBAL target = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 156);
    CopyDevModeBlock(&target, source);
    EXPECT_GE(GlobalSize(target), 300u);
    EXPECT_EQ(0x5A, static_cast<unsigned char*>(GlobalLock(target))[299]);
    GlobalUnlock(target);
    SeamArmFault(kSeamAlloc, 1, false);
    HGLOBAL small = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 10);
    CopyDevModeBlock(&small, source);
    SeamDisarm();
    EXPECT_EQ(0, static_cast<unsigned char*>(GlobalLock(small))[0]) << "nothing copied when it cannot grow";
    GlobalUnlock(small);
    GlobalFree(small);
    GlobalFree(target);
    GlobalFree(source);
}

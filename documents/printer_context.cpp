#include "documents/printer_context.h"

#include <cstring>

#include "common/io_seam.h"
#include "common/mapping.h"

namespace {

const short kPaperA4 = DMPAPER_A4;
const short kPaperLetter = DMPAPER_LETTER;

struct PrinterParts {
    char device[kPrinterStringChars + 1];
    char driver[kPrinterStringChars + 1];
    char port[kPrinterStringChars + 1];
};

PrinterParts PartsOf(const char* printer)
{
    PrinterParts parts;
    SplitPrinterString(printer, parts.device, parts.driver, parts.port);
    return parts;
}

bool SupportsEscape(HDC dc, int escape)
{
    return Escape(dc, QUERYESCSUPPORT, sizeof(escape), reinterpret_cast<LPCSTR>(&escape), nullptr) > 0;
}

void SetDefaultPaper(DEVMODEA* mode)
{
    if (MeasureSystem == 0) {
        mode->dmPaperSize = kPaperA4;
        mode->dmPaperWidth = 2100;
        mode->dmPaperLength = 2970;
    } else {
        mode->dmPaperSize = kPaperLetter;
        mode->dmPaperWidth = 2159;
        mode->dmPaperLength = 2794;
    }
}

// A block that holds at least the public DEVMODE bytes.
bool EnsurePublicSize(HGLOBAL* devMode)
{
    if (GlobalSize(*devMode) >= kDevModePublicSize)
        return true;
    HGLOBAL grown = SeamGlobalReAlloc(*devMode, kDevModePublicSize, GMEM_MOVEABLE | GMEM_ZEROINIT);
    if (!grown)
        return false;
    *devMode = grown;
    return true;
}

// The reset that every mode but 0 starts from; modes 2 and 3 keep a copy of
// the stored orientation and paper.
void ResetDevMode(HGLOBAL* devMode, int mode, DEVMODEA* kept)
{
    if (!EnsurePublicSize(devMode))
        return;
    auto* dm = static_cast<DEVMODEA*>(GlobalLock(*devMode));
    if (!dm)
        return;
    if (mode == kPrinterUseStored) {
        if (dm->dmScale <= 25)
            dm->dmScale = 100;
    } else {
        std::memset(dm->dmDeviceName, 0, sizeof(dm->dmDeviceName));
        dm->dmDriverVersion = 0;
        dm->dmSize = static_cast<WORD>(kDevModePublicSize);
        dm->dmDriverExtra = 0;
        dm->dmCopies = 1;
        dm->dmDefaultSource = 8;
        dm->dmPrintQuality = -4;
        dm->dmColor = DMCOLOR_MONOCHROME;
        dm->dmDuplex = DMDUP_SIMPLEX;
        if (mode == kPrinterNewDefault) {
            dm->dmSpecVersion = 0x401;
            dm->dmOrientation = DMORIENT_PORTRAIT;
            dm->dmScale = 100;
            SetDefaultPaper(dm);
        } else {
            std::memcpy(kept, dm, kDevModePublicSize);
        }
        dm->dmFields = 0x111;
    }
    GlobalUnlock(*devMode);
}

// Asks the driver for its DEVMODE, merges what the mode keeps and measures
// the page with it. False when the printer does not open.
bool MergeWithDriver(const PrinterParts& parts, HGLOBAL* devMode, int mode, const DEVMODEA& kept, SIZE* pageSize,
                     RECT* deviceMargins)
{
    HANDLE printer = nullptr;
    if (!OpenPrinterA(const_cast<char*>(parts.device), &printer, nullptr))
        return false;
    char* device = const_cast<char*>(parts.device);
    LONG fullSize = DocumentPropertiesA(nullptr, printer, device, nullptr, nullptr, 0);
    if (fullSize > 0 && static_cast<SIZE_T>(fullSize) != GlobalSize(*devMode)) {
        if (HGLOBAL resized = SeamGlobalReAlloc(*devMode, static_cast<SIZE_T>(fullSize), GMEM_MOVEABLE | GMEM_ZEROINIT))
            *devMode = resized;
    }
    auto* dm = static_cast<DEVMODEA*>(GlobalLock(*devMode));
    if (!dm) {
        ClosePrinter(printer);
        return false;
    }
    const bool wholeBlock = fullSize > 0 && GlobalSize(*devMode) >= static_cast<SIZE_T>(fullSize);
    lstrcpynA(reinterpret_cast<char*>(dm->dmDeviceName), parts.device, CCHDEVICENAME);
    DEVMODEA input;
    if (mode != kPrinterUseStored && wholeBlock)
        DocumentPropertiesA(nullptr, printer, device, dm, nullptr, DM_OUT_BUFFER);
    std::memcpy(&input, dm, kDevModePublicSize);
    if (mode != kPrinterUseStored) {
        if (mode == kPrinterNewDefault) {
            input.dmFields = DM_ORIENTATION;
            input.dmOrientation = DMORIENT_PORTRAIT;
        } else if (mode == kPrinterKeepOrientation) {
            input.dmFields = DM_ORIENTATION;
            input.dmOrientation = kept.dmOrientation;
        } else {
            input.dmFields = DM_ORIENTATION | DM_PAPERSIZE;
            input.dmOrientation = kept.dmOrientation;
            input.dmPaperSize = kept.dmPaperSize;
        }
        // A tiny user-defined paper from the driver is no page to draw on.
        const bool tinyUserPaper = dm->dmPaperSize == DMPAPER_USER &&
                                   ((dm->dmPaperLength >= 1 && dm->dmPaperLength <= 253) ||
                                    (dm->dmPaperWidth >= 1 && dm->dmPaperWidth <= 253));
        if (tinyUserPaper) {
            input.dmFields |= DM_PAPERSIZE;
            input.dmPaperSize = MeasureSystem == 0 ? kPaperA4 : kPaperLetter;
        }
        input.dmSize = static_cast<WORD>(kDevModePublicSize);
        input.dmDriverExtra = 0;
    }
    if (wholeBlock)
        DocumentPropertiesA(nullptr, printer, device, dm, &input, DM_IN_BUFFER | DM_OUT_BUFFER);
    dm->dmFields = 0x713;
    GlobalUnlock(*devMode);
    HDC context = CreatePrinterIC(parts.driver, parts.device, parts.port, *devMode);
    ClosePrinter(printer);
    GetPageMetrics(context, *devMode, pageSize, deviceMargins);
    if (context)
        DeleteDC(context);
    return true;
}

} // namespace

HDC CreatePrinterIC(const char* driver, const char* device, const char* port, HGLOBAL devMode)
{
    HDC dc = nullptr;
    if (driver && driver[0]) {
        const DEVMODEA* mode = devMode ? static_cast<const DEVMODEA*>(GlobalLock(devMode)) : nullptr;
        dc = CreateICA(driver, device, port, mode);
        if (mode)
            GlobalUnlock(devMode);
    } else {
        dc = CreateCompatibleDC(nullptr);
    }
    if (!dc)
        return nullptr;
    SetZoomMapMode(dc, 0, 600);
    SetTextAlign(dc, TA_BASELINE);
    SetBkMode(dc, TRANSPARENT);
    SetStretchBltMode(dc, COLORONCOLOR);
    return dc;
}

HDC CreatePrinterDC(const char* printer, HGLOBAL devMode, int informationOnly)
{
    char text[kPrinterStringChars + 1];
    lstrcpynA(text, printer ? printer : "", sizeof(text));
    if (!text[0])
        GetDefaultPrinterString(text);
    if (!text[0])
        return nullptr;
    PrinterParts parts = PartsOf(text);
    if (!parts.driver[0])
        return nullptr;
    const DEVMODEA* mode = devMode ? static_cast<const DEVMODEA*>(GlobalLock(devMode)) : nullptr;
    HDC dc = informationOnly ? CreateICA(parts.driver, parts.device, parts.port, mode)
                             : CreateDCA(parts.driver, parts.device, parts.port, mode);
    if (mode)
        GlobalUnlock(devMode);
    return dc;
}

void GetPageMetrics(HDC printerContext, HGLOBAL devMode, SIZE* pageSize, RECT* deviceMargins)
{
    SetRect(deviceMargins, 0, 0, 0, 0);
    if (devMode && GlobalSize(devMode) >= kDevModePublicSize) {
        if (auto* dm = static_cast<const DEVMODEA*>(GlobalLock(devMode))) {
            pageSize->cx = dm->dmPaperWidth * 600 / 254;
            pageSize->cy = dm->dmPaperLength * 600 / 254;
            GlobalUnlock(devMode);
        }
    }
    if (!printerContext)
        return;
    const int xResolution = GetRoundedDeviceCaps(printerContext, LOGPIXELSX, 600);
    const int yResolution = GetRoundedDeviceCaps(printerContext, LOGPIXELSY, 600);
    if (xResolution <= 0 || yResolution <= 0)
        return;
    if (SupportsEscape(printerContext, GETPHYSPAGESIZE)) {
        POINT size = {0, 0};
        if (Escape(printerContext, GETPHYSPAGESIZE, 0, nullptr, &size) > 0) {
            pageSize->cx = size.x * 600 / xResolution;
            pageSize->cy = size.y * 600 / yResolution;
        }
    }
    RECT paper = {0, 0, 0, 0};
    if (SupportsEscape(printerContext, GETSETPAPERMETRICS) &&
        Escape(printerContext, GETSETPAPERMETRICS, 0, nullptr, &paper) > 0) {
        deviceMargins->left = paper.left * 600 / xResolution;
        deviceMargins->top = paper.top * 600 / yResolution;
        deviceMargins->right = pageSize->cx - paper.right * 600 / xResolution;
        deviceMargins->bottom = pageSize->cy - paper.bottom * 600 / yResolution;
    } else if (SupportsEscape(printerContext, GETPRINTINGOFFSET)) {
        POINT offset = {0, 0};
        if (Escape(printerContext, GETPRINTINGOFFSET, 0, nullptr, &offset) > 0) {
            deviceMargins->left = offset.x * 600 / xResolution;
            deviceMargins->top = offset.y * 600 / yResolution;
            deviceMargins->right =
                pageSize->cx - (GetDeviceCaps(printerContext, HORZRES) * 600 / xResolution + deviceMargins->left);
            deviceMargins->bottom =
                pageSize->cy - (GetDeviceCaps(printerContext, VERTRES) * 600 / yResolution + deviceMargins->top);
        }
    }
}

HDC OpenPrinterContext(char* printer, HGLOBAL* devMode, RECT* deviceMargins, SIZE* pageSize, int mode, int,
                       int* isDefault, void*)
{
    char windowsFolder[MAX_PATH] = {};
    if (GetWindowsDirectoryA(windowsFolder, MAX_PATH) >= 2 && windowsFolder[1] == ':') {
        const char drive[3] = {windowsFolder[0], ':', '\0'};
        SetCurrentDirectoryA(drive);
    }
    if (!printer[0]) {
        GetDefaultPrinterString(printer);
        *isDefault = 1;
        if (mode != kPrinterNewDefault && mode != kPrinterKeepOrientation)
            mode = kPrinterKeepPaper;
    }
    const bool haveDevMode = devMode && *devMode;
    PrinterParts parts = PartsOf(printer);
    HDC information = nullptr;
    if (printer[0] && parts.driver[0] && !IsNonePort(parts.port)) {
        UINT oldMode = SetErrorMode(SEM_NOOPENFILEERRORBOX);
        information = CreatePrinterIC(parts.driver, parts.device, parts.port, nullptr);
        SetErrorMode(oldMode);
    }

    bool measured = false;
    bool settled = false;
    if (!information) {
        GetDefaultPrinterString(printer);
        mode = printer[0] ? kPrinterKeepPaper : kPrinterNewDefault;
    } else if (GetDeviceCaps(information, TECHNOLOGY) == DT_CHARSTREAM) {
        settled = true;   // nothing to measure on a character device
    } else {
        if (!IsPrinterAvailable(printer) || !haveDevMode)
            mode = kPrinterKeepPaper;
        if (mode == kPrinterUseStored) {
            HDC stored = CreatePrinterIC(parts.driver, parts.device, parts.port, *devMode);
            GetPageMetrics(stored, *devMode, pageSize, deviceMargins);
            if (stored)
                DeleteDC(stored);
            if (pageSize->cx == kUnusableDevModePage && pageSize->cy == kUnusableDevModePage)
                mode = kPrinterNewDefault;
            else
                settled = measured = true;
        }
    }

    if (!settled) {
        DEVMODEA kept = {};
        if (haveDevMode)
            ResetDevMode(devMode, mode, &kept);
        parts = PartsOf(printer);
        if (haveDevMode && parts.device[0] && !IsNonePort(parts.port))
            measured = MergeWithDriver(parts, devMode, mode, kept, pageSize, deviceMargins);
    }
    if (mode == kPrinterNewDefault && !measured) {
        SetRect(deviceMargins, 0, 0, 0, 0);
        pageSize->cx = kLetterPageWidth;
        pageSize->cy = kLetterPageHeight;
    }
    if (information)
        DeleteDC(information);
    return CreatePrinterIC(nullptr, nullptr, nullptr, nullptr);
}

#include <cstring>

#include "common/io_seam.h"
#include "common/app_globals.h"
#include "text/font_list.h"

namespace {

// Set by a callback whose list could not grow; BuildFontList reports it.
int listGrowFailed = 0;

bool IsListed(HGLOBAL fontList, const LOGFONTA* logFont, bool sameCharset)
{
    const int count = FontListCount(fontList);
    auto* head = static_cast<FontListHead*>(GlobalLock(fontList));
    if (!head)
        return false;
    bool listed = false;
    FontListEntry* entries = FontListEntries(head);
    for (int i = 0; i < count && !listed; ++i) {
        listed = lstrcmpiA(entries[i].logFont.lfFaceName, logFont->lfFaceName) == 0 &&
                 (!sameCharset || entries[i].logFont.lfCharSet == logFont->lfCharSet);
    }
    GlobalUnlock(fontList);
    return listed;
}

int32_t KindOfFontType(DWORD fontType)
{
    if (fontType & RASTER_FONTTYPE)
        return kFontRaster;
    if (fontType & TRUETYPE_FONTTYPE)
        return kFontTrueType;
    return kFontDeviceOrVector;
}

// Appends an enumerated face; 0 stops the enumeration.
int AppendEnumerated(HGLOBAL* fontList, const LOGFONTA* logFont, DWORD fontType)
{
    FontListEntry entry = {};
    entry.logFont = *logFont;
    entry.measuredHeight = 16;
    entry.averageWidth = 0;
    entry.kind = KindOfFontType(fontType);
    entry.cacheSlotHint = -1;
    if (AppendFontListEntry(fontList, entry) < 0) {
        listGrowFailed = 1;
        return 0;
    }
    if (entry.kind == kFontTrueType)
        TrueTypeFaceSeen = 1;
    return 1;
}

FontListEntry FallbackEntry()
{
    FontListEntry entry = {};
    entry.logFont.lfHeight = 12;
    entry.logFont.lfWidth = 6;
    entry.logFont.lfWeight = FW_NORMAL;
    entry.logFont.lfCharSet = ANSI_CHARSET;
    entry.logFont.lfPitchAndFamily = 0x22;
    lstrcpynA(entry.logFont.lfFaceName, "System", LF_FACESIZE);
    entry.measuredHeight = 12;
    entry.averageWidth = 0;
    entry.kind = kFontRaster;
    entry.cacheSlotHint = -1;
    return entry;
}

} // namespace

int ChooseDefaultFontIndex(HGLOBAL fontList)
{
    int firstAnsi = -1;
    const int count = FontListCount(fontList);
    for (int i = 0; i < count; ++i) {
        FontListEntry entry;
        if (!GetFontListEntry(fontList, i, &entry) || entry.logFont.lfCharSet != ANSI_CHARSET)
            continue;
        if (entry.kind == kFontTrueType)
            return i;
        if (firstAnsi < 0)
            firstAnsi = i;
    }
    return firstAnsi < 0 ? 0 : firstAnsi;
}

int CALLBACK ExamineFonts(const LOGFONTA* logFont, const TEXTMETRICA*, DWORD fontType, LPARAM listAddress)
{
    auto* fontList = reinterpret_cast<HGLOBAL*>(listAddress);
    if (FontListCount(*fontList) >= kFontListBuildLimit)
        return 0;
    if (IsListed(*fontList, logFont, false))
        return 1;
    return AppendEnumerated(fontList, logFont, fontType);
}

int CALLBACK ExamineFontFamilies(const LOGFONTA* logFont, const TEXTMETRICA*, DWORD fontType, LPARAM listAddress)
{
    auto* fontList = reinterpret_cast<HGLOBAL*>(listAddress);
    if (IsListed(*fontList, logFont, true))
        return 1;
    if (FontListCount(*fontList) + 1 >= kFontListBuildLimit)
        return 0;
    return AppendEnumerated(fontList, logFont, fontType);
}

ErrorCode BuildFontList(HWND, HDC dc, HGLOBAL* fontList)
{
    if (!fontList || !*fontList)
        return kErrNoMemory;
    TrueTypeFaceSeen = 0;
    listGrowFailed = 0;
    ClearFontList(*fontList);
    if (HGLOBAL shrunk = SeamGlobalReAlloc(*fontList, kFontListHeadSize, GMEM_MOVEABLE))
        *fontList = shrunk;

    UINT oldMode = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    if (WindowsMajorVersion < 4) {
        EnumFontsA(dc, nullptr, ExamineFonts, reinterpret_cast<LPARAM>(fontList));
    } else {
        LOGFONTA all = {};
        all.lfCharSet = DEFAULT_CHARSET;
        EnumFontFamiliesExA(dc, &all, ExamineFontFamilies, reinterpret_cast<LPARAM>(fontList), 0);
    }
    SetErrorMode(oldMode);
    if (listGrowFailed)
        return kErrNoMemory;

    if (FontListCount(*fontList) == 0 && AppendFontListEntry(fontList, FallbackEntry()) < 0)
        return kErrNoMemory;
    const int defaultIndex = ChooseDefaultFontIndex(*fontList);
    auto* head = static_cast<FontListHead*>(GlobalLock(*fontList));
    if (!head)
        return kErrNoMemory;
    head->defaultIndex = defaultIndex;
    GlobalUnlock(*fontList);
    // The measured height and width are read by nothing: entries keep the
    // values of unmeasured faces rather than making a font per face.
    return kErrNone;
}

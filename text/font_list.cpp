#include "text/font_list.h"

#include <cstring>

#include "common/io_seam.h"
#include "common/app_globals.h"

int TrueTypeFaceSeen = 0;

namespace {

// What the enumeration callbacks of SystemHasFace fill in.
struct FaceCapture {
    LOGFONTA logFont;
    int found;
};

int CALLBACK CaptureFontProc(const LOGFONTA* logFont, const TEXTMETRICA*, DWORD, LPARAM captureAddress)
{
    auto* capture = reinterpret_cast<FaceCapture*>(captureAddress);
    capture->logFont = *logFont;
    capture->found = 1;
    return 0;
}

int CALLBACK CaptureFontFamilyProc(const LOGFONTA* logFont, const TEXTMETRICA*, DWORD, LPARAM captureAddress)
{
    return CaptureFontProc(logFont, nullptr, 0, captureAddress);
}

FontListEntry NewEntry(const LOGFONTA& logFont)
{
    FontListEntry entry = {};
    entry.logFont = logFont;
    entry.measuredHeight = 16;
    entry.averageWidth = 0;
    entry.kind = kFontTrueType;
    entry.cacheSlotHint = -1;
    return entry;
}

// The first entry with the face (and the character set, when one is given).
int FindFace(HGLOBAL fontList, const char* faceName, int charSet)
{
    const int count = FontListCount(fontList);
    auto* head = static_cast<FontListHead*>(GlobalLock(fontList));
    if (!head)
        return -1;
    int found = -1;
    FontListEntry* entries = FontListEntries(head);
    for (int i = 0; i < count && found < 0; ++i) {
        if (lstrcmpiA(entries[i].logFont.lfFaceName, faceName) != 0)
            continue;
        if (charSet >= 0 && entries[i].logFont.lfCharSet != charSet)
            continue;
        found = i;
    }
    GlobalUnlock(fontList);
    return found;
}

int FindOrAdd(HGLOBAL* fontList, const char* faceName, int charSet, const LOGFONTA* logFont)
{
    if (!fontList || !*fontList || !faceName)
        return -1;
    int found = FindFace(*fontList, faceName, charSet);
    if (found >= 0)
        return found;
    LOGFONTA reported;
    if (!logFont) {
        if (!SystemHasFace(faceName, charSet >= 0 ? charSet : DEFAULT_CHARSET, &reported))
            return -1;
        logFont = &reported;
    }
    return AppendFontListEntry(fontList, NewEntry(*logFont));
}

} // namespace

HGLOBAL NewFontList()
{
    return SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kFontListHeadSize);
}

void ClearFontList(HGLOBAL fontList)
{
    auto* head = fontList ? static_cast<FontListHead*>(GlobalLock(fontList)) : nullptr;
    if (!head)
        return;
    head->count = 0;
    head->defaultIndex = 0;
    GlobalUnlock(fontList);
}

void FreeFontList(HGLOBAL fontList)
{
    if (fontList)
        GlobalFree(fontList);
}

int FontListCount(HGLOBAL fontList)
{
    // The stated count, as far as the block really holds entries.
    const SIZE_T size = fontList ? GlobalSize(fontList) : 0;
    if (size < static_cast<SIZE_T>(kFontListHeadSize))
        return 0;
    auto* head = static_cast<FontListHead*>(GlobalLock(fontList));
    if (!head)
        return 0;
    const SIZE_T room = (size - kFontListHeadSize) / sizeof(FontListEntry);
    int count = head->count;
    GlobalUnlock(fontList);
    if (count < 0)
        return 0;
    return count < static_cast<int>(room) ? count : static_cast<int>(room);
}

bool GetFontListEntry(HGLOBAL fontList, int index, FontListEntry* entry)
{
    if (index < 0 || index >= FontListCount(fontList))
        return false;
    auto* head = static_cast<FontListHead*>(GlobalLock(fontList));
    if (!head)
        return false;
    *entry = FontListEntries(head)[index];
    GlobalUnlock(fontList);
    return true;
}

int AppendFontListEntry(HGLOBAL* fontList, const FontListEntry& entry)
{
    if (!fontList || !*fontList)
        return -1;
    const int count = FontListCount(*fontList);
    const SIZE_T needed = kFontListHeadSize + sizeof(FontListEntry) * (static_cast<SIZE_T>(count) + 1);
    if (GlobalSize(*fontList) < needed) {
        HGLOBAL grown = SeamGlobalReAlloc(*fontList, needed, GMEM_MOVEABLE | GMEM_ZEROINIT);
        if (!grown)
            return -1;
        *fontList = grown;
    }
    auto* head = static_cast<FontListHead*>(GlobalLock(*fontList));
    if (!head)
        return -1;
    FontListEntries(head)[count] = entry;
    head->count = count + 1;
    GlobalUnlock(*fontList);
    return count;
}

int FindOrAddFace(HGLOBAL* fontList, const char* faceName, const LOGFONTA* logFont)
{
    return FindOrAdd(fontList, faceName, -1, logFont);
}

int FindOrAddFaceCharset(HGLOBAL* fontList, const char* faceName, int charSet, const LOGFONTA* logFont)
{
    if (WindowsMajorVersion < 4)
        return -1;
    return FindOrAdd(fontList, faceName, static_cast<BYTE>(charSet), logFont);
}

int SystemHasFace(const char* faceName, int charSet, LOGFONTA* logFont)
{
    FaceCapture capture = {};
    HDC dc = GetDC(MainWindow);
    if (!dc)
        return 0;
    UINT oldMode = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    if (WindowsMajorVersion < 4) {
        EnumFontsA(dc, faceName, CaptureFontProc, reinterpret_cast<LPARAM>(&capture));
    } else {
        LOGFONTA wanted = {};
        lstrcpynA(wanted.lfFaceName, faceName, LF_FACESIZE);
        wanted.lfCharSet = static_cast<BYTE>(charSet);
        wanted.lfPitchAndFamily = 0;
        EnumFontFamiliesExA(dc, &wanted, CaptureFontFamilyProc, reinterpret_cast<LPARAM>(&capture), 0);
        if (!capture.found && charSet != DEFAULT_CHARSET) {
            wanted.lfCharSet = DEFAULT_CHARSET;
            EnumFontFamiliesExA(dc, &wanted, CaptureFontFamilyProc, reinterpret_cast<LPARAM>(&capture), 0);
        }
    }
    SetErrorMode(oldMode);
    ReleaseDC(MainWindow, dc);
    if (capture.found && logFont)
        *logFont = capture.logFont;
    return capture.found;
}

int GetDefaultFontIndex(HGLOBAL fontList)
{
    auto* head = fontList ? static_cast<FontListHead*>(GlobalLock(fontList)) : nullptr;
    if (!head)
        return 0;
    int index = head->defaultIndex;
    GlobalUnlock(fontList);
    return index;
}

void GetFontTableLogFont(HGLOBAL fontList, HGLOBAL fontTable, int slot, LOGFONTA* logFont)
{
    int index = fontTable ? FontTableSlotValue(fontTable, slot) : slot;
    FontListEntry entry;
    if (GetFontListEntry(fontList, index, &entry)) {
        *logFont = entry.logFont;
        return;
    }
    logFont->lfFaceName[0] = '\0';
    logFont->lfCharSet = 0;
}

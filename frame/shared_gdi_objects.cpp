#include "frame/shared_gdi_objects.h"

#include <cstdlib>
#include <cstring>

#include "common/display_flags.h"
#include "common/string_helpers.h"
#include "common/app_globals.h"
#include "common/menu_bitmaps.h"
#include "common/pattern_brushes.h"
#include "resources/bitmap_ids.h"
#include "resources/resource_ids.h"

HPEN BlackPen = nullptr;
HPEN WhitePen = nullptr;
LOGFONTA DefaultLogFont = {};
HFONT SmallDialogFont = nullptr;

namespace {

const int kDefaultFontHeight = 8;

// An absent string leaves the buffer empty.
bool LoadOptionalString(int id, char* text)
{
    text[0] = '\0';
    return LoadStringA(AppInstance, static_cast<UINT>(id), text, kStringBufferSize) > 0 && text[0];
}

} // namespace

void ApplyDefaultFontStrings(LOGFONTA* font)
{
    char text[kStringBufferSize];
    if (LoadOptionalString(IDS_DEFAULT_FONT_FACE, text)) {
        lstrcpynA(font->lfFaceName, text, LF_FACESIZE);
        font->lfWidth = 0;
    }
    if (LoadOptionalString(IDS_DEFAULT_FONT_CHARSET, text))
        font->lfCharSet = static_cast<BYTE>(atoi(text));
    if (LoadOptionalString(IDS_DEFAULT_FONT_HEIGHT, text))
        font->lfHeight = atoi(text);
}

ErrorCode CreateSharedGdiObjects()
{
    BlackPen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    WhitePen = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    for (int i = 0; i < kPatternBrushCount; ++i) {
        int index = -1;
        HBITMAP bitmap = AddMenuBitmap(AppInstance, IDB_PATTERN_FIRST + i, &index);
        if (!bitmap)
            return kErrNoMemory;
        PatternBrushes[i] = CreatePatternBrush(bitmap);
        if (!PatternBrushes[i])
            return kErrNoMemory;
    }
    LOGFONTA stock = {};
    GetObjectA(GetStockObject(ANSI_VAR_FONT), sizeof(stock), &stock);
    DefaultLogFont = stock;
    DefaultLogFont.lfHeight = kDefaultFontHeight;
    ApplyDefaultFontStrings(&DefaultLogFont);
    SmallDialogFont = CreateFontIndirectA(&DefaultLogFont);
    LOGFONTA tipFont = stock;
    ApplyDefaultFontStrings(&tipFont);
    ToolTipFont = CreateFontIndirectA(&tipFont);
    return kErrNone;
}

void CreateDefaultUiFont()
{
    if (!DefaultUiFont)
        DefaultUiFont = CreateFontIndirectA(&DefaultLogFont);
}

void DeleteSharedGdiObjects()
{
    for (HBRUSH& brush : PatternBrushes) {
        if (brush)
            DeleteObject(brush);
        brush = nullptr;
    }
    HGDIOBJ* objects[] = {reinterpret_cast<HGDIOBJ*>(&BlackPen), reinterpret_cast<HGDIOBJ*>(&WhitePen),
                          reinterpret_cast<HGDIOBJ*>(&SmallDialogFont), reinterpret_cast<HGDIOBJ*>(&ToolTipFont),
                          reinterpret_cast<HGDIOBJ*>(&DefaultUiFont)};
    for (HGDIOBJ* object : objects) {
        if (*object)
            DeleteObject(*object);
        *object = nullptr;
    }
}

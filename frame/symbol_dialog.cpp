#include "frame/symbol_dialog.h"

#include <cstring>

#include "common/app_globals.h"
#include "common/io_seam.h"
#include "common/modal_dialog.h"
#include "common/string_helpers.h"
#include "common/window_helpers.h"
#include "frame/character_grid.h"
#include "objects/app_options.h"
#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"
#include "text/font_dialogs.h"

namespace {

const int kNewFontHeight = -72;
const int kMaxCharacters = 261;
const char kSymbolTemplate[] = "SYMBOLDLG";
const int kSymbolHelpTopic = 116;

// What the dialog hands back: the font entry and the character.
struct SymbolExchange {
    int fontIndex;
    int character;
};

LOGFONTA* LockFonts()
{
    return SymbolFonts ? static_cast<LOGFONTA*>(GlobalLock(SymbolFonts)) : nullptr;
}

void FillFontList(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_SYMBOL_FONT);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    char normal[kStringBufferSize];
    LoadStrOrBlank(IDS_NORMAL_TEXT, normal);
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(normal));
    const LOGFONTA* fonts = LockFonts();
    for (int i = 1; fonts && i < SymbolFontCount; ++i)
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(fonts[i].lfFaceName));
    if (fonts)
        GlobalUnlock(SymbolFonts);
}

void EnableFontButtons(HWND dialog, int index)
{
    EnableWindow(GetDlgItem(dialog, IDC_SYMBOL_REMOVE_FONT), index > 0);
    EnableWindow(GetDlgItem(dialog, IDC_SYMBOL_ADD_FONT), SymbolFontCount < kMaxSymbolFonts);
}

// The font chosen in the list: kept in the options at once and shown.
void ApplyFontChoice(HWND dialog)
{
    const LRESULT chosen = SendDlgItemMessageA(dialog, IDC_SYMBOL_FONT, CB_GETCURSEL, 0, 0);
    const int index = chosen == CB_ERR ? 0 : static_cast<int>(chosen);
    if (AppOptions)
        Options()->symbolFont = index;
    HWND grid = GetDlgItem(dialog, IDC_SYMBOL_GRID);
    SetWindowLongA(grid, kGridFontIndex, index);
    InvalidateRect(grid, nullptr, TRUE);
    EnableFontButtons(dialog, index);
}

void SelectFont(HWND dialog, int index)
{
    SendDlgItemMessageA(dialog, IDC_SYMBOL_FONT, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ApplyFontChoice(dialog);
}

void SetUpGrid(HWND dialog, const SymbolExchange& exchange)
{
    HWND grid = GetDlgItem(dialog, IDC_SYMBOL_GRID);
    char text[kMaxCharacters + 1] = "";
    if (SymbolCharsAtom)
        GlobalGetAtomNameA(SymbolCharsAtom, text, sizeof(text));
    const int length = static_cast<int>(std::strlen(text));
    int rows = (length + kGridColumns - 1) / kGridColumns;
    rows = rows < 1 ? 1 : rows;
    RECT client;
    GetClientRect(grid, &client);
    const int cellWidth = client.right / kGridColumns;
    const int cellHeight = client.bottom / rows;
    SetWindowLongA(grid, kGridAtom, SymbolCharsAtom);
    SetWindowLongA(grid, kGridFontIndex, exchange.fontIndex);
    SetWindowLongA(grid, kGridCellHeight, cellHeight);
    SetWindowLongA(grid, kGridCellWidth, cellWidth);
    SetWindowLongA(grid, kGridSelected, exchange.character);
    SetWindowPos(grid, nullptr, 0, 0, kGridColumns * cellWidth + 2, rows * cellHeight + 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OnInitDialog(HWND dialog, SymbolExchange* exchange)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(exchange));
    if (exchange->fontIndex < 0 || exchange->fontIndex >= SymbolFontCount)
        exchange->fontIndex = 0;
    FillFontList(dialog);
    SendDlgItemMessageA(dialog, IDC_SYMBOL_FONT, CB_SETCURSEL, static_cast<WPARAM>(exchange->fontIndex), 0);
    EnableFontButtons(dialog, exchange->fontIndex);
    SetUpGrid(dialog, *exchange);
}

int FindFace(const char* face)
{
    const LOGFONTA* fonts = LockFonts();
    int found = -1;
    for (int i = 0; fonts && i < SymbolFontCount && found < 0; ++i)
        if (lstrcmpiA(fonts[i].lfFaceName, face) == 0)
            found = i;
    if (fonts)
        GlobalUnlock(SymbolFonts);
    return found;
}

// Appends a font to the list; entry 0 when the list cannot grow.
int AppendFont(const LOGFONTA& font)
{
    HGLOBAL grown = SeamGlobalReAlloc(SymbolFonts, static_cast<SIZE_T>(SymbolFontCount + 1) * sizeof(LOGFONTA),
                                      GMEM_MOVEABLE);
    if (!grown)
        return 0;
    SymbolFonts = grown;
    LOGFONTA* fonts = LockFonts();
    if (!fonts)
        return 0;
    fonts[SymbolFontCount] = font;
    GlobalUnlock(SymbolFonts);
    return SymbolFontCount++;
}

void OnAddFont(HWND dialog)
{
    LOGFONTA font{};
    if (const LOGFONTA* fonts = LockFonts()) {
        font = fonts[0];
        GlobalUnlock(SymbolFonts);
    }
    font.lfFaceName[0] = '\0';
    font.lfHeight = kNewFontHeight;
    if (!ChooseStyleFont(dialog, &font))
        return;
    int index = FindFace(font.lfFaceName);
    if (index < 0) {
        index = AppendFont(font);
        FillFontList(dialog);
    }
    SelectFont(dialog, index);
}

void OnRemoveFont(HWND dialog)
{
    const int index = static_cast<int>(SendDlgItemMessageA(dialog, IDC_SYMBOL_FONT, CB_GETCURSEL, 0, 0));
    if (SymbolFontCount < 2 || index <= 0 || index >= SymbolFontCount)
        return;
    LOGFONTA* fonts = LockFonts();
    if (!fonts)
        return;
    std::memmove(&fonts[index], &fonts[index + 1], static_cast<size_t>(SymbolFontCount - index - 1) * sizeof(LOGFONTA));
    GlobalUnlock(SymbolFonts);
    --SymbolFontCount;
    FillFontList(dialog);
    SelectFont(dialog, index < SymbolFontCount ? index : SymbolFontCount - 1);
}

void OnAccept(HWND dialog, SymbolExchange* exchange)
{
    HWND grid = GetDlgItem(dialog, IDC_SYMBOL_GRID);
    const int position = static_cast<int>(GetWindowLongA(grid, kGridSelected));
    if (AppOptions)
        Options()->symbolCharacter = static_cast<int16_t>(position);
    // The grid's characters run from 32 to 255: a byte, never negative.
    exchange->character = GetCharArraySelection(grid) & 0xFF;
    const LRESULT chosen = SendDlgItemMessageA(dialog, IDC_SYMBOL_FONT, CB_GETCURSEL, 0, 0);
    exchange->fontIndex = chosen == CB_ERR ? 0 : static_cast<int>(chosen);
    EndDialog(dialog, IDOK);
}

// False for what every dialog does alike (Cancel, Help).
bool OnCommand(HWND dialog, int id, int code, SymbolExchange* exchange)
{
    switch (id) {
    case IDC_SYMBOL_FONT:
        if (code == CBN_SELCHANGE)
            ApplyFontChoice(dialog);
        return true;
    case IDC_SYMBOL_ADD_FONT:
        OnAddFont(dialog);
        return true;
    case IDC_SYMBOL_REMOVE_FONT:
        OnRemoveFont(dialog);
        return true;
    case IDC_SYMBOL_GRID:
        if (code == kGridDoubleClicked)
            OnAccept(dialog, exchange);
        return true;
    case IDOK:
        OnAccept(dialog, exchange);
        return true;
    default:
        return false;
    }
}

} // namespace

INT_PTR CALLBACK SYDDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* exchange = reinterpret_cast<SymbolExchange*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog, reinterpret_cast<SymbolExchange*>(lParam));
        return TRUE;
    case WM_COMMAND:
        return exchange && OnCommand(dialog, LOWORD(wParam), HIWORD(wParam), exchange) ? TRUE : FALSE;
    default:
        return FALSE;
    }
}

int RunSymbolDlg(LOGFONTA* font, int* notDefault)
{
    SymbolExchange exchange = {AppOptions ? Options()->symbolFont : 0, AppOptions ? Options()->symbolCharacter : 0};
    *notDefault = 0;
    ModalDialog dialog = {kSymbolTemplate, SYDDlgHandler, kSymbolHelpTopic, nullptr};
    dialog.parameter = reinterpret_cast<LPARAM>(&exchange);
    if (RunModalDialog(dialog) != IDOK)
        return 0;
    *notDefault = exchange.fontIndex > 0 ? 1 : 0;
    if (const LOGFONTA* fonts = LockFonts()) {
        if (exchange.fontIndex >= 0 && exchange.fontIndex < SymbolFontCount)
            *font = fonts[exchange.fontIndex];
        GlobalUnlock(SymbolFonts);
    }
    return exchange.character;
}

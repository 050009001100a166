#include "text/ten_window.h"

#include <cstring>

#include <initializer_list>

#include "common/color_helpers.h"
#include "common/flag_helpers.h"
#include "common/tool_tips.h"
#include "text/break_areas.h"
#include "text/ten_arrays.h"
#include "text/ten_box.h"
#include "text/ten_char_format.h"
#include "text/ten_create.h"
#include "text/ten_edit.h"
#include "text/ten_focus_paint.h"
#include "text/ten_keyboard.h"
#include "text/ten_messages.h"
#include "text/ten_modes.h"
#include "text/ten_mouse.h"
#include "text/ten_notifications.h"
#include "text/ten_paint.h"
#include "text/ten_paragraph_format.h"
#include "text/ten_selection_commands.h"
#include "text/ten_state_access.h"
#include "text/text_measure.h"

namespace {

POINT PointOf(LPARAM lParam) { return POINT{TenPairLow(lParam), TenPairHigh(lParam)}; }

LRESULT OnCreate(HWND window, LPARAM lParam)
{
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    if (!create || !create->lpCreateParams) {
        SetWindowLongPtrA(window, 0, 0);
        return 1;
    }
    // The window exists without state when this fails.
    return CreateTenState(window, static_cast<const TenCreateParams*>(create->lpCreateParams)).value;
}

LRESULT OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    {
        TenStateLock state(window);
        if (state && dc)
            PaintTenWindow(window, state.get(), dc, paint.rcPaint);
    }
    return EndPaint(window, &paint);
}

LRESULT OnSetCursor(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (GetFocus() != window && GetParent(window))
        PostMessageA(GetParent(window), TENN_CURSOR, 0, 0);
    return DefWindowProcA(window, WM_SETCURSOR, wParam, lParam);
}

LRESULT OnKeyDown(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (!TenKeyDown(window, static_cast<int>(wParam)) && GetParent(window))
        SendMessageA(GetParent(window), WM_KEYDOWN, wParam, lParam);
    return 0;
}

LRESULT OnChar(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (TenCharInput(window, static_cast<int>(wParam & 0xFF), lParam))
        return 1;
    return GetParent(window) ? SendMessageA(GetParent(window), WM_CHAR, wParam, lParam) : 0;
}

LRESULT OnMouseMove(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (!TenMouseCapture) {
        HideToolTip();
        return 0;
    }
    return TenMouseMove(window, static_cast<int>(wParam), PointOf(lParam));
}

LRESULT OnTextBlock(HWND window, WPARAM wParam, LPARAM lParam)
{
    const void* block = reinterpret_cast<const void*>(lParam);
    SIZE_T size = 0;
    if (block) {
        TextBlockHeader header;
        std::memcpy(&header, block, sizeof(header));
        size = static_cast<SIZE_T>(TextBlockSize(header.formatCount, header.lineCount, header.paragraphCount,
                                                 header.runCount, header.textLength));
        // The counts come from the caller's block: refuse what no text can be.
        if (size == 0 || size > 65000)
            return kErrNoMemory;
    }
    return SetTenTextBlock(window, static_cast<int>(wParam), block, size).value;
}

LRESULT OnSetBackColor(HWND window, TenState* state, COLORREF color)
{
    state->backgroundColor = color;
    for (HDC dc : {state->windowDC, state->offscreenDC})
        if (dc)
            SetBkColor(dc, MapOutputColor(dc, color, 0));
    InvalidateRect(window, nullptr, FALSE);
    return 0;
}

LRESULT OnSetModify(HWND window, TenState* state, WPARAM set)
{
    if (!set && state->undoKind != 0)
        DiscardError(SaveTenUndo(window, state, 0), "out of memory only: the editor keeps its previous undo snapshot");
    SetFlagBits(&state->live.options, kTenModified, set ? 1 : 0);
    return state->live.options;
}

LRESULT OnOwnerFrame(TenState* state, WPARAM store, LPARAM lParam)
{
    auto* frame = reinterpret_cast<RECT*>(lParam);
    if (!frame)
        return 0;
    if (store)
        state->ownerFrame = *frame;
    else
        *frame = state->ownerFrame;
    return 0;
}

LRESULT TextHeight(TenState* state)
{
    TenArrays arrays(&state->live);
    if (!arrays.Ok() || state->live.lineCount <= 0)
        return 0;
    const TextLine& last = arrays.lines[state->live.lineCount - 1];
    return last.top + last.height;
}

LRESULT OnRightButton(HWND window, LPARAM lParam)
{
    // The text menu belongs to the frame; the view hears the press as its own.
    HWND parent = GetParent(window);
    if (!parent)
        return 0;
    POINT where = PointOf(lParam);
    MapWindowPoints(window, parent, &where, 1);
    return SendMessageA(parent, WM_RBUTTONDOWN, 0, MAKELPARAM(where.x, where.y));
}

// Character formats, paragraphs, spacing, fonts and colours.
bool TextFormatMessage(HWND window, TenState* state, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (message) {
    case TENM_SETCHARFORMAT:
        *result = state ? SetTenCharFormat(window, state, wParam, lParam).value : 0;
        return true;
    case TENM_GETCHARFORMAT:
        *result = state ? GetTenCharFormat(state, static_cast<int>(wParam & kCharSelectorMask)) : 0;
        return true;
    case TENM_SETZOOM:
        if (state)
            SetTenZoom(window, state, static_cast<int>(wParam), lParam != 0);
        *result = 0;
        return true;
    case TENM_SETALIGNMENT:
        *result = state ? SetTenAlignment(window, state, static_cast<int>(wParam), static_cast<int>(lParam)).value : 0;
        return true;
    case TENM_GETALIGNMENT:
        *result = state ? GetTenAlignment(state) : 0;
        return true;
    case TENM_SETMEASUREDC:
        *result = state ? SetTenMeasureDC(window, state, reinterpret_cast<HDC>(wParam)).value : 0;
        return true;
    case TENM_SETWORDWRAP:
        *result = state ? SetTenWordWrap(window, state, static_cast<int>(wParam), static_cast<int>(lParam)).value : 0;
        return true;
    case TENM_GETWORDWRAP:
        *result = state && (state->live.options & kTenWordWrap) ? 1 : 0;
        return true;
    case TENM_SETBACKCOLOR:
        *result = state ? OnSetBackColor(window, state, static_cast<COLORREF>(lParam)) : 0;
        return true;
    case TENM_GETPARAGRAPHS:
        *result = state ? reinterpret_cast<LRESULT>(state->live.paragraphs) : 0;
        return true;
    case TENM_ADDSPACING:
        *result = state ? AdjustTenSpacing(window, state, static_cast<int>(wParam), static_cast<int>(lParam)).value : 0;
        return true;
    case TENM_GETSPACING:
        *result = state ? GetTenSpacing(state) : 0;
        return true;
    case TENM_RELEASEFONTS:
        if (state)
            ReleaseTenFonts(state);
        *result = 0;
        return true;
    case TENM_REBUILDFONTS:
        if (state)
            RefreshStateFormatFonts(state, 0, state->live.formatCount - 1);
        *result = 0;
        return true;
    case TENM_GETPARAGRAPH:
        if (state)
            GetCaretParagraph(state, reinterpret_cast<TextParagraph*>(lParam));
        *result = 1;
        return true;
    case TENM_FINDPARAGRAPH:
        *result = state ? FindOrAddTenParagraph(window, state, reinterpret_cast<const TextParagraph*>(lParam)) : -1;
        return true;
    case TENM_SETVALIGN:
        *result = state ? SetTenVAlign(window, state, static_cast<int>(wParam), static_cast<int>(lParam)).value : 0;
        return true;
    case TENM_GETVALIGN:
        *result = state ? state->live.verticalAlignment : 0;
        return true;
    case TENM_SETPALETTE:
        if (state)
            state->palette = reinterpret_cast<HPALETTE>(wParam);
        *result = 0;
        return true;
    default:
        return false;
    }
}

// Where the text lies: its box, origin, margins, visible part and size.
bool TextGeometryMessage(HWND window, TenState* state, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (message) {
    case TENM_OFFSETORIGIN:
    case TENM_UPDATEVISIBLE:
        *result = state ? UpdateTenVisibleArea(window, state, TenPairLow(lParam), TenPairHigh(lParam)) : 0;
        return true;
    case TENM_SETBOXSIZE:
        if (state) {
            state->live.boxWidth = TenPairLow(lParam);
            state->live.boxHeight = TenPairHigh(lParam);
        }
        *result = state ? 0 : 1;
        return true;
    case TENM_SETORIGIN:
        if (state) {
            state->originX = TenPairLow(lParam);
            state->originY = TenPairHigh(lParam);
        }
        *result = state ? 0 : 1;
        return true;
    case TENM_SETMARGINS:
        if (state && lParam)
            state->margins = *reinterpret_cast<const RECT*>(lParam);
        *result = state ? 0 : 1;
        return true;
    case TENM_REPAINT:
        if (state && IsWindowVisible(window))
            PaintTextLines(window, state, 0, state->live.lineCount, static_cast<int>(wParam));
        *result = state ? 0 : 1;
        return true;
    case TENM_GETTEXTHEIGHT:
        *result = state ? TextHeight(state) : 0;
        return true;
    case TENM_GETLINECOUNT:
        *result = state ? state->live.lineCount : 0;
        return true;
    case TENM_CARETTOVISIBLE:
        if (state)
            CaretToVisibleLine(window, state);
        *result = 0;
        return true;
    case TENM_OWNERFRAME:
        *result = state ? OnOwnerFrame(state, wParam, lParam) : 0;
        return true;
    case WM_SIZE:
        if (wParam != SIZE_RESTORED)
            return false;
        *result = state ? SizeTenWindow(window, state, LOWORD(lParam), HIWORD(lParam)) : 1;
        return true;
    default:
        return false;
    }
}

// The selection, whole-text mode and the text length.
bool TextSelectionMessage(HWND window, TenState* state, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (message) {
    case TENM_SETSEL:
        if (state)
            SetTenSelection(window, state, wParam, TenPairLow(lParam), TenPairHigh(lParam));
        *result = state ? 0 : 1;
        return true;
    case TENM_GETSEL:
        *result = state ? PackTenPair(state->live.selectionStart.position, state->live.selectionEnd.position) : 1;
        return true;
    case TENM_SETWHOLETEXT:
        *result = state ? SetTenWholeText(window, state, static_cast<int>(wParam), static_cast<int>(lParam)).value : 1;
        return true;
    case TENM_SHOWCARET:
        *result = state ? 0 : 1;
        return true;
    case TENM_SELECTNEXTWORD:
    case TENM_SELECTPREVWORD:
        if (state && !(state->live.options & kTenWholeText))
            SelectTenWord(window, state, message == TENM_SELECTNEXTWORD ? 1 : -1);
        *result = 0;
        return true;
    case TENM_SELECTPARAGRAPHS:
        *result = state ? SelectTenParagraphs(window, state, static_cast<int>(wParam)) : 0;
        return true;
    case TENM_GETTEXTLENGTH:
        *result = state ? state->live.textLength : 0;
        return true;
    default:
        return false;
    }
}

// The modified flag, options, state flags, undo and focus.
bool EditorFlagsMessage(HWND window, TenState* state, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (message) {
    case TENM_GETMODIFY:
        *result = state ? (state->live.options & kTenModified) : 1;
        return true;
    case TENM_SETMODIFY:
        *result = state ? OnSetModify(window, state, wParam) : 1;
        return true;
    case TENM_SAVEUNDO:
        *result = state ? SaveTenUndo(window, state, static_cast<int>(wParam)).value : 1;
        return true;
    case TENM_GETOPTIONS:
        *result = state ? state->live.options : 0;
        return true;
    case TENM_SETOPTIONS:
        if (state)
            state->live.options = static_cast<uint32_t>(wParam);
        *result = 0;
        return true;
    case TENM_SETSTATEFLAGS:
        if (state)
            SetFlagBits(&state->stateFlags, static_cast<uint32_t>(wParam), lParam != 0);
        *result = 0;
        return true;
    case TENM_GETUNDOKIND:
        *result = state ? state->undoKind : 1;
        return true;
    case TENM_GETROLE:
        *result = state ? state->editorRole : 0;
        return true;
    case WM_ACTIVATE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        int gained = message == WM_SETFOCUS;
        if (message == WM_ACTIVATE)
            gained = LOWORD(wParam) != WA_INACTIVE;
        if (state)
            SetTenFocusState(window, state, gained);
        *result = 0;
        return true;
    }
    case EM_UNDO:
        if (state)
            UndoTenStep(window, state);
        *result = 0;
        return true;
    default:
        return false;
    }
}

// The private messages whose handlers work on a locked state.
bool StateMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    TenStateLock lock(window);
    TenState* state = lock.get();
    return TextFormatMessage(window, state, message, wParam, lParam, result) ||
           TextGeometryMessage(window, state, message, wParam, lParam, result) ||
           TextSelectionMessage(window, state, message, wParam, lParam, result) ||
           EditorFlagsMessage(window, state, message, wParam, lParam, result);
}

} // namespace

LRESULT CALLBACK TENProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(window, lParam);
    case WM_DESTROY:
        if (GetCapture() == window)
            TenMouseCapture = 0;
        return DestroyTenState(window);
    case WM_PAINT:
        return OnPaint(window);
    case WM_ERASEBKGND:
        return 1;
    case WM_SETCURSOR:
        return OnSetCursor(window, wParam, lParam);
    case WM_KEYDOWN:
        return OnKeyDown(window, wParam, lParam);
    case WM_KEYUP:
        if (GetParent(window))
            SendMessageA(GetParent(window), WM_KEYUP, wParam, lParam);
        return 0;
    case WM_CHAR:
        return OnChar(window, wParam, lParam);
    case WM_MOUSEMOVE:
        return OnMouseMove(window, wParam, lParam);
    case WM_LBUTTONDOWN:
        if (TenMouseCapture)
            return 0;
        return TenMouseDown(window, static_cast<int>(wParam), PointOf(lParam), 0);
    case WM_LBUTTONDBLCLK:
        TenMouseDown(window, static_cast<int>(wParam), PointOf(lParam), 1);
        return 1;
    case WM_LBUTTONUP:
        if (TenMouseCapture)
            TenMouseUp(window, static_cast<int>(wParam));
        return 0;
    case WM_RBUTTONDOWN:
        return OnRightButton(window, lParam);
    case TENM_SETTEXTBLOCK:
        return OnTextBlock(window, wParam, lParam);
    case TENM_GETTEXTBLOCK:
        return reinterpret_cast<LRESULT>(GetTenTextBlock(window, static_cast<uint32_t>(wParam)));
    case TENM_CLEARSEL:
        return EditTenChar(window, 0, static_cast<int>(wParam) & (kApplyLayout | kApplyRepaint)).value;
    case TENM_INSERTTEXT: {
        if (!lParam)
            return 1;
        if (wParam & 0x1000) {
            const char* text = reinterpret_cast<const char*>(lParam);
            return InsertTenText(window, text, static_cast<int>(std::strlen(text)), static_cast<int>(wParam)).value;
        }
        TextBlockHeader header;
        std::memcpy(&header, reinterpret_cast<const void*>(lParam), sizeof(header));
        const SIZE_T size = static_cast<SIZE_T>(TextBlockSize(header.formatCount, header.lineCount,
                                                              header.paragraphCount, header.runCount,
                                                              header.textLength));
        if (size == 0 || size > 65000)
            return kErrNoMemory;
        return InsertTenText(window, reinterpret_cast<const void*>(lParam), 0, static_cast<int>(wParam), size).value;
    }
    case TENM_SETBREAKLIST:
        SetTenBreakAreas(window, reinterpret_cast<HGLOBAL>(lParam), static_cast<int>(wParam));
        return 0;
    case TENM_FONTDIALOG:
        return ChooseTenFont(window);
    case TENM_SHOWWINDOW:
        return ShowTenWindow(window, TenPairLow(lParam), TenPairHigh(lParam));
    default: {
        LRESULT result = 0;
        if (StateMessage(window, message, wParam, lParam, &result))
            return result;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    }
}

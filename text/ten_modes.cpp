#include "text/ten_modes.h"

#include <initializer_list>

#include "common/mapping.h"
#include "text/caret_selection.h"
#include "text/ten_arrays.h"
#include "text/ten_autosize.h"
#include "text/ten_edit.h"
#include "text/ten_paint.h"
#include "text/ten_selection_commands.h"
#include "text/text_layout.h"
#include "text/text_measure.h"

ErrorCode SetTenWholeText(HWND window, TenState* state, int flags, int on)
{
    TenTextState& live = state->live;
    if (flags & kApplyUndoStep) {
        ErrorCode code = SaveTenUndo(window, state, kUndoTyping);
        if (code != kErrNone)
            return code;
    }
    const bool isOn = (live.options & kTenWholeText) != 0;
    if (on && !isOn) {
        live.options |= kTenWholeText | kTenModified;
        SetTenSelection(window, state, 0, 0, 32000);
        if (window && IsWindowVisible(window))
            PaintTextLines(window, state, 0, 32000, 0);
    } else if (!on && isOn) {
        live.options &= ~static_cast<uint32_t>(kTenWholeText);
        live.options |= kTenModified;
    }
    return kErrNone;
}

ErrorCode SetTenMeasureDC(HWND window, TenState* state, HDC dc)
{
    state->measuringDC = dc;
    if (dc) {
        SetZoomMapMode(dc, 0, state->unitsPerInch);
        SetTextAlign(dc, TA_BASELINE);
    }
    RefreshStateFormatFonts(state, 0, state->live.formatCount - 1);
    int end = 0;
    int first = 0;
    ErrorCode code = LayoutText(window, state, 0, kLayoutToEnd, &end, &first);
    if (code != kErrNone)
        return code;
    LONG sized = 0;
    if (state->stateFlags & (kTenFitWidth | kTenFitHeight))
        sized = AutoSizeTenWindow(window, state);
    if (state->undoKind != 0)
        state->stateFlags |= kTenUndoFontsStale;
    RefreshCaretPositions(window, state);
    if (window && IsWindowVisible(window)) {
        PaintTextLines(window, state, 0, LOWORD(sized) ? state->live.lineCount : end, sized ? 1 : 0);
        ScrollCaretIntoView(window, state, nullptr, &state->live.selectionStart, 0);
    }
    SyncCaretFormat(window, state, kSyncForce);
    return kErrNone;
}

void ReleaseTenFonts(TenState* state)
{
    HGDIOBJ system = GetStockObject(SYSTEM_FONT);
    for (HDC dc : {state->windowDC, state->measuringDC, state->offscreenDC})
        if (dc)
            SelectObject(dc, system);
    if (state->undoKind != 0)
        state->stateFlags |= kTenUndoFontsStale;
    TenArrays arrays(&state->live);
    if (!arrays.Ok())
        return;
    for (int i = 0; i < state->live.formatCount; ++i)
        arrays.formats[i].font = 0;
}

#include "text/ten_autosize.h"

#include "common/mapping.h"
#include "text/ten_arrays.h"
#include "text/ten_fit_box.h"
#include "text/ten_notifications.h"
#include "text/ten_state_access.h"

namespace {

const int kUnboundedBox = 32000;

int WidestLine(const TenState* state)
{
    const TenTextState& live = state->live;
    const auto* lines = static_cast<const TextLine*>(live.lines ? GlobalLock(live.lines) : nullptr);
    if (!lines)
        return 0;
    int widest = 0;
    for (int i = 0; i < live.lineCount; ++i) {
        if (lines[i].width > widest)
            widest = lines[i].width;
    }
    GlobalUnlock(live.lines);
    return widest;
}

} // namespace

int NeededTextHeight(const TenState* state)
{
    const TenTextState& live = state->live;
    const auto* lines = static_cast<const TextLine*>(live.lines ? GlobalLock(live.lines) : nullptr);
    if (!lines || live.lineCount <= 0) {
        if (lines)
            GlobalUnlock(live.lines);
        return state->margins.top + state->margins.bottom;
    }
    const TextLine& last = lines[live.lineCount - 1];
    const int needed = last.top + last.height + state->margins.bottom - (lines[0].top - state->margins.top);
    GlobalUnlock(live.lines);
    return needed;
}

LONG AutoSizeTenWindow(HWND window, TenState* state)
{
    if (!(state->stateFlags & (kTenFitWidth | kTenFitHeight)))
        return 0;
    TenTextState& live = state->live;
    const int units = state->unitsPerInch > 0 ? state->unitsPerInch : 600;
    int allowance = units * 2 / 100;
    if (state->margins.right >= allowance)
        allowance = 0;
    int width = live.boxWidth;
    int height = live.boxHeight;
    const bool wraps = (live.options & kTenWordWrap) && !(live.options & kTenWholeText);
    if ((state->stateFlags & kTenFitWidth) && !wraps && live.boxWidth != kUnboundedBox) {
        const int needed = WidestLine(state) + allowance + state->margins.left + state->margins.right;
        if (needed > live.boxWidth) {
            if (needed < state->maximumWidth) {
                width = live.boxWidth + (needed - live.boxWidth) + state->widthStep;
            } else {
                live.options |= kTenWordWrap;
                width = state->maximumWidth > live.boxWidth ? state->maximumWidth : live.boxWidth + 1;
                state->stateFlags |= kTenRelayoutAfterUndo;
            }
        } else if (needed < live.boxWidth - state->widthStep && !(live.options & kTenNeverShrinkWidth)) {
            width = needed > state->minimumWidth ? needed : state->minimumWidth;
        }
    }
    bool askedParent = false;
    if ((state->stateFlags & kTenFitHeight) && live.boxHeight != kUnboundedBox) {
        const int needed = NeededTextHeight(state);
        if (needed > live.boxHeight) {
            int grow = (needed < state->maximumHeight ? needed : state->maximumHeight) - live.boxHeight;
            if (grow < 0)
                grow = 0;
            if (grow > 0 && state->heightStep > 0 && grow < state->heightStep)
                grow = state->heightStep;
            height = live.boxHeight + grow;
        } else if (needed < live.boxHeight) {
            int target = needed > state->minimumHeight ? needed : state->minimumHeight;
            if (live.boxHeight - target < state->heightStep && !(state->stateFlags & kTenAskBeforeGrowing))
                target = live.boxHeight;
            height = target;
        }
        if ((state->stateFlags & kTenAskBeforeGrowing) && height != live.boxHeight) {
            // The box keeps its proportions: the fitting search decides the
            // size, unless this very height was granted last time.
            const int granted = height < live.boxHeight && needed < state->minimumHeight ? state->minimumHeight
                                                                                        : needed;
            if (live.neededHeight == granted && state->minimumHeight < needed) {
                height = live.boxHeight;
            } else {
                int32_t size[2] = {width, height};
                if (FitTenBoxToText(window, TenStateHandle(window), height - live.boxHeight, size, 0) == kErrNone) {
                    width = size[0];
                    height = size[1];
                }
                state->stateFlags |= kTenRelayoutAfterUndo;
                askedParent = true;
            }
        }
    }
    if (!askedParent && width == live.boxWidth && height == live.boxHeight)
        return 0;
    const int oldWidth = live.boxWidth;
    const int oldHeight = live.boxHeight;
    if (ResizeTenWindow(window, state, width, height) == 0)
        return 0;
    int dx = live.boxWidth - oldWidth;
    int dy = live.boxHeight - oldHeight;
    if (askedParent) {
        dx |= 1;
        dy |= 1;
    }
    return MAKELONG(dy, dx);
}

int ResizeTenWindow(HWND window, TenState* state, int width, int height)
{
    HWND parent = GetParent(window);
    int32_t proposal[2] = {width, height};
    if (!parent || SendMessageA(parent, TENN_RESIZE, reinterpret_cast<WPARAM>(window),
                                reinterpret_cast<LPARAM>(proposal)) == 0)
        return 0;
    width = proposal[0];
    height = proposal[1];
    HDC dc = GetDC(parent);
    SIZE size = {width, height};
    POINT origin = {state->originX, state->originY};
    if (dc) {
        LogicalToDeviceSize(dc, &size);
        LPtoDP(dc, &origin, 1);
        ReleaseDC(parent, dc);
    }
    RECT client;
    GetClientRect(window, &client);
    RECT placed;
    GetWindowRect(window, &placed);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&placed), 2);
    if (size.cy < client.bottom) {
        RECT strip = {placed.left, placed.top + size.cy, placed.left + client.right, placed.top + client.bottom};
        InvalidateRect(parent, &strip, TRUE);
    }
    if (size.cx < client.right) {
        RECT strip = {placed.left + size.cx, placed.top, placed.left + client.right, placed.top + client.bottom};
        InvalidateRect(parent, &strip, TRUE);
    }
    MoveWindow(window, placed.left, placed.top, size.cx, size.cy, FALSE);
    state->live.boxWidth = width;
    state->live.boxHeight = height;
    return height;
}

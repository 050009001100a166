#include "text/ten_fit_box.h"

#include "text/caret_selection.h"
#include "text/ten_arrays.h"
#include "text/ten_state.h"
#include "text/text_layout.h"

namespace {

const int kTolerance = 16;

struct FitContext {
    HWND window;
    TenState* state;
    int width;   // W
    int height;  // H, never 0 here
    RECT fixed;  // the margins less their proportional parts
};

int WidthFor(const FitContext& c, int height)
{
    return static_cast<int>(static_cast<int64_t>(c.width) * height / c.height);
}

void SetProbeMargins(const FitContext& c, int width, int height)
{
    const double* f = c.state->textInsets;
    c.state->margins.left = c.fixed.left + static_cast<int>(f[0] * width);
    c.state->margins.top = c.fixed.top + static_cast<int>(f[1] * height);
    c.state->margins.right = c.fixed.right + static_cast<int>(f[2] * width);
    c.state->margins.bottom = c.fixed.bottom + static_cast<int>(f[3] * height);
}

// Lays the text out in a box (width, height); the height it then needs.
ErrorCode Probe(const FitContext& c, int width, int height, int* needed)
{
    TenTextState& live = c.state->live;
    SetProbeMargins(c, width, height);
    live.boxWidth = width - 6;
    live.boxHeight = height - 6;
    ErrorCode code = kErrNone;
    if (live.boxWidth - c.state->margins.left - c.state->margins.right > 10) {
        int end = 0;
        int first = 0;
        code = LayoutText(c.window, c.state, 0, kLayoutToEnd, &end, &first);
    }
    live.boxWidth = width;
    live.boxHeight = height;
    int bottom = 0;
    {
        TenArrays arrays(&live);
        if (arrays.Ok() && live.lineCount > 0) {
            const TextLine& last = arrays.lines[live.lineCount - 1];
            bottom = last.top + last.height;
        }
    }
    *needed = bottom + c.state->margins.bottom;
    if (*needed < c.state->minimumHeight)
        *needed = c.state->minimumHeight;
    return code;
}

} // namespace

ErrorCode FitTenBoxToText(HWND window, HGLOBAL stateHandle, int heightChange, int32_t* size, int keep)
{
    auto* state = stateHandle ? static_cast<TenState*>(GlobalLock(stateHandle)) : nullptr;
    if (!state)
        return kErrNoMemory;
    TenTextState& live = state->live;
    const int width = live.boxWidth;
    const int height = live.boxHeight;
    const RECT saved = state->margins;
    // A box read from a file may have no height: there is no ratio to keep,
    // so the width stays and only the height is searched.
    FitContext c = {window, state, width, height > 0 ? height : 1, {}};
    const double* f = state->textInsets;
    c.fixed.left = saved.left - static_cast<int>(f[0] * width);
    c.fixed.top = saved.top - static_cast<int>(f[1] * height);
    c.fixed.right = saved.right - static_cast<int>(f[2] * width);
    c.fixed.bottom = saved.bottom - static_cast<int>(f[3] * height);
    auto widthFor = [&](int h) { return height > 0 ? WidthFor(c, h) : width; };

    const bool shrink = heightChange < 0;
    const int startLow = shrink ? height + heightChange : height;
    const int startHigh = shrink ? height : height + heightChange;
    int low = startLow;
    int high = startHigh;
    int target = height + heightChange;
    size[0] = widthFor(high);
    size[1] = high;
    int measured = height;
    bool first = true;
    bool lastFitted = true;
    bool laidOut = false;
    ErrorCode code = kErrNone;
    while (measured != target && high - low >= kTolerance) {
        const int t = (first && shrink) ? low : (low + high) / 2;
        first = false;
        const int w = widthFor(t);
        int needed = 0;
        code = Probe(c, w, t, &needed);
        laidOut = true;
        if (code != kErrNone)
            break;
        measured = needed;
        if (t > needed) {
            high = t < startHigh ? t : startHigh;
            target = needed;
            size[0] = w;
            size[1] = t;
            lastFitted = true;
        } else if (t == needed) {
            size[0] = w;
            size[1] = t;
            target = needed;
            lastFitted = true;
            break;
        } else {
            low = t > startLow ? t : startLow;
            lastFitted = false;
        }
    }
    live.neededHeight = target;
    live.boxWidth = width;
    live.boxHeight = height;
    if (code == kErrNone && !lastFitted && ((size[0] == width && size[1] == height) || keep)) {
        int needed = 0;
        if (keep) {
            code = Probe(c, size[0], size[1], &needed);
            live.boxWidth = size[0];
            live.boxHeight = size[1];
        } else {
            code = Probe(c, width, height, &needed);
            live.boxWidth = width;
            live.boxHeight = height;
        }
        laidOut = true;
    }
    if (!keep || code != kErrNone)
        state->margins = saved;
    if (code != kErrNone) {
        live.boxWidth = width;
        live.boxHeight = height;
    }
    if (laidOut && code == kErrNone)
        RefreshCaretPositions(window, state);
    GlobalUnlock(stateHandle);
    return code;
}

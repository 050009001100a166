#include "text/ten_fit_box.h"

#include "text/ten_state.h"

ErrorCode FitTenBoxToText(HWND, HGLOBAL stateHandle, int heightChange, int32_t* size, int)
{
    auto* state = stateHandle ? static_cast<TenState*>(GlobalLock(stateHandle)) : nullptr;
    if (!state)
        return kErrNoMemory;
    TenTextState& live = state->live;
    const int width = live.boxWidth;
    const int height = live.boxHeight;
    if (heightChange > 0) {
        const int grown = height + heightChange;
        size[0] = height > 0 ? static_cast<int32_t>(static_cast<int64_t>(width) * grown / height) : width;
        size[1] = grown;
    } else {
        size[0] = width;
        size[1] = height;
    }
    live.neededHeight = height + heightChange;
    GlobalUnlock(stateHandle);
    return kErrNone;
}

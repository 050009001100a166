#include "text/ten_window.h"

#include "text/ten_create.h"

// Only creation and destruction are handled so far; every other message
// behaves as for a plain child window.
LRESULT CALLBACK TENProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (!create || !create->lpCreateParams) {
            SetWindowLongPtrA(window, 0, 0);
            return 1;
        }
        // The window exists without state when this fails.
        return CreateTenState(window, static_cast<const TenCreateParams*>(create->lpCreateParams));
    }
    case WM_DESTROY:
        return DestroyTenState(window);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

#include "text/ten_startup.h"

#include "common/io_seam.h"
#include "common/mapping.h"
#include "common/app_globals.h"
#include "text/ten_window.h"

UINT TenClipFormat = 0;
HFONT TenDefaultFont = nullptr;
int BreakBarHeight = 10;
int BreakBarTextOffset = 8;
HGLOBAL CharWidthBuffer = nullptr;
int32_t* CharWidths = nullptr;
int CharWidthCapacity = 0;
int DbcsEnabled = 0;

const char kTenClassName[] = "TENClass";
const char kTenClipFormatName[] = "TENClipClass";

namespace {

const int kInitialCharWidths = 160;

ErrorCode MakeDefaultFont()
{
    HDC dc = GetDC(MainWindow);
    if (!dc)
        return kErrNoMemory;
    int saved = SaveDC(dc);
    SetZoomMapMode(dc, 0, 600);
    ErrorCode code = kErrNone;
    TenDefaultFont = CreateFontA(GetDeviceCaps(dc, LOGPIXELSY) / 12, 0, 0, 0, 0, FALSE, FALSE, FALSE, 0, 0, 0, 0, 0,
                                 "Helv");
    if (!TenDefaultFont) {
        code = kErrNoMemory;
    } else {
        SelectObject(dc, TenDefaultFont);
        TEXTMETRICA metrics;
        if (GetTextMetricsA(dc, &metrics)) {
            BreakBarHeight = metrics.tmHeight + 2;
            BreakBarTextOffset = metrics.tmAscent;
        }
    }
    RestoreDC(dc, saved);
    ReleaseDC(MainWindow, dc);
    return code;
}

} // namespace

ErrorCode RegisterTenClass(HINSTANCE instance)
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_OWNDC | CS_DBLCLKS;
    windowClass.lpfnWndProc = TENProc;
    // Window long 0 holds the state block's handle, a pointer-sized value.
    windowClass.cbWndExtra = sizeof(LONG_PTR);
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_IBEAM));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = kTenClassName;
    if (RegisterClassA(&windowClass))
        return kErrNone;
    return GetLastError() == ERROR_CLASS_ALREADY_EXISTS ? kErrNone : kErrWindowOrCursor;
}

ErrorCode InitTen()
{
    ErrorCode code = kErrNone;
    TenClipFormat = RegisterClipboardFormatA(kTenClipFormatName);
    if (!TenClipFormat)
        code = kErrStringOrFormat;
    else
        code = MakeDefaultFont();

    if (!CharWidthBuffer) {
        HGLOBAL buffer = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kInitialCharWidths * sizeof(int32_t));
        CharWidths = buffer ? static_cast<int32_t*>(GlobalLock(buffer)) : nullptr;
        if (!CharWidths) {
            if (buffer)
                GlobalFree(buffer);
            return code != kErrNone ? code : kErrNoMemory;
        }
        CharWidthBuffer = buffer;
        CharWidthCapacity = kInitialCharWidths;
    }

    DbcsEnabled = 0;
    for (int lead = 0; lead <= 253 && !DbcsEnabled; ++lead) {
        if (IsDBCSLeadByte(static_cast<BYTE>(lead)))
            DbcsEnabled = 1;
    }
    return code;
}

void TermTen()
{
    if (TenDefaultFont) {
        DeleteObject(TenDefaultFont);
        TenDefaultFont = nullptr;
    }
    if (CharWidthBuffer) {
        GlobalUnlock(CharWidthBuffer);
        GlobalFree(CharWidthBuffer);
        CharWidthBuffer = nullptr;
        CharWidths = nullptr;
        CharWidthCapacity = 0;
    }
}

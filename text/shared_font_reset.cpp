#include "text/shared_font_reset.h"

#include "text/ten_messages.h"
#include "text/ten_startup.h"
#include "text/text_run_caches.h"
#include "objects/view_record_word.h"

namespace {

// The drawing view's class as the frame registers it.
const char kViewClassName[] = "MDScrollClass";

struct Walk {
    UINT message;
    ErrorCode code;
};

bool HasClass(HWND window, const char* name)
{
    char found[64] = {};
    GetClassNameA(window, found, sizeof(found));
    return lstrcmpiA(found, name) == 0;
}

BOOL CALLBACK Visit(HWND window, LPARAM data)
{
    auto* walk = reinterpret_cast<Walk*>(data);
    if (HasClass(window, kTenClassName)) {
        SendMessageA(window, walk->message, 0, 0);
    } else if (walk->message == TENM_RELEASEFONTS && HasClass(window, kViewClassName)) {
        HGLOBAL handle = GetViewRecordHandle(window);
        void* record = handle ? GlobalLock(handle) : nullptr;
        if (record) {
            const ErrorCode code = ResetTextRunCaches(record);
            if (walk->code == kErrNone)
                walk->code = code;
            GlobalUnlock(handle);
        }
    }
    return TRUE;
}

} // namespace

ErrorCode ReleaseTextFonts(HWND mainWindow)
{
    Walk walk = {TENM_RELEASEFONTS, kErrNone};
    if (mainWindow)
        EnumChildWindows(mainWindow, Visit, reinterpret_cast<LPARAM>(&walk));
    return walk.code;
}

void RebuildTextFonts(HWND mainWindow)
{
    Walk walk = {TENM_REBUILDFONTS, kErrNone};
    if (mainWindow)
        EnumChildWindows(mainWindow, Visit, reinterpret_cast<LPARAM>(&walk));
}

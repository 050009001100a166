#include "common/results.h"

#include <cstring>

#include "common/string_helpers.h"
#include "common/tool_tips.h"
#include "common/app_globals.h"
#include "resources/resource_ids.h"
#include "common/tracking_mode.h"

HCURSOR AppCursors[18];
int CurrentCursorIndex = 0;
int SuppressWarnings = 0;

namespace {

const UINT kWarningStyle = MB_TASKMODAL | MB_ICONEXCLAMATION | MB_OK;

// Shows a warning text unless warnings stand aside; ends any drag under way.
void ShowWarning(const char* message)
{
    HideToolTip();
    if (SuppressWarnings || !MainWindow || !IsWindowVisible(MainWindow))
        return;
    char title[kStringBufferSize];
    LoadStrOrBlank(IDS_APP_TITLE, title);
    MessageBoxA(nullptr, message, title, kWarningStyle);
    TrackingMode = 0;
    ReleaseCapture();
}

} // namespace

ErrorCode CheckAlloc(const void* handle)
{
    return handle ? kErrNone : kErrNoMemory;
}

ErrorCode CheckFileResult(long result)
{
    return result == HFILE_ERROR ? kErrFile : kErrNone;
}

int IsNotPositive(long value)
{
    return value <= 0 ? 1 : 0;
}

int AppMessageBox(int stringId, UINT style)
{
    char message[kStringBufferSize];
    if (LoadStr(stringId, message) != kErrNone)
        return 0;
    char title[kStringBufferSize];
    LoadStrOrBlank(IDS_APP_TITLE, title);
    return MessageBoxA(nullptr, message, title, style | MB_TASKMODAL);
}

void WarnById(int stringId)
{
    char message[kStringBufferSize];
    LoadStrOrBlank(stringId, message);
    ShowWarning(message);
}

void WarnWithText(int stringId, const char* text)
{
    // String and text together hold at most 523 characters.
    char message[524];
    LoadStrOrBlank(stringId, message);
    if (text) {
        size_t used = strlen(message);
        strncat(message, text, sizeof(message) - 1 - used);
    }
    ShowWarning(message);
}

int SetAppCursor(int index)
{
    if (index < 0 || index >= 18)
        return index;
    SetCursor(AppCursors[index]);
    CurrentCursorIndex = index;
    return index;
}

void PrepareCommand() {}

#include "frame/frame_caption.h"

#include "common/string_helpers.h"
#include "frame/app_globals.h"
#include "resources/resource_ids.h"

void RefreshFrameCaption()
{
    // The MDI frame code names a document as it is maximized, which happens
    // before it becomes the active one: then it reads the name of the document
    // active before (or none). Setting the title again once the new document is
    // active makes the frame code name that one.
    char title[kStringBufferSize];
    if (!MainWindow || LoadStr(IDS_APP_TITLE, title) != kErrNone)
        return;
    SendMessageA(MainWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title));
}

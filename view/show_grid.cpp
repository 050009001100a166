// Show Grid: one switch for every open document.
#include "common/app_globals.h"
#include "documents/view_children.h"
#include "documents/view_options.h"
#include "objects/view_record.h"
#include "view/arrange_commands.h"

int ToggleShowGrid()
{
    SetViewOption(kOptionsShowGrid, !ViewOptionSet(kOptionsShowGrid));
    for (HWND document = MdiClientWindow ? GetWindow(MdiClientWindow, GW_CHILD) : nullptr; document;
         document = GetWindow(document, GW_HWNDNEXT)) {
        HWND view = DocumentViewOf(document);
        ViewRecord* record = view ? LockViewRecord(view) : nullptr;
        if (!record)
            continue;
        // The grid lies under the objects: the back buffer is painted anew.
        record->flags |= kViewRepaintBuffered;
        ReleaseViewRecord(view);
        InvalidateRect(view, nullptr, TRUE);
    }
    return 0;
}

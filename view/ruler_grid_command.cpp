// Define Rulers and Grid: the dialog sets the drawing's rulers and the
// options' default; every open document then shows or hides its rulers, or
// paints them again in the new scale.
#include "view/arrange_commands.h"

#include <initializer_list>

#include "common/app_globals.h"
#include "common/results.h"
#include "common/window_helpers.h"
#include "documents/document_window_hooks.h"
#include "documents/view_children.h"
#include "documents/view_options.h"
#include "view/view_layout.h"

namespace {

void RepaintRulersAndView(HWND view)
{
    for (HWND window : {view, HorizontalRulerOf(view), VerticalRulerOf(view), CornerBoxOf(view)})
        if (window)
            InvalidateRect(window, nullptr, TRUE);
}

} // namespace

int DefineRulersAndGrid()
{
    HWND document = GetActiveDocWindow(nullptr);
    HWND view = document ? DocumentViewOf(document) : nullptr;
    if (!view || !FrameCalls.editRulers)
        return 0;
    const bool rulersBefore = RulersShown();
    if (!FrameCalls.editRulers(view))
        return 0;
    const bool rulersAfter = RulersShown();
    for (HWND each = MdiClientWindow ? GetWindow(MdiClientWindow, GW_CHILD) : nullptr; each;
         each = GetWindow(each, GW_HWNDNEXT)) {
        HWND eachView = DocumentViewOf(each);
        if (!eachView)
            continue;
        if (rulersBefore != rulersAfter)
            DiscardError(RelayoutDocumentWindow(each), "a window that cannot be laid out keeps its old layout");
        else if (rulersAfter)
            RepaintRulersAndView(eachView);
    }
    return 1;
}

// The View menu's zoom commands on the active document's view.
#include "common/info_dialog.h"
#include "common/mapping.h"
#include "common/window_helpers.h"
#include "documents/document_window_hooks.h"
#include "objects/drawing_extents.h"
#include "objects/app_options.h"
#include "objects/view_record.h"
#include "documents/view_children.h"
#include "view/view_layout.h"
#include "documents/view_options.h"
#include "documents/view_settings.h"
#include "view/view_zoom.h"

namespace {

const int kFitHintTopic = 107;
bool FitHintShown = false;

// Fit to Window is explained once per run while hints are on.
void ShowFitHint()
{
    if (FitHintShown || !ViewOptionSet(kOptionsHints))
        return;
    FitHintShown = true;
    ShowInfoDialog("HINT_STF", kFitHintTopic);
}

bool HasSelection(HWND view)
{
    ViewRecord* record = LockViewRecord(view);
    if (!record)
        return false;
    RECT selected;
    GetDrawingExtents(GetViewDrawingHandle(record), TRUE, &selected);
    ReleaseViewRecord(view);
    return !IsRectEmpty(&selected);
}

} // namespace

void SetZoom(int value, int mode)
{
    HWND document = GetActiveDocWindow(nullptr);
    HWND view = DocumentViewOf(document);
    ViewSettings settings;
    if (!view || !GetWindowLongPtrA(view, sizeof(LONG_PTR)) || !ReadViewSettings(view, &settings))
        return;
    if (mode == 0 && value == kZoomCustom) {
        int custom = settings.zoom;
        if (!FrameCalls.editScale(&custom) || custom == settings.zoom)
            return;
        value = custom;
    }
    ZoomDecision decision;
    if (!DecideZoom(settings, value, mode, &decision)) {
        if (mode == 1)
            ShowFitHint();
        return;
    }
    settings.flags &= ~(kViewFitMode | kViewFitPage);
    if (decision.mode != 0)
        settings.flags |= kViewFitMode;
    if (decision.page)
        settings.flags |= kViewFitPage;
    settings.zoom = decision.value;
    WriteViewSettings(view, settings);

    const bool keepPoint = decision.mode != 1;
    RECT before = {0, 0, 0, 0};
    POINT reference = {0, 0};
    POINT shown = {0, 0};
    if (keepPoint) {
        GetWindowRect(view, &before);
        reference = GetZoomReferencePoint(view, decision.mode == 2);
        shown = reference;
        HDC dc = GetDC(view);
        LPtoDP(dc, &shown, 1);
        ReleaseDC(view, dc);
        if (decision.mode == 0)
            ApplyViewZoom(view, decision.value, 0);
    }
    LayoutDocumentWindow(document, view);
    if (keepPoint) {
        ReadViewSettings(view, &settings);
        if (!CentreViewContentsAt(view, settings.zoom)) {
            RECT after;
            GetWindowRect(view, &after);
            POINT target = {shown.x + before.left - after.left, shown.y + before.top - after.top};
            if (decision.mode == 2 && !HasSelection(view))
                target = {0, 0};
            KeepPointOnScreen(view, settings.zoom, reference, target);
        }
    }
    InvalidateRect(document, nullptr, FALSE);
    InvalidateRect(view, nullptr, FALSE);
    if (HWND editor = ViewEditorOf(view))
        InvalidateRect(editor, nullptr, FALSE);
    if (decision.mode == 1)
        ShowFitHint();
}

#include "view/view_hooks.h"

#include "documents/document_window_hooks.h"
#include "objects/shape_paint.h"
#include "view/end_text_edit.h"
#include "view/ruler_fonts.h"
#include "view/scroll_view.h"
#include "view/view_layout.h"
#include "view/view_zoom.h"

void RegisterViewHooks()
{
    DocumentWindowCalls = {MakeRulerFonts, FreeRulerFonts, SyncRulerOrigins, ApplyViewZoom, RelayoutDocumentWindow,
                           EndTextEdit};
    ViewZoomOf = GetViewZoom;
}

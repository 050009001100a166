#include "objects/view_record.h"

#include "common/handle_tokens.h"

namespace {

void SetTokenField(uint32_t* field, HGLOBAL handle)
{
    FreeHandleToken(*field);
    *field = handle ? AddHandleToken(handle) : 0;
}

} // namespace

HGLOBAL GetViewDrawingHandle(const void* viewRecord)
{
    return viewRecord ? TokenHandle(static_cast<uint32_t>(ReadViewField(viewRecord, kViewDrawingRecord))) : nullptr;
}

void SetViewDrawingHandle(void* viewRecord, HGLOBAL drawing)
{
    FreeHandleToken(static_cast<uint32_t>(ReadViewField(viewRecord, kViewDrawingRecord)));
    WriteViewField(viewRecord, kViewDrawingRecord, drawing ? static_cast<int32_t>(AddHandleToken(drawing)) : 0);
}

HGLOBAL GetViewDevMode(const ViewRecord* view) { return TokenHandle(view->devMode); }
void SetViewDevMode(ViewRecord* view, HGLOBAL devMode) { SetTokenField(&view->devMode, devMode); }
HGLOBAL GetViewFontTable(const ViewRecord* view) { return TokenHandle(view->fontTable); }
void SetViewFontTable(ViewRecord* view, HGLOBAL fontTable) { SetTokenField(&view->fontTable, fontTable); }
HGLOBAL GetViewFontList(const ViewRecord* view) { return TokenHandle(view->fontList); }
void SetViewFontList(ViewRecord* view, HGLOBAL fontList) { SetTokenField(&view->fontList, fontList); }

void ClearStoredViewHandles(ViewRecord* view)
{
    view->devMode = 0;
    view->fontTable = 0;
    view->fontList = 0;
    view->palette = 0;
    view->replacedPalette = 0;
    view->measuringDC = 0;
    view->textEditor = 0;
    view->drawingRecord = 0;
    view->oleRegistration = 0;
    view->oleObjects = 0;
    view->libraryAtom = 0;
}

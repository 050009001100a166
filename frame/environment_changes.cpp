#include "frame/environment_changes.h"

#include <cstring>

#include "common/app_globals.h"
#include "common/back_buffer.h"
#include "common/results.h"
#include "common/string_helpers.h"
#include "common/window_helpers.h"
#include "documents/print_dialogs.h"
#include "documents/print_document.h"
#include "documents/printer_context.h"
#include "documents/view_children.h"
#include "libraries/library_table.h"
#include "libraries/library_window.h"
#include "objects/document_undo.h"
#include "objects/view_record.h"
#include "text/font_cache.h"
#include "text/shared_font_reset.h"

namespace {

const int kMostDocuments = 256;
const int kProfileText = 262;
const char kWindowsSection[] = "windows";
const char kDevicesSection[] = "devices";

// The document windows of the MDI client, taken before anything reacts, so a
// handler that reorders them does not upset the walk.
int ListDocuments(HWND* documents)
{
    int count = 0;
    if (!MdiClientWindow)
        return 0;
    for (HWND child = GetWindow(MdiClientWindow, GW_CHILD); child && count < kMostDocuments;
         child = GetWindow(child, GW_HWNDNEXT))
        if (GetParent(child) == MdiClientWindow)
            documents[count++] = child;
    return count;
}

// The stock font goes into the view's own context and its measuring
// context, so no cached font stays selected while the cache is flushed.
void LetGoOfFonts(HWND view, HGDIOBJ systemFont)
{
    if (HDC dc = GetDC(view)) {
        SelectObject(dc, systemFont);
        ReleaseDC(view, dc);
    }
    if (ViewRecord* record = LockViewRecord(view)) {
        if (HDC measuring = GetViewMeasuringDC(record))
            SelectObject(measuring, systemFont);
        ReleaseViewRecord(view);
    }
}

bool HasViewRecord(HWND view)
{
    ViewRecord* record = view ? LockViewRecord(view) : nullptr;
    if (record)
        ReleaseViewRecord(view);
    return record != nullptr;
}

bool PrintsOnDefaultPrinter(HWND view)
{
    ViewRecord* record = LockViewRecord(view);
    if (!record)
        return false;
    const bool onDefault = (record->flags & kViewDefaultPrinter) != 0;
    if (onDefault)
        record->printer[0] = '\0';
    ReleaseViewRecord(view);
    return onDefault;
}

// A document prints on the device when its printer string names it first.
bool PrintsOnDevice(HWND view, const char* device)
{
    ViewRecord* record = LockViewRecord(view);
    if (!record)
        return false;
    char printer[kPrinterStringSize];
    std::memcpy(printer, record->printer, sizeof(printer));
    printer[kPrinterStringSize - 1] = '\0';
    ReleaseViewRecord(view);
    char* comma = std::strchr(printer, ',');
    if (comma)
        *comma = '\0';
    return printer[0] && lstrcmpiA(printer, device) == 0;
}

void InvalidateView(HWND view)
{
    InvalidateRect(view, nullptr, FALSE);
    if (ViewRecord* record = LockViewRecord(view)) {
        record->flags |= kViewRepaintBuffered;
        ReleaseViewRecord(view);
    }
}

HWND ActiveView()
{
    HWND document = GetActiveDocWindow(nullptr);
    return document ? DocumentViewOf(document) : nullptr;
}

} // namespace

void ResetSharedFonts(int rebuild)
{
    SetAppCursor(1);
    HGDIOBJ systemFont = GetStockObject(SYSTEM_FONT);
    if (BackBufferDC)
        SelectObject(BackBufferDC, systemFont);
    HWND documents[kMostDocuments];
    const int count = ListDocuments(documents);
    for (int i = 0; i < count; ++i) {
        HWND view = DocumentViewOf(documents[i]);
        if (!view)
            continue;
        LetGoOfFonts(view, systemFont);
        // A step made with the old fonts could not be replayed with the new.
        ClearDocumentUndo(view);
    }
    DiscardError(ReleaseTextFonts(MainWindow), "texts whose caches were not reached are measured again when drawn");
    FlushFontCache();
    if (rebuild)
        RebuildTextFonts(MainWindow);
    SetAppCursor(0);
}

// The library windows keep their buttons in a bitmap painted with the
// button colours of the moment: each is painted again with the new ones.
void OnSystemColorsChanged()
{
    for (int row = 0; row < kLibraryRowCount; ++row) {
        if (LibraryWindows[row].buttonsDib)
            RefreshLibraryWindow(row);
    }
}

void OnFontsChanged()
{
    ResetSharedFonts(0);
    HWND documents[kMostDocuments];
    const int count = ListDocuments(documents);
    for (int i = 0; i < count; ++i)
        if (HasViewRecord(DocumentViewOf(documents[i])))
            ApplyPrinterToDocument(documents[i], 0);
}

void OnWinIniChanged(const char* section)
{
    if (section && lstrcmpiA(section, kWindowsSection) != 0)
        return;
    if (HasDefaultPrinterChanged(1))
        ApplyDefaultPrinterChange();
}

void ApplyDefaultPrinterChange()
{
    ResetSharedFonts(0);
    HWND documents[kMostDocuments];
    const int count = ListDocuments(documents);
    for (int i = 0; i < count; ++i) {
        HWND view = DocumentViewOf(documents[i]);
        if (view && PrintsOnDefaultPrinter(view))
            ApplyPrinterToDocument(documents[i], 1);
    }
}

void OnDeviceModeChanged(const char* device)
{
    if (!device || !device[0])
        return;
    char profile[kProfileText] = "";
    GetProfileStringA(kDevicesSection, device, "", profile, sizeof(profile));
    if (!profile[0])
        return;
    HWND documents[kMostDocuments];
    const int count = ListDocuments(documents);
    bool fontsReset = false;
    for (int i = 0; i < count; ++i) {
        HWND view = DocumentViewOf(documents[i]);
        if (!view || !PrintsOnDevice(view, device))
            continue;
        if (!fontsReset)
            ResetSharedFonts(0);
        fontsReset = true;
        ApplyPrinterToDocument(documents[i], 1);
    }
}

int RealizeViewPalette(HWND view, bool background)
{
    if (!view)
        view = ActiveView();
    ViewRecord* record = view ? LockViewRecord(view) : nullptr;
    if (!record)
        return 0;
    HPALETTE palette = WordToHandle<HPALETTE>(record->palette);
    ReleaseViewRecord(view);
    if (!palette)
        return 0;
    HDC dc = GetDC(view);
    if (!dc)
        return 0;
    SelectPalette(dc, palette, background ? TRUE : FALSE);
    const UINT changed = RealizePalette(dc);
    ReleaseDC(view, dc);
    if (changed != 0 && changed != GDI_ERROR)
        InvalidateView(view);
    return 1;
}

LRESULT OnQueryNewPalette()
{
    return RealizeViewPalette(nullptr, false);
}

void OnPaletteChanged(HWND)
{
    if (PreviewWindow) {
        InvalidateRect(PreviewWindow, nullptr, TRUE);
        return;
    }
    HWND documents[kMostDocuments];
    const int count = ListDocuments(documents);
    for (int i = 0; i < count; ++i)
        if (HWND view = DocumentViewOf(documents[i]))
            InvalidateView(view);
}

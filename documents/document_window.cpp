// Making a document window with its view, rulers and corner box, and
// finding and counting the open ones.
#include <cstdio>

#include "common/mapping.h"
#include "common/results.h"
#include "common/scroll_helpers.h"
#include "common/string_helpers.h"
#include "documents/document_commands.h"
#include "documents/document_records.h"
#include "documents/document_window_access.h"
#include "documents/drawing_stream.h"
#include "documents/ole_document_state.h"
#include "documents/open_failure.h"
#include "common/app_globals.h"
#include "documents/document_window_hooks.h"
#include "objects/document_palette.h"
#include "resources/resource_ids.h"
#include "documents/view_children.h"
#include "objects/view_record_word.h"
#include "documents/view_settings.h"

namespace {

const int kRulerThickness = 26;
const int kMinimizedShrink = 16;
const int kNoFreeSlot = 2;

bool IsQuietMode(int mode) { return mode == 94 || mode == 97 || mode == 98; }
bool IsUntitledMode(int mode) { return mode == 2 || mode == 97 || mode == 98 || mode == 99; }
bool IsNewMode(int mode) { return mode == 98 || mode == 99; }

// A fresh, untouched untitled drawing gives way to the document being opened.
void CloseUntouchedUntitled(int mode)
{
    int count = 0;
    CheckDocumentLimit(TRUE, &count);
    if (count != 1 || IsQuietMode(mode) || !MdiClientWindow)
        return;
    HWND only = GetWindow(MdiClientWindow, GW_CHILD);
    DocumentRecord* record = LockDocumentRecord(only);
    if (!record)
        return;
    const bool untitled = record->untitledNumber != 0;
    ReleaseDocumentRecord(only);
    if (untitled && !IsDocumentModified(DocumentViewOf(only)))
        SendMessageA(only, WM_CLOSE, 0, 0);
}

HWND CreateMdiChild(const char* title)
{
    MDICREATESTRUCTA create = {};
    create.szClass = "MDDocumentClass";
    create.szTitle = title;
    create.hOwner = AppInstance ? AppInstance : GetModuleHandleA(nullptr);
    create.x = create.y = create.cx = create.cy = CW_USEDEFAULT;
    create.style = WS_MAXIMIZE | WS_CLIPCHILDREN;
    if (MainWindow && IsIconic(MainWindow)) {
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof(placement);
        GetWindowPlacement(MainWindow, &placement);
        const int width = placement.rcNormalPosition.right - placement.rcNormalPosition.left;
        const int height = placement.rcNormalPosition.bottom - placement.rcNormalPosition.top;
        create.style = WS_CLIPCHILDREN;
        create.cx = width > kMinimizedShrink ? width - kMinimizedShrink : width;
        create.cy = height > kMinimizedShrink ? height - kMinimizedShrink : height;
    } else if (MainWindow && !IsWindowVisible(MainWindow)) {
        RECT client;
        GetClientRect(MainWindow, &client);
        create.style = WS_CLIPCHILDREN;
        create.x = 0;
        create.y = 0;
        create.cx = client.right;
        create.cy = client.bottom - PaletteWindowHeight;
    }
    return reinterpret_cast<HWND>(SendMessageA(MdiClientWindow, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
}

ErrorCode CreateChildren(HWND document, HWND* view)
{
    RECT client;
    GetClientRect(document, &client);
    HINSTANCE instance = AppInstance ? AppInstance : GetModuleHandleA(nullptr);
    const DWORD rulerStyle = WS_CHILD | WS_CLIPCHILDREN | WS_BORDER;
    *view = CreateWindowA("MDScrollClass", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, 0,
                          client.right, client.bottom, document, nullptr, instance, nullptr);
    HWND h = CreateWindowA("MDHRulerClass", nullptr, rulerStyle, 0, 0, client.right, kRulerThickness, document,
                           nullptr, instance, nullptr);
    HWND v = CreateWindowA("MDVRulerClass", nullptr, rulerStyle, 0, 0, kRulerThickness, client.bottom, document,
                           nullptr, instance, nullptr);
    HWND x = CreateWindowA("MDXRulerClass", nullptr, rulerStyle, 0, 0, kRulerThickness, kRulerThickness, document,
                           nullptr, instance, nullptr);
    return *view && h && v && x ? kErrNone : kErrNoMemory;
}

ErrorCode ReadStreamContents(HWND document, HWND view, const char* path, int mode, int slot)
{
    ErrorCode code = CreateDocumentRecords(view, slot);
    if (code != kErrNone)
        return code;
    DocumentRecord* document_record = LockDocumentRecord(document);
    ViewRecord* record = LockViewRecord(view);
    if (!document_record || !record) {
        if (record)
            ReleaseViewRecord(view);
        if (document_record)
            ReleaseDocumentRecord(document);
        return kErrNoMemory;
    }
    int older = 0;
    const HFILE lock = document_record->lockHandle >= 0 ? document_record->lockHandle : HFILE_ERROR;
    code = ReadDrawingFile(lock, path, nullptr, 0, view, record, &older, mode == 2 ? 1 : 0);
    if (code == kErrNone) {
        record->flags &= ~kViewModified;
        document_record->olderFormat = older;
        if (mode == 2 || !document_record->lockKept)
            CloseDocumentLock(document_record);
    }
    ReleaseViewRecord(view);
    ReleaseDocumentRecord(document);
    return code;
}

ErrorCode ReadStoreContents(HWND document, HWND view, int mode, int slot)
{
    int converted = 0;
    ErrorCode code = ReadDocumentRecords(view, slot, &converted);
    if (code == kErrNone && mode != 2) {
        if (DocumentRecord* record = LockDocumentRecord(document)) {
            record->olderFormat = converted;
            ReleaseDocumentRecord(document);
        }
    }
    return code;
}

// The stored zoom and scroll position come back; a fixed zoom is remembered
// for after the layout.
ErrorCode RestoreViewSettings(HWND view, int mode, int* zoomToApply)
{
    ViewRecord* record = LockViewRecord(view);
    if (!record)
        return kErrNoMemory;
    const ViewRecord stored = *record;
    ReleaseViewRecord(view);
    *zoomToApply = 0;
    if (IsNewMode(mode))
        return InitViewSettings(view, stored.drawingWidth, stored.drawingHeight, 0, 0);
    ErrorCode code = InitViewSettings(view, stored.drawingWidth, stored.drawingHeight, stored.zoom, stored.viewFlags);
    if (code != kErrNone)
        return code;
    if (stored.zoom != 0 && !(stored.viewFlags & kViewFitMode)) {
        HDC dc = GetDC(view);
        SetZoomMapMode(dc, stored.zoom, 600);
        ReleaseDC(view, dc);
        *zoomToApply = stored.zoom;
    }
    RECT client;
    GetClientRect(view, &client);
    SetScrollRangeCompat(view, SB_HORZ, 0, stored.scrollX, client.right, FALSE);
    SetScrollRangeCompat(view, SB_VERT, 0, stored.scrollY, client.bottom, FALSE);
    SendMessageA(view, WM_HSCROLL, (static_cast<WPARAM>(stored.scrollX & 0xFFFF) << 16) + kScrollByAmount, 0);
    SendMessageA(view, WM_VSCROLL, (static_cast<WPARAM>(stored.scrollY & 0xFFFF) << 16) + kScrollByAmount, 0);
    DocumentWindowCalls.syncRulerOrigins(view);
    return kErrNone;
}

ErrorCode FillDocument(HWND document, const char* path, int mode, int number, int* zoomToApply)
{
    HWND view = nullptr;
    ErrorCode code = CreateChildren(document, &view);
    if (code != kErrNone)
        return code;
    const bool stream = !IsNewMode(mode) && path && CheckDrawingFile(path, nullptr) == 1;
    const int templateCopy = mode == 2 || mode == 97 ? 1 : 0;
    int slot = -1;
    HFILE lock = HFILE_ERROR;
    code = CreateWorkingStore(document, number, templateCopy, stream ? 1 : 0, path, &slot, &lock);
    if (code != kErrNone)
        return code;
    if (IsNewMode(mode))
        code = CreateDocumentRecords(view, slot);
    else if (stream)
        code = ReadStreamContents(document, view, path, mode, slot);
    else
        code = ReadStoreContents(document, view, mode, slot);
    if (code != kErrNone)
        return code;
    DocumentWindowCalls.makeRulerFonts();
    if (ViewRecord* record = LockViewRecord(view)) {
        code = RealizeDocumentPalette(view, record);
        ReleaseViewRecord(view);
        if (code != kErrNone)
            return code;
    }
    return RestoreViewSettings(view, mode, zoomToApply);
}

} // namespace

int CheckDocumentLimit(BOOL quiet, int* windowCount)
{
    int count = 0;
    for (HWND child = MdiClientWindow ? GetWindow(MdiClientWindow, GW_CHILD) : nullptr; child;
         child = GetWindow(child, GW_HWNDNEXT))
        ++count;
    if (windowCount)
        *windowCount = count;
    if (count < kDocumentLimit)
        return 0;
    if (!quiet)
        WarnById(IDS_TOO_MANY_DOCUMENTS);
    return 1;
}

HWND FindDocumentWindow(const char* path)
{
    if (!MdiClientWindow || !path)
        return nullptr;
    HWND window = reinterpret_cast<HWND>(SendMessageA(MdiClientWindow, WM_MDIGETACTIVE, 0, 0));
    for (; window; window = GetWindow(window, GW_HWNDNEXT)) {
        if (GetParent(window) != MdiClientWindow)
            continue;
        DocumentRecord* record = LockDocumentRecord(window);
        if (!record)
            continue;
        const bool match = record->untitledNumber == 0 && SamePath(record->path, path);
        ReleaseDocumentRecord(window);
        if (match)
            return window;
    }
    return nullptr;
}

HWND CreateDocumentWindow(const char* path, int mode)
{
    const bool quiet = IsQuietMode(mode);
    if (!quiet)
        StartedForEmbedding = 0;
    if (CheckDocumentLimit(quiet ? TRUE : FALSE, nullptr))
        return nullptr;
    SetAppCursor(1);
    CloseUntouchedUntitled(mode);

    char title[kStringBufferSize + 16] = "";
    int number = 0;
    if (IsUntitledMode(mode)) {
        number = UntitledCount + 1;
        char untitled[kStringBufferSize];
        LoadStrOrBlank(IDS_UNTITLED, untitled);
        std::snprintf(title, sizeof(title), "%s %u", untitled, static_cast<unsigned>(number));
    } else if (path) {
        FileTitleOf(path, title, sizeof(title));
    }
    HWND document = CreateMdiChild(title);
    if (!document)
        return nullptr;
    int zoom = 0;
    ErrorCode code = FillDocument(document, path, mode, number, &zoom);
    if (code != kErrNone) {
        DefMDIChildProcA(document, WM_CLOSE, 0, 0);
        if (code != kNoFreeSlot && mode != 2 && !quiet)
            WarnOpenFailed(code);
        SetAppCursor(0);
        return nullptr;
    }
    if (IsUntitledMode(mode))
        ++UntitledCount;
    HWND view = DocumentViewOf(document);
    if (zoom)
        DocumentWindowCalls.applyZoom(view, zoom, 0);
    DiscardError(DocumentWindowCalls.relayout(document), "a window left at its old layout still works");
    ShowWindow(view, SW_SHOW);
    FrameCalls.activateView(document, 1);
    SetFocus(view);
    FrameCalls.documentOpened(document);
    OleDocumentCalls.documentCreated(document);
    SetAppCursor(0);
    return document;
}

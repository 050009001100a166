// The save prompt, File > Close, closing everything and the last steps
// before a document window goes.
#include <cstdio>
#include <ctime>

#include "common/results.h"
#include "common/string_helpers.h"
#include "common/window_helpers.h"
#include "documents/document_commands.h"
#include "documents/document_window_access.h"
#include "objects/view_record.h"
#include "common/app_globals.h"
#include "documents/ole_document_state.h"
#include "resources/resource_ids.h"
#include "documents/view_children.h"

namespace {

const UINT kTenGetModify = 1139;
const int kEmbedded = 1;
const time_t kContainerUpdateSeconds = 2;

// The container takes the update while the queue is served.
void ServeQueueFor(time_t seconds)
{
    const time_t start = time(nullptr);
    for (;;) {
        MSG message;
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
            continue;
        }
        if (time(nullptr) - start >= seconds)
            return;
        Sleep(10);
    }
}

bool HasSiblingDocument(HWND document)
{
    return GetWindow(document, GW_HWNDPREV) != nullptr || GetWindow(document, GW_HWNDNEXT) != nullptr;
}

bool HasUnsavedChanges(HWND view)
{
    if (IsDocumentModified(view))
        return true;
    HWND editor = ViewEditorOf(view);
    return editor && SendMessageA(editor, kTenGetModify, 0, 0) != 0;
}

} // namespace

int QuerySaveDocument(HWND document, BOOL answerYes)
{
    HWND view = DocumentViewOf(document);
    if (!view || !LockViewRecord(view))
        return IDNO;
    ReleaseViewRecord(view);
    if (!HasUnsavedChanges(view))
        return IDNO;
    if (GetOleObjectState(view) == kEmbedded) {
        // A save that did not happen keeps the document open.
        if (SaveDocument(document) != 0)
            return IDCANCEL;
        ServeQueueFor(kContainerUpdateSeconds);
        return IDYES;
    }
    char format[kStringBufferSize];
    char title[kDocumentPathSize];
    char text[kStringBufferSize + kDocumentPathSize];
    LoadStrOrBlank(IDS_SAVE_CHANGES, format);
    GetWindowTextA(document, title, sizeof(title));
    std::snprintf(text, sizeof(text), format, title);
    char caption[kStringBufferSize];
    LoadStrOrBlank(IDS_APP_TITLE, caption);
    int answer = answerYes ? IDYES
                           : MessageBoxA(nullptr, text, caption, MB_TASKMODAL | MB_ICONQUESTION | MB_YESNOCANCEL);
    if (answer == IDYES && SaveDocument(document) != 0)
        answer = IDCANCEL;
    return answer;
}

void CloseActiveDocument()
{
    if (HWND document = GetActiveDocWindow(nullptr))
        SendMessageA(document, WM_CLOSE, 0, 0);
}

int CloseAllDocuments()
{
    for (;;) {
        HWND document = GetActiveDocWindow(nullptr);
        if (!document)
            return 1;
        SendMessageA(document, WM_CLOSE, 0, 0);
        if (IsWindow(document) && GetActiveDocWindow(nullptr) == document)
            return 0;
    }
}

void PrepareDocumentClose(HWND document)
{
    HWND view = DocumentViewOf(document);
    if (ViewRecord* record = LockViewRecord(view)) {
        if (HPALETTE replaced = WordToHandle<HPALETTE>(record->replacedPalette)) {
            HDC dc = GetDC(document);
            SelectPalette(dc, replaced, FALSE);
            RealizePalette(dc);
            ReleaseDC(document, dc);
        }
        ReleaseViewRecord(view);
    }
    SetOleObjectState(view, 0);
    // Only hand over to another window: with none, the MDI client restores
    // this one with redrawing off and leaves its old picture on the screen.
    BOOL maximized = FALSE;
    if (GetActiveDocWindow(&maximized) == document && maximized && MdiClientWindow && HasSiblingDocument(document)) {
        SendMessageA(MdiClientWindow, WM_MDINEXT, reinterpret_cast<WPARAM>(document), 0);
        HWND next = GetActiveDocWindow(nullptr);
        if (next && next != document)
            PostMessageA(next, WM_ACTIVATE, WA_ACTIVE, 0);
    }
}

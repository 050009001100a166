#include "ole/ole_documents.h"

#include <memory>
#include <vector>

#include "common/app_globals.h"
#include "documents/document_record.h"
#include "documents/document_window_access.h"
#include "documents/ole_document_state.h"
#include "documents/view_children.h"
#include "objects/document_modified.h"

int OleRenderActive = 0;

namespace {

std::vector<std::unique_ptr<OleDocument>> Documents;

bool DocumentPath(HWND document, wchar_t* path)
{
    DocumentRecord* record = LockDocumentRecord(document);
    if (!record)
        return false;
    const bool named = record->untitledNumber == 0 && record->path[0] &&
                       MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, record->path, -1, path, MAX_PATH + 1) > 0;
    ReleaseDocumentRecord(document);
    return named;
}

void RevokeDocumentMoniker(OleDocument* document)
{
    if (!document->moniker)
        return;
    IRunningObjectTable* table = nullptr;
    if (document->cookie && SUCCEEDED(GetRunningObjectTable(0, &table))) {
        table->Revoke(document->cookie);
        table->Release();
    }
    document->cookie = 0;
    document->moniker->Release();
    document->moniker = nullptr;
}

OleServerObject* FirstObject(HWND view)
{
    OleDocument* document = view ? FindOleDocument(GetParent(view)) : nullptr;
    return document && document->count > 0 ? document->slots[0] : nullptr;
}

bool OtherDocumentOpen(HWND document)
{
    for (HWND child = MdiClientWindow ? GetWindow(MdiClientWindow, GW_CHILD) : nullptr; child;
         child = GetWindow(child, GW_HWNDNEXT))
        if (child != document && GetParent(child) == MdiClientWindow)
            return true;
    return false;
}

void OnDocumentCreated(HWND document)
{
    wchar_t path[MAX_PATH + 1];
    if (!DocumentPath(document, path))
        return;
    OleDocument* records = OleDocumentOf(document);
    OleServerObject* object = nullptr;
    if (records && records->count == 0 && CreateServerObject(records, kOleFileDocument, &object) == kErrNone)
        DiscardError(RegisterDocumentMoniker(document), "a document not in the table still opens and saves");
}

void OnDocumentNamed(HWND document)
{
    OleDocument* records = OleDocumentOf(document);
    if (!records)
        return;
    OleServerObject* object = nullptr;
    if (records->count == 0 && CreateServerObject(records, kOleFileDocument, &object) != kErrNone)
        return;
    DiscardError(RegisterDocumentMoniker(document), "a document not in the table still saves");
}

void OnDocumentDestroyed(HWND document)
{
    const bool embedded = FindOleDocument(document) != nullptr;
    ReleaseOleDocObjects(document);
    // A server OLE started ends with its last document when nobody else
    // made the program theirs.
    if (embedded && StartedForEmbedding && MainWindow && !OtherDocumentOpen(document))
        PostMessageA(MainWindow, WM_CLOSE, 0, 0);
}

} // namespace

OleDocument* FindOleDocument(HWND document)
{
    for (auto& entry : Documents)
        if (entry->window == document)
            return entry.get();
    return nullptr;
}

OleDocument* OleDocumentOf(HWND document)
{
    if (!document)
        return nullptr;
    if (OleDocument* found = FindOleDocument(document))
        return found;
    auto made = std::make_unique<OleDocument>();
    made->window = document;
    Documents.push_back(std::move(made));
    return Documents.back().get();
}

ErrorCode AttachServerObject(OleDocument* document, OleServerObject* object)
{
    int slot = 0;
    while (slot < document->count && document->slots[slot])
        ++slot;
    if (slot >= kOleObjectSlots)
        return kErrListFull;
    if (slot == document->count)
        ++document->count;
    document->slots[slot] = object;
    object->document = document;
    object->index = slot;
    return kErrNone;
}

void DetachServerObject(OleServerObject* object)
{
    OleDocument* document = object->document;
    if (!document || object->index < 0)
        return;
    document->slots[object->index] = nullptr;
    while (document->count > 0 && !document->slots[document->count - 1])
        --document->count;
    object->document = nullptr;
    object->index = -1;
}

ErrorCode CreateServerObject(OleDocument* document, int state, OleServerObject** out)
{
    *out = nullptr;
    auto* object = new (std::nothrow) OleServerObject(state);
    if (!object)
        return kErrNoMemory;
    if (AttachServerObject(document, object) != kErrNone) {
        // Never referenced: taking the reference and giving it back frees it.
        object->state = kOleClosed;
        object->AddRef();
        object->Release();
        return kErrListFull;
    }
    *out = object;
    return kErrNone;
}

ErrorCode RegisterDocumentMoniker(HWND document)
{
    OleDocument* records = FindOleDocument(document);
    if (!records || !GetDocumentRecordHandle(document))
        return kErrNotDone;
    const bool renamed = records->moniker != nullptr;
    RevokeDocumentMoniker(records);
    wchar_t path[MAX_PATH + 1];
    if (DocumentPath(document, path) && records->count > 0 && records->slots[0]) {
        if (FAILED(CreateFileMoniker(path, &records->moniker)))
            return kErrNotDone;
        IRunningObjectTable* table = nullptr;
        if (SUCCEEDED(GetRunningObjectTable(0, &table))) {
            IPersistFile* file = records->slots[0];
            if (FAILED(table->Register(ROTFLAGS_REGISTRATIONKEEPSALIVE, file, records->moniker, &records->cookie)))
                records->cookie = 0;
            table->Release();
        }
    }
    if (renamed)
        for (OleServerObject* object : records->slots)
            if (object)
                object->Notify(kNotifyRename);
    if (records->threshold == 0)
        records->threshold = kThresholdRegistered;
    return kErrNone;
}

void ReleaseOleDocObjects(HWND document)
{
    OleDocument* records = FindOleDocument(document);
    if (!records)
        return;
    RevokeDocumentMoniker(records);
    for (OleServerObject* object : records->slots) {
        if (!object)
            continue;
        if (object->state != kOleClosed && !object->closeAsked) {
            object->Notify(kNotifyClose);
            object->Notify(kNotifyHideWindow);
        }
        object->Close();
    }
    for (auto it = Documents.begin(); it != Documents.end(); ++it) {
        if (it->get() == records) {
            Documents.erase(it);
            break;
        }
    }
}

void NotifyOleObjectsChanged(void* viewRecord)
{
    if (OleRenderActive || !viewRecord)
        return;
    for (auto& entry : Documents) {
        HWND view = DocumentViewOf(entry->window);
        ViewRecord* record = view ? LockViewRecord(view) : nullptr;
        if (!record)
            continue;
        ReleaseViewRecord(view);
        if (record != viewRecord)
            continue;
        // Embeddings hear of changes when the document is saved.
        for (OleServerObject* object : entry->slots)
            if (object && object->state != kOleEmbedding)
                object->Notify(kNotifyDataChange);
        return;
    }
}

ErrorCode UpdateEmbeddingContainerFor(HWND view)
{
    if (!view || !LockViewRecord(view))
        return kErrNone;
    ReleaseViewRecord(view);
    OleServerObject* first = FirstObject(view);
    if (first && first->state == kOleEmbedding) {
        if (!OleRenderActive)
            first->Notify(kNotifyDataChange);
        first->Notify(kNotifySaveObject);
        first->Notify(kNotifySave);
    }
    SetDocumentModifiedFlag(view, false);
    return kErrNone;
}

int GetOleObjectStateOf(HWND view)
{
    OleServerObject* first = FirstObject(view);
    return first ? first->state : kOleFileDocument;
}

void SetOleObjectStateOf(HWND view, int state)
{
    if (OleServerObject* first = FirstObject(view))
        first->state = state;
}

void ConnectOleDocuments()
{
    OleDocumentCalls = {GetOleObjectStateOf, SetOleObjectStateOf, UpdateEmbeddingContainerFor,
                        OnDocumentCreated,   OnDocumentNamed,     OnDocumentDestroyed};
    DocumentChangedCall = NotifyOleObjectsChanged;
}

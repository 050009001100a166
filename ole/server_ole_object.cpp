// What a container asks of the object itself: its site and names, the
// verbs, the size, the advise sinks, and closing.
#include <cstdio>

#include "common/app_globals.h"
#include "common/string_helpers.h"
#include "documents/document_commands.h"
#include "documents/document_window_access.h"
#include "documents/view_children.h"
#include "objects/drawing_extents.h"
#include "objects/view_record.h"
#include "ole/drawing_render.h"
#include "ole/ole_documents.h"
#include "ole/ole_formats.h"
#include "ole/server_object.h"
#include "resources/menu_ids.h"
#include "resources/resource_ids.h"

namespace {

const char kPowerPoint[] = "Microsoft PowerPoint";
const LONG kVerbPrint = 1;
const int kTitleChars = kStringBufferSize * 2;

ATOM AddWideAtom(LPCOLESTR text)
{
    char name[kStringBufferSize];
    if (!text || !WideCharToMultiByte(CP_ACP, 0, text, -1, name, sizeof(name), nullptr, nullptr))
        return 0;
    name[sizeof(name) - 1] = '\0';
    return AddAtomA(name);
}

} // namespace

HRESULT OleServerObject::SetClientSite(IOleClientSite* site)
{
    if (site_)
        site_->Release();
    site_ = site;
    if (site_)
        site_->AddRef();
    return S_OK;
}

HRESULT OleServerObject::GetClientSite(IOleClientSite** site)
{
    if (!site)
        return E_POINTER;
    *site = site_;
    if (!site_)
        return E_FAIL;
    site_->AddRef();
    return S_OK;
}

HRESULT OleServerObject::SetHostNames(LPCOLESTR application, LPCOLESTR containerDocument)
{
    if (containerApp_)
        DeleteAtom(containerApp_);
    if (containerDoc_)
        DeleteAtom(containerDoc_);
    containerApp_ = AddWideAtom(application);
    containerDoc_ = AddWideAtom(containerDocument);
    char name[kStringBufferSize] = "";
    if (containerDoc_)
        GetAtomNameA(containerDoc_, name, sizeof(name));
    char format[kStringBufferSize];
    LoadStrOrBlank(IDS_OBJECT_IN, format);
    // A long container name is cut, never written past the title's end.
    char title[kTitleChars];
    std::snprintf(title, sizeof(title), format, name);
    if (HWND window = DocumentWindow())
        SetWindowTextA(window, title);
    return S_OK;
}

void OleServerObject::ContainerDocumentName(char* text, int size) const
{
    text[0] = '\0';
    if (containerDoc_)
        GetAtomNameA(containerDoc_, text, size);
}

HRESULT OleServerObject::Close(DWORD saveOption)
{
    HWND window = DocumentWindow();
    HWND view = View();
    if (!window || !view)
        return S_OK;
    const bool modified = IsDocumentModified(view);
    if (saveOption == OLECLOSE_PROMPTSAVE && modified) {
        if (QuerySaveDocument(window, FALSE) == IDCANCEL)
            return OLE_E_PROMPTSAVECANCELLED;
    } else if (saveOption != OLECLOSE_NOSAVE && modified) {
        DiscardError(ErrorCode{SaveDocument(window)}, "the save reports its own failure; the close goes on");
    }
    SetDocumentModifiedFlag(view, false);
    // The container asked for the close and stops the object itself; told of
    // it again while its own Close call is still under way, a handler lets go
    // of the object twice.
    for (OleServerObject* object : document->slots)
        if (object)
            object->closeAsked = true;
    PostMessageA(window, WM_CLOSE, 0, 0);
    return S_OK;
}

HRESULT OleServerObject::SetMoniker(DWORD, IMoniker*)
{
    IRunningObjectTable* table = nullptr;
    if (itemCookie_ && SUCCEEDED(GetRunningObjectTable(0, &table))) {
        table->Revoke(itemCookie_);
        table->Release();
        table = nullptr;
    }
    itemCookie_ = 0;
    if (!site_)
        return E_FAIL;
    IMoniker* full = nullptr;
    HRESULT result = site_->GetMoniker(OLEGETMONIKER_ONLYIFTHERE, OLEWHICHMK_OBJFULL, &full);
    if (FAILED(result) || !full)
        return FAILED(result) ? result : E_FAIL;
    if (SUCCEEDED(GetRunningObjectTable(0, &table))) {
        if (FAILED(table->Register(0, static_cast<IPersistFile*>(this), full, &itemCookie_)))
            itemCookie_ = 0;
        table->Release();
    }
    full->Release();
    if (document && document->threshold == 0)
        document->threshold = kThresholdItemMoniker;
    return result;
}

HRESULT OleServerObject::GetMoniker(DWORD, DWORD, IMoniker** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (state == kOleEmbedding)
        return site_ ? site_->GetMoniker(OLEGETMONIKER_ONLYIFTHERE, OLEWHICHMK_OBJFULL, out) : E_FAIL;
    if (!document || !document->moniker)
        return E_FAIL;
    *out = document->moniker;
    (*out)->AddRef();
    return S_OK;
}

HRESULT OleServerObject::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }

HRESULT OleServerObject::GetClipboardData(DWORD, IDataObject** out)
{
    if (out)
        *out = nullptr;
    return E_NOTIMPL;
}

void OleServerObject::ShowDocument()
{
    HWND window = DocumentWindow();
    if (!window)
        return;
    if (MainWindow) {
        if (!IsWindowVisible(MainWindow))
            ShowWindow(MainWindow, SW_SHOW);
        SetForegroundWindow(MainWindow);
        if (IsIconic(MainWindow))
            ShowWindow(MainWindow, SW_RESTORE);
    }
    ShowWindow(window, SW_SHOWMAXIMIZED);
    BringWindowToTop(window);
    if (MdiClientWindow)
        SendMessageA(MdiClientWindow, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0);
    if (HWND view = View())
        UpdateWindow(view);
    Notify(kNotifyShowWindow);
}

HRESULT OleServerObject::DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT)
{
    switch (verb) {
    case OLEIVERB_HIDE:
        if (StartedForEmbedding && MainWindow)
            ShowWindow(MainWindow, SW_HIDE);
        return S_OK;
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_OPEN:
        ShowDocument();
        return S_OK;
    case kVerbPrint:
        if (MainWindow && DocumentWindow()) {
            if (MdiClientWindow)
                SendMessageA(MdiClientWindow, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(DocumentWindow()), 0);
            PostMessageA(MainWindow, WM_COMMAND, IDM_FILE_PRINT, 0);
        }
        return S_OK;
    default:
        return OLEOBJ_S_INVALIDVERB;
    }
}

HRESULT OleServerObject::EnumVerbs(IEnumOLEVERB** out)
{
    if (out)
        *out = nullptr;
    return OLE_S_USEREG;
}

HRESULT OleServerObject::Update() { return S_OK; }

HRESULT OleServerObject::IsUpToDate() { return S_OK; }

HRESULT OleServerObject::GetUserClassID(CLSID* id) { return GetClassID(id); }

HRESULT OleServerObject::GetUserType(DWORD, LPOLESTR* type)
{
    if (type)
        *type = nullptr;
    return OLE_S_USEREG;
}

HRESULT OleServerObject::SetExtent(DWORD aspect, SIZEL*)
{
    char application[kStringBufferSize] = "";
    if (containerApp_)
        GetAtomNameA(containerApp_, application, sizeof(application));
    // Only that one container is known to insist; the drawing keeps its size.
    return (aspect & DVASPECT_CONTENT) && lstrcmpiA(application, kPowerPoint) == 0 ? S_OK : E_FAIL;
}

HRESULT OleServerObject::GetExtent(DWORD aspect, SIZEL* size)
{
    HWND view = View();
    ViewRecord* record = view ? LockViewRecord(view) : nullptr;
    if (!size || !(aspect & DVASPECT_CONTENT) || !record) {
        if (record)
            ReleaseViewRecord(view);
        return E_FAIL;
    }
    RECT extents = {};
    GetDrawingExtents(GetViewDrawingHandle(record), FALSE, &extents);
    ReleaseViewRecord(view);
    *size = DrawingHimetricSize(extents);
    return S_OK;
}

SIZEL DrawingHimetricSize(const RECT& extents)
{
    LONG width = extents.right - extents.left;
    LONG height = extents.bottom - extents.top;
    if (width <= 0 || height <= 0)
        width = height = kEmptyPictureSide;
    return SIZEL{UnitsToHimetric(width), UnitsToHimetric(height)};
}

HRESULT OleServerObject::Advise(IAdviseSink* sink, DWORD* connection)
{
    if (!oleHolder_) {
        HRESULT made = CreateOleAdviseHolder(&oleHolder_);
        if (FAILED(made))
            return made;
    }
    return oleHolder_->Advise(sink, connection);
}

HRESULT OleServerObject::Unadvise(DWORD connection)
{
    return oleHolder_ ? oleHolder_->Unadvise(connection) : E_FAIL;
}

HRESULT OleServerObject::EnumAdvise(IEnumSTATDATA** out)
{
    return oleHolder_ ? oleHolder_->EnumAdvise(out) : E_FAIL;
}

HRESULT OleServerObject::GetMiscStatus(DWORD, DWORD* status)
{
    if (status)
        *status = 0;
    return OLE_S_USEREG;
}

HRESULT OleServerObject::SetColorScheme(LOGPALETTE* palette)
{
    return palette && View() ? S_OK : E_FAIL;
}

// IOleItemContainer: any item name binds to the whole drawing.

HRESULT OleServerObject::ParseDisplayName(IBindCtx*, LPOLESTR, ULONG*, IMoniker** out)
{
    if (out)
        *out = nullptr;
    return E_NOTIMPL;
}

HRESULT OleServerObject::EnumObjects(DWORD, IEnumUnknown** out)
{
    if (out)
        *out = nullptr;
    return E_NOTIMPL;
}

HRESULT OleServerObject::LockContainer(BOOL) { return S_OK; }

HRESULT OleServerObject::GetObject(LPOLESTR, DWORD, IBindCtx*, REFIID id, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!document)
        return E_OUTOFMEMORY;
    OleServerObject* item = nullptr;
    if (document->count == 1 && document->slots[0] && document->slots[0]->state == kOleFileDocument) {
        item = document->slots[0];
    } else if (CreateServerObject(document, kOleLinkedItem, &item) != kErrNone) {
        return E_OUTOFMEMORY;
    } else {
        item->closesDocument = true;
    }
    document->threshold = kThresholdBoundLink;
    item->state = kOleLinkedItem;
    return item->QueryInterface(id, out);
}

HRESULT OleServerObject::GetObjectStorage(LPOLESTR, IBindCtx*, REFIID, void** out)
{
    if (out)
        *out = nullptr;
    return MK_E_NOSTORAGE;
}

HRESULT OleServerObject::IsRunning(LPOLESTR) { return S_OK; }

void GetOleContainerName(char* text, HWND view, int size)
{
    if (!view || !LockViewRecord(view))
        return;
    ReleaseViewRecord(view);
    text[0] = '\0';
    OleDocument* records = FindOleDocument(GetParent(view));
    if (records && records->count > 0 && records->slots[0])
        records->slots[0]->ContainerDocumentName(text, size);
}

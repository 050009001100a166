#include "ole/server_object.h"

#include <cstdio>
#include <cstring>

#include "common/app_globals.h"
#include "common/clipboard_formats.h"
#include "common/io_seam.h"
#include "common/results.h"
#include "common/string_helpers.h"
#include "documents/document_commands.h"
#include "documents/document_record.h"
#include "documents/document_window_access.h"
#include "documents/view_children.h"
#include "objects/drawing_extents.h"
#include "objects/view_record.h"
#include "ole/clipboard_data_object.h"
#include "ole/document_render.h"
#include "ole/drawing_render.h"
#include "ole/native_block.h"
#include "ole/ole_documents.h"
#include "ole/ole_formats.h"
#include "resources/menu_ids.h"
#include "resources/resource_ids.h"
#include "view/view_layout.h"

namespace {

const wchar_t kOle1Stream[] = L"\1Ole10Native";
const wchar_t kDefaultFilePattern[] = L"*.TYR";
const DWORD kOpenMode = STGM_SHARE_EXCLUSIVE | STGM_READWRITE;
const int kOpenNewEmbedding = 98;
const int kOpenEmbeddingFromFile = 97;
const int kOpenByContent = 1;
const LONG kUnitsPerInch = 600;
const LONG kHimetricPerInch = 2540;
const int kPathChars = MAX_PATH + 1;
const char kTempPrefix[] = "TSE";

template <typename T> void ReleaseAndClear(T** held)
{
    if (*held) {
        (*held)->Release();
        *held = nullptr;
    }
}

// The view record of the object's view, locked for the caller's block.
class LockedViewRecord {
public:
    explicit LockedViewRecord(HWND view) : view_(view), record_(view ? LockViewRecord(view) : nullptr) {}
    ~LockedViewRecord()
    {
        if (record_)
            ReleaseViewRecord(view_);
    }
    ViewRecord* get() const { return record_; }

private:
    HWND view_;
    ViewRecord* record_;
};

// The native block of a document: its drawing stream behind the size field.
HGLOBAL RenderNativeBlock(HWND view)
{
    LockedViewRecord record(view);
    if (!record.get())
        return nullptr;
    HANDLE block = nullptr;
    OleRenderActive = 1;
    const ErrorCode code = RenderDocumentData(view, record.get(), &block, kRenderStream);
    OleRenderActive = 0;
    if (code != kErrNone && block) {
        GlobalFree(block);
        block = nullptr;
    }
    return static_cast<HGLOBAL>(block);
}

HGLOBAL RenderPictureOf(HWND view)
{
    LockedViewRecord record(view);
    if (!record.get())
        return nullptr;
    HGLOBAL drawing = GetViewDrawingHandle(record.get());
    auto palette = reinterpret_cast<HPALETTE>(static_cast<INT_PTR>(record.get()->palette));
    OleRenderActive = 1;
    HGLOBAL picture = MakePictureMetafilePict(drawing, FALSE);
    if (!picture)
        picture = MakeDrawingMetafilePict(drawing, palette, FALSE, TRUE, TRUE);
    OleRenderActive = 0;
    return picture;
}

// The drawing stream of a block as a file the document windows open.
bool WritePayloadFile(HGLOBAL block, char* path)
{
    if (!SeamTempFileName(kTempPrefix, path))
        return false;
    const auto* bytes = static_cast<const unsigned char*>(GlobalLock(block));
    uint32_t size = 0;
    std::memcpy(&size, bytes, sizeof(size));
    HFILE file = SeamCreateFile(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
    bool written = false;
    if (file != HFILE_ERROR) {
        const UINT payload = size - kNativeSizeBytes;
        written = SeamWrite(file, bytes + kNativeSizeBytes, payload) == payload;
        SeamClose(file);
    }
    GlobalUnlock(block);
    if (!written)
        SeamDeleteFile(path);
    return written;
}

// A document window that goes because its container let it go asks nothing.
void CloseDocumentQuietly(HWND document)
{
    if (!IsWindow(document))
        return;
    SetDocumentModifiedFlag(DocumentViewOf(document), false);
    PostMessageA(document, WM_CLOSE, 0, 0);
}

void WideToAnsi(LPCOLESTR text, char* out, int size)
{
    if (!text || !WideCharToMultiByte(CP_ACP, 0, text, -1, out, size, nullptr, nullptr))
        out[0] = '\0';
    out[size - 1] = '\0';
}

} // namespace

int StdScaleZoom(int numerator, int denominator)
{
    const int kFull = 1000;
    const int ratio = denominator ? numerator * kFull / denominator : 0;
    if (ratio == kFull || ratio <= 0)
        return 0;
    if (ratio <= 500)
        return 500;
    if (ratio <= 750)
        return 750;
    if (ratio > 1500)
        return 2000;
    if (ratio > kFull)
        return 1500;
    return 0;
}

LONG UnitsToHimetric(LONG units)
{
    return static_cast<LONG>(static_cast<long long>(units) * kHimetricPerInch / kUnitsPerInch);
}

OleServerObject::OleServerObject(int objectState) : state(objectState) {}

OleServerObject::~OleServerObject() = default;

HWND OleServerObject::DocumentWindow() const { return document ? document->window : nullptr; }

HWND OleServerObject::View() const { return document ? DocumentViewOf(document->window) : nullptr; }

void OleServerObject::Notify(OleNotification what)
{
    switch (what) {
    case kNotifySave:
        if (oleHolder_)
            oleHolder_->SendOnSave();
        break;
    case kNotifyClose:
        if (oleHolder_)
            oleHolder_->SendOnClose();
        break;
    case kNotifyRename:
        if (oleHolder_ && document && document->moniker)
            oleHolder_->SendOnRename(document->moniker);
        break;
    case kNotifySaveObject:
        if (site_)
            site_->SaveObject();
        break;
    case kNotifyDataChange:
        if (dataHolder_)
            dataHolder_->SendOnDataChange(static_cast<IDataObject*>(this), 0, 0);
        break;
    case kNotifyShowWindow:
    case kNotifyHideWindow:
        if (site_)
            site_->OnShowWindow(what == kNotifyShowWindow);
        break;
    case kNotifyShowObject:
        if (site_)
            site_->ShowObject();
        break;
    }
}

void OleServerObject::ReleaseHeld()
{
    ReleaseAndClear(&storage_);
    ReleaseAndClear(&stream_);
    ReleaseAndClear(&site_);
    ReleaseAndClear(&oleHolder_);
    ReleaseAndClear(&dataHolder_);
}

void OleServerObject::Close()
{
    state = kOleClosed;
    DetachServerObject(this);
    ReleaseHeld();
    // Its own registration goes with it: the table must not keep a pointer
    // to a freed object.
    if (itemCookie_) {
        IRunningObjectTable* table = nullptr;
        if (SUCCEEDED(GetRunningObjectTable(0, &table))) {
            table->Revoke(itemCookie_);
            table->Release();
        }
        itemCookie_ = 0;
    }
    if (containerApp_)
        DeleteAtom(containerApp_);
    if (containerDoc_)
        DeleteAtom(containerDoc_);
    containerApp_ = containerDoc_ = 0;
    AddRef();
    if (count_ > 1)
        CoDisconnectObject(Identity(), 0);
    Release();
}

HRESULT OleServerObject::QueryInterface(REFIID id, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(id, IID_IUnknown))
        *out = Identity();
    else if (IsEqualIID(id, IID_IPersist) || IsEqualIID(id, IID_IPersistStorage))
        *out = static_cast<IPersistStorage*>(this);
    else if (IsEqualIID(id, IID_IDataObject))
        *out = static_cast<IDataObject*>(this);
    else if (IsEqualIID(id, IID_IOleObject))
        *out = static_cast<IOleObject*>(this);
    else if (IsEqualIID(id, IID_IPersistFile))
        *out = static_cast<IPersistFile*>(this);
    else if (IsEqualIID(id, IID_IOleItemContainer) || IsEqualIID(id, IID_IOleContainer) ||
             IsEqualIID(id, IID_IParseDisplayName))
        *out = static_cast<IOleItemContainer*>(this);
    if (!*out)
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG OleServerObject::AddRef() { return ++count_; }

bool OleServerObject::LastReferenceCloses(ULONG remaining) const
{
    return remaining == 0 && closesDocument;
}

ULONG OleServerObject::Release()
{
    if (count_ == 0)
        return 0;
    const ULONG remaining = --count_;
    if (!document) {
        // Closed, or never given a document: nothing else knows it.
        if (remaining == 0)
            delete this;
        return remaining;
    }
    if (state == kOleClosed || remaining > static_cast<ULONG>(document->threshold))
        return remaining;
    if (LastReferenceCloses(remaining)) {
        HWND window = document->window;
        Notify(kNotifyClose);
        Close();
        OleDocument* left = FindOleDocument(window);
        if (!left || left->count == 0)
            CloseDocumentQuietly(window);
        return 0;
    }
    if (remaining == static_cast<ULONG>(document->threshold) && state == kOleLinkedItem)
        ReleaseHeld();
    return remaining;
}

// IPersistStorage and IPersistFile.

HRESULT OleServerObject::GetClassID(CLSID* id)
{
    if (!id)
        return E_POINTER;
    *id = kDrawingClass;
    return S_OK;
}

HRESULT OleServerObject::IsDirty()
{
    HWND view = View();
    return view && IsDocumentModified(view) ? S_OK : S_FALSE;
}

HRESULT OleServerObject::InitNew(IStorage* storage)
{
    if (storage_)
        return E_UNEXPECTED;
    if (!storage)
        return STG_E_INVALIDPOINTER;
    if (!document) {
        SuppressWarnings = 1;
        HWND window = CreateDocumentWindow(nullptr, kOpenNewEmbedding);
        SuppressWarnings = 0;
        OleDocument* records = window ? OleDocumentOf(window) : nullptr;
        if (!records || AttachServerObject(records, this) != kErrNone) {
            if (window)
                CloseDocumentQuietly(window);
            return E_OUTOFMEMORY;
        }
        SetDocumentModifiedFlag(View(), true);
    }
    IStream* stream = nullptr;
    HRESULT result = storage->CreateStream(kContentsStream, kContentsCreateMode, 0, 0, &stream);
    if (FAILED(result))
        return result;
    storage_ = storage;
    storage_->AddRef();
    stream_ = stream;
    return WriteDrawingClassAndType(storage);
}

HRESULT OleServerObject::LoadBlock(HGLOBAL block)
{
    const auto* bytes = static_cast<const unsigned char*>(GlobalLock(block));
    const NativePayload kind = bytes ? NativePayloadKind(bytes, static_cast<DWORD>(GlobalSize(block))) : kPayloadNone;
    if (bytes)
        GlobalUnlock(block);
    char path[kPathChars];
    if (kind == kPayloadNone || !WritePayloadFile(block, path))
        return STG_E_READFAULT;
    SuppressWarnings = 1;
    HWND window = CreateDocumentWindow(path, kOpenEmbeddingFromFile);
    SuppressWarnings = 0;
    SeamDeleteFile(path);
    OleDocument* records = window ? OleDocumentOf(window) : nullptr;
    if (!records)
        return STG_E_READFAULT;
    // The objects of the old window move over with their container.
    HWND old = DocumentWindow();
    OleDocument* previous = document;
    if (previous) {
        for (OleServerObject* object : previous->slots) {
            if (!object)
                continue;
            DetachServerObject(object);
            if (AttachServerObject(records, object) != kErrNone)
                object->Close();
        }
        records->threshold = previous->threshold;
        CloseDocumentQuietly(old);
    } else if (AttachServerObject(records, this) != kErrNone) {
        CloseDocumentQuietly(window);
        return STG_E_READFAULT;
    }
    return S_OK;
}

HRESULT OleServerObject::Load(IStorage* storage)
{
    if (storage_)
        return E_UNEXPECTED;
    if (!storage)
        return STG_E_INVALIDPOINTER;
    IStream* stream = nullptr;
    if (FAILED(storage->OpenStream(kContentsStream, nullptr, kOpenMode, 0, &stream))) {
        if (FAILED(storage->OpenStream(kOle1Stream, nullptr, kOpenMode, 0, &stream)))
            return STG_E_READFAULT;
        ole1_ = true;
    }
    storage_ = storage;
    storage_->AddRef();
    HGLOBAL block = nullptr;
    HRESULT result = ReadNativeStream(stream, ole1_, &block) == kErrNone ? LoadBlock(block) : STG_E_READFAULT;
    if (block)
        GlobalFree(block);
    if (FAILED(result)) {
        stream->Release();
        return STG_E_READFAULT;
    }
    stream_ = stream;
    return S_OK;
}

HRESULT OleServerObject::WriteContents(IStorage* storage, IStream** kept)
{
    IStream* stream = nullptr;
    HRESULT result = storage->CreateStream(kContentsStream, kContentsCreateMode, 0, 0, &stream);
    if (FAILED(result))
        return result;
    HGLOBAL block = RenderNativeBlock(View());
    result = block && WriteNativeStream(stream, block) == kErrNone ? S_OK : STG_E_WRITEFAULT;
    if (block)
        GlobalFree(block);
    if (kept && SUCCEEDED(result))
        *kept = stream;
    else
        stream->Release();
    return result;
}

HRESULT OleServerObject::Save(IStorage* storage, BOOL sameAsLoad)
{
    if (!storage)
        return STG_E_INVALIDPOINTER;
    HRESULT result = S_OK;
    if (sameAsLoad && !ole1_ && stream_) {
        LARGE_INTEGER start = {};
        HGLOBAL block = RenderNativeBlock(View());
        result = block && SUCCEEDED(stream_->Seek(start, STREAM_SEEK_SET, nullptr)) &&
                         WriteNativeStream(stream_, block) == kErrNone
                     ? S_OK
                     : STG_E_WRITEFAULT;
        if (block)
            GlobalFree(block);
        ReleaseAndClear(&stream_);
        return result;
    }
    result = WriteContents(storage, nullptr);
    if (FAILED(result))
        return result;
    if (FAILED(WriteFmtUserTypeStg(storage, static_cast<CLIPFORMAT>(NativeClipFormat),
                                   const_cast<LPOLESTR>(kNativeUserType))))
        return STG_E_WRITEFAULT;
    if (ole1_) {
        // The drawing now lives in "CONTENTS"; the old stream would only confuse.
        storage->DestroyElement(kOle1Stream);
        ole1_ = false;
    }
    return S_OK;
}

HRESULT OleServerObject::SaveCompleted(IStorage* storage)
{
    if (!storage)
        return S_OK;
    IStream* stream = nullptr;
    HRESULT result = storage->OpenStream(kContentsStream, nullptr, kOpenMode, 0, &stream);
    if (FAILED(result))
        return result;
    ReleaseAndClear(&stream_);
    ReleaseAndClear(&storage_);
    stream_ = stream;
    storage_ = storage;
    storage_->AddRef();
    return S_OK;
}

HRESULT OleServerObject::HandsOffStorage()
{
    ReleaseAndClear(&stream_);
    ReleaseAndClear(&storage_);
    return S_OK;
}

HRESULT OleServerObject::Load(LPCOLESTR name, DWORD)
{
    char path[kPathChars];
    WideToAnsi(name, path, kPathChars);
    if (document || !path[0])
        return E_UNEXPECTED;
    SuppressWarnings = 1;
    HWND window = FindDocumentWindow(path);
    if (!window)
        window = CreateDocumentWindow(path, kOpenByContent);
    SuppressWarnings = 0;
    OleDocument* records = window ? OleDocumentOf(window) : nullptr;
    if (!records || AttachServerObject(records, this) != kErrNone)
        return STG_E_READFAULT;
    state = kOleLinkedItem;
    return S_OK;
}

HRESULT OleServerObject::Save(LPCOLESTR name, BOOL remember)
{
    HWND window = DocumentWindow();
    if (!window)
        return STG_E_WRITEFAULT;
    char path[kPathChars];
    WideToAnsi(name, path, kPathChars);
    bool same = false;
    if (DocumentRecord* record = LockDocumentRecord(window)) {
        same = record->untitledNumber == 0 && SamePath(record->path, path);
        ReleaseDocumentRecord(window);
    }
    const ErrorCode code = SaveDocumentAs(window, path, same ? TRUE : FALSE, remember ? kSaveDrawing : kSaveTemplate);
    return code == kErrNone ? S_OK : STG_E_WRITEFAULT;
}

HRESULT OleServerObject::SaveCompleted(LPCOLESTR) { return S_OK; }

HRESULT OleServerObject::GetCurFile(LPOLESTR* name)
{
    if (!name)
        return E_POINTER;
    *name = nullptr;
    auto* text = static_cast<wchar_t*>(CoTaskMemAlloc(kPathChars * sizeof(wchar_t)));
    if (!text)
        return E_FAIL;
    lstrcpynW(text, kDefaultFilePattern, kPathChars);
    HWND window = DocumentWindow();
    if (DocumentRecord* record = window ? LockDocumentRecord(window) : nullptr) {
        const char* path = record->untitledNumber == 0 ? record->path : "";
        if (!MultiByteToWideChar(CP_ACP, 0, path, -1, text, kPathChars))
            text[0] = L'\0';
        ReleaseDocumentRecord(window);
    }
    *name = text;
    return S_OK;
}

// IDataObject.

HRESULT OleServerObject::GetData(FORMATETC* format, STGMEDIUM* medium)
{
    if (!medium || QueryGetData(format) != S_OK)
        return DV_E_FORMATETC;
    *medium = {};
    HWND view = View();
    switch (FindOleFormat(format, kOleServerFormats)) {
    case kOleNative:
        medium->hGlobal = RenderNativeBlock(view);
        medium->tymed = TYMED_HGLOBAL;
        return medium->hGlobal ? S_OK : E_OUTOFMEMORY;
    case kOleEmbedSource: {
        // A container embedding from this data needs the drawing in it too.
        IStorage* storage = CreateStorageOnMemory(nullptr, TRUE, kOpenMode);
        if (!storage)
            return E_OUTOFMEMORY;
        HRESULT result = WriteContents(storage, nullptr);
        if (SUCCEEDED(result))
            result = WriteDrawingClassAndType(storage);
        if (FAILED(result)) {
            storage->Release();
            return result;
        }
        medium->tymed = TYMED_ISTORAGE;
        medium->pstg = storage;
        return S_OK;
    }
    case kOleObjectDescriptor:
        medium->hGlobal = MakeObjectDescriptor(0, nullptr);
        medium->tymed = TYMED_HGLOBAL;
        return medium->hGlobal ? S_OK : E_OUTOFMEMORY;
    case kOleMetafilePict:
        medium->hMetaFilePict = RenderPictureOf(view);
        medium->tymed = TYMED_MFPICT;
        return medium->hMetaFilePict ? S_OK : E_OUTOFMEMORY;
    case kOleBitmap:
        medium->hBitmap = view ? MakeDrawingBitmap(view, TRUE) : nullptr;
        medium->tymed = TYMED_GDI;
        return medium->hBitmap ? S_OK : E_OUTOFMEMORY;
    default:
        return DV_E_FORMATETC;
    }
}

HRESULT OleServerObject::GetDataHere(FORMATETC* format, STGMEDIUM* medium)
{
    if (!format || !medium || format->cfFormat != EmbedSourceFormat || medium->tymed != TYMED_ISTORAGE ||
        !medium->pstg)
        return DV_E_FORMATETC;
    HRESULT result = WriteContents(medium->pstg, nullptr);
    const HRESULT marked = WriteDrawingClassAndType(medium->pstg);
    return SUCCEEDED(result) && SUCCEEDED(marked) ? S_OK : STG_E_WRITEFAULT;
}

HRESULT OleServerObject::QueryGetData(FORMATETC* format)
{
    return QueryOleFormat(format, kOleServerFormats, false);
}

HRESULT OleServerObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out)
{
    if (out)
        out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

HRESULT OleServerObject::SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release)
{
    if (!format || !medium || !(format->dwAspect & DVASPECT_CONTENT) || medium->tymed != TYMED_HGLOBAL)
        return DV_E_FORMATETC;
    HRESULT result = DV_E_FORMATETC;
    if (format->cfFormat == StdScaleFormat) {
        if (const auto* scale = medium->hGlobal ? static_cast<const int16_t*>(GlobalLock(medium->hGlobal)) : nullptr) {
            SetZoom(StdScaleZoom(scale[0], scale[1]), 0);
            GlobalUnlock(medium->hGlobal);
        }
        result = S_OK;
    } else if (format->cfFormat == NativeClipFormat) {
        result = SUCCEEDED(LoadBlock(medium->hGlobal)) ? S_OK : DV_E_FORMATETC;
    } else {
        return DV_E_FORMATETC;
    }
    if (release)
        ReleaseStgMedium(medium);
    return result;
}

HRESULT OleServerObject::EnumFormatEtc(DWORD, IEnumFORMATETC** out)
{
    if (out)
        *out = nullptr;
    return OLE_S_USEREG;
}

HRESULT OleServerObject::DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection)
{
    if (!dataHolder_ && FAILED(CreateDataAdviseHolder(&dataHolder_)))
        return E_OUTOFMEMORY;
    return dataHolder_->Advise(static_cast<IDataObject*>(this), format, flags, sink, connection);
}

HRESULT OleServerObject::DUnadvise(DWORD connection)
{
    return dataHolder_ ? dataHolder_->Unadvise(connection) : E_FAIL;
}

HRESULT OleServerObject::EnumDAdvise(IEnumSTATDATA** out)
{
    return dataHolder_ ? dataHolder_->EnumAdvise(out) : E_FAIL;
}

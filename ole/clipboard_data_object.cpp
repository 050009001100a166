#include "ole/clipboard_data_object.h"

#include <cstring>

#include "common/bitmap_to_dib.h"
#include "common/clipboard_formats.h"
#include "documents/document_record.h"
#include "ole/document_render.h"
#include "ole/ole_formats.h"
#include "ole/scratch_data_object.h"

namespace {

const wchar_t kItemDelimiter[] = L"!";
const wchar_t kItemName[] = L"item";
const DWORD kSizePrefixBytes = sizeof(DWORD);

// The used part of a drawing-stream block: its size prefix counts itself and
// the stream, and is checked against what the block holds.
bool StreamBytes(HGLOBAL block, const unsigned char* bytes, DWORD* used)
{
    const SIZE_T size = GlobalSize(block);
    if (!bytes || size < kSizePrefixBytes)
        return false;
    DWORD stated = 0;
    std::memcpy(&stated, bytes, sizeof(stated));
    if (stated < kSizePrefixBytes || stated > size)
        return false;
    *used = stated;
    return true;
}

HRESULT RenderNative(STGMEDIUM* medium)
{
    HANDLE block = nullptr;
    if (RenderDocumentData(nullptr, nullptr, &block, kRenderStream) != kErrNone)
        return DV_E_FORMATETC;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = block;
    return S_OK;
}

HRESULT RenderPicture(STGMEDIUM* medium)
{
    HANDLE block = nullptr;
    if (RenderDocumentData(nullptr, nullptr, &block, kRenderMetafilePict) != kErrNone)
        return DV_E_FORMATETC;
    medium->tymed = TYMED_MFPICT;
    medium->hMetaFilePict = block;
    return S_OK;
}

HRESULT RenderBitmap(STGMEDIUM* medium)
{
    HANDLE bitmap = nullptr;
    if (RenderDocumentData(nullptr, nullptr, &bitmap, kRenderBitmap) != kErrNone)
        return DV_E_FORMATETC;
    medium->tymed = TYMED_GDI;
    medium->hBitmap = static_cast<HBITMAP>(bitmap);
    return S_OK;
}

HRESULT RenderEnhanced(STGMEDIUM* medium)
{
    HANDLE block = nullptr;
    if (RenderDocumentData(nullptr, nullptr, &block, kRenderMetafilePict) != kErrNone)
        return DV_E_FORMATETC;
    HENHMETAFILE enhanced = nullptr;
    if (auto* picture = static_cast<METAFILEPICT*>(GlobalLock(block))) {
        const UINT bytes = GetMetaFileBitsEx(picture->hMF, 0, nullptr);
        if (bytes) {
            auto* bits = new BYTE[bytes];
            if (GetMetaFileBitsEx(picture->hMF, bytes, bits) == bytes)
                enhanced = SetWinMetaFileBits(bytes, bits, nullptr, picture);
            delete[] bits;
        }
        DeleteMetaFile(picture->hMF);
        GlobalUnlock(block);
    }
    GlobalFree(block);
    if (!enhanced)
        return DV_E_FORMATETC;
    medium->tymed = TYMED_ENHMF;
    medium->hEnhMetaFile = enhanced;
    return S_OK;
}

HRESULT RenderDib(STGMEDIUM* medium)
{
    HANDLE bitmap = nullptr;
    if (RenderDocumentData(nullptr, nullptr, &bitmap, kRenderBitmap) != kErrNone)
        return DV_E_FORMATETC;
    HGLOBAL dib = nullptr;
    HDC screen = GetDC(nullptr);
    ErrorCode code = BitmapToPackedDib(screen, static_cast<HBITMAP>(bitmap), nullptr, &dib);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    if (code != kErrNone) {
        if (dib)
            GlobalFree(dib);
        return DV_E_FORMATETC;
    }
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = dib;
    return S_OK;
}

HRESULT RenderEmbedding(STGMEDIUM* medium)
{
    IStorage* storage = CreateStorageOnMemory(nullptr, TRUE, STGM_SHARE_EXCLUSIVE | STGM_READWRITE);
    if (!storage)
        return DV_E_FORMATETC;
    if (FAILED(WriteScratchContents(storage))) {
        storage->Release();
        return DV_E_FORMATETC;
    }
    medium->tymed = TYMED_ISTORAGE;
    medium->pstg = storage;
    return S_OK;
}

HRESULT RenderDescriptor(STGMEDIUM* medium, DWORD status, const wchar_t* source)
{
    HGLOBAL block = MakeObjectDescriptor(status, source);
    if (!block)
        return DV_E_FORMATETC;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = block;
    return S_OK;
}

HRESULT SaveMonikerToStream(IMoniker* moniker, STGMEDIUM* medium)
{
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)))
        return E_OUTOFMEMORY;
    HRESULT result = OleSaveToStream(moniker, stream);
    if (SUCCEEDED(result))
        result = WriteClassStm(stream, kDrawingClass);
    if (FAILED(result)) {
        stream->Release();
        return result;
    }
    medium->tymed = TYMED_ISTREAM;
    medium->pstm = stream;
    return S_OK;
}

HRESULT RenderLink(STGMEDIUM* medium, const char* path)
{
    wchar_t widePath[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH))
        return DV_E_FORMATETC;
    IMoniker* file = nullptr;
    IMoniker* item = nullptr;
    IMoniker* link = nullptr;
    HRESULT result = CreateFileMoniker(widePath, &file);
    if (SUCCEEDED(result))
        result = CreateItemMoniker(kItemDelimiter, kItemName, &item);
    if (SUCCEEDED(result))
        result = CreateGenericComposite(file, item, &link);
    if (SUCCEEDED(result))
        result = SaveMonikerToStream(link, medium);
    if (link)
        link->Release();
    if (item)
        item->Release();
    if (file)
        file->Release();
    return SUCCEEDED(result) ? S_OK : DV_E_FORMATETC;
}

class ClipboardObject final : public ScratchDataObject {
public:
    bool hasFile = false;
    char path[kDocumentPathSize] = "";

protected:
    int Entries() const override { return kOleFormatCount; }
    bool Links() const override { return hasFile; }
    const char* Path() const override { return path; }
};

ClipboardObject TheClipboardObject;

} // namespace

HRESULT RenderScratchFormat(int index, STGMEDIUM* medium, bool links, const char* documentPath)
{
    medium->pUnkForRelease = nullptr;
    switch (index) {
    case kOleNative:
        return RenderNative(medium);
    case kOleEmbedSource:
        return RenderEmbedding(medium);
    case kOleObjectDescriptor:
        return RenderDescriptor(medium, 0, nullptr);
    case kOleMetafilePict:
        return RenderPicture(medium);
    case kOleBitmap:
        return RenderBitmap(medium);
    case kOleLinkSource:
        return links && documentPath ? RenderLink(medium, documentPath) : DV_E_FORMATETC;
    case kOleLinkSourceDescriptor:
        return links ? RenderDescriptor(medium, OLEMISC_CANLINKBYOLE1, kItemName) : DV_E_FORMATETC;
    case kOleEnhMetafile:
        return RenderEnhanced(medium);
    case kOleDib:
        return RenderDib(medium);
    default:
        return DV_E_FORMATETC;
    }
}

IStorage* CreateStorageOnMemory(HGLOBAL memory, BOOL release, DWORD mode)
{
    ILockBytes* bytes = nullptr;
    if (FAILED(CreateILockBytesOnHGlobal(memory, release, &bytes)))
        return nullptr;
    IStorage* storage = nullptr;
    const DWORD how = mode | (memory ? STGM_CONVERT : STGM_CREATE);
    if (FAILED(StgCreateDocfileOnILockBytes(bytes, how, 0, &storage)))
        storage = nullptr;
    bytes->Release();
    return storage;
}

HRESULT WriteScratchContents(IStorage* storage)
{
    HANDLE block = nullptr;
    if (RenderDocumentData(nullptr, nullptr, &block, kRenderStream) != kErrNone)
        return E_FAIL;
    IStream* stream = nullptr;
    HRESULT result = storage->CreateStream(kContentsStream, kContentsCreateMode, 0, 0, &stream);
    if (SUCCEEDED(result)) {
        const auto* bytes = static_cast<const unsigned char*>(GlobalLock(block));
        DWORD used = 0;
        ULONG written = 0;
        result = StreamBytes(block, bytes, &used) ? stream->Write(bytes, used, &written) : E_FAIL;
        if (SUCCEEDED(result) && written != used)
            result = STG_E_WRITEFAULT;
        if (bytes)
            GlobalUnlock(block);
        stream->Release();
    }
    GlobalFree(block);
    if (SUCCEEDED(result))
        result = WriteDrawingClassAndType(storage);
    return result;
}

IDataObject* ClipboardDataObject()
{
    return &TheClipboardObject;
}

void SetClipboardDocName(HWND view, int allowLinks)
{
    TheClipboardObject.hasFile = false;
    TheClipboardObject.path[0] = '\0';
    HWND document = view ? GetParent(view) : nullptr;
    HGLOBAL handle = document ? GetDocumentRecordHandle(document) : nullptr;
    if (!allowLinks || !handle)
        return;
    if (const auto* record = static_cast<const DocumentRecord*>(GlobalLock(handle))) {
        lstrcpynA(TheClipboardObject.path, record->path, kDocumentPathSize);
        TheClipboardObject.hasFile = TheClipboardObject.path[0] != '\0';
        GlobalUnlock(handle);
    }
}

ErrorCode PutDrawingOnClipboard()
{
    // The first call ends what another program or an earlier copy put there.
    if (FAILED(OleSetClipboard(nullptr)) || FAILED(OleSetClipboard(ClipboardDataObject())))
        return kErrNotDone;
    return kErrNone;
}

int ClipboardObjectOwnsClipboard()
{
    return OleIsCurrentClipboard(ClipboardDataObject()) == S_OK ? 1 : 0;
}

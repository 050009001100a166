// A small container, as a word processor would be: it registers nothing
// itself and reaches the drawing server only through OLE and the registry.
//   ole_container create <storage> <picture>  embeds a new drawing, shows it,
//       writes <storage>.shown, waits for <storage>.drawn (the drawing then
//       updated from the server's File menu), closes the object with save, draws its cached picture into <picture>.png and saves its
//       own compound file. Exit code 0, or the codes below added up.
//   ole_container load <storage> <picture>  loads that file again, draws the
//       cached picture and runs the object to ask its size: 0 when the
//       picture shows a drawing and the size is more than an empty drawing's.
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <string>

#include "support/paint_canvas.h"

namespace {

const CLSID kDrawingClass = {0x5A3E9D21, 0x7C44, 0x4B19, {0x9E, 0x2A, 0x1D, 0x6F, 0x30, 0xB8, 0x7C, 0x55}};
const wchar_t kObjectStorage[] = L"Object 1";
const int kNotCreated = 1;
const int kNotSaved = 2;
const int kBlank = 4;
const int kEmptyExtent = 8;
const int kUsage = 16;
const int kNotUpdated = 32;
const int kCanvasSide = 300;
const LONG kEmptyDrawingHimetric = 2540;
const DWORD kWaitMs = 60000;
const DWORD kPumpMs = 20;
const DWORD kDirectMode = STGM_READWRITE | STGM_SHARE_EXCLUSIVE;

// Saves the object into its storage when the server asks, as containers do.
class Site final : public IOleClientSite {
public:
    IOleObject* object = nullptr;
    IStorage* storage = nullptr;
    int saves = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override
    {
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IOleClientSite)) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE SaveObject() override
    {
        IPersistStorage* persist = nullptr;
        if (!object || FAILED(object->QueryInterface(IID_IPersistStorage, reinterpret_cast<void**>(&persist))))
            return E_FAIL;
        HRESULT result = OleSave(persist, storage, TRUE);
        persist->SaveCompleted(nullptr);
        persist->Release();
        if (SUCCEEDED(result))
            ++saves;
        return result;
    }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** out) override
    {
        *out = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** out) override
    {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }
};

std::wstring Wide(const std::string& text)
{
    wchar_t buffer[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, buffer, MAX_PATH);
    return buffer;
}

void Pump(DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(kPumpMs);
    } while (GetTickCount() - start < ms);
}

// Serves calls from the server until `done` holds; false when it never did.
template <typename Done>
bool PumpUntil(Done done)
{
    for (DWORD waited = 0; waited < kWaitMs; waited += kPumpMs) {
        if (done())
            return true;
        Pump(kPumpMs);
    }
    return false;
}

bool AwaitFile(const std::string& path)
{
    return PumpUntil([&] { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; });
}

// The picture's name with a step's word before its extension.
std::string StepPicture(const std::string& picture, const char* step)
{
    const size_t dot = picture.find_last_of('.');
    return dot == std::string::npos ? picture + step : picture.substr(0, dot) + step + picture.substr(dot);
}

void Touch(const std::string& path)
{
    if (FILE* out = std::fopen(path.c_str(), "wb"))
        std::fclose(out);
}

int DrawCache(IOleObject* object, const std::string& picture)
{
    PaintCanvas canvas(kCanvasSide, kCanvasSide);
    RECTL bounds = {0, 0, kCanvasSide, kCanvasSide};
    const HRESULT drawn = OleDraw(object, DVASPECT_CONTENT, canvas.Dc(), reinterpret_cast<RECT*>(&bounds));
    canvas.WritePng(picture);
    return SUCCEEDED(drawn) && canvas.Inked() > 0 ? 0 : kBlank;
}

int Create(const std::string& path, const std::string& pictureName)
{
    IStorage* root = nullptr;
    IStorage* storage = nullptr;
    if (FAILED(StgCreateDocfile(Wide(path).c_str(), kDirectMode | STGM_CREATE, 0, &root)) ||
        FAILED(root->CreateStorage(kObjectStorage, kDirectMode | STGM_CREATE, 0, 0, &storage)))
        return kNotCreated;
    Site site;
    site.storage = storage;
    IOleObject* object = nullptr;
    // The picture cached is the metafile, asked for by name: the handler's
    // "any drawable format" entry stays empty under Wine.
    FORMATETC picture = {CF_METAFILEPICT, nullptr, DVASPECT_CONTENT, -1, TYMED_MFPICT};
    if (FAILED(OleCreate(kDrawingClass, IID_IOleObject, OLERENDER_FORMAT, &picture, &site, storage,
                         reinterpret_cast<void**>(&object))))
        return kNotCreated;
    site.object = object;
    object->SetHostNames(L"Test Container", L"Report");
    OleRun(object);
    object->DoVerb(OLEIVERB_SHOW, nullptr, &site, 0, nullptr, nullptr);
    Touch(path + ".shown");
    int result = AwaitFile(path + ".drawn") ? 0 : kNotSaved;
    // The server's File Update came before the mark: the object was saved
    // into our storage and the cached picture shows the drawing.
    if (!PumpUntil([&] { return site.saves > 0; }) || DrawCache(object, StepPicture(pictureName, "_on_update")) != 0)
        result |= kNotUpdated;
    object->Close(OLECLOSE_SAVEIFDIRTY);
    Pump(kPumpMs);
    if (site.saves == 0 || FAILED(site.SaveObject()))
        result |= kNotSaved;
    result |= DrawCache(object, pictureName);
    site.object = nullptr;
    object->Release();
    storage->Commit(STGC_DEFAULT);
    storage->Release();
    root->Commit(STGC_DEFAULT);
    root->Release();
    return result;
}

int Load(const std::string& path, const std::string& picture)
{
    IStorage* root = nullptr;
    IStorage* storage = nullptr;
    if (FAILED(StgOpenStorage(Wide(path).c_str(), nullptr, kDirectMode, nullptr, 0, &root)) ||
        FAILED(root->OpenStorage(kObjectStorage, nullptr, kDirectMode, nullptr, 0, &storage)))
        return kNotCreated;
    Site site;
    site.storage = storage;
    IOleObject* object = nullptr;
    if (FAILED(OleLoad(storage, IID_IOleObject, &site, reinterpret_cast<void**>(&object))))
        return kNotCreated;
    site.object = object;
    int result = DrawCache(object, picture);
    SIZEL extent = {};
    if (FAILED(OleRun(object)) || FAILED(object->GetExtent(DVASPECT_CONTENT, &extent)) ||
        (extent.cx <= kEmptyDrawingHimetric && extent.cy <= kEmptyDrawingHimetric))
        result |= kEmptyExtent;
    object->Close(OLECLOSE_NOSAVE);
    site.object = nullptr;
    object->Release();
    storage->Release();
    root->Release();
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4)
        return kUsage;
    if (FAILED(OleInitialize(nullptr)))
        return kNotCreated;
    const std::string mode = argv[1];
    int result = kUsage;
    if (mode == "create")
        result = Create(argv[2], argv[3]);
    else if (mode == "load")
        result = Load(argv[2], argv[3]);
    OleUninitialize();
    return result;
}

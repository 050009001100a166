// A window of another program that takes dropped drawings, as a word
// processor's page would.
//   drop_target <left> <top> <width> <height> copy|move <report>
// shows the window there, writes <report>.ready, and after a drop (or a
// minute without one) writes into <report> "picture <inked pixels> native
// <bytes>" of what it read from the dropped data, draws the metafile into
// dropped_<copy|move>.png and ends. The effect named is what it answers.
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/paint_canvas.h"

namespace {

const DWORD kWaitMs = 60000;
const int kCanvasSide = 300;
const int kUsage = 16;
const char kWindowClass[] = "DropTargetTest";
const UINT_PTR kGiveUpTimer = 1;

size_t PictureInk(IDataObject* data, const std::string& pictureName)
{
    FORMATETC format = {CF_METAFILEPICT, nullptr, DVASPECT_CONTENT, -1, TYMED_MFPICT};
    STGMEDIUM medium = {};
    if (FAILED(data->GetData(&format, &medium)))
        return 0;
    size_t inked = 0;
    if (auto* picture = static_cast<METAFILEPICT*>(GlobalLock(medium.hMetaFilePict))) {
        PaintCanvas canvas(kCanvasSide, kCanvasSide);
        SetMapMode(canvas.Dc(), MM_ANISOTROPIC);
        SetWindowExtEx(canvas.Dc(), picture->xExt, picture->yExt, nullptr);
        SetViewportExtEx(canvas.Dc(), kCanvasSide, kCanvasSide, nullptr);
        PlayMetaFile(canvas.Dc(), picture->hMF);
        SetMapMode(canvas.Dc(), MM_TEXT);
        inked = canvas.Inked();
        canvas.WritePng(pictureName);
        GlobalUnlock(medium.hMetaFilePict);
    }
    ReleaseStgMedium(&medium);
    return inked;
}

SIZE_T NativeBytes(IDataObject* data)
{
    FORMATETC format = {static_cast<CLIPFORMAT>(RegisterClipboardFormatA("Tessary.2")), nullptr, DVASPECT_CONTENT,
                        -1, TYMED_HGLOBAL};
    STGMEDIUM medium = {};
    if (FAILED(data->GetData(&format, &medium)))
        return 0;
    const SIZE_T size = GlobalSize(medium.hGlobal);
    ReleaseStgMedium(&medium);
    return size;
}

class Target final : public IDropTarget {
public:
    DWORD effect = DROPEFFECT_COPY;
    std::string report;
    std::string picture;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override
    {
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDropTarget)) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* allowed) override
    {
        return Answer(allowed);
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* allowed) override { return Answer(allowed); }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* allowed) override
    {
        const size_t inked = PictureInk(data, picture);
        const SIZE_T native = NativeBytes(data);
        if (FILE* out = std::fopen(report.c_str(), "wb")) {
            std::fprintf(out, "picture %u native %u", static_cast<unsigned>(inked), static_cast<unsigned>(native));
            std::fclose(out);
        }
        Answer(allowed);
        PostQuitMessage(0);
        return S_OK;
    }

private:
    HRESULT Answer(DWORD* allowed)
    {
        *allowed &= effect;
        return S_OK;
    }
};

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == kGiveUpTimer) {
        PostQuitMessage(1);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeWindow(char** argv)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);
    return CreateWindowExA(WS_EX_TOPMOST, kWindowClass, "Drop here", WS_POPUP | WS_BORDER | WS_VISIBLE,
                           std::atoi(argv[1]), std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), nullptr,
                           nullptr, windowClass.hInstance, nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 7 || FAILED(OleInitialize(nullptr)))
        return kUsage;
    Target target;
    const std::string effect = argv[5];
    target.effect = effect == "move" ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
    target.report = argv[6];
    target.picture = "dropped_" + effect + ".png";
    HWND window = MakeWindow(argv);
    if (!window || FAILED(RegisterDragDrop(window, &target)))
        return kUsage;
    UpdateWindow(window);
    SetTimer(window, kGiveUpTimer, kWaitMs, nullptr);
    if (FILE* ready = std::fopen((target.report + ".ready").c_str(), "wb"))
        std::fclose(ready);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    RevokeDragDrop(window);
    DestroyWindow(window);
    OleUninitialize();
    return static_cast<int>(message.wParam);
}

// A second program on the desktop that takes what Tessary Plus put on the
// clipboard, the way other programs do: through OleGetClipboard.
//   clipboard_reader pictures <name>  plays the metafile picture and draws the
//       DIB into canvases written as <name>_metafile.png and <name>_dib.png;
//       exit code 0, or 1 without a metafile, 2 without a DIB, 4 when one of
//       them shows nothing (the codes add up).
//   clipboard_reader text <file>  pastes into an edit control and writes its
//       text to the file; exit code 0, or 8 when nothing came.
#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "support/paint_canvas.h"

namespace {

const int kCanvasWidth = 400;
const int kCanvasHeight = 300;
const int kNoMetafile = 1;
const int kNoDib = 2;
const int kBlank = 4;
const int kNoText = 8;
const int kUsage = 16;
const int kTextRoom = 4096;

FORMATETC Format(CLIPFORMAT format, DWORD medium)
{
    return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, medium};
}

int ReadMetafile(IDataObject* data, const std::string& name)
{
    FORMATETC format = Format(CF_METAFILEPICT, TYMED_MFPICT);
    STGMEDIUM medium = {};
    if (FAILED(data->GetData(&format, &medium)))
        return kNoMetafile;
    PaintCanvas canvas(kCanvasWidth, kCanvasHeight);
    if (const auto* picture = static_cast<const METAFILEPICT*>(GlobalLock(medium.hMetaFilePict))) {
        // The picture keeps its proportions within the canvas.
        const double scale = std::min(static_cast<double>(kCanvasWidth) / std::max<LONG>(picture->xExt, 1),
                                      static_cast<double>(kCanvasHeight) / std::max<LONG>(picture->yExt, 1));
        SetMapMode(canvas.Dc(), MM_ANISOTROPIC);
        SetViewportExtEx(canvas.Dc(), static_cast<int>(picture->xExt * scale), static_cast<int>(picture->yExt * scale),
                         nullptr);
        PlayMetaFile(canvas.Dc(), picture->hMF);
        GlobalUnlock(medium.hMetaFilePict);
    }
    ReleaseStgMedium(&medium);
    canvas.WritePng(name + "_metafile.png");
    return canvas.Inked() > 0 ? 0 : kBlank;
}

int ReadDib(IDataObject* data, const std::string& name)
{
    FORMATETC format = Format(CF_DIB, TYMED_HGLOBAL);
    STGMEDIUM medium = {};
    if (FAILED(data->GetData(&format, &medium)))
        return kNoDib;
    PaintCanvas canvas(kCanvasWidth, kCanvasHeight);
    if (const auto* info = static_cast<const BITMAPINFO*>(GlobalLock(medium.hGlobal))) {
        const auto* bits = reinterpret_cast<const unsigned char*>(info) + info->bmiHeader.biSize;
        if (info->bmiHeader.biBitCount <= 8)
            bits += (1u << info->bmiHeader.biBitCount) * sizeof(RGBQUAD);
        SetDIBitsToDevice(canvas.Dc(), 0, 0, static_cast<DWORD>(info->bmiHeader.biWidth),
                          static_cast<DWORD>(info->bmiHeader.biHeight), 0, 0, 0,
                          static_cast<UINT>(info->bmiHeader.biHeight), bits, info, DIB_RGB_COLORS);
        GlobalUnlock(medium.hGlobal);
    }
    ReleaseStgMedium(&medium);
    canvas.WritePng(name + "_dib.png");
    return canvas.Inked() > 0 ? 0 : kBlank;
}

int ReadPictures(const std::string& name)
{
    IDataObject* data = nullptr;
    if (FAILED(OleGetClipboard(&data)) || !data)
        return kNoMetafile | kNoDib;
    const int result = ReadMetafile(data, name) | ReadDib(data, name);
    data->Release();
    return result;
}

int PasteText(const char* file)
{
    HWND edit = CreateWindowA("EDIT", "", WS_OVERLAPPEDWINDOW | ES_MULTILINE, 0, 0, 300, 200, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    if (!edit)
        return kNoText;
    SendMessageA(edit, WM_PASTE, 0, 0);
    char text[kTextRoom] = "";
    GetWindowTextA(edit, text, kTextRoom);
    DestroyWindow(edit);
    if (FILE* out = std::fopen(file, "wb")) {
        std::fwrite(text, 1, std::strlen(text), out);
        std::fclose(out);
    }
    return text[0] ? 0 : kNoText;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return kUsage;
    if (FAILED(OleInitialize(nullptr)))
        return kUsage;
    int result = kUsage;
    if (std::strcmp(argv[1], "pictures") == 0)
        result = ReadPictures(argv[2]);
    else if (std::strcmp(argv[1], "text") == 0)
        result = PasteText(argv[2]);
    OleUninitialize();
    return result;
}

// The preview of the template chooser and the library browser: the stored
// picture of the selected file, and the browser's tool tips over the
// symbols of a library's thumbnail.
#include "libraries/template_dialogs.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "common/app_globals.h"
#include "common/display_flags.h"
#include "common/tool_tips.h"
#include "documents/drawing_stream.h"
#include "documents/file_dialogs.h"
#include "libraries/library_thumbnail.h"
#include "objects/app_options.h"
#include "objects/packed_dib.h"
#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"
#include "store/record_store.h"

namespace {

const int kPreviewInset = 2;
const int kFileDialogTemplate = 1536;
const int kOpenLibraryTopic = 212;
const int kNoPreviewSize = 64;
// Where an earlier-format drawing keeps its preview picture.
const short kEarlierPreviewGroup = 100;
const short kEarlierPreviewId = 107;

void DrawEtchedFrame(HDC dc, const RECT& rect)
{
    RECT light = rect;
    OffsetRect(&light, 1, 1);
    FrameRect(dc, &light, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

void DrawNoPreview(HDC dc, const RECT& rect)
{
    DrawEtchedFrame(dc, rect);
    char text[kNoPreviewSize] = "";
    LoadStringA(AppInstance, IDS_NO_PREVIEW, text, sizeof(text));
    HGDIOBJ oldFont = DefaultUiFont ? SelectObject(dc, DefaultUiFont) : nullptr;
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    SIZE extent = {};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &extent);
    TextOutA(dc, (rect.left + rect.right - extent.cx) / 2, (rect.top + rect.bottom) / 2, text, lstrlenA(text));
    SetBkMode(dc, oldMode);
    if (oldFont)
        SelectObject(dc, oldFont);
}

// The DIB's size in pixels; false for a block that is no DIB.
bool DibSize(HGLOBAL dib, SIZE* size)
{
    const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib));
    if (!header)
        return false;
    const bool valid = GlobalSize(dib) >= sizeof(*header) && header->biWidth > 0 && header->biHeight != 0;
    if (valid)
        *size = {header->biWidth, std::abs(header->biHeight)};
    GlobalUnlock(dib);
    return valid;
}

// The preview never grows past its own size and stays centred.
RECT FitPreview(const RECT& area, SIZE picture)
{
    // Measured on the inset area itself, so the picture never covers the frame.
    const double scale = std::min({static_cast<double>(area.right - area.left) / picture.cx,
                                   static_cast<double>(area.bottom - area.top) / picture.cy, 1.0});
    const int width = static_cast<int>(picture.cx * scale);
    const int height = static_cast<int>(picture.cy * scale);
    RECT fitted = area;
    InflateRect(&fitted, -((area.right - area.left) - width) / 2, -((area.bottom - area.top) - height) / 2);
    return fitted;
}

HGLOBAL PayloadCopy(RecordHandle record)
{
    const DWORD size = QueryRecordSize(record);
    if (size <= kRecordHeaderBytes)
        return nullptr;
    const DWORD bytes = size - kRecordHeaderBytes;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, bytes);
    void* target = copy ? GlobalLock(copy) : nullptr;
    const auto* source = static_cast<const uint8_t*>(GlobalLock(record));
    if (target && source)
        std::memcpy(target, source + kRecordHeaderBytes, bytes);
    if (source)
        GlobalUnlock(record);
    if (target)
        GlobalUnlock(copy);
    if (copy && !(target && source)) {
        GlobalFree(copy);
        copy = nullptr;
    }
    return copy;
}

HGLOBAL EarlierFormatPreview(const char* path)
{
    int store = -1;
    int secondWord = 0;
    if (OpenStoreByName(path, &store, 0, &secondWord, TRUE))
        return nullptr;
    RecordHandle record = nullptr;
    HGLOBAL preview = nullptr;
    if (FindRecord(store, kEarlierPreviewGroup, kEarlierPreviewId, &record) == kErrNone)
        preview = PayloadCopy(record);
    DiscardError(CloseStore(store), "the store was only read");
    return preview;
}

} // namespace

int DrawTemplateSample(HDC dc, RECT* rect)
{
    RECT area = *rect;
    InflateRect(&area, -kPreviewInset, -kPreviewInset);
    SIZE picture = {};
    if (!BrowserPreview || !DibSize(BrowserPreview, &picture)) {
        DrawNoPreview(dc, area);
        return 0;
    }
    RECT fitted = FitPreview(area, picture);
    ScaleThumbnailCells(&fitted);
    // A picture that cannot be drawn leaves its frame empty.
    DiscardError(DrawDib(dc, &fitted, BrowserPreview), "the frame shows where the picture goes");
    DrawEtchedFrame(dc, fitted);
    return 0;
}

void BrowserToolTipProc(HWND window)
{
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    TrackItemToolTip(window);
}

HGLOBAL LoadTemplatePreview(const char* path)
{
    HGLOBAL preview = nullptr;
    const int answer = CheckDrawingFile(path, &preview);
    if (answer != 0)
        return preview;
    return EarlierFormatPreview(path);
}

int BrowseForLibraryFile(HWND owner, char* path)
{
    char* folder = Options() ? Options()->librariesFolder : nullptr;
    return RunOpenFileDlg(owner, kFileDialogTemplate, path, IDS_FILTER_LIBRARIES, IDS_TITLE_OPEN_LIBRARY, FALSE,
                          kOpenLibraryTopic, 1, 0, folder);
}

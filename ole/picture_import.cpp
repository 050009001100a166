#include "ole/picture_import.h"

#include <cstring>
#include <vector>

#include "common/app_globals.h"
#include "common/file_helpers.h"
#include "common/handle_words.h"
#include "common/info_dialog.h"
#include "common/io_seam.h"
#include "common/results.h"
#include "common/window_helpers.h"
#include "documents/file_dialogs.h"
#include "documents/view_children.h"
#include "imaging/image_codecs.h"
#include "imaging/image_file_bytes.h"
#include "imaging/image_info.h"
#include "objects/app_options.h"
#include "objects/placeable_metafile.h"
#include "objects/view_record.h"
#include "objects/view_record_word.h"
#include "ole/active_drawing_view.h"
#include "ole/foreign_metafiles.h"
#include "ole/picture_types.h"
#include "resources/resource_ids.h"
#include "view/edit_operations.h"
#include "view/end_text_edit.h"

namespace {

const int kImportTitle = 1051;
const int kImportHelpTopic = 30023;
const int kImportHintTopic = 30025;
const int kSniffBytes = 1000;
const int kBmpSmallest = 14;        // a BMP file header alone
const int kPlaceableSmallest = 22;  // a placeable header alone
const int kBmpCompressionAt = 30;
const WORD kBmpKey = 0x4D42;
const int kMessageCannotOpen = 17;
const int kMessageNoFormat = 20;
const int kMessageCompressedBmp = 21;
const char kForeignPrefix[] = "VXM";

bool importHintShown = false;

bool OptionFlag(uint16_t flag)
{
    if (!AppOptions)
        return false;
    uint16_t flags;
    std::memcpy(&flags, AppOptions + kOptionsFlags, sizeof(flags));
    return (flags & flag) != 0;
}

void ImportMetafile(HWND view, const char* path, const POINT* point)
{
    HFILE file = OpenFileMode(path, nullptr, OF_READ | OF_SHARE_DENY_NONE);
    if (file == HFILE_ERROR) {
        WarnById(kMessageCannotOpen);
        return;
    }
    DiscardError(DoEditOperation(view, kEditImportMetafile, static_cast<LPARAM>(file), point),
                 "the edit operation reports its own failure");
    CloseFile(file);
}

// A plain or enhanced metafile goes through the placeable import by way of a
// placeable copy in the temporary folder. kErrNotDone for any other file.
ErrorCode ImportForeignMetafile(HWND view, const char* path, const POINT* point)
{
    std::vector<uint8_t> bytes;
    if (ReadImageFile(path, &bytes) != kImageOk)
        return kErrNotDone;
    std::vector<uint8_t> placeable;
    ErrorCode code = PlaceableFromForeignMetafile(bytes.data(), bytes.size(), &placeable);
    if (code != kErrNone)
        return code;
    char folder[MAX_PATH] = "";
    char copy[MAX_PATH] = "";
    const DWORD length = GetTempPathA(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH || !GetTempFileNameA(folder, kForeignPrefix, 0, copy))
        return kErrFile;
    if (WriteImageFile(copy, placeable) != kImageOk) {
        SeamDeleteFile(copy);
        return kErrFile;
    }
    ImportMetafile(view, copy, point);
    SeamDeleteFile(copy);
    return kErrNone;
}

// Step 5 of both ways in: the file by its content, then the operation that
// places it.
void ImportFile(HWND view, const char* path, int type, const POINT* point)
{
    SetAppCursor(1);
    ErrorCode foreign = kErrNotDone;
    if (SniffPictureFile(path, type) == kPictureWmf) {
        ImportMetafile(view, path, point);
    } else if ((foreign = ImportForeignMetafile(view, path, point)) != kErrNotDone) {
        if (foreign != kErrNone)
            WarnById(kMessageNoFormat);
    } else if (HGLOBAL dib = LoadRasterPicture(path)) {
        // The operation takes the block over.
        DiscardError(DoEditOperation(view, kEditPlacePicture, reinterpret_cast<LPARAM>(dib), point),
                     "the edit operation reports its own failure");
    } else {
        WarnById(kMessageNoFormat);
    }
    SetAppCursor(0);
}

struct RasterFormat {
    ErrorCode (*info)(const char* path, ImageFileInfo* info);
    ErrorCode (*load)(const char* path, RasterImage* image);
    int (*depth)(const ImageFileInfo& info);
};

int BmpDepth(const ImageFileInfo& info)
{
    const int bits = info.planes * info.bitsPerPixel;
    return bits == 4 ? 8 : bits > 8 ? 24 : bits;
}

int TiffDepth(const ImageFileInfo& info)
{
    return info.bitsPerPixel > 8 ? 24 : info.bitsPerPixel == 1 ? 1 : 8;
}

int ReportedDepth(const ImageFileInfo& info)
{
    return info.bitsPerPixel;
}

const RasterFormat kRasterFormats[] = {
    {bmpinfo, loadbmp, BmpDepth},
    {tiffinfo, loadtif, TiffDepth},
    {pcxinfo, loadpcx, ReportedDepth},
    {gifinfo, loadgif, ReportedDepth},
    {jpeginfo, loadjpg, ReportedDepth},
};

// The image's packed DIB in a block of its own.
HGLOBAL CopyImageDib(const RasterImage& image)
{
    const SIZE_T bytes = sizeof(BITMAPINFOHEADER) + static_cast<SIZE_T>(image.colorCount) * sizeof(RGBQUAD) +
                         static_cast<SIZE_T>(image.height) * image.lineBytes;
    HGLOBAL block = SeamGlobalAlloc(GMEM_MOVEABLE, bytes);
    void* target = block ? GlobalLock(block) : nullptr;
    if (!target) {
        if (block)
            GlobalFree(block);
        return nullptr;
    }
    std::memcpy(target, image.header, bytes);
    GlobalUnlock(block);
    return block;
}

HGLOBAL LoadWith(const RasterFormat& format, const char* path, const ImageFileInfo& info)
{
    RasterImage image;
    if (allocDIB(&image, info.width, info.height, format.depth(info)) != kImageOk)
        return nullptr;
    HGLOBAL dib = format.load(path, &image) == kImageOk ? CopyImageDib(image) : nullptr;
    freeimage(&image);
    return dib;
}

// The drop point in the view's drawing units; false when the file was not
// dropped on a drawing view.
bool DropPointOnView(HDROP drop, HWND* view, POINT* units)
{
    POINT point = {};
    if (!MainWindow || !MdiClientWindow || !DragQueryPoint(drop, &point))
        return false;
    MapWindowPoints(MainWindow, MdiClientWindow, &point, 1);
    HWND document = ChildWindowFromPoint(MdiClientWindow, point);
    if (!document || document == MdiClientWindow || !DocumentViewOf(document))
        return false;
    MapWindowPoints(MdiClientWindow, document, &point, 1);
    *view = DocumentViewOf(document);
    // A ruler or the corner box under the point takes no pictures.
    if (ChildWindowFromPoint(document, point) != *view)
        return false;
    MapWindowPoints(document, *view, &point, 1);
    HDC dc = GetDC(*view);
    if (!dc)
        return false;
    DPtoLP(dc, &point, 1);
    ReleaseDC(*view, dc);
    *units = point;
    return true;
}

} // namespace

int SniffPictureFile(const char* path, int fallback)
{
    HFILE file = OpenFileMode(path, nullptr, OF_READ | OF_SHARE_DENY_NONE);
    if (file == HFILE_ERROR)
        return fallback;
    uint8_t head[kSniffBytes] = {};
    LONG length = 0;
    int asked = 0;
    if (GetFileLength(file, &length) == kErrNone && length > 0)
        asked = length < kSniffBytes ? static_cast<int>(length) : kSniffBytes;
    const UINT got = asked > 0 ? ReadFileBytes(file, head, static_cast<UINT>(asked)) : 0;
    CloseFile(file);
    // Only the bytes that came are looked at.
    const int have = got == static_cast<UINT>(HFILE_ERROR) ? 0 : static_cast<int>(got);
    int result = 0;
    if (asked > kBmpSmallest && have >= kBmpCompressionAt + 4 && ReadLeU16(head) == kBmpKey) {
        const uint32_t compression = ReadLeU32(head + kBmpCompressionAt);
        // Run-length pictures go on to the raster readers, which read them;
        // only a compression none of them reads is refused with a word.
        if (compression == BI_RGB)
            result = kPictureBmp;
        else if (compression != BI_RLE8 && compression != BI_RLE4)
            WarnById(kMessageCompressedBmp);
    }
    if (result == 0 && asked > kPlaceableSmallest && have >= 4 && ReadLeU32(head) == kPlaceableKey)
        result = kPictureWmf;
    return result ? result : fallback;
}

HGLOBAL LoadRasterPicture(const char* path)
{
    for (const RasterFormat& format : kRasterFormats) {
        ImageFileInfo info;
        const ErrorCode code = format.info(path, &info);
        if (code == kImageCannotOpen)
            return nullptr;
        if (code == kImageOk)
            return LoadWith(format, path, info);
    }
    return nullptr;
}

int DoImportCommand()
{
    if (OptionFlag(kOptionsHints) && !importHintShown) {
        importHintShown = true;
        ShowInfoDialog("HINT_IMPORT", kImportHintTopic);
    }
    HWND view = ActiveDrawingView();
    OptionsRecord* options = Options();
    if (!view || !options)
        return 0;
    char path[kOptionsPathSize] = "";
    const int position = RunOpenFileDlg(MainWindow, kPictureDialogTemplate, path, kPictureFilters, kImportTitle,
                                        FALSE, kImportHelpTopic, options->importPictureType, kPictureTypeOffset,
                                        options->importFolder);
    if (position == 0)
        return 0;
    options->importPictureType = position + kPictureTypeOffset;
    ErrorCode code = EndTextEdit(view, 0);
    if (code != kErrNone)
        return code.value;
    ImportFile(view, path, options->importPictureType, nullptr);
    return 0;
}

int ImportDroppedFile(HDROP drop, const char* path)
{
    HWND view = nullptr;
    POINT units = {};
    if (!DropPointOnView(drop, &view, &units))
        return 0;
    ImportFile(view, path, 0, &units);
    return 0;
}

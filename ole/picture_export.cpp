#include "ole/picture_export.h"

#include "common/app_globals.h"
#include "common/back_buffer.h"
#include "common/bitmap_to_dib.h"
#include "common/file_helpers.h"
#include "common/results.h"
#include "documents/file_dialogs.h"
#include "imaging/image_codecs.h"
#include "objects/app_options.h"
#include "objects/drawing_extents.h"
#include "objects/drawing_layout.h"
#include "objects/rendering_flags.h"
#include "objects/view_record.h"
#include "objects/view_record_word.h"
#include "ole/active_drawing_view.h"
#include "ole/drawing_render.h"
#include "ole/gif_options_dialog.h"
#include "ole/picture_types.h"
#include "ole/picture_writers.h"
#include "ole/replaced_file.h"
#include "resources/resource_ids.h"
#include "view/end_text_edit.h"

namespace {

const int kExportTitle = 1050;
const int kExportHelpTopic = 30025;
const int kMessageSaveFailed = 10;
const int kMessageCannotRecord = 17;
const int kMessageNothingToExport = 23;
const int kMessageTooLargeForMetafile = IDS_TOO_LARGE_FOR_METAFILE;
const int kJpegQuality = 90;
const int kPaletteColours = 256;
const COLORREF kNoBackground = 0xFFFFFFFF;
const COLORREF kWhite = RGB(255, 255, 255);

// The view's record and drawing, locked for one export.
class LockedView {
public:
    explicit LockedView(HWND view) : handle_(GetViewRecordHandle(view))
    {
        record_ = handle_ ? GlobalLock(handle_) : nullptr;
    }
    ~LockedView()
    {
        if (record_)
            GlobalUnlock(handle_);
    }
    LockedView(const LockedView&) = delete;
    LockedView& operator=(const LockedView&) = delete;
    void* record() const { return record_; }
    HGLOBAL drawing() const { return record_ ? GetViewDrawingHandle(record_) : nullptr; }
    HPALETTE palette() const
    {
        return record_ ? reinterpret_cast<HPALETTE>(static_cast<INT_PTR>(ReadViewField(record_, kViewPalette)))
                       : nullptr;
    }

private:
    HGLOBAL handle_;
    void* record_ = nullptr;
};

bool OptionFlag(uint16_t flag)
{
    const OptionsRecord* options = Options();
    return options && (static_cast<uint16_t>(options->flags) & flag) != 0;
}

COLORREF BackgroundOf(HGLOBAL drawingHandle)
{
    COLORREF colour = kNoBackground;
    if (auto* drawing = static_cast<DrawingRecord*>(GlobalLock(drawingHandle))) {
        colour = drawing->style.backgroundColor;
        GlobalUnlock(drawingHandle);
    }
    return colour == kNoBackground ? kWhite : colour;
}

bool DrawingIsEmpty(HGLOBAL drawing)
{
    RECT extents = {};
    GetDrawingExtents(drawing, FALSE, &extents);
    return IsRectEmpty(&extents) != FALSE;
}

using Conversion = ErrorCode (*)(const RasterImage* source, RasterImage* target);

ErrorCode ConvertTo8Bit(RasterImage* image, Conversion convert)
{
    RasterImage target;
    ErrorCode code = allocimage(&target, image->width, image->height, 8);
    if (code == kImageOk)
        code = convert(image, &target);
    if (code != kImageOk) {
        freeimage(&target);
        return code;
    }
    freeimage(image);
    *image = target;
    return kImageOk;
}

ErrorCode ReduceWith256(const RasterImage* source, RasterImage* target)
{
    return convertrgbtopal(kPaletteColours, source, target);
}

// The first palette entry of the background colour, -1 when none is.
int TransparentIndex(const RasterImage& image, COLORREF background)
{
    for (int i = 0; i < image.colorCount; ++i) {
        const RGBQUAD& entry = image.palette[i];
        if (RGB(entry.rgbRed, entry.rgbGreen, entry.rgbBlue) == background)
            return i;
    }
    return -1;
}

ErrorCode SaveGif(RasterImage* image, const char* path, COLORREF background)
{
    if (image->colorCount == 0)
        DiscardError(ReduceImageTo256Colours(image), "the writer refuses what stayed unreduced");
    else if (image->colorCount == 2)
        DiscardError(ExpandImage1To8Bit(image), "the writer refuses what stayed one bit");
    const int transparent = OptionFlag(kOptionFlagGifOpaque) ? -1 : TransparentIndex(*image, background);
    int mode = OptionFlag(kOptionFlagGifNotInterlaced) ? 0 : kGifInterlaced;
    if (transparent >= 0)
        mode |= kGifTransparent;
    return savegifex(path, image, mode, transparent);
}

ErrorCode SaveThroughImage(RasterImage* image, int type, const char* path, COLORREF background)
{
    switch (type) {
    case kPicturePcx:
        if (image->colorCount == 0)
            DiscardError(ReduceImageTo256Colours(image), "the writer takes 24 bits as well");
        return savepcx(path, image);
    case kPictureTiff:
        return savetif(path, image, image->colorCount == 0 ? 0 : kTiffPackBits);
    case kPictureGif:
        return SaveGif(image, path, background);
    default:
        if (image->colorCount == 2)
            DiscardError(ExpandImage1To8Bit(image), "the writer takes one bit as well");
        return savejpg(path, image, kJpegQuality);
    }
}

// The device the bitmap's bits are read through.
class ReadingDc {
public:
    ReadingDc() : own_(BackBufferDC ? nullptr : GetDC(nullptr)) {}
    ~ReadingDc()
    {
        if (own_)
            ReleaseDC(nullptr, own_);
    }
    ReadingDc(const ReadingDc&) = delete;
    ReadingDc& operator=(const ReadingDc&) = delete;
    HDC get() const { return own_ ? own_ : BackBufferDC; }

private:
    HDC own_;
};

ErrorCode WriteBmpTo(const char* path, HBITMAP bitmap, HPALETTE palette)
{
    HFILE file = OpenFileMode(path, nullptr, OF_READWRITE);
    if (file == HFILE_ERROR)
        return kErrFile;
    ReadingDc dc;
    ErrorCode code = WriteBmpFile(dc.get(), file, bitmap, palette);
    CloseFile(file);
    return code;
}

ErrorCode WriteThroughImage(const char* path, HBITMAP bitmap, HPALETTE palette, int type, COLORREF background)
{
    HGLOBAL dib = nullptr;
    ErrorCode code = kErrNone;
    {
        ReadingDc dc;
        code = BitmapToPackedDib(dc.get(), bitmap, palette, &dib);
    }
    RasterImage image;
    if (code == kErrNone) {
        const auto* bytes = static_cast<const uint8_t*>(GlobalLock(dib));
        code = bytes ? ErrorCode(dibtoimage(bytes, GlobalSize(dib), &image)) : ErrorCode(kErrNoMemory);
        if (bytes)
            GlobalUnlock(dib);
    }
    if (dib)
        GlobalFree(dib);
    if (code == kErrNone)
        code = SaveThroughImage(&image, type, path, background);
    freeimage(&image);
    return code;
}

ErrorCode WriteRaster(HWND view, const LockedView& locked, const char* path, int type)
{
    ReplacedFile file(path);
    ErrorCode code = file.Begin();
    if (code != kErrNone)
        return code;
    RenderingRasterPicture = 1;
    HBITMAP bitmap = MakeDrawingBitmap(view, FALSE);
    RenderingRasterPicture = 0;
    if (!bitmap)
        return kErrNoMemory;
    if (type == kPictureBmp)
        code = WriteBmpTo(file.temporaryPath(), bitmap, locked.palette());
    else
        code = WriteThroughImage(file.temporaryPath(), bitmap, locked.palette(), type,
                                 BackgroundOf(locked.drawing()));
    DeleteObject(bitmap);
    return code != kErrNone ? code : file.Commit();
}

ErrorCode WriteWmf(HMETAFILE metafile, const RECT& extents, const char* path)
{
    ReplacedFile file(path);
    ErrorCode code = file.Begin();
    if (code != kErrNone)
        return code;
    HFILE out = OpenFileMode(file.temporaryPath(), nullptr, OF_READWRITE);
    if (out == HFILE_ERROR)
        return kErrFile;
    code = WritePlaceableBits(out, metafile, extents.right - extents.left, extents.bottom - extents.top);
    CloseFile(out);
    return code != kErrNone ? code : file.Commit();
}

} // namespace

ErrorCode ReduceImageTo256Colours(RasterImage* image)
{
    return ConvertTo8Bit(image, ReduceWith256);
}

ErrorCode ExpandImage1To8Bit(RasterImage* image)
{
    return ConvertTo8Bit(image, convert1bitto8bit);
}

void WritePlaceableWmf(HGLOBAL drawing, HPALETTE palette, const char* path)
{
    RECT extents = {};
    HMETAFILE metafile = DrawingToMetafile(drawing, palette, &extents, FALSE, FALSE, TRUE);
    if (!metafile) {
        WarnById(DrawingIsEmpty(drawing) ? kMessageNothingToExport : kMessageCannotRecord);
        return;
    }
    // Coordinates past 16 bits would wrap inside the metafile: no file at all
    // rather than a picture that is wrong.
    if (!FitsPlaceableBox(extents)) {
        DeleteMetaFile(metafile);
        WarnById(kMessageTooLargeForMetafile);
        return;
    }
    const ErrorCode code = WriteWmf(metafile, extents, path);
    DeleteMetaFile(metafile);
    if (code != kErrNone)
        WarnById(kMessageSaveFailed);
}

void ExportRasterPicture(HWND view, const char* path, int type)
{
    LockedView locked(view);
    if (!locked.record() || !locked.drawing())
        return;
    // An empty drawing leaves any file of that name as it was.
    if (DrawingIsEmpty(locked.drawing())) {
        WarnById(kMessageNothingToExport);
        return;
    }
    const ErrorCode code = WriteRaster(view, locked, path, type);
    ResizeBackBuffer();
    if (code != kErrNone)
        WarnById(kMessageSaveFailed);
}

void ExportPictureAs(HWND view, const char* path, int type)
{
    if (type == kPictureGif && RunGifOptionsDlg(MainWindow) == 0)
        return;
    SetAppCursor(1);
    if (type == kPictureWmf) {
        LockedView locked(view);
        if (locked.drawing())
            WritePlaceableWmf(locked.drawing(), locked.palette(), path);
    } else {
        ExportRasterPicture(view, path, type);
    }
    SetAppCursor(0);
}

int DoExportCommand()
{
    HWND view = ActiveDrawingView();
    OptionsRecord* options = Options();
    if (!view || !options)
        return 0;
    char path[kOptionsPathSize] = "";
    const int position = RunSaveFileDlg(MainWindow, kPictureDialogTemplate, path, kPictureFilters, kExportTitle,
                                        kExportHelpTopic, options->exportPictureType, kPictureTypeOffset,
                                        options->exportFolder);
    if (position == 0)
        return 0;
    options->exportPictureType = position + kPictureTypeOffset;
    const ErrorCode code = EndTextEdit(view, 0);
    if (code != kErrNone)
        return code.value;
    ExportPictureAs(view, path, options->exportPictureType);
    return 0;
}

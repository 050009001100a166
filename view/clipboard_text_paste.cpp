#include "view/clipboard_text_paste.h"

#include <string>

#include "common/app_globals.h"
#include "lines/length_label.h"
#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "objects/object_create.h"
#include "objects/object_text_hooks.h"
#include "objects/paste_position.h"
#include "objects/picture_place.h"
#include "objects/view_record.h"
#include "text/ten_clipboard.h"
#include "view/selection_changes.h"

namespace {

const int kLeftAlignment = 0;
const int kFirstBoxSide = 54;   // a new free text's smallest box; the layout fits it

// The clipboard's plain text without line feeds (the editor ends paragraphs
// with a carriage return), bounded by its block and the paste limit.
std::string ReadClipboardText()
{
    std::string text;
    if (!OpenClipboard(MainWindow))
        return text;
    if (HGLOBAL source = GetClipboardData(CF_TEXT)) {
        const SIZE_T size = GlobalSize(source);
        const auto* bytes = static_cast<const char*>(GlobalLock(source));
        for (SIZE_T i = 0; bytes && i < size && bytes[i] != 0 && text.size() < kMaxPastedPlainText; ++i)
            if (bytes[i] != '\n')
                text.push_back(bytes[i]);
        if (bytes)
            GlobalUnlock(source);
    }
    CloseClipboard();
    return text;
}

// Lays the new text out so its box fits the text.
ErrorCode FitNewText(DrawingRecord* drawing)
{
    LockedTable objects(drawing, kTableObjects);
    if (!objects.Get() || objects.Count() == 0)
        return kErrNoMemory;
    DrawingObject* object = ObjectAt(objects.Get(), objects.Count() - 1);
    // A text made with its block is born open in an editor; this one is not.
    object->stateFlags &= ~static_cast<uint32_t>(kStateTextOpen);
    const ErrorCode code = ObjectTextCalls.reflow(drawing, object, 0, nullptr);
    InvalidateDrawingRect(drawing, &object->bounds);
    return code;
}

} // namespace

bool ClipboardHasOnlyText()
{
    return IsClipboardFormatAvailable(CF_TEXT) && !IsClipboardFormatAvailable(CF_DIB) &&
           !IsClipboardFormatAvailable(CF_BITMAP) && !IsClipboardFormatAvailable(CF_METAFILEPICT);
}

ErrorCode PasteClipboardText(HWND view, void* viewRecord)
{
    const std::string text = ReadClipboardText();
    if (text.empty())
        return kErrNone;
    HGLOBAL drawingHandle = GetViewDrawingHandle(viewRecord);
    auto* drawing = static_cast<DrawingRecord*>(GlobalLock(drawingHandle));
    if (!drawing)
        return kErrNoMemory;
    HGLOBAL block = NewPlainTextBlock(drawing, text, kLeftAlignment);
    RECT rect = {0, 0, kFirstBoxSide, kFirstBoxSide};
    POINT at = {0, 0};
    if (!RightClickDrawingPoint(view, &at))
        GetPastePosition(drawing, &rect, &at);
    OffsetRect(&rect, at.x, at.y);
    GlobalUnlock(drawingHandle);
    if (!block)
        return kErrNoMemory;
    DeselectAllObjects(drawingHandle);
    ErrorCode code = CreateObject(view, kKindShape, &rect, 0, 0, reinterpret_cast<INT_PTR>(block), 0, 1, 0, 1);
    GlobalFree(block);
    if (code != kErrNone)
        return code;
    drawing = static_cast<DrawingRecord*>(GlobalLock(drawingHandle));
    code = drawing ? FitNewText(drawing) : kErrNoMemory;
    if (drawing)
        GlobalUnlock(drawingHandle);
    return code;
}

#include "text/object_text_layout.h"

#include <cstring>

#include "common/rect_helpers.h"
#include "objects/view_record.h"
#include "objects/drawing_layout.h"
#include "objects/object_links.h"
#include "objects/shape_frames.h"
#include "objects/shape_text_insets.h"
#include "store/record_store.h"
#include "text/format_records.h"
#include "text/object_text_helpers.h"
#include "text/ten_fit_box.h"
#include "text/ten_create.h"
#include "text/ten_messages.h"
#include "text/ten_startup.h"
#include "text/ten_state_access.h"
#include "text/text_background.h"
#include "objects/text_block_store.h"
#include "objects/view_record_word.h"

namespace {

// The editor a layout batch keeps, and how many batches are open.
HWND KeptEditor = nullptr;
int OpenBatches = 0;

HWND ViewOf(const DrawingRecord* drawing)
{
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<int32_t>(drawing->viewWindow)));
}

struct Anchors {
    int horizontal;
    int vertical;
};

Anchors AnchorsFor(const DrawingObject* object, int mode)
{
    static const int kH[9] = {-1, 0, 2, 0, 2, -1, -1, 0, 2};
    static const int kV[9] = {-1, 0, 0, 8, 8, 0, 8, -1, -1};
    if (mode < 0 || mode > 8)
        mode = 0;
    Anchors a = {kH[mode], kV[mode]};
    if (a.horizontal < 0)
        a.horizontal = object->textAlignment;
    if (a.vertical < 0)
        a.vertical = object->textPlacement;
    return a;
}

// Moves an edge pair by `change` keeping the anchored side.
void Grow(LONG* low, LONG* high, int change, int anchor, bool centre)
{
    if (centre || anchor == 6) {
        const int half = change / 2;
        *low -= half;
        *high += change - half;
    } else if (anchor == 2 || anchor == 8) {
        *low -= change;
    } else {
        *high += change;
    }
}

// The laid-out whole block of a hidden editor; none when it cannot be had.
HGLOBAL LaidOutBlock(HWND editor) { return reinterpret_cast<HGLOBAL>(SendMessageA(editor, TENM_GETTEXTBLOCK, kTextBlockWholeText, 0)); }

void FoldMargins(unsigned char* block, RECT* margins)
{
    TextBlockHeader header;
    std::memcpy(&header, block, sizeof(header));
    *margins = RECT{header.marginLeft, header.marginTop, header.marginRight, header.marginBottom};
    auto* lines = reinterpret_cast<TextLine*>(block + TextBlockLinesOffset());
    for (int i = 0; i < header.lineCount; ++i) {
        lines[i].left -= header.marginLeft;
        lines[i].top -= header.marginTop;
    }
    header.marginLeft = header.marginTop = header.marginRight = header.marginBottom = 0;
    std::memcpy(block, &header, sizeof(header));
}

void AlignBlock(unsigned char* block, int width, int height, int verticalAlignment, bool horizontal, bool vertical)
{
    TextBlockHeader header;
    std::memcpy(&header, block, sizeof(header));
    auto* lines = reinterpret_cast<TextLine*>(block + TextBlockLinesOffset());
    const auto* formats = reinterpret_cast<const TextFormat*>(block + TextBlockFormatsOffset(header));
    const auto* paragraphs = reinterpret_cast<const TextParagraph*>(block + TextBlockParagraphsOffset(header));
    if (horizontal)
        AlignTenLines(lines, formats, paragraphs, header.lineCount, header.formatCount, header.paragraphCount, 0, width);
    if (vertical && verticalAlignment != 0)
        PlaceTenLinesVertically(lines, header.lineCount, verticalAlignment, 0, height);
}

} // namespace

HWND MakeHiddenTextEditor(DrawingRecord* drawing, const DrawingObject* object, const RECT& margins, int minimumWidth,
                          int minimumHeight, HGLOBAL fontTable)
{
    HWND view = ViewOf(drawing);
    HGLOBAL viewHandle = view ? GetViewRecordHandle(view) : nullptr;
    auto* record = viewHandle ? static_cast<ViewRecord*>(GlobalLock(viewHandle)) : nullptr;
    if (!record)
        return nullptr;
    TenCreateParams p = {};
    p.fontList = GetViewFontList(record);
    p.fontTable = fontTable ? fontTable : GetViewFontTable(record);
    p.minimumHeight = minimumHeight;
    p.minimumWidth = minimumWidth;
    p.heightStep = 36;
    p.margins = margins;
    p.size = 12;
    p.color = drawing->style.textColor;
    p.backgroundColor = drawing->style.backgroundColor == CLR_INVALID ? RGB(255, 255, 255)
                                                                     : drawing->style.backgroundColor;
    p.alignment = object->textAlignment;
    p.editorRole = 1;
    p.creationFlags = 2 | kTenCreateQuiet;
    p.measuringDC = GetViewMeasuringDC(record);
    p.labelReference = -1;
    p.unitsPerInch = 600;
    p.verticalAlignment = object->textPlacement;
    p.palette = reinterpret_cast<HPALETTE>(static_cast<INT_PTR>(record->palette));
    p.effect = ObjectTextEffect(drawing, object);
    std::memcpy(p.textInsets, object->textInsetFractions, sizeof(p.textInsets));
    GlobalUnlock(viewHandle);
    if (!p.fontList || !p.fontTable || !p.measuringDC)
        return nullptr;
    if (KeptEditor && GetParent(KeptEditor) == view) {
        if (ResetTenState(KeptEditor, &p) == kErrNone)
            return KeptEditor;
        DestroyWindow(KeptEditor);
        KeptEditor = nullptr;
    }
    HWND editor = CreateWindowExA(0, kTenClassName, nullptr, WS_CHILD, 0, 0, 8, 8, view, nullptr,
                                  GetModuleHandleA(nullptr), &p);
    if (editor && !TenStateHandle(editor)) {
        DestroyWindow(editor);
        return nullptr;
    }
    if (editor && OpenBatches > 0) {
        if (KeptEditor)
            DestroyWindow(KeptEditor);
        KeptEditor = editor;
    }
    return editor;
}

void ReleaseHiddenTextEditor(HWND editor)
{
    if (editor && editor != KeptEditor)
        DestroyWindow(editor);
}

TextLayoutBatch::TextLayoutBatch()
{
    ++OpenBatches;
}

TextLayoutBatch::~TextLayoutBatch()
{
    if (--OpenBatches > 0 || !KeptEditor)
        return;
    DestroyWindow(KeptEditor);
    KeptEditor = nullptr;
}

ErrorCode ReflowObjectText(void* drawingArg, DrawingObject* object, int mode, void* fontTable)
{
    auto* drawing = static_cast<DrawingRecord*>(drawingArg);
    object->textFrame = object->inner;
    ComputeTextFrame(object);
    if (!drawing || object->textRecordId < 0 || object->textRecordId > 32767)
        return kErrNone;
    const Anchors anchors = AnchorsFor(object, mode);
    const int sizing = object->textBoxWord;
    const bool fitsText = sizing == 1 || sizing == 2;
    RECT box = fitsText ? object->textFrame : object->frame;
    RECT margins = {0, 0, 0, 0};
    int minimumWidth = 30;
    int minimumHeight = 0;
    if (!fitsText) {
        margins = RECT{object->textFrame.left - box.left, object->textFrame.top - box.top,
                       box.right - object->textFrame.right, box.bottom - object->textFrame.bottom};
        minimumWidth = object->width;
        minimumHeight = object->height;
    }
    RecordHandle record = nullptr;
    if (FindRecord(drawing->storeSlot, kTextGroup, static_cast<short>(object->textRecordId), &record) != kErrNone)
        return kErrNone;
    DWORD recordSize = QueryRecordSize(record);
    auto* bytes = static_cast<unsigned char*>(GlobalLock(record));
    if (!bytes || recordSize <= kTextRecordHeaderBytes ||
        !IsTextBlockSound(bytes + kTextRecordHeaderBytes, recordSize - kTextRecordHeaderBytes)) {
        if (bytes)
            GlobalUnlock(record);
        ReleaseRecord(record);
        return kErrNone;
    }
    TextBlockHeader stored;
    std::memcpy(&stored, bytes + kTextRecordHeaderBytes, sizeof(stored));
    GlobalUnlock(record);
    if (stored.textLength == 0) {
        ReleaseRecord(record);
        return kErrNone;
    }
    HWND editor = MakeHiddenTextEditor(drawing, object, margins, minimumWidth, minimumHeight,
                                       static_cast<HGLOBAL>(fontTable));
    if (!editor) {
        // Without a view to measure in, the frame alone is placed.
        ReleaseRecord(record);
        return kErrNone;
    }
    const ErrorCode marked = MarkRecordChanged(record);
    if (marked != kErrNone) {
        // Without its before-image the text stays as it is: undo could not bring it back.
        ReleaseHiddenTextEditor(editor);
        ReleaseRecord(record);
        return marked;
    }
    bytes = static_cast<unsigned char*>(GlobalLock(record));
    TextBlockHeader* header = reinterpret_cast<TextBlockHeader*>(bytes + kTextRecordHeaderBytes);
    if (sizing == 1)
        header->options &= ~static_cast<uint32_t>(kTenWordWrap);
    else
        header->options |= kTenWordWrap;
    int boxWidth = box.right - box.left;
    int boxHeight = box.bottom - box.top;
    if (sizing == 1) {
        boxWidth = object->rotation ? drawing->height : drawing->width;
        boxHeight = 32000;
    } else if (sizing == 2) {
        boxHeight = 32000;
    }
    SendMessageA(editor, TENM_SETBOXSIZE, 0, PackTenPair(boxWidth, boxHeight));
    ErrorCode code = static_cast<ErrorCode>(
        SendMessageA(editor, TENM_SETTEXTBLOCK, 0, reinterpret_cast<LPARAM>(bytes + kTextRecordHeaderBytes)));
    GlobalUnlock(record);
    HGLOBAL block = code == kErrNone ? LaidOutBlock(editor) : nullptr;
    if (!block)
        code = code != kErrNone ? code : kErrNoMemory;
    int widthChange = 0;
    int heightChange = 0;
    int textWidth = 0;
    int textHeight = 0;
    if (code == kErrNone) {
        auto* laid = static_cast<unsigned char*>(GlobalLock(block));
        TextBlockHeader h;
        std::memcpy(&h, laid, sizeof(h));
        textWidth = h.widestLine;
        textHeight = h.textHeight;
        // The smallest text frame: the object at its creation size.
        DrawingObject smallest = *object;
        smallest.frame = RECT{0, 0, object->width, object->height};
        DiscardError(RecalcShapeFrame(drawing, &smallest, 0), "without a reflow nothing can fail");
        ComputeTextFrame(&smallest);
        const int smallWidth = smallest.textFrame.right - smallest.textFrame.left;
        const int smallHeight = smallest.textFrame.bottom - smallest.textFrame.top;
        const int frameWidth = object->textFrame.right - object->textFrame.left;
        const int frameHeight = object->textFrame.bottom - object->textFrame.top;
        if (fitsText) {
            if (textWidth < smallWidth)
                textWidth = smallWidth;
            if (textHeight < smallHeight)
                textHeight = smallHeight;
            heightChange = textHeight - frameHeight;
            widthChange = sizing == 1 ? textWidth - frameWidth : 0;
            if (sizing == 2)
                textWidth = frameWidth;
            AlignBlock(laid, textWidth, textHeight, object->textPlacement, sizing == 1 && widthChange == 0,
                       heightChange == 0);
            if (sizing == 1 && (h.options & kTenWordWrap))
                object->textBoxWord = 2;
            GlobalUnlock(block);
        } else {
            GlobalUnlock(block);
            int32_t fitted[2] = {boxWidth, boxHeight};
            const int overflow = margins.top + margins.bottom + h.textHeight - boxHeight;
            code = FitTenBoxToText(editor, TenStateHandle(editor), overflow, fitted, 1);
            GlobalFree(block);
            block = code == kErrNone ? LaidOutBlock(editor) : nullptr;
            if (code == kErrNone && !block)
                code = kErrNoMemory;
            if (code == kErrNone) {
                laid = static_cast<unsigned char*>(GlobalLock(block));
                FoldMargins(laid, &margins);
                GlobalUnlock(block);
                textWidth = fitted[0];
                textHeight = fitted[1];
                widthChange = fitted[0] - boxWidth;
                heightChange = fitted[1] - boxHeight;
            }
        }
    }
    if (code == kErrNone && (widthChange != 0 || heightChange != 0)) {
        if (sizing == 0) {
            textWidth -= margins.left + margins.right;
            textHeight -= margins.top + margins.bottom;
        }
        RECT needed = {0, 0, textWidth, textHeight};
        needed = RECT{0, 0, textWidth + object->textMargins.left + object->textMargins.right,
                      textHeight + object->textMargins.top + object->textMargins.bottom};
        const int border = GetBorderInset(object);
        InflateRect(&needed, border, border);
        if (needed.right - needed.left > drawing->width || needed.bottom - needed.top > drawing->height) {
            code = kErrOutsideDrawing;
        } else {
            DrawingObject copy = *object;
            copy.frame = needed;
            ComputeShapeTextInsets(&copy, 1);
            needed.right += copy.textInsets.left + copy.textInsets.right;
            needed.bottom += copy.textInsets.top + copy.textInsets.bottom;
            const int dw = (needed.right - needed.left) - (object->frame.right - object->frame.left);
            const int dh = (needed.bottom - needed.top) - (object->frame.bottom - object->frame.top);
            const bool centre = object->rotation != 0;
            const RECT before = object->frame;
            Grow(&object->frame.left, &object->frame.right, dw, anchors.horizontal, centre);
            Grow(&object->frame.top, &object->frame.bottom, dh, anchors.vertical, centre);
            DiscardError(RecalcShapeFrame(drawing, object, 0), "without a reflow nothing can fail");
            // Whoever asked for the layout (a text command, a resize, opening a
            // file) ends with UpdateLinks, which takes the hooked lines along.
            if (!EqualRect(&before, &object->frame))
                MarkFrameChanged(drawing, object);
            object->textFrame = object->inner;
            ComputeTextFrame(object);
            auto* laid = static_cast<unsigned char*>(GlobalLock(block));
            AlignBlock(laid, object->textFrame.right - object->textFrame.left,
                       object->textFrame.bottom - object->textFrame.top, object->textPlacement, dw != 0, dh != 0);
            GlobalUnlock(block);
        }
    }
    if (code == kErrNone)
        code = MarkRecordChanged(record);
    if (code == kErrNone)
        code = StoreTextBlock(&record, block);
    ReleaseHiddenTextEditor(editor);
    if (block)
        GlobalFree(block);
    ReleaseRecord(record);
    return code;
}

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
#include "text/text_alignment.h"
#include "text/text_background.h"
#include "objects/text_block_store.h"
#include "objects/text_sizing.h"
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
    if (centre || anchor == kTextAlignCentre || anchor == kTextPlaceMiddle) {
        const int half = change / 2;
        *low -= half;
        *high += change - half;
    } else if (anchor == kTextAlignRight || anchor == kTextPlaceBottom) {
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

// Text record ids are 16-bit keys.
const int kLastTextRecordId = 32767;
// The narrowest box a text that fits its lines is laid out in.
const int kSmallestFittedWidth = 30;
// The height of a box whose text is not bounded below.
const int kUnboundedHeight = 32000;

// The box a text is laid out in, and the margins between it and the frame.
struct ReflowPlan {
    int sizing;
    bool fitsText;
    RECT margins;
    int minimumWidth;
    int minimumHeight;
    int boxWidth;
    int boxHeight;
};

ReflowPlan PlanReflow(const DrawingRecord* drawing, const DrawingObject* object)
{
    ReflowPlan plan = {};
    plan.sizing = object->textBoxWord;
    plan.fitsText = plan.sizing == kTextSizingFitsLines || plan.sizing == kTextSizingFitsHeight;
    const RECT box = plan.fitsText ? object->textFrame : object->frame;
    plan.minimumWidth = kSmallestFittedWidth;
    if (!plan.fitsText) {
        plan.margins = RECT{object->textFrame.left - box.left, object->textFrame.top - box.top,
                            box.right - object->textFrame.right, box.bottom - object->textFrame.bottom};
        plan.minimumWidth = object->width;
        plan.minimumHeight = object->height;
    }
    plan.boxWidth = box.right - box.left;
    plan.boxHeight = box.bottom - box.top;
    if (plan.sizing == kTextSizingFitsLines) {
        plan.boxWidth = object->rotation ? drawing->height : drawing->width;
        plan.boxHeight = kUnboundedHeight;
    } else if (plan.sizing == kTextSizingFitsHeight) {
        plan.boxHeight = kUnboundedHeight;
    }
    return plan;
}

// True when the record holds a sound text block with some text in it.
bool HoldsSoundText(RecordHandle record)
{
    const DWORD recordSize = QueryRecordSize(record);
    const auto* bytes = static_cast<const unsigned char*>(GlobalLock(record));
    if (!bytes)
        return false;
    bool holds = false;
    if (recordSize > kTextRecordHeaderBytes &&
        IsTextBlockSound(bytes + kTextRecordHeaderBytes, recordSize - kTextRecordHeaderBytes)) {
        TextBlockHeader stored;
        std::memcpy(&stored, bytes + kTextRecordHeaderBytes, sizeof(stored));
        holds = stored.textLength != 0;
    }
    GlobalUnlock(record);
    return holds;
}

// Lays the stored text out in the plan's box; the laid-out block in `block`.
ErrorCode LayOutStoredText(HWND editor, RecordHandle record, const ReflowPlan& plan, HGLOBAL* block)
{
    auto* bytes = static_cast<unsigned char*>(GlobalLock(record));
    if (!bytes)
        return kErrNoMemory;
    auto* header = reinterpret_cast<TextBlockHeader*>(bytes + kTextRecordHeaderBytes);
    if (plan.sizing == kTextSizingFitsLines)
        header->options &= ~static_cast<uint32_t>(kTenWordWrap);
    else
        header->options |= kTenWordWrap;
    SendMessageA(editor, TENM_SETBOXSIZE, 0, PackTenPair(plan.boxWidth, plan.boxHeight));
    const ErrorCode code = static_cast<ErrorCode>(
        SendMessageA(editor, TENM_SETTEXTBLOCK, 0, reinterpret_cast<LPARAM>(bytes + kTextRecordHeaderBytes)));
    GlobalUnlock(record);
    if (code != kErrNone)
        return code;
    *block = LaidOutBlock(editor);
    return *block ? kErrNone : kErrNoMemory;
}

// The text's size and how far the frame must grow for it.
struct TextSize {
    int width = 0;
    int height = 0;
    int widthChange = 0;
    int heightChange = 0;
};

// The smallest text frame: the object's at its creation size.
SIZE SmallestTextFrame(DrawingRecord* drawing, const DrawingObject* object)
{
    DrawingObject smallest = *object;
    smallest.frame = RECT{0, 0, object->width, object->height};
    DiscardError(RecalcShapeFrame(drawing, &smallest, 0), "without a reflow nothing can fail");
    ComputeTextFrame(&smallest);
    return SIZE{smallest.textFrame.right - smallest.textFrame.left, smallest.textFrame.bottom - smallest.textFrame.top};
}

// A text that sizes its frame: the frame takes the text's size, never less
// than the smallest frame.
ErrorCode MeasureFittedText(DrawingRecord* drawing, DrawingObject* object, const ReflowPlan& plan, HGLOBAL block,
                            TextSize* size)
{
    auto* laid = static_cast<unsigned char*>(GlobalLock(block));
    if (!laid)
        return kErrNoMemory;
    TextBlockHeader h;
    std::memcpy(&h, laid, sizeof(h));
    const SIZE smallest = SmallestTextFrame(drawing, object);
    const int frameWidth = object->textFrame.right - object->textFrame.left;
    const int frameHeight = object->textFrame.bottom - object->textFrame.top;
    size->width = h.widestLine > smallest.cx ? h.widestLine : smallest.cx;
    size->height = h.textHeight > smallest.cy ? h.textHeight : smallest.cy;
    size->heightChange = size->height - frameHeight;
    size->widthChange = plan.sizing == kTextSizingFitsLines ? size->width - frameWidth : 0;
    if (plan.sizing == kTextSizingFitsHeight)
        size->width = frameWidth;
    AlignBlock(laid, size->width, size->height, object->textPlacement,
               plan.sizing == kTextSizingFitsLines && size->widthChange == 0, size->heightChange == 0);
    // Lines that had to wrap after all make the text one that wraps.
    if (plan.sizing == kTextSizingFitsLines && (h.options & kTenWordWrap))
        object->textBoxWord = kTextSizingFitsHeight;
    GlobalUnlock(block);
    return kErrNone;
}

// A text inside a fixed frame: the box grows to hold it; the block is laid
// out again in the grown box.
ErrorCode FitBoxAroundText(HWND editor, ReflowPlan& plan, HGLOBAL* block, TextSize* size)
{
    TextBlockHeader h;
    const auto* laid = static_cast<const unsigned char*>(GlobalLock(*block));
    if (!laid)
        return kErrNoMemory;
    std::memcpy(&h, laid, sizeof(h));
    GlobalUnlock(*block);
    int32_t fitted[2] = {plan.boxWidth, plan.boxHeight};
    const int overflow = plan.margins.top + plan.margins.bottom + h.textHeight - plan.boxHeight;
    ErrorCode code = FitTenBoxToText(editor, TenStateHandle(editor), overflow, fitted, 1);
    GlobalFree(*block);
    *block = nullptr;
    if (code != kErrNone)
        return code;
    *block = LaidOutBlock(editor);
    if (!*block)
        return kErrNoMemory;
    auto* refitted = static_cast<unsigned char*>(GlobalLock(*block));
    if (!refitted)
        return kErrNoMemory;
    FoldMargins(refitted, &plan.margins);
    GlobalUnlock(*block);
    size->width = fitted[0];
    size->height = fitted[1];
    if (plan.sizing == kTextSizingInFrame) {
        size->width -= plan.margins.left + plan.margins.right;
        size->height -= plan.margins.top + plan.margins.bottom;
    }
    size->widthChange = fitted[0] - plan.boxWidth;
    size->heightChange = fitted[1] - plan.boxHeight;
    return kErrNone;
}

// The frame that holds a text of `size`: its margins, border and the
// shape's insets around it.
RECT FrameAroundText(const DrawingObject* object, const TextSize& size)
{
    RECT needed = {0, 0, size.width + object->textMargins.left + object->textMargins.right,
                   size.height + object->textMargins.top + object->textMargins.bottom};
    const int border = GetBorderInset(object);
    InflateRect(&needed, border, border);
    return needed;
}

// The frame grows (or shrinks) to the text, keeping its anchored sides;
// the text is aligned again in the new frame.
ErrorCode GrowFrameToText(DrawingRecord* drawing, DrawingObject* object, Anchors anchors, const TextSize& size,
                          HGLOBAL block)
{
    RECT needed = FrameAroundText(object, size);
    if (needed.right - needed.left > drawing->width || needed.bottom - needed.top > drawing->height)
        return kErrOutsideDrawing;
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
    if (!laid)
        return kErrNoMemory;
    AlignBlock(laid, object->textFrame.right - object->textFrame.left, object->textFrame.bottom - object->textFrame.top,
               object->textPlacement, dw != 0, dh != 0);
    GlobalUnlock(block);
    return kErrNone;
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
    if (!drawing || object->textRecordId < 0 || object->textRecordId > kLastTextRecordId)
        return kErrNone;
    ReflowPlan plan = PlanReflow(drawing, object);
    RecordHandle record = nullptr;
    if (FindRecord(drawing->storeSlot, kTextGroup, static_cast<short>(object->textRecordId), &record) != kErrNone)
        return kErrNone;
    if (!HoldsSoundText(record)) {
        ReleaseRecord(record);
        return kErrNone;
    }
    HWND editor = MakeHiddenTextEditor(drawing, object, plan.margins, plan.minimumWidth, plan.minimumHeight,
                                       static_cast<HGLOBAL>(fontTable));
    if (!editor) {
        // Without a view to measure in, the frame alone is placed.
        ReleaseRecord(record);
        return kErrNone;
    }
    HGLOBAL block = nullptr;
    // Without its before-image the text stays as it is: undo could not bring it back.
    ErrorCode code = MarkRecordChanged(record);
    if (code == kErrNone)
        code = LayOutStoredText(editor, record, plan, &block);
    TextSize size;
    if (code == kErrNone)
        code = plan.fitsText ? MeasureFittedText(drawing, object, plan, block, &size)
                             : FitBoxAroundText(editor, plan, &block, &size);
    if (code == kErrNone && (size.widthChange != 0 || size.heightChange != 0))
        code = GrowFrameToText(drawing, object, AnchorsFor(object, mode), size, block);
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

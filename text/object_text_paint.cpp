#include "text/object_text_paint.h"

#include <cstring>

#include "common/display_flags.h"
#include "common/handle_words.h"
#include "objects/view_record.h"
#include "objects/drawing_layout.h"
#include "store/record_store.h"
#include "text/document_fonts.h"
#include "objects/text_block.h"
#include "objects/text_block_store.h"
#include "text/text_paint.h"
#include "objects/view_record_word.h"

namespace {

struct BlockParts {
    TextBlockHeader header;
    TextLinesView view;
};

bool ReadParts(unsigned char* block, SIZE_T size, BlockParts* parts)
{
    if (!IsTextBlockSound(block, size))
        return false;
    std::memcpy(&parts->header, block, sizeof(parts->header));
    const TextBlockHeader& h = parts->header;
    TextLinesView& v = parts->view;
    v.lines = reinterpret_cast<const TextLine*>(block + TextBlockLinesOffset());
    v.lineCount = h.lineCount;
    v.formats = reinterpret_cast<TextFormat*>(block + TextBlockFormatsOffset(h));
    v.formatCount = h.formatCount;
    v.paragraphs = reinterpret_cast<const TextParagraph*>(block + TextBlockParagraphsOffset(h));
    v.paragraphCount = h.paragraphCount;
    v.runs = reinterpret_cast<const TextRun*>(block + TextBlockRunsOffset(h));
    v.runCount = h.runCount;
    v.text = reinterpret_cast<const char*>(block + TextBlockTextOffset(h));
    v.textLength = h.textLength;
    return true;
}

// Rotated text gets fonts of its own at the object's escapement.
void MakeRotatedFonts(TextLinesView& v, HDC dc, HGLOBAL fontList, HGLOBAL fontTable, int rotation)
{
    for (int i = 0; i < v.formatCount; ++i) {
        TextFormat& f = v.formats[i];
        int size = f.script != 0 ? f.size * 3 / 4 : f.size;
        if (size < 4)
            size = 4;
        HFONT font = CreateTurnedDocumentFont(dc, fontList, fontTable, f.face, size, f.style, rotation, 0, 600);
        f.font = HandleToWord(font);
        f.rotation = rotation;
    }
}

void DropRotatedFonts(TextLinesView& v, HDC dc, HDC measuringDC)
{
    SelectObject(dc, GetStockObject(ANSI_VAR_FONT));
    if (measuringDC)
        SelectObject(measuringDC, GetStockObject(ANSI_VAR_FONT));
    for (int i = 0; i < v.formatCount; ++i) {
        TextFormat& f = v.formats[i];
        if (f.font)
            DeleteObject(WordToHandle<HFONT>(f.font));
        f.font = 0;
        f.rotation = 0;
    }
}

} // namespace

void DrawObjectText(HDC dc, int message, void* drawingArg, void* table, int index, INT_PTR a, INT_PTR b, INT_PTR)
{
    auto* drawing = static_cast<DrawingRecord*>(drawingArg);
    if (!dc || !drawing || !table || index < 0)
        return;
    const DrawingObject* object = ObjectAt(table, index);
    if (object->textRecordId < 0 || object->textRecordId > 32767)
        return;
    HWND view = WordToHandle<HWND>(static_cast<int32_t>(drawing->viewWindow));
    HGLOBAL viewHandle = view ? GetViewRecordHandle(view) : nullptr;
    auto* viewRecord = viewHandle ? static_cast<ViewRecord*>(GlobalLock(viewHandle)) : nullptr;
    if (!viewRecord)
        return;
    const bool printing = a != 0;
    HDC measuringDC = GetViewMeasuringDC(viewRecord);
    if (printing && !RenderingMetafile)
        measuringDC = dc;
    TextPaintOptions options = {};
    options.measuringDC = measuringDC;
    options.fit = (!printing && !RenderingMetafile && viewRecord->zoom == 0) ? 0 : 1;
    options.fontList = GetViewFontList(viewRecord);
    options.fontTable = GetViewFontTable(viewRecord);
    options.printWithoutColor = PrintWithoutColor;
    options.unitsPerInch = 600;
    GlobalUnlock(viewHandle);

    RecordHandle record = nullptr;
    if (FindRecord(drawing->storeSlot, kTextGroup, static_cast<short>(object->textRecordId), &record) != kErrNone)
        return;
    const DWORD size = QueryRecordSize(record);
    auto* bytes = static_cast<unsigned char*>(GlobalLock(record));
    BlockParts parts = {};
    if (!bytes || size <= kTextRecordHeaderBytes ||
        !ReadParts(bytes + kTextRecordHeaderBytes, size - kTextRecordHeaderBytes, &parts)) {
        if (bytes)
            GlobalUnlock(record);
        ReleaseRecord(record);
        return;
    }
    RECT frame = object->textFrame;
    COLORREF shadowColor = 0;
    if ((message == 31 || message == 32) && b) {
        const int32_t* shadow = reinterpret_cast<const int32_t*>(b);
        OffsetRect(&frame, shadow[0], shadow[1]);
        shadowColor = static_cast<COLORREF>(shadow[2]);
        options.colorOverride = &shadowColor;
    }
    const bool rotated = object->rotation != 0;
    if (rotated) {
        options.rotate = 1;
        options.rotationRect = &object->frame;
        options.xOffset = frame.left;
        options.yOffset = frame.top;
        MakeRotatedFonts(parts.view, measuringDC ? measuringDC : dc, options.fontList, options.fontTable,
                         object->rotation);
    } else {
        OffsetWindowOrgEx(dc, -frame.left, -frame.top, nullptr);
    }
    const int saved = SaveDC(dc);
    SetTextAlign(dc, TA_BASELINE);
    SetBkMode(dc, TRANSPARENT);
    if (parts.header.textLength > 0) {
        if (parts.header.effect.kind == 0 || options.colorOverride)
            DrawTextLines(dc, parts.view, 0, parts.view.lineCount, options);
        else
            DrawTextLinesWithEffect(dc, parts.view, 0, parts.view.lineCount, options, parts.header.effect);
    }
    RestoreDC(dc, saved);
    if (rotated) {
        DropRotatedFonts(parts.view, dc, measuringDC);
        DiscardError(SetRecordDirty(record), "the record was found just now: its handle is good");
    } else {
        // Moved back by the same offset: a metafile's DC cannot tell its origin,
        // so restoring a remembered one would lose the picture's.
        OffsetWindowOrgEx(dc, frame.left, frame.top, nullptr);
    }
    GlobalUnlock(record);
    ReleaseRecord(record);
}

#include "text/object_text_messages.h"

#include <cstring>

#include "common/flag_helpers.h"
#include "objects/view_record.h"
#include "objects/drawing_layout.h"
#include "objects/kind_messages.h"
#include "objects/link_table.h"
#include "objects/object_links.h"
#include "objects/object_offset.h"
#include "store/record_store.h"
#include "text/font_list.h"
#include "text/format_records.h"
#include "text/object_text_helpers.h"
#include "text/object_text_layout.h"
#include "objects/text_block_store.h"
#include "objects/view_record_word.h"

namespace {

int Clamp(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

void SetStyleBits(TextFormat* f, const TextAttributeRequest& r)
{
    if (r.setStyle == 0)
        f->style = 0;
    f->style |= r.setStyle;
}

void ClearStyleBits(TextFormat* f, const TextAttributeRequest& r, int resetOnSetMask)
{
    if ((resetOnSetMask ? r.setStyle : r.clearStyle) == 0)
        f->style = 0;
    f->style &= ~r.clearStyle;
}

// Changes every format of the stored block for the message.
void ApplyToFormats(TextFormat* formats, int count, int message, const TextAttributeRequest& r)
{
    for (int i = 0; i < count; ++i) {
        TextFormat* f = &formats[i];
        switch (message) {
        case kMsgTextTypeface:
            if ((r.changeMask & 4) && !(f->flags & kFormatEnteredAsSymbol))
                f->face = r.face;
            if (r.changeMask & 8)
                f->size = f->requestedSize = r.size;
            if (r.changeMask & 0x10)
                SetStyleBits(f, r);
            if (r.changeMask & 0x20)
                ClearStyleBits(f, r, 1);
            break;
        case kMsgTextSize:
            f->size = f->requestedSize = r.size;
            break;
        case kMsgTextSetStyle:
            SetStyleBits(f, r);
            break;
        case kMsgTextClearStyle:
            ClearStyleBits(f, r, 0);
            break;
        case kMsgTextColor:
            f->color = r.color;
            break;
        case kMsgTextSizeUp:
            f->size = f->requestedSize = Clamp(f->size + FontSizeStep(f->size, 0), 4, 144);
            break;
        case kMsgTextSizeDown:
            f->size = f->requestedSize = Clamp(f->size - FontSizeStep(f->size, 1), 4, 144);
            break;
        default:
            break;
        }
        f->font = 0;
    }
}

void ApplyToDefaults(DrawingRecord* drawing, void* viewRecord, int message, const TextAttributeRequest& r)
{
    switch (message) {
    case kMsgTextTypeface:
        if ((r.changeMask & 4) && viewRecord) {
            auto* view = static_cast<ViewRecord*>(viewRecord);
            GetFontTableLogFont(GetViewFontList(view), GetViewFontTable(view), r.face, &drawing->textFont);
        }
        if (r.changeMask & 8)
            drawing->textSize = r.size;
        if (r.changeMask & 0x10)
            SetFlagBits(&drawing->textStyle, static_cast<uint32_t>(r.setStyle), 1);
        if (r.changeMask & 0x20)
            SetFlagBits(&drawing->textStyle, static_cast<uint32_t>(r.clearStyle), 0);
        break;
    case kMsgTextSize:
        drawing->textSize = r.size;
        break;
    case kMsgTextSetStyle:
        SetFlagBits(&drawing->textStyle, static_cast<uint32_t>(r.setStyle), 1);
        break;
    case kMsgTextClearStyle:
        SetFlagBits(&drawing->textStyle, static_cast<uint32_t>(r.clearStyle), 0);
        break;
    case kMsgTextColor:
        drawing->style.textColor = r.color;
        break;
    case kMsgTextAlignment:
        drawing->textAlignment = r.alignment;
        drawing->textPlacement = r.verticalAlignment;
        break;
    default:
        break;
    }
}

// A guest on a line moves along the line to its new anchor.
void Reanchor(DrawingRecord* drawing, void* table, int holder, const TextAttributeRequest& r)
{
    const int host = FindHostObject(table, holder, 0);
    if (host < 0 || !(ObjectAt(table, host)->textRoleFlags & kTextAlongLine))
        return;
    int code = 0;
    int point = 0;
    AnchorCode(r.alignment, r.verticalAlignment, &code, &point);
    if (ConnectSlot(drawing, holder, 0, host, code, point, point) == kErrNone) {
        DrawingObject* hostObject = ObjectAt(table, host);
        hostObject->textAlignment = r.alignment;
        hostObject->textPlacement = r.verticalAlignment;
    }
}

// Applies the message to the block inside the record.
void ApplyToBlock(unsigned char* block, DWORD size, int message, const TextAttributeRequest& r)
{
    if (!IsTextBlockSound(block, size))
        return;
    TextBlockHeader header;
    std::memcpy(&header, block, sizeof(header));
    auto* formats = reinterpret_cast<TextFormat*>(block + TextBlockFormatsOffset(header));
    auto* paragraphs = reinterpret_cast<TextParagraph*>(block + TextBlockParagraphsOffset(header));
    switch (message) {
    case kMsgTextAlignment:
        for (int i = 0; i < header.paragraphCount; ++i)
            paragraphs[i].alignment = r.alignment;
        break;
    case kMsgTextOption:
        SetFlagBits(&header.options, kTenWordWrap, r.wordWrap);
        std::memcpy(block, &header, sizeof(header));
        break;
    case kMsgTextFrame:
        for (int i = 0; i < header.paragraphCount; ++i) {
            paragraphs[i].bullet = r.alignment;
            paragraphs[i].leftIndent = header.formatCount > 0 ? formats[0].ascent : 0;
        }
        break;
    default:
        if (header.textLength > 0)
            ApplyToFormats(formats, header.formatCount, message, r);
        break;
    }
}

} // namespace

ErrorCode ApplyObjectTextMessage(void* drawingArg, void* table, int index, int message, INT_PTR, INT_PTR c)
{
    auto* drawing = static_cast<DrawingRecord*>(drawingArg);
    if (!drawing || !table || !c)
        return kErrNone;
    const TextAttributeRequest& r = *reinterpret_cast<const TextAttributeRequest*>(c);
    const int holder = FindTextHolder(table, index);
    if (holder < 0)
        return kErrNone;
    HWND view = reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<int32_t>(drawing->viewWindow)));
    HGLOBAL viewHandle = view ? GetViewRecordHandle(view) : nullptr;
    void* viewRecord = viewHandle ? GlobalLock(viewHandle) : nullptr;
    ApplyToDefaults(drawing, viewRecord, message, r);
    ErrorCode code = kErrNone;
    DrawingObject* object = ObjectAt(table, holder);
    if (message == kMsgTextAlignment) {
        object->textAlignment = r.alignment;
        object->textPlacement = r.verticalAlignment;
        Reanchor(drawing, table, holder, r);
        object = ObjectAt(table, holder);
    }
    if (object->textRecordId >= 0 && object->textRecordId <= 32767) {
        RecordHandle record = nullptr;
        code = FindRecord(drawing->storeSlot, kTextGroup, static_cast<short>(object->textRecordId), &record);
        if (code == kErrNone) {
            // Without its before-image the text stays as it is: undo could not bring it back.
            code = MarkRecordChanged(record);
            const DWORD size = QueryRecordSize(record);
            auto* bytes = code == kErrNone ? static_cast<unsigned char*>(GlobalLock(record)) : nullptr;
            if (bytes && size > kTextRecordHeaderBytes)
                ApplyToBlock(bytes + kTextRecordHeaderBytes, size - kTextRecordHeaderBytes, message, r);
            if (bytes)
                GlobalUnlock(record);
            if (code == kErrNone)
                code = SetRecordDirty(record);
            ReleaseRecord(record);
        }
        if (code == kErrNone)
            code = ReflowObjectText(drawing, ObjectAt(table, holder), 0, nullptr);
        if (code == kErrNone && viewRecord)
            code = KeepObjectInsideDrawing(viewRecord, drawing, table, holder);
    }
    if (viewRecord)
        GlobalUnlock(viewHandle);
    return code;
}

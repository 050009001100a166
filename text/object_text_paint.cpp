#include "text/object_text_paint.h"

#include <cstring>
#include <string>

#include "objects/drawing_layout.h"
#include "store/record_store.h"
#include "text/text_block.h"

namespace {

const int kRecordHeaderBytes = 16;

// The characters of a sound text block as lines for DrawText.
bool ReadText(const unsigned char* block, SIZE_T size, std::string* text, TextFormat* firstFormat)
{
    if (!IsTextBlockSound(block, size))
        return false;
    TextBlockHeader header;
    std::memcpy(&header, block, sizeof(header));
    if (header.textLength <= 0)
        return false;
    if (header.formatCount > 0)
        std::memcpy(firstFormat, block + TextBlockFormatsOffset(header), sizeof(TextFormat));
    const char* characters = reinterpret_cast<const char*>(block + TextBlockTextOffset(header));
    text->clear();
    for (int i = 0; i < header.textLength; ++i) {
        char ch = characters[i];
        if (ch == kParagraphEnd)
            text->push_back('\n');
        else if (ch == kHardSpace)
            text->push_back(' ');
        else if (ch != kSoftHyphen)
            text->push_back(ch);
    }
    return true;
}

} // namespace

// The text engine's line painters take this over; until then the text is
// drawn in the first format's size, style and colour with the object's
// alignment codes.
void DrawObjectText(HDC dc, int message, void* drawingArg, void* table, int index, INT_PTR, INT_PTR b, INT_PTR)
{
    auto* drawing = static_cast<DrawingRecord*>(drawingArg);
    if (!drawing || !table || index < 0)
        return;
    const DrawingObject* object = ObjectAt(table, index);
    if (object->textRecordId < 0 || object->textRecordId > 32767 || object->rotation != 0)
        return;
    RecordHandle record = nullptr;
    if (FindRecord(drawing->storeSlot, kTextGroup, static_cast<short>(object->textRecordId), &record) != 0)
        return;
    std::string text;
    TextFormat format = {};
    format.size = 10;
    DWORD size = QueryRecordSize(record);
    bool found = false;
    if (auto* bytes = static_cast<const unsigned char*>(GlobalLock(record))) {
        if (size > kRecordHeaderBytes)
            found = ReadText(bytes + kRecordHeaderBytes, size - kRecordHeaderBytes, &text, &format);
        GlobalUnlock(record);
    }
    ReleaseRecord(record);
    if (!found)
        return;

    RECT frame = object->textFrame;
    COLORREF color = format.color & 0x00FFFFFF;
    if ((message == 31 || message == 32) && b) {
        const int32_t* shadow = reinterpret_cast<const int32_t*>(b);
        OffsetRect(&frame, shadow[0], shadow[1]);
        color = static_cast<COLORREF>(shadow[2]) & 0x00FFFFFF;
    }
    int points = format.size > 0 ? format.size : 10;
    const DWORD italic = (format.style & kTextItalic) ? TRUE : FALSE;
    const DWORD underline = (format.style & kTextUnderline) ? TRUE : FALSE;
    HFONT font = CreateFontA(-points * 600 / 72, 0, 0, 0, (format.style & kTextBold) ? FW_BOLD : FW_NORMAL, italic,
                             underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             VARIABLE_PITCH | FF_SWISS, "Arial");
    int saved = SaveDC(dc);
    if (font)
        SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color);
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    UINT align = object->textAlignment == 2 ? DT_RIGHT : (object->textAlignment == 6 ? DT_CENTER : DT_LEFT);
    RECT measured = frame;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &measured, align | DT_WORDBREAK | DT_CALCRECT);
    LONG height = measured.bottom - measured.top;
    if (object->textPlacement == 6)
        frame.top += (frame.bottom - frame.top - height) / 2;
    else if (object->textPlacement == 8)
        frame.top = frame.bottom - height;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &frame, align | DT_WORDBREAK | DT_NOCLIP);
    RestoreDC(dc, saved);
    if (font)
        DeleteObject(font);
}

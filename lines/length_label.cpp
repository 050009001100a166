#include "lines/length_label.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

#include "common/io_seam.h"
#include "common/string_helpers.h"
#include "lines/connector_text.h"
#include "lines/line_geometry.h"
#include "objects/drawing_edits.h"
#include "store/record_store.h"
#include "text/object_text_layout.h"
#include "objects/text_block.h"
#include "objects/text_block_store.h"
#include "objects/view_record_word.h"

namespace {

const int kLabelAlignment = 6;   // centred

const int kUnitStringBase = 620;
const int kFeetUnit = 2;
const int kLastLengthUnit = 5;
const int kRulerInchFlag = 4;
const int kRulerUnitsPerMajor = 8;
const int kRulerLabelPerMajor = 20;
const int kRulerLengthUnit = 28;

std::string LoadUnit(int id)
{
    char buffer[kStringBufferSize] = {};
    if (LoadStr(id, buffer) != kErrNone)
        return std::string();
    return buffer;
}

bool IsRunChar(char c, char mark)
{
    return std::isdigit(static_cast<unsigned char>(c)) || c == '.' || (mark != 0 && c == mark);
}

// The text of a stored block and the format that covers each removed or
// inserted range, rebuilt as one new block.
HGLOBAL ReplaceBlockText(const void* block, SIZE_T size, int start, int end, const std::string& insert)
{
    const auto* h = static_cast<const TextBlockHeader*>(block);
    if (!IsTextBlockSound(block, size))
        return nullptr;
    const auto* bytes = static_cast<const unsigned char*>(block);
    std::vector<TextFormat> formats(static_cast<const TextFormat*>(static_cast<const void*>(
                                        bytes + TextBlockFormatsOffset(*h))),
                                    static_cast<const TextFormat*>(static_cast<const void*>(
                                        bytes + TextBlockFormatsOffset(*h))) + h->formatCount);
    std::string text(reinterpret_cast<const char*>(bytes + TextBlockTextOffset(*h)),
                     static_cast<size_t>(h->textLength));
    int removed = end - start;
    int added = static_cast<int>(insert.size());
    // The replacement takes the format of the first replaced character.
    int owner = -1;
    for (size_t i = 0; i < formats.size(); ++i) {
        int fs = formats[i].start;
        int fe = fs + formats[i].length;
        if (start >= fs && (start < fe || (owner < 0 && start == fe)))
            owner = static_cast<int>(i);
    }
    if (owner < 0 && !formats.empty())
        owner = 0;
    for (TextFormat& f : formats) {
        int fs = f.start;
        int fe = fs + f.length;
        int cutStart = fs > start ? fs : start;
        int cutEnd = fe < end ? fe : end;
        int cut = cutEnd > cutStart ? cutEnd - cutStart : 0;
        f.length -= cut;
        if (fs > start)
            f.start = fs >= end ? fs - removed : start;
    }
    if (owner >= 0)
        formats[static_cast<size_t>(owner)].length += added;
    for (size_t i = 0; i < formats.size(); ++i) {
        if (static_cast<int>(i) != owner && formats[i].start >= start && static_cast<int>(i) > owner)
            formats[i].start += added;
    }
    text.replace(static_cast<size_t>(start), static_cast<size_t>(removed), insert);
    if (text.size() > static_cast<size_t>(kMaxTextBytes))
        return nullptr;

    TextBlockHeader out = *h;
    out.lineCount = 0;      // laid out again by the text engine
    out.runCount = 0;
    out.textLength = static_cast<int32_t>(text.size());
    out.options |= kTenModified;
    DWORD paragraphBytes = sizeof(TextParagraph) * static_cast<DWORD>(h->paragraphCount);
    uint64_t total = TextBlockSize(out.formatCount, 0, out.paragraphCount, 0, out.textLength);
    if (total == 0)
        return nullptr;
    HGLOBAL result = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(total));
    if (!result)
        return nullptr;
    auto* target = static_cast<unsigned char*>(GlobalLock(result));
    std::memcpy(target, &out, sizeof(out));
    std::memcpy(target + TextBlockFormatsOffset(out), formats.data(), sizeof(TextFormat) * formats.size());
    std::memcpy(target + TextBlockParagraphsOffset(out), bytes + TextBlockParagraphsOffset(*h), paragraphBytes);
    std::memcpy(target + TextBlockTextOffset(out), text.data(), text.size());
    GlobalUnlock(result);
    return result;
}

ErrorCode WriteLabel(DrawingRecord* drawing, DrawingObject* object, const std::string& number,
                     const std::string& unit, char mark, const std::string& oldUnit)
{
    int store = drawing->storeSlot;
    RecordHandle record = nullptr;
    ErrorCode code;
    HGLOBAL block = nullptr;
    if (object->textRecordId >= 0) {
        code = FindRecord(store, kTextGroup, static_cast<short>(object->textRecordId), &record);
        if (code != kErrNone)
            return code;
        DWORD size = QueryRecordSize(record);
        const auto* bytes = static_cast<const unsigned char*>(GlobalLock(record));
        if (size > 16) {
            const auto* h = reinterpret_cast<const TextBlockHeader*>(bytes + 16);
            std::string text;
            if (IsTextBlockSound(h, size - 16))
                text.assign(reinterpret_cast<const char*>(bytes + 16 + TextBlockTextOffset(*h)),
                            static_cast<size_t>(h->textLength));
            std::string replaced = ReplaceLengthInText(text, number, unit, mark, oldUnit);
            // The changed range: the common head and tail stay.
            size_t head = 0;
            while (head < text.size() && head < replaced.size() && text[head] == replaced[head])
                ++head;
            size_t tail = 0;
            while (tail < text.size() - head && tail < replaced.size() - head &&
                   text[text.size() - 1 - tail] == replaced[replaced.size() - 1 - tail])
                ++tail;
            block = ReplaceBlockText(h, size - 16, static_cast<int>(head), static_cast<int>(text.size() - tail),
                                     replaced.substr(head, replaced.size() - head - tail));
        }
        GlobalUnlock(record);
        if (!block) {
            ReleaseRecord(record);
            return kErrNoMemory;
        }
        code = MarkRecordChanged(record);
    } else {
        short id = 0;
        code = FindFreeId(store, kTextGroup, &id);
        if (code == kErrNone)
            code = CreateRecord(store, kTextGroup, id, 16 + static_cast<DWORD>(kTextBlockHeaderSize), &record);
        if (code != kErrNone)
            return code;
        object->textRecordId = id;
        block = NewPlainTextBlock(drawing, number + unit, kLabelAlignment);
        if (!block)
            code = kErrNoMemory;
    }
    if (code == kErrNone) {
        SIZE_T blockSize = GlobalSize(block);
        if (16 + blockSize > kMaxTextRecordBytes)
            code = kErrNotDone;
        if (code == kErrNone)
            code = ResizeRecord(&record, static_cast<DWORD>(16 + blockSize));
        if (code == kErrNone) {
            auto* target = static_cast<unsigned char*>(GlobalLock(record));
            auto* source = static_cast<unsigned char*>(GlobalLock(block));
            std::memcpy(target + 16, source, blockSize);
            GlobalUnlock(block);
            GlobalUnlock(record);
            code = SetRecordDirty(record);
        }
    }
    if (block)
        GlobalFree(block);
    ReleaseRecord(record);
    if (code == kErrNone)
        code = ReflowObjectText(drawing, object, 0, nullptr);
    return code;
}

} // namespace

HGLOBAL NewPlainTextBlock(const DrawingRecord* drawing, const std::string& text, int alignment)
{
    TextBlockHeader h = {};
    h.formatCount = 1;
    h.paragraphCount = 1;
    h.textLength = static_cast<int32_t>(text.size());
    h.ownerObjectIndex = -1;
    uint64_t total = TextBlockSize(1, 0, 1, 0, h.textLength);
    HGLOBAL block = total ? SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(total)) : nullptr;
    if (!block)
        return nullptr;
    auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
    std::memcpy(bytes, &h, sizeof(h));
    TextFormat format = {};
    format.size = drawing->textSize > 0 ? drawing->textSize : 10;
    format.requestedSize = format.size;
    format.style = static_cast<int32_t>(drawing->textStyle);
    format.color = drawing->style.textColor;
    format.length = h.textLength;
    std::memcpy(bytes + TextBlockFormatsOffset(h), &format, sizeof(format));
    TextParagraph paragraph = NewTextParagraph(alignment, 600);
    std::memcpy(bytes + TextBlockParagraphsOffset(h), &paragraph, sizeof(paragraph));
    std::memcpy(bytes + TextBlockTextOffset(h), text.data(), text.size());
    GlobalUnlock(block);
    return block;
}


RulerScaleView ReadRulerScale(const DrawingRecord* drawing)
{
    RulerScaleView scale = {1, 100.0, 1.0, 1};
    if (!drawing)
        return scale;
    std::memcpy(&scale.inchFlag, drawing->rulerScale + kRulerInchFlag, sizeof(int32_t));
    std::memcpy(&scale.unitsPerMajor, drawing->rulerScale + kRulerUnitsPerMajor, sizeof(double));
    std::memcpy(&scale.labelPerMajor, drawing->rulerScale + kRulerLabelPerMajor, sizeof(double));
    std::memcpy(&scale.lengthUnit, drawing->rulerScale + kRulerLengthUnit, sizeof(int32_t));
    return scale;
}

void FormatLength(const RulerScaleView& scale, double length, char* numberText, char* unitText)
{
    // A scale from a file without a major unit or label value measures in
    // the default scale rather than dividing by zero.
    double units = scale.unitsPerMajor > 0.0 ? scale.unitsPerMajor : 100.0;
    double label = scale.labelPerMajor > 0.0 ? scale.labelPerMajor : 1.0;
    double value = label * length * 100.0 / (units * 600.0);
    if (scale.inchFlag == 0)
        value *= 2.54;
    unitText[0] = 0;
    std::string unit;
    switch (scale.lengthUnit) {
    case 1:
        std::snprintf(numberText, kStringBufferSize, "%0.1f", value);
        unit = LoadUnit(kUnitStringBase + 1);
        break;
    case 2: {
        int feet = static_cast<int>(value);
        double inches = (value - feet) * 12.0;
        int whole = static_cast<int>(inches + 0.05);
        // Inches that round up to a whole foot carry into the feet.
        if (whole >= 12) {
            ++feet;
            inches = 0.0;
            whole = 0;
        }
        std::string mark = LoadUnit(kUnitStringBase + 2);
        char inchText[64];
        if (inches - whole >= 0.1)
            std::snprintf(inchText, sizeof(inchText), "%0.1f", inches);
        else
            std::snprintf(inchText, sizeof(inchText), "%d", whole);
        std::snprintf(numberText, kStringBufferSize, "%d%s%s", feet, mark.c_str(), inchText);
        unit = LoadUnit(kUnitStringBase + 1);
        break;
    }
    case 3:
        std::snprintf(numberText, kStringBufferSize, "%0.1f", value);
        unit = LoadUnit(kUnitStringBase + 3);
        break;
    case 4:
        std::snprintf(numberText, kStringBufferSize, "%0.1f", value);
        unit = LoadUnit(kUnitStringBase + 4);
        break;
    case 5:
        std::snprintf(numberText, kStringBufferSize, "%0.2f", value);
        unit = LoadUnit(kUnitStringBase + 5);
        break;
    default:
        std::snprintf(numberText, kStringBufferSize, "%0.1f", value);
        break;
    }
    std::snprintf(unitText, kStringBufferSize, "%s", unit.c_str());
}

std::string ReplaceLengthInText(const std::string& text, const std::string& number, const std::string& unit,
                                char mark, const std::string& oldUnit)
{
    const std::string& gone = oldUnit.empty() ? unit : oldUnit;
    size_t n = text.size();
    size_t start = 0;
    size_t end = 0;
    bool found = false;
    for (size_t i = 0; i < n && !found;) {
        if (!IsRunChar(text[i], mark)) {
            ++i;
            continue;
        }
        size_t j = i;
        bool digit = false;
        while (j < n && IsRunChar(text[j], mark)) {
            digit = digit || std::isdigit(static_cast<unsigned char>(text[j]));
            ++j;
        }
        // A full stop alone (the end of a sentence) is no number.
        if (digit) {
            start = i;
            end = j;
            found = true;
        }
        i = j;
    }
    if (!found)
        return number + unit + text;
    if (end < n && !gone.empty()) {
        if (text.compare(end, gone.size(), gone) == 0)
            end += gone.size();
        else if (text[end] == ' ' && text.compare(end + 1, gone.size(), gone) == 0)
            end += 1 + gone.size();   // the old unit after a blank goes too
    }
    return text.substr(0, start) + number + unit + text.substr(end);
}

ErrorCode UpdateLengthLabel(DrawingRecord* drawing, void* table, int index, int unitMode)
{
    if (!drawing || !table || index < 0)
        return kErrNotDone;
    HWND view = DrawingViewWindow(drawing);
    if (!view || !GetViewRecordHandle(view))
        return kErrNotDone;
    DrawingObject* object = ObjectAt(table, index);
    double length;
    if (object->kind == kKindLine)
        length = GetLineChordLength(object);
    else if (object->kind == kKindConnector)
        length = GetSegLineLength(drawing, object);
    else
        return kErrNone;
    RulerScaleView scale = ReadRulerScale(drawing);
    char number[kStringBufferSize];
    char unit[kStringBufferSize];
    FormatLength(scale, length, number, unit);
    // Feet are written 5'3": the mark belongs to the number, the inch sign is the unit.
    char mark = scale.lengthUnit == kFeetUnit || unitMode == kFeetUnit ? '\'' : 0;
    std::string oldUnit;
    if (unitMode >= 1 && unitMode <= kLastLengthUnit)
        oldUnit = LoadUnit(kUnitStringBase + (unitMode == kFeetUnit ? 1 : unitMode));
    ErrorCode code = WriteLabel(drawing, object, number, unit, mark, oldUnit);
    if (code == kErrNone)
        InvalidateDrawingRect(drawing, &ObjectAt(table, index)->bounds);
    return code;
}

ErrorCode ShowLineLength(DrawingRecord* drawing, void* table, int index, const int32_t* value)
{
    if (!value || !table)
        return kErrNone;
    DrawingObject* object = KindObject(table, index);
    if (value[1] != 0) {
        object->textRoleFlags &= ~0x40u;
        return kErrNone;
    }
    object->textRoleFlags |= 0x40;
    return UpdateLengthLabel(drawing, table, index, value[0]);
}

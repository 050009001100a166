// Old options records, recent files and colour styles widened into the
// current blocks. Every field is read only when the record holds it.
#include <cstring>

#include "common/handle_words.h"
#include "common/io_seam.h"
#include "documents/earlier_version.h"
#include "documents/options_strings.h"

namespace {

const DWORD kHeader = 16;
const int kOldFaceOffset = 34;
const int kOldPictureTypes = 3178;
const int kOldColorTable = 3184;
const int kOldToolbar = 3376;
const int kOldToolbarStride = 18;
const int kOldFooterPosition = 4116;
const int kOldReserved = 4118;
const int kOldRecentCount = 2;
const int kOldRecentOrder = 8;
const int kOldRecentPaths = 272;
const int kOldRecentPathSize = 256;

// Reads payload fields of one old record, refusing those past its end.
class OldRecord {
public:
    OldRecord(const unsigned char* record, DWORD size) : payload_(record + kHeader), size_(size > kHeader ? size - kHeader : 0) {}
    bool Holds(DWORD offset, DWORD count) const { return offset <= size_ && count <= size_ - offset; }
    bool I16(DWORD offset, int32_t* value) const
    {
        if (!Holds(offset, 2))
            return false;
        *value = ReadLeI16(payload_ + offset);
        return true;
    }
    bool U16(DWORD offset, int32_t* value) const
    {
        if (!Holds(offset, 2))
            return false;
        *value = ReadLeU16(payload_ + offset);
        return true;
    }
    const unsigned char* At(DWORD offset) const { return payload_ + offset; }
    DWORD Size() const { return size_; }

private:
    const unsigned char* payload_;
    DWORD size_;
};

double ReadDouble(const unsigned char* bytes)
{
    double value;
    std::memcpy(&value, bytes, sizeof(value));
    return value;
}

void WidenRulers(OptionsRecord* options, const OldRecord& old)
{
    int32_t value;
    if (old.I16(4, &value))
        options->rulerDefaults.shown = value;
    if (old.Holds(8, 8))
        options->rulerDefaults.majorLength = ReadDouble(old.At(8));
    if (old.I16(16, &value))
        options->rulerDefaults.divisions = value;
    options->rulerDefaults.labelValue = 1.0;
    if (options->rulerDefaults.majorLength == 100.0) {
        options->rulerDefaults.screenUnit = 1;
        options->rulerDefaults.labelUnit = 1;
    } else {
        options->rulerDefaults.screenUnit = 0;
        options->rulerDefaults.labelUnit = 4;
        options->rulerDefaults.majorLength = 100.0;
    }
}

void WidenToolbar(OptionsRecord* options, const OldRecord& old)
{
    for (int slot = 3; slot <= 20; ++slot) {
        const DWORD at = kOldToolbar + kOldToolbarStride * slot;
        if (!old.Holds(at, kOldToolbarStride))
            return;
        ToolbarSlot& target = options->toolbar[slot + 1];
        target.width = ReadLeI16(old.At(at));
        target.height = ReadLeI16(old.At(at + 2));
        target.kind = ReadLeI16(old.At(at + 4));
        target.type = ReadLeI16(old.At(at + 6));
        target.sizing = ReadLeI16(old.At(at + 8));
        target.adjustment = ReadDouble(old.At(at + 10));
    }
}

} // namespace

void WidenRect16(RECT* target, const unsigned char* old)
{
    target->left = ReadLeI16(old);
    target->top = ReadLeI16(old + 2);
    target->right = ReadLeI16(old + 4);
    target->bottom = ReadLeI16(old + 6);
}

void WidenColorStyle(ColorStyle* target, const unsigned char* old)
{
    // Read whole first: the new style may lie over the old one.
    unsigned char copy[kOldColorStyleSize];
    std::memcpy(copy, old, sizeof(copy));
    COLORREF colors[7];
    for (int index = 0; index < 7; ++index)
        colors[index] = ReadLeU32(copy + 4 * index);
    std::memcpy(&target->borderColor, colors, sizeof(colors));
    target->shadowDx = ReadLeI16(copy + 28);
    target->shadowDy = ReadLeI16(copy + 30);
    target->shadowKind = ReadLeI16(copy + 32);
    target->flags = static_cast<uint32_t>(ReadLeI16(copy + 34));
    std::memset(target->name, 0, sizeof(target->name));
    CopyBoundedString(target->name, sizeof(target->name), reinterpret_cast<const char*>(copy + 36), 32);
}

void WidenOldOptions(OptionsRecord* options, const unsigned char* record, DWORD recordSize)
{
    const OldRecord old(record, recordSize);
    int32_t version = -1;
    old.I16(0, &version);
    WidenRulers(options, old);
    int32_t value;
    if (old.U16(18, &value))
        options->printOptions = static_cast<uint16_t>(value);
    if (old.I16(20, &value))
        options->flags = value;
    options->flags |= kOptionFlagTemplateChooser;
    for (int index = 0; index < 6; ++index) {
        if (old.I16(22 + 2 * index, &value))
            options->drawingDefaults[index] = value;
    }
    if (old.Holds(kOldFaceOffset, 1)) {
        CopyBoundedString(options->defaultFont.lfFaceName, LF_FACESIZE,
                          reinterpret_cast<const char*>(old.At(kOldFaceOffset)), old.Size() - kOldFaceOffset);
        options->defaultFont.lfCharSet = 0;
    }
    if (old.I16(kOldPictureTypes, &value))
        options->exportPictureType = value;
    if (old.I16(kOldPictureTypes + 2, &value))
        options->importPictureType = value;
    if (old.I16(kOldPictureTypes + 4, &value))
        options->tipNumber = value;
    if (old.Holds(kOldColorTable, 4 * kColorTableEntries)) {
        for (int index = 0; index < kColorTableEntries; ++index)
            options->colorTable[index] = ReadLeU32(old.At(kOldColorTable + 4 * index));
    }
    WidenToolbar(options, old);
    if (version == 3 && old.I16(kOldFooterPosition, &value))
        options->footerPosition = value;
    if (recordSize >= kOldOptionsReservedSize && old.Holds(kOldReserved, 4))
        options->reserved = ReadLeU32(old.At(kOldReserved));
}

void WidenOldRecentFiles(RecentFileList* list, const unsigned char* record, DWORD recordSize)
{
    const OldRecord old(record, recordSize);
    int32_t count = 0;
    if (!old.I16(kOldRecentCount, &count) || count < 0)
        count = 0;
    if (count > kRecentFileCount)
        count = kRecentFileCount;
    // Only paths the record really holds count.
    while (count > 0 && !old.Holds(kOldRecentPaths + kOldRecentPathSize * (count - 1), kOldRecentPathSize))
        --count;
    int32_t order[kRecentFileCount] = {};
    bool used[kRecentFileCount] = {};
    bool valid = true;
    for (int position = 0; position < count; ++position) {
        int32_t entry = -1;
        old.I16(kOldRecentOrder + 2 * position, &entry);
        if (entry < 0 || entry >= count || used[entry]) {
            valid = false;
            break;
        }
        used[entry] = true;
        order[position] = entry;
    }
    // An order that is not a permutation would name missing entries: keep file order.
    for (int position = 0; position < count; ++position)
        list->order[position] = valid ? order[position] : position;
    for (int entry = 0; entry < kRecentFileCount; ++entry) {
        if (entry < count)
            CopyBoundedString(list->paths[entry], kRecentPathSize,
                              reinterpret_cast<const char*>(old.At(kOldRecentPaths + kOldRecentPathSize * entry)),
                              kOldRecentPathSize);
        else
            list->paths[entry][0] = '\0';
    }
    list->count = count;
}

ErrorCode WidenOldStyles(HGLOBAL* styles, const unsigned char* record, DWORD recordSize)
{
    const OldRecord old(record, recordSize);
    int32_t count = 0;
    int32_t current = 0;
    if (!old.I16(0, &count) || count < 0)
        count = 0;
    old.I16(2, &current);
    const int32_t held = old.Size() >= 4 ? static_cast<int32_t>((old.Size() - 4) / kOldColorStyleSize) : 0;
    if (count > held)
        count = held;
    if (current < 0 || current >= count)
        current = 0;
    const SIZE_T bytes = kColorStyleListHead + sizeof(ColorStyle) * static_cast<SIZE_T>(count);
    HGLOBAL list = *styles ? SeamGlobalReAlloc(*styles, bytes, GMEM_MOVEABLE | GMEM_ZEROINIT)
                           : SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (!list)
        return kErrNotDone;
    *styles = list;
    auto* target = static_cast<unsigned char*>(GlobalLock(list));
    if (!target)
        return kErrNotDone;
    std::memcpy(target, &count, 4);
    std::memcpy(target + 4, &current, 4);
    for (int32_t index = 0; index < count; ++index) {
        ColorStyle style;
        WidenColorStyle(&style, old.At(4 + kOldColorStyleSize * static_cast<DWORD>(index)));
        std::memcpy(target + kColorStyleListHead + sizeof(ColorStyle) * index, &style, sizeof(style));
    }
    GlobalUnlock(list);
    return kErrNone;
}

// The tags and fixed record sizes of drawing, template and library-symbol
// streams, and the little-endian payload helpers their readers and writers
// share.
#pragma once
#include <cstdint>
#include <cstring>
#include <vector>

#include "common/handle_words.h"

enum DrawingStreamTag : uint16_t {
    kTagPreview = 9,
    kTagDocumentBlock = 0x8002,
    kTagPageSetup = 3,
    kTagPrinterMode = 4,
    kTagPrinterName = 5,
    kTagColorList = 8,
    kTagLibraryName = 10,
    kTagFontTableBlock = 0x8006,
    kTagFontRecord = 7,
    kTagDrawingBlock = 0x8020,
    kTagRuler = 0x801,
    kTagLinkTable = 0x29,
    kTagCharFormat = 0x42,
    kTagParagraph = 0x43,
    kTagGroupBlock = 0x8021,
    kTagObjectBlock = 0x8022,
    kTagBrush = 0x23,
    kTagPen = 0x24,
    kTagLinePen = 0x25,
    kTagTextFrame = 0x26,
    kTagRoute = 0x27,
    kTagLinkSlot = 0x28,
    kTagAttachmentName = 0x30,
    kTagFreeformBlock = 0x8031,
    kTagVertex = 0x32,
    kTagBranchBlock = 0x8033,
    kTagBranch = 0x34,
    kTagPictureHeader = 0x47,
    kTagDibData = 0x48,
    kTagMetafileData = 0x49,
    kTagTextStreamBlock = 0x8040,
    kTagTextBytes = 0x41,
};

enum DrawingStreamSizes : uint32_t {
    kDocumentOpenerSize = 14,
    kPageSetupSize = 30,
    kFontRecordSize = 86,
    kFontRecordShortSize = 68,
    kDrawingOpenerSize = 236,
    kDrawingOpenerArrowsSize = 144,
    kDrawingOpenerEarliestSize = 136,
    kRulerRecordSize = 24,
    kGroupOpenerSize = 40,
    kObjectOpenerSize = 72,
    kBrushRecordSize = 6,
    kPenRecordSize = 8,
    kLinePenRecordSize = 14,
    kTextFrameRecordSize = 72,
    kRouteRecordSize = 58,
    kLinkSlotRecordSize = 10,
    kFreeformOpenerSize = 8,
    kVertexRecordSize = 18,
    kBranchOpenerSize = 14,
    kBranchRecordSize = 14,
    kPictureHeaderSize = 78,
    kPictureHeaderHeld = 1102,
    kTextOpenerSize = 32,
    kLinkRowSize = 10,
};

// Fields of a payload read by offset; anything past the record's length
// reads as zero, so a short record never reaches beyond its bytes.
class PayloadReader {
public:
    PayloadReader(const uint8_t* bytes, uint32_t length) : bytes_(bytes), length_(length) {}
    uint32_t length() const { return length_; }
    bool Has(uint32_t offset, uint32_t width) const { return offset <= length_ && width <= length_ - offset; }
    uint16_t U16(uint32_t offset) const { return Has(offset, 2) ? ReadLeU16(bytes_ + offset) : 0; }
    int16_t I16(uint32_t offset) const { return static_cast<int16_t>(U16(offset)); }
    uint32_t U32(uint32_t offset) const { return Has(offset, 4) ? ReadLeU32(bytes_ + offset) : 0; }
    int32_t I32(uint32_t offset) const { return static_cast<int32_t>(U32(offset)); }
    uint8_t U8(uint32_t offset) const { return Has(offset, 1) ? bytes_[offset] : 0; }
    double F64(uint32_t offset) const
    {
        double value = 0.0;
        if (Has(offset, 8))
            std::memcpy(&value, bytes_ + offset, sizeof(value));
        return value;
    }
    // At most `room - 1` characters up to the first zero, always terminated.
    void Text(uint32_t offset, uint32_t width, char* out, uint32_t room) const
    {
        uint32_t n = 0;
        while (n + 1 < room && n < width && Has(offset + n, 1) && bytes_[offset + n] != 0) {
            out[n] = static_cast<char>(bytes_[offset + n]);
            ++n;
        }
        out[n] = '\0';
    }
    const uint8_t* Bytes() const { return bytes_; }

private:
    const uint8_t* bytes_;
    uint32_t length_;
};

// A payload assembled field by field.
class PayloadBuilder {
public:
    explicit PayloadBuilder(size_t size = 0) : bytes_(size, 0) {}
    void U16At(size_t offset, uint16_t v) { Ensure(offset + 2); WriteLeU16(&bytes_[offset], v); }
    void I16At(size_t offset, int32_t v) { U16At(offset, static_cast<uint16_t>(v)); }
    void U32At(size_t offset, uint32_t v) { Ensure(offset + 4); WriteLeU32(&bytes_[offset], v); }
    void U8At(size_t offset, uint8_t v) { Ensure(offset + 1); bytes_[offset] = v; }
    void F64At(size_t offset, double v) { Ensure(offset + 8); std::memcpy(&bytes_[offset], &v, sizeof(v)); }
    // The text and zeros to `width` bytes, at most `width - 1` characters.
    void TextAt(size_t offset, const char* text, size_t width)
    {
        Ensure(offset + width);
        for (size_t i = 0; i + 1 < width && text[i]; ++i)
            bytes_[offset + i] = static_cast<uint8_t>(text[i]);
    }
    void AppendU16(uint16_t v) { U16At(bytes_.size(), v); }
    void AppendI16(int32_t v) { I16At(bytes_.size(), v); }
    void AppendU32(uint32_t v) { U32At(bytes_.size(), v); }
    void AppendBytes(const void* data, size_t count)
    {
        const auto* p = static_cast<const uint8_t*>(data);
        bytes_.insert(bytes_.end(), p, p + count);
    }
    const std::vector<uint8_t>& bytes() const { return bytes_; }
    uint32_t size() const { return static_cast<uint32_t>(bytes_.size()); }
    const uint8_t* data() const { return bytes_.data(); }

private:
    void Ensure(size_t end)
    {
        if (bytes_.size() < end)
            bytes_.resize(end, 0);
    }
    std::vector<uint8_t> bytes_;
};

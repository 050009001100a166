// TIFF's LZW: codes from the high bit down, 9 to 12 bits wide, each width
// taken one code early (as every TIFF writer since 1992 does). A strip starts
// with a clear code; the table starts again at every clear.
#include "imaging/tiff_lzw.h"

#include <vector>

#include "imaging/image_errors.h"

namespace {

const uint32_t kClearCode = 256;
const uint32_t kEndCode = 257;
const uint32_t kFirstFree = 258;
const uint32_t kTableSize = 4096;
const uint32_t kMinWidth = 9;
const uint32_t kMaxWidth = 12;
const uint32_t kNoCode = 0xFFFFFFFF;
const uint32_t kByteCodes = 256;

struct LzwEntry {
    uint32_t prefix;
    uint8_t first;
    uint8_t last;
    uint32_t length;
};

class CodeReader {
public:
    CodeReader(const uint8_t* in, size_t count) : in_(in), count_(count) {}
    bool Next(uint32_t width, uint32_t* code)
    {
        while (held_ < width) {
            if (at_ == count_)
                return false;
            bits_ = (bits_ << 8) | in_[at_++];
            held_ += 8;
        }
        held_ -= width;
        *code = (bits_ >> held_) & ((1u << width) - 1);
        bits_ &= (1u << held_) - 1;
        return true;
    }

private:
    const uint8_t* in_;
    size_t count_;
    size_t at_ = 0;
    uint32_t bits_ = 0;
    uint32_t held_ = 0;
};

class LzwTable {
public:
    LzwTable() : entries_(kTableSize)
    {
        for (uint32_t i = 0; i < kByteCodes; ++i)
            entries_[i] = {kNoCode, static_cast<uint8_t>(i), static_cast<uint8_t>(i), 1};
        Clear();
    }
    void Clear()
    {
        next_ = kFirstFree;
        width_ = kMinWidth;
    }
    uint32_t width() const { return width_; }
    bool Knows(uint32_t code) const { return code < kByteCodes || (code >= kFirstFree && code < next_); }
    // The string of `previous` and the first byte of `code`'s string (or of
    // its own, when `code` is the one about to be made).
    void Add(uint32_t previous, uint32_t code)
    {
        if (next_ == kTableSize)
            return;
        const LzwEntry& before = entries_[previous];
        const uint8_t first = code == next_ ? before.first : entries_[code].first;
        entries_[next_] = {previous, before.first, first, before.length + 1};
        ++next_;
        if (next_ + 1 >= (1u << width_) && width_ < kMaxWidth)
            ++width_;
    }
    // Writes the string from its end back to its start; bytes past `room`
    // are dropped.
    size_t Emit(uint32_t code, uint8_t* out, size_t at, size_t room) const
    {
        const size_t length = entries_[code].length;
        for (size_t k = length; k-- > 0; code = entries_[code].prefix)
            if (at + k < room)
                out[at + k] = entries_[code].last;
        return length;
    }
    uint32_t next() const { return next_; }

private:
    std::vector<LzwEntry> entries_;
    uint32_t next_ = kFirstFree;
    uint32_t width_ = kMinWidth;
};

} // namespace

ErrorCode UnpackLzwStrip(const uint8_t* in, size_t count, uint8_t* out, size_t room)
{
    LzwTable table;
    CodeReader reader(in, count);
    uint32_t previous = kNoCode;
    uint32_t code = 0;
    size_t at = 0;
    while (at < room && reader.Next(table.width(), &code) && code != kEndCode) {
        if (code == kClearCode) {
            table.Clear();
            previous = kNoCode;
            continue;
        }
        const bool made = previous != kNoCode && code == table.next() && code < kTableSize;
        if (!table.Knows(code) && !made)
            return kImageDamaged;
        if (previous != kNoCode)
            table.Add(previous, code);
        at += table.Emit(code, out, at, room);
        previous = code;
    }
    return kImageOk;
}

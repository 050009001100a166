// Seeded mutation of inputs for the fuzz loops and the fuzz benchmark: the
// same seed gives the same mutants on every run and machine.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/error_codes.h"

// A code this program returns: a store code, a record-stream code or one of
// the application's own; anything else (a stray integer, a negative number)
// is a reader passing up what it should not.
inline bool IsProgramErrorCode(ErrorCode code)
{
    const int32_t value = code.value;
    const bool store = value >= 1 && value <= 33;
    const bool stream = value >= kErrStreamFirst && value <= kErrStreamLast;
    const bool application = value >= kErrStringOrFormat && value <= kErrBadMetafile;
    return value == 0 || store || stream || application;
}

// A small linear congruential generator.
class Lcg {
public:
    explicit Lcg(uint32_t seed) : state_(seed) {}
    uint32_t Next()
    {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    size_t Below(size_t n) { return n ? Next() % n : 0; }

private:
    uint32_t state_;
};

// One mutant of `input`: bit flips, a cut, a repeated or removed span, or
// bytes overwritten with extreme values. The first `keep` bytes (a
// signature) stay as they are, so the reader gets past them.
inline std::vector<uint8_t> MutateBytes(const std::vector<uint8_t>& input, size_t keep, Lcg* rng)
{
    std::vector<uint8_t> m = input;
    if (m.size() <= keep)
        return m;
    const size_t room = m.size() - keep;
    const size_t at = keep + rng->Below(room);
    const size_t span = 1 + rng->Below(room - (at - keep) < 64 ? room - (at - keep) : 64);
    switch (rng->Below(5)) {
    case 0:
        for (size_t i = 0, flips = 1 + rng->Below(8); i < flips; ++i)
            m[keep + rng->Below(room)] ^= static_cast<uint8_t>(1u << rng->Below(8));
        break;
    case 1:
        m.resize(at);
        break;
    case 2:
        m.insert(m.begin() + static_cast<long>(at), input.begin() + static_cast<long>(at),
                 input.begin() + static_cast<long>(at + span));
        break;
    case 3:
        m.erase(m.begin() + static_cast<long>(at), m.begin() + static_cast<long>(at + span));
        break;
    default: {
        static const uint8_t kExtremes[] = {0x00, 0xFF, 0x7F, 0x80};
        for (size_t i = 0; i < span && at + i < m.size(); ++i)
            m[at + i] = kExtremes[rng->Below(sizeof(kExtremes))];
        break;
    }
    }
    return m;
}

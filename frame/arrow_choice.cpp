#include "frame/arrow_choice.h"

namespace {

const uint32_t kKindMask = 0xFF;
const uint32_t kShiftMask = 0xFF00;
const uint32_t kDisplacedBit = 0x100;

int KindOf(int32_t word)
{
    const int kind = static_cast<int>(static_cast<uint32_t>(word) & kKindMask);
    return kind < kArrowKinds ? kind : kMixedArrowKind;
}

int ShiftOf(int32_t word)
{
    const uint32_t shift = static_cast<uint32_t>(word) & kShiftMask;
    if (shift == 0)
        return 0;
    return shift == kDisplacedBit ? 1 : kMixedDisplacement;
}

int32_t WordOf(int kind, int shift)
{
    const uint32_t high = shift == kMixedDisplacement ? kShiftMask : (shift == 1 ? kDisplacedBit : 0);
    return static_cast<int32_t>(high | (static_cast<uint32_t>(kind) & kKindMask));
}

} // namespace

ArrowChoice ArrowChoiceFromWords(int32_t start, int32_t end, int32_t size)
{
    ArrowChoice choice;
    choice.startKind = KindOf(start);
    choice.endKind = KindOf(end);
    choice.startShift = ShiftOf(start);
    choice.endShift = ShiftOf(end);
    choice.size = size >= 0 && size < kArrowSizes ? size : kMixedArrowSize;
    return choice;
}

void ArrowWordsFromChoice(const ArrowChoice& choice, int32_t* start, int32_t* end, int32_t* size)
{
    *start = WordOf(choice.startKind, choice.startShift);
    *end = WordOf(choice.endKind, choice.endShift);
    *size = choice.size;
}

bool IsArrowChoiceMixed(const ArrowChoice& choice)
{
    return choice.startKind == kMixedArrowKind || choice.endKind == kMixedArrowKind ||
           choice.startShift == kMixedDisplacement || choice.endShift == kMixedDisplacement ||
           choice.size == kMixedArrowSize;
}

// The arrowhead words of the selected lines as the Arrowheads dialog edits
// them: a kind and a displacement per end and a size, each possibly mixed
// (the lines differ there), in which case no button is pressed and the part
// comes back mixed unless the user chose it.
#pragma once
#include <cstdint>

const int kMixedArrowKind = 0xFF;
const int kMixedDisplacement = 0xFF00;
const int kMixedArrowSize = -1;
const int kArrowKinds = 24;
const int kArrowSizes = 3;

struct ArrowChoice {
    int startKind;      // 0 .. 23, or 255 mixed
    int endKind;
    int startShift;     // 0 normal, 1 displaced, 0xFF00 mixed
    int endShift;
    int size;           // 0 .. 2, or -1 mixed
};

// Anything that is no kind, displacement or size counts as mixed.
ArrowChoice ArrowChoiceFromWords(int32_t start, int32_t end, int32_t size);
void ArrowWordsFromChoice(const ArrowChoice& choice, int32_t* start, int32_t* end, int32_t* size);
bool IsArrowChoiceMixed(const ArrowChoice& choice);

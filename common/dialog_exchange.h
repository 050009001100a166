// The one block every property dialog reads its values from and writes its
// results to. A run function fills what its dialog reads before the dialog
// starts; the block is never cleared, so it keeps the last values written.
// The three option records travel as their stored bytes: their types belong
// to the objects layer, which checks the sizes against these.
#pragma once
#include <windows.h>

#include <cstdint>

const int kToolbarSlotBytes = 28;
const int kColorStyleBytes = 76;
const int kRulerScaleBytes = 32;

struct DialogExchange {
    int32_t helpTopic;
    double shownHeight;  // in inches, or centimetres when metric
    double shownWidth;
    int32_t secondValue;
    int32_t mainValue;
    int32_t firstExtra;
    char* pathBuffer;
    int32_t secondExtra;
    int32_t thirdExtra;
    unsigned char toolbarSlot[kToolbarSlotBytes];
    unsigned char styleIn[kColorStyleBytes];
    unsigned char rulerScale[kRulerScaleBytes];
    unsigned char workStyle[kColorStyleBytes];
};

extern DialogExchange Exchange;

// A sample window's painter: the device context and the window's client
// rectangle in pixels; returns 0.
typedef int (*SamplePainter)(HDC dc, RECT* client);
// The painter the next dialog puts into its sample window.
extern SamplePainter SampleDrawCallback;

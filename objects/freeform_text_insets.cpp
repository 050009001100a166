#include "objects/freeform_text_insets.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "objects/drawing_layout.h"
#include "objects/freeform_outline.h"
#include "objects/geometry_math.h"
#include "objects/point_transforms.h"
#include "objects/shape_outlines.h"

namespace {

// What a shape gets when its outline holds no rectangle for the text.
const double kDefaultInset = 0.2;
// Two opposite insets may take at most this much of the shape between them;
// the larger ones give back a tenth at a time.
const double kInsetPairLimit = 0.8;
const double kInsetShareLimit = 0.4;
const double kInsetGiveBack = 0.1;

// Ten scan lines from each side, reaching 80 per cent of the way across.
const int kScanLines = 10;
const double kScanReach = 0.8;
// A probe that still meets a notch moves inward by a twentieth of the shape.
const int kProbeStepDivisor = 20;
// No drawing is larger than this; a record that says more is damaged.
const int kLargestExtent = 32767;

struct Outline {
    POINT points[kOutlineBufferPoints];
    int count;
    int width;    // the record's size, which the fractions refer to
    int height;
    int w;        // the same, at least 1 for dividing
    int h;
};

struct BestRect {
    bool found = false;
    double area = 0.0;
    RECT rect = {};
};

// The record's width and height when it holds what its head says: a count
// from the file is never trusted beyond the record's size, and every vertex
// must lie in the box the head gives (Make Shape stores them that way), so
// every coordinate below stays far from the limits of an int.
bool ReadSoundRecordSize(HGLOBAL freeform, int* width, int* height)
{
    SIZE_T size = GlobalSize(freeform);
    auto* record = static_cast<unsigned char*>(GlobalLock(freeform));
    if (!record)
        return false;
    bool sound = size >= sizeof(FreeformHead);
    const auto* head = reinterpret_cast<const FreeformHead*>(record);
    if (sound) {
        SIZE_T room = (size - sizeof(FreeformHead)) / sizeof(FreeformVertex);
        sound = head->vertexCount >= 0 && static_cast<SIZE_T>(head->vertexCount) <= room && head->width >= 0 &&
                head->width <= kLargestExtent && head->height >= 0 && head->height <= kLargestExtent;
    }
    for (int i = 0; sound && i < head->vertexCount; ++i) {
        const FreeformVertex* vertex = FreeformVertexAt(record, i);
        sound = vertex->x >= 0 && vertex->x <= head->width && vertex->y >= 0 && vertex->y <= head->height;
    }
    if (sound) {
        *width = head->width;
        *height = head->height;
    }
    GlobalUnlock(freeform);
    return sound;
}

bool BuildOutline(HGLOBAL freeform, const DrawingObject* object, Outline* outline)
{
    if (!freeform || !ReadSoundRecordSize(freeform, &outline->width, &outline->height))
        return false;
    outline->w = std::max(outline->width, 1);
    outline->h = std::max(outline->height, 1);
    RECT box = {0, 0, outline->width, outline->height};
    outline->count = 0;
    BuildTransformedShapeOutline(&box, &box, object->adjust, object->shapeType, object->rotation, freeform,
                                 outline->points, &outline->count, object->optionFlags);
    return true;
}

int Crossings(const Outline& outline, double value, bool vertical, int* crossings)
{
    return CountLineCrossings(outline.points, outline.count, value, crossings, vertical);
}

// Moves the near and far sides inward while a probe just inside them meets
// the outline more than twice (a notch); true when both probes end clear.
bool ProbeClear(const Outline& outline, bool vertical, int step, int* nearSide, int* farSide)
{
    int crossings[2];
    int count = Crossings(outline, *nearSide + 1.0, vertical, crossings);
    // A zero step would never get past the notch.
    while (count >= 3 && *nearSide < *farSide && step > 0) {
        *nearSide += step;
        count = Crossings(outline, *nearSide + 1.0, vertical, crossings);
    }
    if (count == 2) {
        count = Crossings(outline, *farSide - 1.0, vertical, crossings);
        while (count >= 3 && *nearSide < *farSide && step > 0) {
            *farSide -= step;
            count = Crossings(outline, *farSide - 1.0, vertical, crossings);
        }
    }
    return count == 2 && *nearSide < *farSide;
}

// One pass of scan lines: vertical ones (x = const) or horizontal ones. Each
// pair of lines that both cross the outline exactly twice spans a candidate
// rectangle; a strictly larger one replaces the best so far.
void ScanPass(const Outline& outline, bool vertical, BestRect* best)
{
    const double across = vertical ? outline.w : outline.h;
    const int step = (vertical ? outline.h : outline.w) / kProbeStepDivisor;
    for (int i = 0; i < kScanLines; ++i) {
        const double first = across * i * kScanReach / kScanLines;
        int a[2];
        if (Crossings(outline, first, vertical, a) != 2)
            continue;
        for (int j = 0; j < kScanLines - i; ++j) {
            const double second = (1.0 - j / static_cast<double>(kScanLines) * kScanReach) * across;
            int b[2];
            if (Crossings(outline, second, vertical, b) != 2)
                continue;
            int nearSide = std::max(a[0], b[0]);
            int farSide = std::min(a[1], b[1]);
            if (!(nearSide < farSide))
                continue;
            if (!ProbeClear(outline, !vertical, step, &nearSide, &farSide))
                continue;
            const double area = (second - first) * (farSide - nearSide);
            if (best->found && !(area > best->area))
                continue;
            best->found = true;
            best->area = area;
            if (vertical)
                best->rect = {TruncToInt(first), nearSide, TruncToInt(second), farSide};
            else
                best->rect = {nearSide, TruncToInt(first), farSide, TruncToInt(second)};
        }
    }
}

void LimitInsetPair(double* one, double* other)
{
    while (*one + *other > kInsetPairLimit) {
        if (*one > kInsetShareLimit)
            *one -= kInsetGiveBack;
        if (*other > kInsetShareLimit)
            *other -= kInsetGiveBack;
    }
}

} // namespace

int CountLineCrossings(const POINT* points, int count, double value, int* crossings, bool vertical)
{
    int recorded = 0;
    for (int k = 1; k < count; ++k) {
        const POINT& p = points[k - 1];
        const POINT& q = points[k];
        if (p.x == q.x && p.y == q.y)
            continue;
        // u runs across the line, v along it.
        const double u0 = vertical ? p.x : p.y;
        const double v0 = vertical ? p.y : p.x;
        const double u1 = vertical ? q.x : q.y;
        const double v1 = vertical ? q.y : q.x;
        if (value < std::min(u0, u1) || value > std::max(u0, u1))
            continue;
        const double du = u1 - u0 == 0.0 ? 1.0 : u1 - u0;
        const double at = (value - u0) * ((v1 - v0) / du) + v0;
        if (at < std::min(v0, v1) || at > std::max(v0, v1))
            continue;
        const int crossing = TruncToInt(at);
        // The shared end of two segments is one crossing, not two.
        if (recorded > 0 && std::llabs(static_cast<long long>(crossing) - crossings[recorded - 1]) <= 1)
            continue;
        if (recorded == 2)
            return 3;
        crossings[recorded++] = crossing;
    }
    if (recorded == 2 && crossings[0] > crossings[1])
        std::swap(crossings[0], crossings[1]);
    return recorded;
}

void FitFreeformTextInsets(HGLOBAL freeform, DrawingObject* object)
{
    double* fractions = object->textInsetFractions;   // left, top, right, bottom
    BestRect best;
    Outline outline;
    if (BuildOutline(freeform, object, &outline)) {
        ScanPass(outline, true, &best);
        ScanPass(outline, false, &best);
    }
    if (best.found) {
        const double w = outline.w;
        const double h = outline.h;
        fractions[0] = best.rect.left / w;
        fractions[1] = best.rect.top / h;
        fractions[2] = (static_cast<double>(outline.width) - best.rect.right) / w;
        fractions[3] = (static_cast<double>(outline.height) - best.rect.bottom) / h;
    } else {
        std::fill(fractions, fractions + 4, kDefaultInset);
    }
    LimitInsetPair(&fractions[0], &fractions[2]);
    LimitInsetPair(&fractions[1], &fractions[3]);
}

// What the selection has in common, and applying one attribute message to
// every selected object.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

// A SelectionAttributes record is laid out like a DrawingObject: each
// attribute field holds the common value, -2 when no object had it, -1 when
// they differ.
typedef DrawingObject SelectionAttributes;

const int32_t kAttributeUnset = -2;
const int32_t kAttributeMixed = -1;

// The text formats of the selection's texts: each value -2 unset, -1 mixed
// (the sign 0 when mixed).
struct TextFormatSummary {
    int32_t face;
    int32_t size;
    COLORREF color;
    int32_t sign;
    int32_t alignment;
    int32_t spacing;
    uint32_t styleFlags;    // 1 all bold, 2 all italic, 4 all underlined, 0x4000 styles differ
};

enum TextSummaryFlags : uint32_t {
    kSummaryAllBold = 1,
    kSummaryAllItalic = 2,
    kSummaryAllUnderlined = 4,
    kSummaryStylesDiffer = 0x4000,
};

constexpr ErrorCode kSelectionGathered{1};
// kSelectionGathered (1) when something is selected, 0 when nothing is or the
// view has no drawing, or a record-store code. `message` is 28 (shapes) or 38
// (lines).
ErrorCode GatherSelectionAttributes(HWND view, int message, SelectionAttributes* summary,
                                    TextFormatSummary* text);

// Sends the message (a = value, c = pointer) to every selected object as one
// Change Appearance step (Rotate for message 25).
// A warning the kinds left for a change they made anyway comes back in
// `warning` (a string id, 0 for none) for the view to show.
ErrorCode ApplyToSelection(HWND view, int message, INT_PTR value, INT_PTR pointer, int insideStep,
                           int* warning = nullptr);

// The menu-enabling bits of the selection (0 when nothing is selected).
uint32_t GetSelectionCommandFlags(HGLOBAL drawingHandle);
// Whether some selected objects have the option flag `option` and others not.
bool SelectedOptionsDiffer(HGLOBAL drawingHandle, uint32_t option);

#include "text/ten_paragraph_format.h"

#include <cstring>

#include "text/caret_selection.h"
#include "text/format_records.h"
#include "text/ten_arrays.h"
#include "text/ten_autosize.h"
#include "text/ten_edit.h"
#include "text/ten_paint.h"
#include "text/ten_state_access.h"
#include "text/text_layout.h"

namespace {

void DropCaretWhenFocused(HWND window, TenState* state)
{
    if (window && GetFocus() == window)
        HideTenCaret(window, state);
}

void RepaintAll(HWND window, TenState* state, int whole)
{
    if (window && IsWindowVisible(window)) {
        PaintTextLines(window, state, 0, state->live.lineCount, whole);
        ScrollCaretIntoView(window, state, nullptr, &state->live.selectionStart, 0);
    }
}

// Lays out everything, auto-sizes and refreshes; whether auto-sizing changed.
ErrorCode LayOutAll(HWND window, TenState* state, int* sized)
{
    int end = 0;
    int first = 0;
    ErrorCode code = LayoutText(window, state, 0, kLayoutToEnd, &end, &first);
    if (code != kErrNone)
        return code;
    *sized = 0;
    if (state->stateFlags & (kTenFitWidth | kTenFitHeight))
        *sized = AutoSizeTenWindow(window, state) != 0 ? 1 : 0;
    RefreshCaretPositions(window, state);
    return kErrNone;
}

} // namespace

ErrorCode SetTenAlignment(HWND window, TenState* state, int flags, int alignment)
{
    TenTextState& live = state->live;
    {
        TenArrays arrays(&live);
        if (!arrays.Ok() || arrays.ParagraphCount() <= 0)
            return kErrNoMemory;
        if (arrays.Paragraphs()[0].alignment == alignment)
            return kErrNone;
    }
    DropCaretWhenFocused(window, state);
    if (flags & kApplyUndoStep) {
        ErrorCode code = SaveTenUndo(window, state, kUndoAlignment);
        if (code != kErrNone)
            return code;
    }
    {
        TenArrays arrays(&live);
        if (!arrays.Ok())
            return kErrNoMemory;
        arrays.Paragraphs()[0].alignment = alignment;
    }
    if (flags & kApplyLayout) {
        if (alignment == 32) {
            int end = 0;
            int first = 0;
            ErrorCode code = LayoutText(window, state, 0, kLayoutToEnd, &end, &first);
            if (code != kErrNone)
                return code;
        } else {
            TenArrays arrays(&live);
            if (arrays.Ok())
                AlignTenLines(arrays.lines, arrays.formats, arrays.Paragraphs(), live.lineCount, live.formatCount,
                              arrays.ParagraphCount(), state->margins.left,
                              live.boxWidth - state->margins.left - state->margins.right);
        }
        RefreshCaretPositions(window, state);
    }
    if (flags & kApplyRepaint)
        RepaintAll(window, state, 0);
    return kErrNone;
}

int GetTenAlignment(TenState* state)
{
    TenArrays arrays(&state->live);
    const int index = state->live.typingFormat.paragraphIndex;
    if (!arrays.Ok() || index < 0 || index >= arrays.ParagraphCount())
        return 0;
    return arrays.Paragraphs()[index].alignment;
}

ErrorCode SetTenVAlign(HWND window, TenState* state, int flags, int alignment)
{
    TenTextState& live = state->live;
    if (live.verticalAlignment == alignment)
        return kErrNone;
    DropCaretWhenFocused(window, state);
    if (flags & kApplyUndoStep) {
        ErrorCode code = SaveTenUndo(window, state, kUndoAlignment);
        if (code != kErrNone)
            return code;
    }
    live.verticalAlignment = alignment;
    if (flags & kApplyLayout) {
        {
            TenArrays arrays(&live);
            if (arrays.Ok())
                PlaceTenLinesVertically(arrays.lines, live.lineCount, alignment, state->margins.top,
                                        live.boxHeight - state->margins.top - state->margins.bottom);
        }
        RefreshCaretPositions(window, state);
    }
    if (flags & kApplyRepaint)
        RepaintAll(window, state, 0);
    return kErrNone;
}

ErrorCode AdjustTenSpacing(HWND window, TenState* state, int flags, int amount)
{
    if (flags & kApplyUndoStep) {
        ErrorCode code = SaveTenUndo(window, state, kUndoSpacing);
        if (code != kErrNone)
            return code;
    }
    DropCaretWhenFocused(window, state);
    {
        TenArrays arrays(&state->live);
        if (!arrays.Ok())
            return kErrNoMemory;
        TextParagraph* records = arrays.Paragraphs();
        for (int i = 0; i < arrays.ParagraphCount(); ++i) {
            if (amount == 0) {
                records[i].spacingExtra = 0;
                continue;
            }
            records[i].spacingExtra += amount;
            if (records[i].spacingExtra < -2)
                records[i].spacingExtra = -2;
        }
    }
    int sized = 0;
    if (flags & kApplyLayout) {
        ErrorCode code = LayOutAll(window, state, &sized);
        if (code != kErrNone)
            return code;
    }
    if (flags & kApplyRepaint)
        RepaintAll(window, state, sized);
    return kErrNone;
}

int GetTenSpacing(TenState* state)
{
    TenArrays arrays(&state->live);
    if (!arrays.Ok() || arrays.ParagraphCount() <= 0)
        return 0;
    return arrays.Paragraphs()[0].spacingExtra;
}

ErrorCode SetTenWordWrap(HWND window, TenState* state, int flags, int on)
{
    TenTextState& live = state->live;
    if (((live.options & kTenWordWrap) != 0) == (on != 0))
        return kErrNone;
    DropCaretWhenFocused(window, state);
    if (flags & kApplyLayout) {
        ErrorCode code = SaveTenUndo(window, state, kUndoWrapping);
        if (code != kErrNone)
            return code;
    }
    if (on)
        live.options |= kTenWordWrap;
    else
        live.options &= ~static_cast<uint32_t>(kTenWordWrap);
    int sized = 0;
    if (flags & kApplyLayout) {
        ErrorCode code = LayOutAll(window, state, &sized);
        if (code != kErrNone)
            return code;
    }
    if (flags & kApplyRepaint)
        RepaintAll(window, state, sized);
    return kErrNone;
}

int GetCaretParagraph(TenState* state, TextParagraph* out)
{
    TenArrays arrays(&state->live);
    const int index = state->live.typingFormat.paragraphIndex;
    if (out && arrays.Ok() && index >= 0 && index < arrays.ParagraphCount())
        *out = arrays.Paragraphs()[index];
    return 1;
}

int SameTenParagraph(const TextParagraph& a, const TextParagraph& b)
{
    return std::memcmp(&a, &b, sizeof(TextParagraph)) == 0 ? 1 : 0;
}

int FindOrAddTenParagraph(HWND editor, TenState* given, const TextParagraph* record)
{
    if (!record)
        return -1;
    TenStateLock lock(given ? nullptr : editor);
    TenState* state = given ? given : lock.get();
    if (!state)
        return -1;
    TenArrays arrays(&state->live);
    if (!arrays.Ok())
        return -1;
    const int count = arrays.ParagraphCount();
    for (int i = 0; i < count; ++i)
        if (SameTenParagraph(arrays.Paragraphs()[i], *record))
            return i;
    if (count >= kMaxTextParagraphs || arrays.ResizeParagraphs(count + 1) != kErrNone)
        return -1;
    arrays.Paragraphs()[count] = *record;
    const int32_t grown = count + 1;
    std::memcpy(arrays.paragraphBlock, &grown, sizeof(grown));
    return count;
}

#include "text/ten_char_format.h"

#include "common/flag_helpers.h"
#include "text/caret_selection.h"
#include "text/font_dialogs.h"
#include "text/format_records.h"
#include "text/ten_arrays.h"
#include "text/ten_autosize.h"
#include "text/ten_edit.h"
#include "text/ten_messages.h"
#include "text/ten_notifications.h"
#include "text/ten_paint.h"
#include "text/ten_state_access.h"
#include "text/text_layout.h"
#include "text/text_measure.h"

namespace {

const int kSymbolCharFlag = 8;      // flag-word bit: face is a symbol face
const int kEnteredAsSymbol = 16;    // flag-word bit: typed with Insert Symbol
const int kUndoInsertSymbol = 22;

int Clamp(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

int GrownSize(int size) { return Clamp(size + FontSizeStep(size, 0), 4, 144); }
int ShrunkSize(int size) { return Clamp(size - FontSizeStep(size, 1), 4, 144); }

struct Change {
    int selector;
    LPARAM value;
    WPARAM flags;
};

int MaskOf(LPARAM value) { return static_cast<int>((static_cast<DWORD>(value) >> 16) & 0xFFFF); }
int ModeOf(LPARAM value) { return static_cast<int>(static_cast<DWORD>(value) & 0xFFFF); }

bool BitsNeedChange(uint32_t word, LPARAM value, bool toggles)
{
    const uint32_t mask = static_cast<uint32_t>(MaskOf(value));
    const int mode = ModeOf(value);
    if (mask == 0)
        return word != 0;
    if (toggles && mode == 2)
        return true;
    if (mode == 0)
        return (word & mask) != 0;
    return (word & mask) != mask;
}

void ChangeBits(uint32_t* word, LPARAM value, bool toggles)
{
    const uint32_t mask = static_cast<uint32_t>(MaskOf(value));
    const int mode = ModeOf(value);
    if (mask == 0)
        *word = 0;
    else if (toggles && mode == 2)
        *word ^= mask;
    else
        SetFlagBits(word, mask, mode);
}

bool NeedsChange(const TextFormat& f, const Change& c)
{
    switch (c.selector) {
    case kCharFace:
        if (IsSymbolFormat(f) && ((c.flags & kKeepSymbolFaces) || (f.flags & kFormatEnteredAsSymbol)))
            return false;
        return f.face != static_cast<int>(c.value);
    case kCharSize:
        return f.size != static_cast<int>(c.value);
    case kCharGrow:
        return f.size != GrownSize(f.size);
    case kCharShrink:
        return f.size != ShrunkSize(f.size);
    case kCharStyle: {
        uint32_t style = static_cast<uint32_t>(f.style);
        return BitsNeedChange(style, c.value, false);
    }
    case kCharColor:
        return f.color != static_cast<COLORREF>(c.value);
    case kCharScript:
        return f.script != static_cast<int>(c.value);
    case kCharParagraph:
        return f.paragraphIndex != static_cast<int>(c.value);
    case kCharFlags:
        return BitsNeedChange(f.flags, c.value, true);
    case kCharHyphenation:
        return f.hyphenation != static_cast<int>(c.value);
    default:
        return false;
    }
}

void ChangeField(TenState* state, TextFormat* f, const Change& c)
{
    switch (c.selector) {
    case kCharFace:
        f->face = static_cast<int>(c.value);
        UpdateSymbolFlag(state, f);
        break;
    case kCharSize:
        f->size = f->requestedSize = static_cast<int>(c.value);
        break;
    case kCharGrow:
        f->size = f->requestedSize = GrownSize(f->size);
        break;
    case kCharShrink:
        f->size = f->requestedSize = ShrunkSize(f->size);
        break;
    case kCharStyle: {
        uint32_t style = static_cast<uint32_t>(f->style);
        ChangeBits(&style, c.value, false);
        f->style = static_cast<int32_t>(style);
        break;
    }
    case kCharColor:
        f->color = static_cast<COLORREF>(c.value);
        break;
    case kCharScript:
        f->script = static_cast<int>(c.value);
        break;
    case kCharParagraph:
        f->paragraphIndex = static_cast<int>(c.value);
        break;
    case kCharFlags:
        ChangeBits(&f->flags, c.value, true);
        break;
    case kCharHyphenation:
        f->hyphenation = static_cast<int>(c.value);
        break;
    default:
        break;
    }
}

// The field values a split-off tail gets back.
void CopyField(TextFormat* to, const TextFormat& from, int selector)
{
    switch (selector) {
    case kCharFace:
        to->face = from.face;
        to->flags = from.flags;
        break;
    case kCharSize:
    case kCharGrow:
    case kCharShrink:
        to->size = from.size;
        to->requestedSize = from.requestedSize;
        break;
    case kCharStyle:
        to->style = from.style;
        break;
    case kCharColor:
        to->color = from.color;
        break;
    case kCharScript:
        to->script = from.script;
        break;
    case kCharParagraph:
        to->paragraphIndex = from.paragraphIndex;
        break;
    case kCharFlags:
        to->flags = from.flags;
        break;
    case kCharHyphenation:
        to->hyphenation = from.hyphenation;
        break;
    default:
        break;
    }
}

TextFormat* FormatsOf(TenState* state) { return static_cast<TextFormat*>(GlobalLock(state->live.formats)); }

void SetTypingFormat(HWND window, TenState* state, const Change& c)
{
    TenTextState& live = state->live;
    if (live.typingFormatIndex >= 0 && live.typingFormatIndex < live.formatCount) {
        TextFormat* formats = FormatsOf(state);
        if (formats) {
            live.typingFormat = formats[live.typingFormatIndex];
            GlobalUnlock(live.formats);
        }
    }
    ChangeField(state, &live.typingFormat, c);
    if (c.selector == kCharFace && state->undoKind == kUndoInsertSymbol) {
        SetFlagBits(&live.typingFormat.flags, kEnteredAsSymbol, (live.typingFormat.flags & kSymbolCharFlag) != 0);
    }
    SyncCaretFormat(window, state, kSyncForce | kSyncNoStore);
    live.typingFormatIndex = -1;
    if (live.textLength == 0 && live.formatCount > 0) {
        TextFormat* formats = FormatsOf(state);
        if (formats) {
            const int start = formats[0].start;
            const int length = formats[0].length;
            formats[0] = live.typingFormat;
            formats[0].start = start;
            formats[0].length = length;
            MakeFormatFont(state, &formats[0]);
            GlobalUnlock(live.formats);
        }
    }
}

} // namespace

ErrorCode ApplyTenCharFormat(TenState* state, LPARAM value, WPARAM flags)
{
    TenTextState& live = state->live;
    const Change c = {static_cast<int>(flags & kCharSelectorMask), value, flags};
    const bool noMerge = c.selector == kCharFlags && (MaskOf(value) & 4) && ModeOf(value) != 0;
    const int selStart = live.selectionStart.position;
    const int selEnd = live.selectionEnd.position;
    int index;
    {
        TextFormat* formats = FormatsOf(state);
        if (!formats)
            return kErrNoMemory;
        index = Clamp(FindFormatAt(selStart, formats, live.formatCount), 0, live.formatCount - 1);
        // A selection starting at a format's end begins in the next one.
        while (index + 1 < live.formatCount && formats[index].start + formats[index].length <= selStart)
            ++index;
        GlobalUnlock(live.formats);
    }
    int position = selStart;
    while (index < live.formatCount) {
        TextFormat* formats = FormatsOf(state);
        if (!formats)
            return kErrNoMemory;
        const TextFormat old = formats[index];
        bool changed = false;
        if (old.start < position) {
            const bool needs = NeedsChange(old, c);
            GlobalUnlock(live.formats);
            if (needs) {
                ErrorCode code = SplitFormat(state, index, position);
                if (code != kErrNone)
                    return code;
                ++index;
                formats = FormatsOf(state);
                ChangeField(state, &formats[index], c);
                MakeFormatFont(state, &formats[index]);
                changed = true;
            } else {
                formats = FormatsOf(state);
            }
        } else {
            if (NeedsChange(old, c)) {
                ChangeField(state, &formats[index], c);
                MakeFormatFont(state, &formats[index]);
                changed = true;
            }
            if (!noMerge && index > 0 && FormatsEqual(formats[index - 1], formats[index])) {
                GlobalUnlock(live.formats);
                ErrorCode code = MergeFormatWithNext(state, index - 1);
                if (code != kErrNone)
                    return code;
                --index;
                formats = FormatsOf(state);
            }
        }
        const int end = formats[index].start + formats[index].length;
        GlobalUnlock(live.formats);
        if (end > selEnd) {
            if (changed) {
                ErrorCode code = SplitFormat(state, index, selEnd);
                if (code != kErrNone)
                    return code;
                formats = FormatsOf(state);
                CopyField(&formats[index + 1], old, c.selector);
                MakeFormatFont(state, &formats[index + 1]);
                GlobalUnlock(live.formats);
            }
            break;
        }
        if (end == selEnd) {
            if (!noMerge && index + 1 < live.formatCount) {
                formats = FormatsOf(state);
                const bool equal = FormatsEqual(formats[index], formats[index + 1]) != 0;
                GlobalUnlock(live.formats);
                if (equal) {
                    ErrorCode code = MergeFormatWithNext(state, index);
                    if (code != kErrNone)
                        return code;
                }
            }
            break;
        }
        ++index;
        position = end;
    }
    return kErrNone;
}

ErrorCode SetTenCharFormat(HWND window, TenState* state, WPARAM flags, LPARAM value)
{
    TenTextState& live = state->live;
    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    (void)previous;
    const Change c = {static_cast<int>(flags & kCharSelectorMask), value, flags};
    ErrorCode code = kErrNone;
    if (live.selectionStart.position == live.selectionEnd.position) {
        SetTypingFormat(window, state, c);
    } else {
        if (flags & kApplyUndoStep)
            code = SaveTenUndo(window, state, kUndoCharFormat);
        if (code == kErrNone)
            code = ApplyTenCharFormat(state, value, flags);
        if (code == kErrNone && (flags & kApplyLayout)) {
            int end = 0;
            int first = 0;
            const int from = live.selectionStart.line > 0 ? live.selectionStart.line - 1 : 0;
            code = LayoutText(window, state, from, live.selectionEnd.line + 2, &end, &first);
            if (code == kErrNone) {
                int whole = 0;
                if (state->stateFlags & (kTenFitWidth | kTenFitHeight)) {
                    const LONG changed = AutoSizeTenWindow(window, state);
                    if (changed)
                        whole = 1;
                    if (LOWORD(changed)) {
                        first = 0;
                        end = live.lineCount;
                    }
                }
                RefreshCaretPositions(window, state);
                SyncCaretFormat(window, state, kSyncForce);
                if ((flags & kApplyRepaint) && window && IsWindowVisible(window)) {
                    PaintTextLines(window, state, first, end, whole);
                    ScrollCaretIntoView(window, state, nullptr, &live.selectionStart, 0);
                }
            }
        }
        if (code != kErrNone) {
            RevertTenUndo(state);
            RefreshCaretPositions(window, state);
        }
    }
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    return code;
}

LRESULT GetTenCharFormat(TenState* state, int selector)
{
    TenTextState& live = state->live;
    TextFormat* formats = FormatsOf(state);
    if (!formats || live.formatCount <= 0) {
        if (formats)
            GlobalUnlock(live.formats);
        return 0;
    }
    LRESULT result = 0;
    if (live.selectionStart.position == live.selectionEnd.position) {
        const TextFormat& f = live.typingFormatIndex >= 0 && live.typingFormatIndex < live.formatCount
                                  ? formats[live.typingFormatIndex]
                                  : live.typingFormat;
        switch (selector) {
        case kCharFace: result = f.face; break;
        case kCharSize: result = f.size; break;
        case kCharStyle: result = f.style; break;
        case kCharColor: result = static_cast<LRESULT>(f.color); break;
        case kCharScript: result = f.script; break;
        default: break;
        }
        GlobalUnlock(live.formats);
        return result;
    }
    int first = Clamp(FindFormatAt(live.selectionStart.position, formats, live.formatCount), 0,
                      live.formatCount - 1);
    while (first + 1 < live.formatCount && formats[first].start + formats[first].length <= live.selectionStart.position)
        ++first;
    int last = Clamp(FindFormatAt(live.selectionEnd.position, formats, live.formatCount), 0, live.formatCount - 1);
    if (last > first && formats[last].start == live.selectionEnd.position)
        --last;
    switch (selector) {
    case kCharFace:
    case kCharSize: {
        const int value = selector == kCharFace ? formats[first].face : formats[first].size;
        result = value;
        for (int i = first + 1; i <= last; ++i)
            if ((selector == kCharFace ? formats[i].face : formats[i].size) != value)
                result = -1;
        break;
    }
    case kCharStyle: {
        const int bits = formats[first].style & 7;
        result = bits;
        for (int i = first + 1; i <= last; ++i)
            if ((formats[i].style & 7) != bits) {
                result = kMixedStyle;
                break;
            }
        break;
    }
    case kCharColor:
        result = static_cast<LRESULT>(formats[first].color);
        break;
    case kCharScript:
        result = formats[first].script == formats[last].script ? formats[first].script : -1;
        break;
    default:
        break;
    }
    GlobalUnlock(live.formats);
    return result;
}

void ToggleTenStyle(HWND editor, int bit)
{
    const int script = static_cast<int>(SendMessageA(editor, TENM_GETCHARFORMAT, kCharScript, 0));
    const int style = static_cast<int>(SendMessageA(editor, TENM_GETCHARFORMAT, kCharStyle, 0));
    const WPARAM apply = kApplyUndoStep | kApplyRepaint | kApplyLayout;
    if (bit == 16) {
        SendMessageA(editor, TENM_SETCHARFORMAT, apply | kCharScript, script <= 0 ? 1 : 0);
        return;
    }
    if (bit == 32) {
        SendMessageA(editor, TENM_SETCHARFORMAT, apply | kCharScript, script >= 0 ? static_cast<LPARAM>(-1) : 0);
        return;
    }
    const bool isSet = style != kMixedStyle && (style & bit) != 0;
    const int mode = isSet ? 0 : 1;
    SendMessageA(editor, TENM_SETCHARFORMAT, apply | kCharStyle, PackTenPair(mode, bit));
    const DWORD selection = static_cast<DWORD>(SendMessageA(editor, TENM_GETSEL, 0, 0));
    const int length = static_cast<int>(SendMessageA(editor, TENM_GETTEXTLENGTH, 0, 0));
    if (LOWORD(selection) == 0 && HIWORD(selection) == length && GetParent(editor))
        SendMessageA(GetParent(editor), TENN_DEFAULTATTR, mode ? 4 : 5, bit);
}

LRESULT ChooseTenFont(HWND window)
{
    int slot = static_cast<int>(SendMessageA(window, TENM_GETCHARFORMAT, kCharFace, 0));
    int size = static_cast<int>(SendMessageA(window, TENM_GETCHARFORMAT, kCharSize, 0));
    int style = static_cast<int>(SendMessageA(window, TENM_GETCHARFORMAT, kCharStyle, 0));
    HGLOBAL fontList = nullptr;
    HGLOBAL fontTable = nullptr;
    HDC dc = nullptr;
    {
        TenStateLock state(window);
        if (!state)
            return 1;
        fontList = state->fontList;
        fontTable = state->fontTable;
        dc = state->measuringDC;
    }
    if (size <= 0)
        size = 0;
    if (ChooseTextFont(window, &fontList, &fontTable, dc, &slot, &size, &style) != 1)
        return 1;
    {
        TenStateLock state(window);
        if (state) {
            state->fontList = fontList;
            state->fontTable = fontTable;
        }
    }
    const DWORD selection = static_cast<DWORD>(SendMessageA(window, TENM_GETSEL, 0, 0));
    const int length = static_cast<int>(SendMessageA(window, TENM_GETTEXTLENGTH, 0, 0));
    HWND parent = GetParent(window);
    const bool tell = parent && LOWORD(selection) == 0 && HIWORD(selection) == length;
    struct Step {
        WPARAM selector;
        LPARAM value;
    };
    Step steps[4];
    int count = 0;
    if (slot >= 0) {
        steps[count++] = {static_cast<WPARAM>(kCharFace | kKeepSymbolFaces), slot};
        if (tell)
            SendMessageA(parent, TENN_DEFAULTATTR, 0, slot);
    }
    if (size > 0) {
        steps[count++] = {kCharSize, size};
        if (tell)
            SendMessageA(parent, TENN_DEFAULTATTR, 1, size);
    }
    if (style != kMixedStyle && style >= 0) {
        const int toSet = style & 3;
        const int toClear = ~style & 3;
        if (toClear)
            steps[count++] = {kCharStyle, PackTenPair(0, toClear)};
        if (toSet)
            steps[count++] = {kCharStyle, PackTenPair(1, toSet)};
        if (tell)
            SendMessageA(parent, TENN_DEFAULTATTR, 2, style);
    }
    for (int i = 0; i < count; ++i) {
        WPARAM flags = steps[i].selector | kApplyLayout;
        if (i == 0)
            flags |= kApplyUndoStep;
        if (i == count - 1)
            flags |= kApplyRepaint;
        SendMessageA(window, TENM_SETCHARFORMAT, flags, steps[i].value);
    }
    return 1;
}

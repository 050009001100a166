#include "text/ten_keyboard.h"

#include "text/caret_selection.h"
#include "text/ten_autosize.h"
#include "text/ten_edit.h"
#include "text/ten_paint.h"
#include "text/ten_selection_commands.h"
#include "text/ten_state_access.h"
#include "text/text_layout.h"

namespace {

bool CtrlHeld() { return (GetKeyState(VK_CONTROL) & 0x8000) != 0; }

// Enter, Up and Down belong to the parent unless the text wraps freely.
bool KeysGoToParent(const TenState* state)
{
    const uint32_t options = state->live.options;
    return (options & kTenKeysToParent) && !((options & kTenWordWrap) && !(options & kTenWholeText));
}

int MoveBy(HWND window, TenState* state, int dx, int dy)
{
    if (state->live.options & kTenWholeText)
        return 1;
    MoveCaret(window, state, dx, dy, 0);
    return 1;
}

// The paragraph mark of Enter is already queued as WM_CHAR: take it out.
void DropQueuedEnter(HWND window)
{
    MSG message;
    while (PeekMessageA(&message, window, WM_CHAR, WM_CHAR, PM_REMOVE)) {
        if (message.wParam != 13) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

// Digits always pass; the rest by the filter's bits. -1 refused.
int FilterCharacter(int filter, int character)
{
    if (character >= '0' && character <= '9')
        return character;
    if (character == ',')
        character = '.';
    if ((filter & 4) && (character == '.' || character == 'E' || character == 'e'))
        return character;
    if ((filter & 2) && character == '-')
        return character;
    return -1;
}

} // namespace

int TenKeyDown(HWND window, int key)
{
    int result = 0;
    bool edit = false;
    {
        TenStateLock state(window);
        if (!state)
            return 0;
        const bool ctrl = CtrlHeld();
        if (state->stateFlags & kTenFieldMode) {
            if (key != VK_BACK && key != VK_DELETE)
                return 0;
        }
        const bool whole = (state->live.options & kTenWholeText) != 0;
        switch (key) {
        case VK_BACK:
        case VK_DELETE:
            edit = !whole;
            result = 1;
            break;
        case VK_TAB:
            return 1;
        case VK_RETURN:
            if (KeysGoToParent(state.get())) {
                DropQueuedEnter(window);
                return 0;
            }
            return 1;
        case VK_HOME:
            return MoveBy(window, state.get(), -32767, ctrl ? -1 : 1);
        case VK_END:
            return MoveBy(window, state.get(), 32767, ctrl ? -1 : 1);
        case VK_LEFT:
            return MoveBy(window, state.get(), -1, 0);
        case VK_RIGHT:
            return MoveBy(window, state.get(), 1, 0);
        case VK_UP:
        case VK_DOWN:
            if (KeysGoToParent(state.get()))
                return 0;
            return MoveBy(window, state.get(), 0, key == VK_UP ? -1 : 1);
        case VK_F2:
        case VK_F3:
            if (!whole)
                SelectTenWord(window, state.get(), key == VK_F3 ? 1 : -1);
            return 1;
        case VK_OEM_MINUS:
            if (ctrl)
                SendMessageA(window, WM_CHAR, 1, 0);
            return 1;
        default:
            return 0;
        }
    }
    if (edit)
        DiscardError(EditTenChar(window, key, kApplyLayout | kApplyRepaint), "a key the text cannot take is left out");
    return result;
}

int TenCharInput(HWND window, int character, LPARAM keyData)
{
    TenStateLock lock(window);
    if (!lock)
        return 0;
    TenState* state = lock.get();
    TenTextState& live = state->live;
    const bool field = (state->stateFlags & kTenFieldMode) != 0;
    if (character <= 32) {
        if (character == 1) {
            if (keyData != 0 || field)
                return 0;
        } else if (character == 2 || character == 9 || character == 13) {
            if (field)
                return 0;
        } else if (character == 32) {
            if (CtrlHeld() && !field)
                character = kHardSpace;
        } else {
            return 0;
        }
    } else if (state->characterFilter != 0) {
        character = FilterCharacter(state->characterFilter, character);
        if (character < 0) {
            MessageBeep(static_cast<UINT>(-1));
            return 1;
        }
    }
    if (character == 127)
        return 0;
    if (!(state->undoKind == kUndoTyping && !(state->stateFlags & kTenUndoIsRedo))) {
        if (SaveTenUndo(window, state, kUndoTyping) != kErrNone)
            return 1;
    }
    const int firstLine = live.selectionStart.line;
    const int lastLine = live.selectionEnd.line;
    const char typed = static_cast<char>(character);
    int split = 0;
    int stay = 0;
    ErrorCode code = InsertTenChars(state, &typed, 1, &split, &stay, 1);
    int first = 0;
    int end = 0;
    if (code == kErrNone) {
        int to = lastLine + 2;
        if (split) {
            const auto* lines = static_cast<const TextLine*>(GlobalLock(live.lines));
            if (lines) {
                while (to < live.lineCount && !(lines[to - 1].flags & kLineEndsParagraph))
                    ++to;
                GlobalUnlock(live.lines);
            }
        }
        code = LayoutText(window, state, firstLine > 0 ? firstLine - 1 : 0, to, &end, &first);
    }
    if (code != kErrNone) {
        RevertTenUndo(state);
        RefreshCaretPositions(window, state);
        return 1;
    }
    int whole = 0;
    if (state->stateFlags & (kTenFitWidth | kTenFitHeight)) {
        const LONG changed = AutoSizeTenWindow(window, state);
        if (changed != 0)
            whole = 1;
        if (LOWORD(changed) != 0) {
            first = 0;
            end = live.lineCount;
        }
    }
    if (!stay) {
        ++live.anchor.position;
        live.selectionStart.position = live.selectionEnd.position = live.anchor.position;
    }
    RefreshCaretPositions(window, state);
    if (split)
        SyncCaretFormat(window, state, 0);
    if (IsWindowVisible(window)) {
        PaintTextLines(window, state, first, end, whole);
        ScrollCaretIntoView(window, state, nullptr, &live.selectionStart, 0);
    }
    return 1;
}

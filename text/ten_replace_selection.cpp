#include "text/ten_replace_selection.h"

#include <cstring>
#include <vector>

#include "text/ten_char_format.h"
#include "text/ten_edit.h"
#include "text/ten_messages.h"
#include "text/ten_startup.h"
#include "text/ten_state_access.h"
#include "text/text_measure.h"

namespace {

struct NotedStyle {
    int offset;
    int style;
};

} // namespace

ErrorCode ReplaceTenSelection(HWND editor, const char* text, int* change)
{
    const int length = text ? static_cast<int>(std::strlen(text)) : 0;
    std::vector<NotedStyle> noted;
    {
        TenStateLock state(editor);
        if (!state)
            return kErrNotDone;
        const TenTextState& live = state->live;
        const int start = live.selectionStart.position;
        const int end = live.selectionEnd.position;
        if (change)
            *change = length - (end - start);
        const auto* formats = static_cast<const TextFormat*>(GlobalLock(live.formats));
        if (formats && length > 0 && !DbcsEnabled) {
            const int first = FindFormatAt(start, formats, live.formatCount);
            const int last = FindFormatAt(end, formats, live.formatCount);
            for (int i = first + 1; i <= last && i < live.formatCount; ++i) {
                const int offset = formats[i].start - start;
                if (formats[i].start < end && offset < length)
                    noted.push_back({offset, formats[i].style});
            }
        }
        if (formats)
            GlobalUnlock(live.formats);
    }
    ErrorCode code;
    if (length > 0)
        code = InsertTenText(editor, text, length, kApplyLayout | kApplyMoveSelection | (noted.empty() ? kApplyRepaint : 0));
    else
        code = EditTenChar(editor, 0, kApplyLayout | kApplyRepaint);
    if (code != kErrNone || noted.empty())
        return code;
    const LRESULT kept = SendMessageA(editor, TENM_GETSEL, 0, 0);
    const int insertedStart = static_cast<int>(LOWORD(static_cast<DWORD>(kept))) - length;
    for (size_t i = 0; i < noted.size(); ++i) {
        const int from = insertedStart + noted[i].offset;
        const int to = insertedStart + (i + 1 < noted.size() ? noted[i + 1].offset : length);
        SendMessageA(editor, TENM_SETSEL, 0, PackTenPair(from, to));
        SendMessageA(editor, TENM_SETCHARFORMAT, kCharStyle | kApplyLayout, PackTenPair(1, noted[i].style));
        if (to >= insertedStart + length)
            break;
    }
    SendMessageA(editor, TENM_SETSEL, 0, kept);
    return code;
}

#include "text/ten_clipboard.h"

#include <cstddef>
#include <cstring>
#include <vector>

#include "common/io_seam.h"
#include "common/results.h"
#include "text/ten_edit.h"
#include "text/ten_startup.h"
#include "text/ten_state_access.h"
#include "text/text_block_build.h"

UINT QueryTenPasteFormat(HWND window)
{
    if (!OpenClipboard(window))
        return 0;
    UINT format = 0;
    if (TenClipFormat && IsClipboardFormatAvailable(TenClipFormat))
        format = TenClipFormat;
    else if (IsClipboardFormatAvailable(CF_TEXT))
        format = CF_TEXT;
    CloseClipboard();
    return format;
}

int HasTenSelection(HWND editor)
{
    TenStateLock lock(editor);
    if (!lock)
        return 0;
    const TenTextState& live = lock->live;
    return live.selectionStart.position != live.selectionEnd.position && !(live.options & kTenWholeText) ? 1 : 0;
}

int GetTenUndoState(HWND editor, int* redo)
{
    TenStateLock lock(editor);
    if (redo)
        *redo = lock && (lock->stateFlags & kTenUndoIsRedo) ? 1 : 0;
    return lock ? lock->undoKind : 0;
}

ErrorCode CopyTenSelection(HWND owner, HWND editor)
{
    SetAppCursor(1);
    HGLOBAL block = nullptr;
    int textLength = 0;
    {
        TenStateLock lock(editor);
        if (!lock)
            return kErrNone;
        const TenTextState& live = lock->live;
        if (live.selectionStart.position == live.selectionEnd.position)
            return kErrNone;
        block = BuildTextBlock(lock.get(), 0);
        if (!block)
            return kErrNoMemory;
    }
    ErrorCode result = kErrNone;
    HGLOBAL plain = nullptr;
    if (const auto* bytes = static_cast<const unsigned char*>(GlobalLock(block))) {
        TextBlockHeader header;
        std::memcpy(&header, bytes, sizeof(header));
        textLength = header.textLength;
        if (textLength > 0) {
            const char* source = reinterpret_cast<const char*>(bytes + TextBlockTextOffset(header));
            int breaks = 0;
            for (int i = 0; i < textLength; ++i)
                breaks += source[i] == kParagraphEnd ? 1 : 0;
            plain = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT,
                                    static_cast<SIZE_T>(textLength + breaks + 1));
            char* out = plain ? static_cast<char*>(GlobalLock(plain)) : nullptr;
            if (out) {
                const char* text = reinterpret_cast<const char*>(bytes + TextBlockTextOffset(header));
                int n = 0;
                for (int i = 0; i < textLength; ++i) {
                    out[n++] = text[i];
                    if (text[i] == kParagraphEnd)
                        out[n++] = '\n';
                }
                out[n] = 0;
                GlobalUnlock(plain);
            } else {
                if (plain)
                    GlobalFree(plain);
                plain = nullptr;
                result = kErrNoMemory;
            }
        }
        GlobalUnlock(block);
    }
    if (!OpenClipboard(owner)) {
        GlobalFree(block);
        if (plain)
            GlobalFree(plain);
        return result;
    }
    EmptyClipboard();
    if (!SetClipboardData(TenClipFormat, block)) {
        GlobalFree(block);
        result = kErrNoMemory;
    }
    if (plain && !SetClipboardData(CF_TEXT, plain))
        GlobalFree(plain);
    CloseClipboard();
    return result;
}

ErrorCode PasteTenText(HWND owner, HWND editor)
{
    SetAppCursor(1);
    bool plainOnly = false;
    {
        TenStateLock lock(editor);
        if (!lock)
            return kErrNotDone;
        plainOnly = (lock->stateFlags & kTenPastePlainOnly) != 0;
    }
    if (!OpenClipboard(owner))
        return kErrNone;
    bool isBlock = false;
    HANDLE data = nullptr;
    if (!plainOnly && TenClipFormat) {
        data = GetClipboardData(TenClipFormat);
        isBlock = data != nullptr;
    }
    if (!data)
        data = GetClipboardData(CF_TEXT);
    std::vector<char> copy;
    ErrorCode result = kErrNone;
    if (data) {
        const SIZE_T size = GlobalSize(data);
        if (size > kMaxPasteBytes) {
            result = kErrNoMemory;
        } else if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
            copy.assign(bytes, bytes + size);
            copy.push_back(0);
            GlobalUnlock(data);
        } else {
            result = kErrNoMemory;
        }
    }
    CloseClipboard();
    if (result != kErrNone || copy.empty())
        return result;
    if (isBlock) {
        // A block from the clipboard may come from anywhere: InsertTenBlock
        // checks its counts before it touches anything.
        const SIZE_T size = copy.size() - 1;
        if (size >= sizeof(TextBlockHeader)) {
            TextBlockHeader header;
            std::memcpy(&header, copy.data(), sizeof(header));
            if (IsTextBlockSound(copy.data(), size) && header.formatCount > 0) {
                for (int i = 0; i < header.formatCount; ++i) {
                    const size_t at = TextBlockFormatsOffset(header) + sizeof(TextFormat) * static_cast<size_t>(i) +
                                      offsetof(TextFormat, font);
                    std::memset(copy.data() + at, 0, sizeof(int32_t));
                }
            }
        }
        return InsertTenText(editor, copy.data(), 0, kApplyUndoStep | kApplyMoveSelection | kApplyRepaint | kApplyLayout,
                             size);
    }
    std::vector<char> filtered;
    filtered.reserve(copy.size());
    for (size_t i = 0; i < copy.size() && i < static_cast<size_t>(kMaxPastedPlainText) && copy[i] != 0; ++i) {
        if (copy[i] != '\n')
            filtered.push_back(copy[i]);
    }
    if (filtered.empty())
        return kErrNone;
    return InsertTenText(editor, filtered.data(), static_cast<int>(filtered.size()),
                         kApplyUndoStep | kApplyMoveSelection | kApplyRepaint | kApplyLayout);
}

ErrorCode DeleteTenSelection(HWND owner, HWND editor, int cut)
{
    if (cut) {
        ErrorCode code = CopyTenSelection(owner, editor);
        if (code != kErrNone)
            return code;
    }
    {
        TenStateLock lock(editor);
        if (!lock)
            return kErrNone;
        ErrorCode code = SaveTenUndo(editor, lock.get(), kUndoDelete);
        if (code != kErrNone)
            return code;
    }
    return EditTenChar(editor, 0, kApplyLayout | kApplyRepaint);
}

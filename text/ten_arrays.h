// Locked views of an editor's five text arrays (text, formats, lines,
// paragraph block, runs) and their resizing. The blocks stay movable: a view
// locks them for one operation and unlocks them when it goes.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/error_codes.h"
#include "text/ten_state.h"

// Resizes a movable block that may be locked through `*pointer`: unlocks,
// reallocates and locks again. 10004 when the block cannot be resized; the
// block and its pointer then stay as they were.
ErrorCode ResizeLockedBlock(HGLOBAL* handle, void** pointer, SIZE_T bytes);
// The same for a block that is not locked.
ErrorCode ResizeBlock(HGLOBAL* handle, SIZE_T bytes);

struct TenArrays {
    explicit TenArrays(TenTextState* state);
    ~TenArrays();
    TenArrays(const TenArrays&) = delete;
    TenArrays& operator=(const TenArrays&) = delete;

    // True when every array the state names could be locked.
    bool Ok() const { return ok; }
    int ParagraphCount() const;
    TextParagraph* Paragraphs() const { return reinterpret_cast<TextParagraph*>(paragraphBlock + 4); }

    // Each keeps the view's pointer valid.
    ErrorCode ResizeText(SIZE_T bytes);
    ErrorCode ResizeFormats(int count);
    ErrorCode ResizeLines(SIZE_T bytes);
    ErrorCode ResizeRuns(SIZE_T bytes);
    ErrorCode ResizeParagraphs(int count);

    TenTextState* state;
    char* text = nullptr;
    TextFormat* formats = nullptr;
    TextLine* lines = nullptr;
    unsigned char* paragraphBlock = nullptr;
    TextRun* runs = nullptr;

private:
    bool ok = false;
};

// The paragraph records of a locked paragraph block (i32 count, records).
inline int ParagraphBlockCount(const void* block)
{
    if (!block)
        return 0;
    return *static_cast<const int32_t*>(block);
}
inline const TextParagraph* ParagraphBlockRecords(const void* block)
{
    return reinterpret_cast<const TextParagraph*>(static_cast<const unsigned char*>(block) + 4);
}

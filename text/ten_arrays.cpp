#include "text/ten_arrays.h"

#include <cstring>

#include "common/io_seam.h"

namespace {

// A movable block never shrinks to nothing: a zero-byte reallocation would
// discard it.
SIZE_T AtLeastOne(SIZE_T bytes) { return bytes == 0 ? 16 : bytes; }

void* LockOrNull(HGLOBAL handle) { return handle ? GlobalLock(handle) : nullptr; }

} // namespace

ErrorCode ResizeLockedBlock(HGLOBAL* handle, void** pointer, SIZE_T bytes)
{
    if (!*handle)
        return kErrNoMemory;
    if (*pointer)
        GlobalUnlock(*handle);
    HGLOBAL resized = SeamGlobalReAlloc(*handle, AtLeastOne(bytes), GMEM_MOVEABLE);
    if (resized)
        *handle = resized;
    *pointer = GlobalLock(*handle);
    return resized && *pointer ? kErrNone : kErrNoMemory;
}

ErrorCode ResizeBlock(HGLOBAL* handle, SIZE_T bytes)
{
    if (!*handle)
        return kErrNoMemory;
    HGLOBAL resized = SeamGlobalReAlloc(*handle, AtLeastOne(bytes), GMEM_MOVEABLE);
    if (!resized)
        return kErrNoMemory;
    *handle = resized;
    return kErrNone;
}

TenArrays::TenArrays(TenTextState* s) : state(s)
{
    text = static_cast<char*>(LockOrNull(s->text));
    formats = static_cast<TextFormat*>(LockOrNull(s->formats));
    lines = static_cast<TextLine*>(LockOrNull(s->lines));
    paragraphBlock = static_cast<unsigned char*>(LockOrNull(s->paragraphs));
    runs = static_cast<TextRun*>(LockOrNull(s->runs));
    ok = text && formats && lines && paragraphBlock && runs;
}

TenArrays::~TenArrays()
{
    if (text)
        GlobalUnlock(state->text);
    if (formats)
        GlobalUnlock(state->formats);
    if (lines)
        GlobalUnlock(state->lines);
    if (paragraphBlock)
        GlobalUnlock(state->paragraphs);
    if (runs)
        GlobalUnlock(state->runs);
}

int TenArrays::ParagraphCount() const { return ParagraphBlockCount(paragraphBlock); }

ErrorCode TenArrays::ResizeText(SIZE_T bytes)
{
    void* p = text;
    ErrorCode code = ResizeLockedBlock(&state->text, &p, bytes);
    text = static_cast<char*>(p);
    return code;
}

ErrorCode TenArrays::ResizeFormats(int count)
{
    void* p = formats;
    ErrorCode code = ResizeLockedBlock(&state->formats, &p, sizeof(TextFormat) * static_cast<SIZE_T>(count));
    formats = static_cast<TextFormat*>(p);
    return code;
}

ErrorCode TenArrays::ResizeLines(SIZE_T bytes)
{
    void* p = lines;
    ErrorCode code = ResizeLockedBlock(&state->lines, &p, bytes);
    lines = static_cast<TextLine*>(p);
    return code;
}

ErrorCode TenArrays::ResizeRuns(SIZE_T bytes)
{
    void* p = runs;
    ErrorCode code = ResizeLockedBlock(&state->runs, &p, bytes);
    runs = static_cast<TextRun*>(p);
    return code;
}

ErrorCode TenArrays::ResizeParagraphs(int count)
{
    void* p = paragraphBlock;
    ErrorCode code = ResizeLockedBlock(&state->paragraphs, &p, 4 + sizeof(TextParagraph) * static_cast<SIZE_T>(count));
    paragraphBlock = static_cast<unsigned char*>(p);
    return code;
}

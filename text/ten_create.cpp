#include "text/ten_create.h"

#include <cstring>

#include "common/color_helpers.h"
#include "common/io_seam.h"
#include "common/mapping.h"
#include "text/caret_selection.h"
#include "text/format_records.h"
#include "text/ten_arrays.h"
#include "text/ten_autosize.h"
#include "text/ten_edit.h"
#include "text/ten_paint.h"
#include "text/ten_state_access.h"
#include "text/text_block_build.h"
#include "text/text_block_check.h"
#include "text/text_layout.h"
#include "text/text_measure.h"

namespace {

// A break area: top, height, bottom reached, first line, two unused words,
// width.
const int kBreakAreaWords = 7;

HGLOBAL NewBlock(SIZE_T bytes) { return SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes); }

bool MakeArrays(TenTextState* text)
{
    text->formats = NewBlock(sizeof(TextFormat));
    text->paragraphs = NewBlock(4 + sizeof(TextParagraph));
    text->lines = NewBlock(sizeof(TextLine));
    text->runs = NewBlock(sizeof(TextRun));
    text->text = NewBlock(256);
    return text->formats && text->paragraphs && text->lines && text->runs && text->text;
}

void PrepareDC(HDC dc, int zoom, int units, COLORREF background)
{
    SetZoomMapMode(dc, zoom, units);
    SetTextAlign(dc, TA_BASELINE);
    SetBkColor(dc, MapOutputColor(dc, background, 0));
    SetBkMode(dc, TRANSPARENT);
}

void FreeStateBlock(HWND window, HGLOBAL handle, TenState* state)
{
    if (state) {
        if (state->offscreenDC)
            DeleteDC(state->offscreenDC);
        if (state->offscreenBitmap)
            DeleteObject(state->offscreenBitmap);
        if (state->breakAreaList)
            GlobalFree(state->breakAreaList);
        if (state->windowDC)
            ReleaseDC(window, state->windowDC);
        FreeTenArrays(&state->live);
        FreeTenArrays(&state->undo);
        GlobalUnlock(handle);
    }
    if (handle)
        GlobalFree(handle);
    SetWindowLongPtrA(window, 0, 0);
}

// Caret, bottoms and format after a new text.
void ResetSelection(HWND window, TenState* state)
{
    TenTextState& live = state->live;
    TenArrays arrays(&live);
    if (!arrays.Ok() || live.lineCount <= 0)
        return;
    CaretPos zero = {0, 0, 0, arrays.lines[0].left, 1};
    live.selectionStart = live.selectionEnd = live.anchor = zero;
    state->caretX = zero.x;
    state->caretTop = arrays.lines[0].top;
    const TextLine& last = arrays.lines[live.lineCount - 1];
    state->paintedTextBottom = last.top + last.height;
    state->paintedBarBottom = 0;
    (void)window;
}

} // namespace

int ComputeLastWidthChange(HGLOBAL list, int count)
{
    if (!list || count <= 0)
        return 0;
    const auto* words = static_cast<const int32_t*>(GlobalLock(list));
    if (!words)
        return 0;
    const SIZE_T capacity = GlobalSize(list) / (sizeof(int32_t) * kBreakAreaWords);
    if (static_cast<SIZE_T>(count) > capacity)
        count = static_cast<int>(capacity);
    int last = 0;
    int seen = count > 0 ? words[6] : 0;
    for (int i = 1; i < count; ++i) {
        const int width = words[i * kBreakAreaWords + 6];
        if (width != seen) {
            last = i;
            seen = width;
        }
    }
    GlobalUnlock(list);
    return last;
}

void FreeTenArrays(TenTextState* text)
{
    HGLOBAL* handles[5] = {&text->text, &text->formats, &text->lines, &text->paragraphs, &text->runs};
    for (HGLOBAL* handle : handles) {
        if (*handle) {
            GlobalFree(*handle);
            *handle = nullptr;
        }
    }
}

namespace {

// Creation flags: the initial text is used; the window stays hidden.
const int kCreateWithText = 1;
const int kCreateHidden = 2;
// A text block grows in steps; this much room comes with the first text.
const int kTextRoom = 256;

// The editor keeps its own copy of the owner's break areas.
ErrorCode CopyBreakAreas(TenState* state, const TenCreateParams* params)
{
    state->breakAreaCount = 0;
    if (!params->breakAreaList)
        return kErrNone;
    const SIZE_T size = GlobalSize(params->breakAreaList);
    state->breakAreaList = NewBlock(size);
    const void* from = GlobalLock(params->breakAreaList);
    void* to = state->breakAreaList ? GlobalLock(state->breakAreaList) : nullptr;
    if (from && to)
        std::memcpy(to, from, size);
    if (to)
        GlobalUnlock(state->breakAreaList);
    if (from)
        GlobalUnlock(params->breakAreaList);
    if (!to)
        return kErrNoMemory;
    state->breakAreaCount = params->breakAreaCount;
    return kErrNone;
}

// The window's DC and an off-screen copy of the client area, no taller than
// the screen.
ErrorCode MakeEditorSurfaces(HWND window, TenState* state, const RECT& client)
{
    HDC own = GetDC(window);
    state->windowDC = own;
    state->offscreenDC = own ? CreateCompatibleDC(own) : nullptr;
    if (!state->offscreenDC)
        return kErrNoMemory;
    int bitmapHeight = client.bottom;
    const int screenHeight = GetDeviceCaps(own, VERTRES);
    if (screenHeight > 0 && bitmapHeight > screenHeight)
        bitmapHeight = screenHeight;
    state->offscreenBitmap = CreateCompatibleBitmap(own, client.right > 0 ? client.right : 1,
                                                    bitmapHeight > 0 ? bitmapHeight : 1);
    if (state->offscreenBitmap)
        SelectObject(state->offscreenDC, state->offscreenBitmap);
    state->bitmapWidth = client.right;
    state->bitmapHeight = bitmapHeight;
    return kErrNone;
}

void TakeCreateParams(TenState* state, const TenCreateParams* params)
{
    state->live.verticalAlignment = params->verticalAlignment;
    state->palette = params->palette;
    state->fontTable = params->fontTable;
    state->fontList = params->fontList;
    state->editorRole = params->editorRole;
    state->characterFilter = params->characterFilter;
    state->maximumLength = params->maximumLength;
    state->unitsPerInch = params->unitsPerInch > 0 ? params->unitsPerInch : kDrawingUnitsPerInch;
    std::memcpy(state->textInsets, params->textInsets, sizeof(state->textInsets));
    state->labelReference = params->labelReference;
    state->maximumWidth = params->maximumWidth;
    state->maximumHeight = params->maximumHeight;
    state->minimumHeight = params->minimumHeight;
    state->minimumWidth = params->minimumWidth;
    state->heightStep = params->heightStep;
    state->widthStep = params->widthStep;
    state->margins = params->margins;
    state->zoom = params->zoom;
    state->backgroundCallback = params->backgroundCallback;
    state->stateFlags = static_cast<uint32_t>(params->stateFlags);
    if (params->creationFlags & kTenCreateQuiet)
        state->stateFlags |= kTenQuiet;
    state->backgroundColor = params->backgroundColor;
    state->originX = params->originX;
    state->originY = params->originY;
    state->effect = params->effect;
    state->defaultFace = params->face;
    state->ownerFrame = params->ownerFrame;
    state->measuringDC = params->measuringDC;
}

// The DCs in drawing units at the editor's zoom; the box in drawing units.
void PrepareEditorDCs(TenState* state, const RECT& client, const TenCreateParams* params)
{
    PrepareDC(state->windowDC, state->zoom, state->unitsPerInch, state->backgroundColor);
    PrepareDC(state->offscreenDC, state->zoom, state->unitsPerInch, state->backgroundColor);
    SetZoomMapMode(state->measuringDC, 0, state->unitsPerInch);
    SetTextAlign(state->measuringDC, TA_BASELINE);

    SIZE box = {client.right, client.bottom};
    DeviceToLogicalSize(state->windowDC, &box);
    TenTextState& live = state->live;
    live.boxWidth = box.cx;
    live.boxHeight = box.cy;
    live.options = static_cast<uint32_t>(params->options);
    live.neededHeight = 0;
    state->lastWidthChange = ComputeLastWidthChange(state->breakAreaList, state->breakAreaCount);
}

// The initial text, cut to the longest a text may be.
ErrorCode PutInitialText(TenState* state, const TenCreateParams* params)
{
    TenTextState& live = state->live;
    int length = 0;
    if (params->initialText && (params->creationFlags & kCreateWithText)) {
        length = static_cast<int>(std::strlen(params->initialText));
        if (length > kMaxTextBytes)
            length = kMaxTextBytes;
        if (ResizeBlock(&live.text, static_cast<SIZE_T>(length) + kTextRoom) != kErrNone)
            return kErrNoMemory;
        char* text = static_cast<char*>(GlobalLock(live.text));
        std::memcpy(text, params->initialText, static_cast<size_t>(length));
        GlobalUnlock(live.text);
    }
    live.textLength = length;
    return kErrNone;
}

// One format over the whole text and one paragraph.
void WriteFirstFormatAndParagraph(TenState* state, const TenCreateParams* params)
{
    TenTextState& live = state->live;
    auto* formats = static_cast<TextFormat*>(GlobalLock(live.formats));
    TextFormat first = {};
    first.face = params->face;
    first.size = params->size;
    first.style = params->style;
    first.color = params->color;
    first.script = params->script;
    first.hyphenation = params->hyphenation;
    first.requestedSize = params->size;
    first.length = live.textLength;
    formats[0] = first;
    GlobalUnlock(live.formats);
    auto* paragraphBlock = static_cast<unsigned char*>(GlobalLock(live.paragraphs));
    const int32_t one = 1;
    std::memcpy(paragraphBlock, &one, sizeof(one));
    const TextParagraph paragraph = NewTextParagraph(params->alignment, state->unitsPerInch);
    std::memcpy(paragraphBlock + sizeof(one), &paragraph, sizeof(paragraph));
    GlobalUnlock(live.paragraphs);
}

// Everything of a new state that comes from the creation parameters: its
// fields, the DCs' mapping, the first format, paragraph and text, the first
// layout. The arrays, break areas and DCs are there already. A failure frees
// the state.
ErrorCode StartTenState(HWND window, HGLOBAL handle, TenState* state, const TenCreateParams* params,
                        const RECT& client)
{
    TakeCreateParams(state, params);
    PrepareEditorDCs(state, client, params);
    TenTextState& live = state->live;
    live.ownerObjectIndex = params->ownerObjectIndex;
    live.formatCount = 1;
    live.lineCount = 1;
    live.runCount = 1;
    ErrorCode code = PutInitialText(state, params);
    if (code != kErrNone) {
        FreeStateBlock(window, handle, state);
        return code;
    }
    WriteFirstFormatAndParagraph(state, params);
    RefreshStateFormatFonts(state, 0, live.formatCount - 1);
    GlobalUnlock(handle);
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(handle));
    state = static_cast<TenState*>(GlobalLock(handle));
    int end = 0;
    int firstChanged = 0;
    code = LayoutText(window, state, 0, kLayoutToEnd, &end, &firstChanged);
    if (code != kErrNone) {
        FreeStateBlock(window, handle, state);
        return code;
    }
    if ((state->stateFlags & (kTenFitWidth | kTenFitHeight)) && state->live.textLength > 0)
        AutoSizeTenWindow(window, state);
    ResetSelection(window, state);
    SyncCaretFormat(window, state, kSyncForce);
    GlobalUnlock(handle);
    if (!(params->creationFlags & kCreateHidden))
        ShowWindow(window, SW_SHOW);
    return kErrNone;
}

} // namespace

ErrorCode CreateTenState(HWND window, const TenCreateParams* params)
{
    SetWindowLongPtrA(window, 0, 0);
    if (!params || !params->fontList || !params->fontTable || !params->measuringDC)
        return kErrNotDone;
    HGLOBAL handle = NewBlock(sizeof(TenState));
    auto* state = handle ? static_cast<TenState*>(GlobalLock(handle)) : nullptr;
    if (!state) {
        FreeStateBlock(window, handle, nullptr);
        return kErrNoMemory;
    }
    RECT client = {};
    GetClientRect(window, &client);
    ErrorCode code = kErrNoMemory;
    if (MakeArrays(&state->live) && MakeArrays(&state->undo))
        code = CopyBreakAreas(state, params);
    if (code == kErrNone)
        code = MakeEditorSurfaces(window, state, client);
    if (code != kErrNone) {
        FreeStateBlock(window, handle, state);
        return code;
    }
    return StartTenState(window, handle, state, params, client);
}

// A hidden editor that lays out one text after another keeps its window and
// DCs: only what the parameters set is made anew.
ErrorCode ResetTenState(HWND window, const TenCreateParams* params)
{
    HGLOBAL handle = TenStateHandle(window);
    if (!handle || !params || !params->fontList || !params->fontTable || !params->measuringDC ||
        params->breakAreaList) {
        DestroyTenState(window);
        return CreateTenState(window, params);
    }
    auto* state = static_cast<TenState*>(GlobalLock(handle));
    if (!state) {
        DestroyTenState(window);
        return CreateTenState(window, params);
    }
    const TenState kept = *state;
    FreeTenArrays(&state->live);
    FreeTenArrays(&state->undo);
    if (state->breakAreaList)
        GlobalFree(state->breakAreaList);
    std::memset(state, 0, sizeof(*state));
    state->windowDC = kept.windowDC;
    state->offscreenDC = kept.offscreenDC;
    state->offscreenBitmap = kept.offscreenBitmap;
    state->bitmapWidth = kept.bitmapWidth;
    state->bitmapHeight = kept.bitmapHeight;
    if (!MakeArrays(&state->live) || !MakeArrays(&state->undo)) {
        FreeStateBlock(window, handle, state);
        return kErrNoMemory;
    }
    RECT client = {};
    GetClientRect(window, &client);
    return StartTenState(window, handle, state, params, client);
}

int DestroyTenState(HWND window)
{
    HGLOBAL handle = TenStateHandle(window);
    if (!handle)
        return 0;
    auto* state = static_cast<TenState*>(GlobalLock(handle));
    if (state) {
        if (state->offscreenDC)
            DeleteDC(state->offscreenDC);
        state->offscreenDC = nullptr;
        if (state->offscreenBitmap)
            DeleteObject(state->offscreenBitmap);
        state->offscreenBitmap = nullptr;
        if (state->breakAreaList)
            GlobalFree(state->breakAreaList);
        state->breakAreaList = nullptr;
        if (state->windowDC)
            SelectObject(state->windowDC, GetStockObject(SYSTEM_FONT));
        if (state->measuringDC)
            SelectObject(state->measuringDC, GetStockObject(SYSTEM_FONT));
        FreeTenArrays(&state->undo);
        FreeTenArrays(&state->live);
        if (state->windowDC)
            ReleaseDC(window, state->windowDC);
        state->windowDC = nullptr;
        GlobalUnlock(handle);
    }
    GlobalFree(handle);
    SetWindowLongPtrA(window, 0, 0);
    return 0;
}

ErrorCode SetTenTextBlock(HWND window, int flags, const void* block, SIZE_T blockSize)
{
    TenStateLock lock(window);
    if (!lock)
        return kErrNoMemory;
    TenState* state = lock.get();
    TenTextState& live = state->live;
    if (block && !CheckTextBlock(block, blockSize))
        return kErrNoMemory;
    ErrorCode code = SaveTenUndo(window, state, kUndoSnapshot);
    TextBlockHeader header = {};
    if (code == kErrNone) {
        TenArrays arrays(&live);
        if (!arrays.Ok())
            code = kErrNoMemory;
        if (code == kErrNone && !block) {
            live.formatCount = 1;
            arrays.formats[0].length = 0;
            arrays.formats[0].start = 0;
            live.textLength = 0;
        } else if (code == kErrNone) {
            const auto* base = static_cast<const unsigned char*>(block);
            std::memcpy(&header, base, sizeof(header));
            if (header.lineCount > 0) {
                code = arrays.ResizeLines(sizeof(TextLine) * static_cast<SIZE_T>(header.lineCount));
                if (code == kErrNone) {
                    std::memcpy(arrays.lines, base + TextBlockLinesOffset(),
                                sizeof(TextLine) * static_cast<size_t>(header.lineCount));
                    live.lineCount = header.lineCount;
                }
            }
            if (code == kErrNone && header.formatCount > 0) {
                code = arrays.ResizeFormats(header.formatCount);
                if (code == kErrNone) {
                    std::memcpy(arrays.formats, base + TextBlockFormatsOffset(header),
                                sizeof(TextFormat) * static_cast<size_t>(header.formatCount));
                    live.formatCount = header.formatCount;
                }
            } else if (code == kErrNone) {
                live.formatCount = 1;
                arrays.formats[0].start = 0;
                arrays.formats[0].length = 0;
            }
            if (code == kErrNone && header.paragraphCount > 0) {
                code = arrays.ResizeParagraphs(header.paragraphCount);
                if (code == kErrNone) {
                    std::memcpy(arrays.paragraphBlock, &header.paragraphCount, 4);
                    std::memcpy(arrays.paragraphBlock + 4, base + TextBlockParagraphsOffset(header),
                                sizeof(TextParagraph) * static_cast<size_t>(header.paragraphCount));
                }
            }
            if (code == kErrNone && header.runCount > 0) {
                code = arrays.ResizeRuns(sizeof(TextRun) * static_cast<SIZE_T>(header.runCount));
                if (code == kErrNone) {
                    std::memcpy(arrays.runs, base + TextBlockRunsOffset(header),
                                sizeof(TextRun) * static_cast<size_t>(header.runCount));
                    live.runCount = header.runCount;
                }
            }
            // Stored lines are never used as they are, but their indexes
            // must not point outside the arrays until the layout below.
            for (int i = 0; code == kErrNone && i < live.lineCount; ++i) {
                arrays.lines[i].firstRun = 0;
                arrays.lines[i].runCount = 0;
                arrays.lines[i].firstFormat = 0;
                arrays.lines[i].firstPosition = 0;
            }
            // A stored font handle belongs to the process that wrote it:
            // every format gets its font from this process's cache.
            for (int i = 0; code == kErrNone && i < live.formatCount; ++i)
                MakeFormatFont(state, &arrays.formats[i]);
            if (code == kErrNone) {
                state->effect = header.effect;
                code = arrays.ResizeText(static_cast<SIZE_T>(header.textLength) + 256);
            }
            if (code == kErrNone) {
                std::memcpy(arrays.text, base + TextBlockTextOffset(header), static_cast<size_t>(header.textLength));
                live.textLength = header.textLength;
                live.ownerObjectIndex = header.ownerObjectIndex;
                live.options = header.options;
            }
        }
    }
    if (code == kErrNone)
        code = NormalizeFormats(state);
    if (code == kErrNone) {
        int end = 0;
        int first = 0;
        code = LayoutText(window, state, 0, kLayoutToEnd, &end, &first);
    }
    if (code == kErrNone) {
        live.neededHeight = NeededTextHeight(state);
        bool sized = false;
        if (window && IsWindowVisible(window) && !(flags & kSetBlockNoAutoSize) &&
            (state->stateFlags & (kTenFitWidth | kTenFitHeight)))
            sized = AutoSizeTenWindow(window, state) != 0;
        ResetSelection(window, state);
        SyncCaretFormat(window, state, kSyncForce);
        if ((flags & kSetBlockRepaint) && window) {
            PaintTextLines(window, state, 0, live.lineCount, sized ? 1 : 0);
            if (live.textLength == 0)
                ScrollCaretIntoView(window, state, nullptr, &live.selectionStart, 0);
        }
    } else {
        RevertTenUndo(state);
    }
    const ErrorCode saved = SaveTenUndo(window, state, 0);
    live.options &= ~static_cast<uint32_t>(kTenModified);
    return code != kErrNone ? code : saved;
}

HGLOBAL GetTenTextBlock(HWND window, uint32_t flags)
{
    TenStateLock lock(window);
    if (!lock)
        return nullptr;
    return BuildTextBlock(lock.get(), flags);
}

int SetTenBreakAreas(HWND window, HGLOBAL list, int count)
{
    TenStateLock lock(window);
    if (!lock)
        return 0;
    if (lock->breakAreaList && lock->breakAreaList != list)
        GlobalFree(lock->breakAreaList);
    lock->breakAreaList = list;
    lock->breakAreaCount = list ? count : 0;
    lock->lastWidthChange = ComputeLastWidthChange(list, lock->breakAreaCount);
    return 0;
}

// Text engine figures: a full layout of a 32,000-byte text of 300 paragraphs
// in a 3-inch box, 1,000 characters typed into its middle one by one (each
// reflowed incrementally), and repainting the whole text at 150 per cent.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/mapping.h"
#include "text/caret_selection.h"
#include "text/font_cache.h"
#include "text/font_list.h"
#include "text/ten_arrays.h"
#include "text/ten_create.h"
#include "text/ten_edit.h"
#include "text/ten_notifications.h"
#include "text/ten_paint.h"
#include "text/ten_startup.h"
#include "text/text_layout.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point since)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == TENN_RESIZE)
        return 1;
    return DefWindowProcA(window, message, wParam, lParam);
}

std::string SampleText()
{
    const char* words[] = {"diagram", "shape", "connector", "library", "symbol", "text", "layout", "printer",
                           "zoom", "metafile", "paragraph", "format"};
    std::string text;
    unsigned seed = 7;
    for (int paragraph = 0; paragraph < 300; ++paragraph) {
        const size_t target = 32000 * static_cast<size_t>(paragraph + 1) / 300 - 1;
        while (text.size() < target) {
            seed = seed * 1103515245u + 12345u;
            text += words[(seed >> 16) % 12];
            text += ' ';
        }
        text.resize(target);
        text += '\r';
    }
    text.resize(32000);
    return text;
}

std::vector<unsigned char> MakeBlock(const std::string& text)
{
    TextBlockHeader header = {};
    header.formatCount = 1;
    header.textLength = static_cast<int32_t>(text.size());
    header.paragraphCount = 1;
    header.options = kTenWordWrap;
    header.ownerObjectIndex = -1;
    std::vector<unsigned char> block(TextBlockTextOffset(header) + text.size());
    std::memcpy(block.data(), &header, sizeof(header));
    TextFormat format = {};
    format.size = 10;
    format.requestedSize = 10;
    format.length = header.textLength;
    std::memcpy(block.data() + TextBlockFormatsOffset(header), &format, sizeof(format));
    const TextParagraph paragraph = NewTextParagraph(32, 600);
    std::memcpy(block.data() + TextBlockParagraphsOffset(header), &paragraph, sizeof(paragraph));
    std::memcpy(block.data() + TextBlockTextOffset(header), text.data(), text.size());
    return block;
}

} // namespace

int main()
{
    if (CreateFontCache() != kErrNone || InitTen() != kErrNone ||
        RegisterTenClass(GetModuleHandleA(nullptr)) != kErrNone) {
        std::printf("starting the text engine failed\n");
        return 1;
    }
    WNDCLASSA parentClass = {};
    parentClass.lpfnWndProc = ParentProc;
    parentClass.hInstance = GetModuleHandleA(nullptr);
    parentClass.lpszClassName = "TextBenchParent";
    RegisterClassA(&parentClass);
    HWND parent = CreateWindowA("TextBenchParent", "bench", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);

    HGLOBAL fontList = NewFontList();
    FontListEntry entry = {};
    entry.logFont.lfHeight = -12;
    entry.logFont.lfWeight = FW_NORMAL;
    entry.logFont.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    lstrcpynA(entry.logFont.lfFaceName, "Arial", LF_FACESIZE);
    entry.kind = kFontTrueType;
    entry.cacheSlotHint = -1;
    AppendFontListEntry(&fontList, entry);
    HGLOBAL fontTable = NewFontTable();
    FindOrAddFontIndex(&fontTable, 0);
    HDC measuring = CreateCompatibleDC(nullptr);

    TenCreateParams params = {};
    params.fontList = fontList;
    params.fontTable = fontTable;
    params.size = 10;
    params.ownerObjectIndex = -1;
    params.options = kTenWordWrap;
    params.creationFlags = 2;
    params.measuringDC = measuring;
    params.unitsPerInch = 600;
    params.backgroundColor = RGB(255, 255, 255);
    HWND editor = CreateWindowExA(0, "TENClass", "", WS_CHILD, 0, 0, 300, 200, parent, nullptr,
                                  GetModuleHandleA(nullptr), &params);
    HGLOBAL handle = reinterpret_cast<HGLOBAL>(GetWindowLongPtrA(editor, 0));
    if (!editor || !handle) {
        std::printf("no editor\n");
        return 1;
    }
    const std::vector<unsigned char> block = MakeBlock(SampleText());
    if (SetTenTextBlock(editor, 0, block.data(), block.size()) != kErrNone) {
        std::printf("loading the text failed\n");
        return 1;
    }
    auto* state = static_cast<TenState*>(GlobalLock(handle));
    state->live.boxWidth = 1800;  // 3 inches
    state->live.boxHeight = 32000;

    int end = 0;
    int first = 0;
    const int layouts = 20;
    Clock::time_point t0 = Clock::now();
    for (int i = 0; i < layouts; ++i) {
        if (LayoutText(editor, state, 0, kLayoutToEnd, &end, &first) != kErrNone) {
            std::printf("layout failed\n");
            return 1;
        }
    }
    std::printf("full layout: %d bytes, 300 paragraphs, %d lines, %d runs: %.2f ms each\n", state->live.textLength,
                state->live.lineCount, state->live.runCount, Milliseconds(t0) / layouts);

    // Typing over the middle keeps the text at 32,000 bytes, below the limit.
    const int middle = state->live.textLength / 2;
    MakeCaretPos(state, &state->live.selectionStart, middle, nullptr);
    state->live.selectionEnd = state->live.anchor = state->live.selectionStart;
    GlobalUnlock(handle);
    int refused = 0;
    t0 = Clock::now();
    for (int i = 0; i < 1000; ++i) {
        state = static_cast<TenState*>(GlobalLock(handle));
        const int at = state->live.selectionStart.position;
        MakeCaretPos(state, &state->live.selectionEnd, at + 1, nullptr);
        GlobalUnlock(handle);
        const char typed = static_cast<char>(i % 7 == 6 ? ' ' : 'a' + i % 26);
        if (InsertTenText(editor, &typed, 1, kApplyLayout | kApplyMoveSelection) != kErrNone)
            ++refused;
    }
    const double typing = Milliseconds(t0);
    state = static_cast<TenState*>(GlobalLock(handle));
    std::printf("typing 1000 characters with incremental reflow: %.1f ms in all, %.3f ms each (%d refused)\n", typing,
                typing / 1000, refused);

    // Repainting every line at 150 per cent with fitted widths.
    HDC screen = GetDC(nullptr);
    HDC canvas = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 500, 2000);
    ReleaseDC(nullptr, screen);
    SelectObject(canvas, bitmap);
    SetZoomMapMode(canvas, 1500, 600);
    SetTextAlign(canvas, TA_BASELINE);
    SetBkMode(canvas, TRANSPARENT);
    const int paints = 10;
    t0 = Clock::now();
    for (int i = 0; i < paints; ++i) {
        TenArrays arrays(&state->live);
        TextPaintOptions options = {};
        options.measuringDC = measuring;
        options.fit = 1500;
        options.fontList = fontList;
        options.fontTable = fontTable;
        options.unitsPerInch = 600;
        DrawTextLines(canvas, TenLinesView(state, arrays), 0, state->live.lineCount, options);
    }
    std::printf("repaint of %d lines at 150%%: %.2f ms each\n", state->live.lineCount, Milliseconds(t0) / paints);
    GlobalUnlock(handle);
    DeleteDC(canvas);
    DeleteObject(bitmap);
    DestroyWindow(editor);
    DestroyWindow(parent);
    TermTen();
    return 0;
}

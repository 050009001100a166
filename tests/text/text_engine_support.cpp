#include "text_engine_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "font_test_support.h"
#include "text/caret_selection.h"
#include "text/font_cache.h"
#include "text/ten_arrays.h"
#include "text/ten_create.h"
#include "text/ten_notifications.h"
#include "text/ten_startup.h"
#include "text/text_layout.h"

namespace {

HGLOBAL fontList = nullptr;
HGLOBAL fontTable = nullptr;
HDC measuringDC = nullptr;
std::map<UINT, int> received;
std::map<UINT, std::pair<WPARAM, LPARAM>> lastReceived;
const char kParentClass[] = "TextTestParent";

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= 1124 && message <= 1200) {
        ++received[message];
        lastReceived[message] = {wParam, lParam};
        if (message == TENN_RESIZE)
            return 1;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Posted notifications wait in the queue: count them in.
void DrainQueue()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

template <typename T>
std::vector<T> ReadArray(HGLOBAL handle, int count)
{
    std::vector<T> items;
    const auto* data = static_cast<const T*>(GlobalLock(handle));
    if (data) {
        items.assign(data, data + count);
        GlobalUnlock(handle);
    }
    return items;
}

} // namespace

void StartTextEngine()
{
    EXPECT_EQ(kErrNone, CreateFontCache());
    if (!TenClipFormat || !CharWidthBuffer) {
        EXPECT_EQ(kErrNone, InitTen());
    }
    EXPECT_EQ(kErrNone, RegisterTenClass(GetModuleHandleA(nullptr)));
    WNDCLASSA parentClass = {};
    parentClass.lpfnWndProc = ParentProc;
    parentClass.hInstance = GetModuleHandleA(nullptr);
    parentClass.lpszClassName = kParentClass;
    RegisterClassA(&parentClass);
    if (!fontList) {
        fontList = MakeFontList({{"Arial", ANSI_CHARSET, VARIABLE_PITCH | FF_SWISS, kFontTrueType},
                                 {"Times New Roman", ANSI_CHARSET, VARIABLE_PITCH | FF_ROMAN, kFontTrueType},
                                 {"Courier New", ANSI_CHARSET, FIXED_PITCH | FF_MODERN, kFontTrueType},
                                 {"Symbol", SYMBOL_CHARSET, VARIABLE_PITCH | FF_DECORATIVE, kFontTrueType}});
        fontTable = MakeFontTable({0, 1, 2, 3});
    }
    if (!measuringDC)
        measuringDC = CreateCompatibleDC(nullptr);
}

void StopTextEngine()
{
    DrainQueue();
}

HGLOBAL TestFontList() { return fontList; }
HGLOBAL TestFontTable() { return fontTable; }
HDC TestMeasuringDC() { return measuringDC; }

bool LastNotification(UINT code, WPARAM* wParam, LPARAM* lParam)
{
    DrainQueue();
    auto found = lastReceived.find(code);
    if (found == lastReceived.end())
        return false;
    *wParam = found->second.first;
    *lParam = found->second.second;
    return true;
}

int TakeNotifications(UINT code)
{
    DrainQueue();
    if (code == 0) {
        lastReceived.clear();
        received.clear();
    }
    const int count = received[code];
    received[code] = 0;
    return count;
}

TextParagraph Paragraph(int alignment, int tabInterval)
{
    TextParagraph paragraph = {};
    paragraph.alignment = alignment;
    paragraph.reserved = 120;
    paragraph.tabInterval = tabInterval;
    paragraph.hyphenate = 1;
    return paragraph;
}

std::vector<unsigned char> MakeBlock(const std::string& text, const std::vector<FormatSpec>& specs,
                                     const std::vector<TextParagraph>& paragraphs)
{
    TextBlockHeader header = {};
    header.formatCount = static_cast<int32_t>(specs.size());
    header.textLength = static_cast<int32_t>(text.size());
    header.paragraphCount = static_cast<int32_t>(paragraphs.size());
    header.options = kTenWordWrap;
    header.ownerObjectIndex = -1;
    std::vector<unsigned char> block(TextBlockTextOffset(header) + text.size());
    std::memcpy(block.data(), &header, sizeof(header));
    int start = 0;
    for (size_t i = 0; i < specs.size(); ++i) {
        TextFormat format = {};
        format.face = specs[i].face;
        format.size = specs[i].size;
        format.requestedSize = specs[i].size;
        format.style = specs[i].style;
        format.script = specs[i].script;
        format.paragraphIndex = specs[i].paragraph;
        format.flags = specs[i].flags;
        format.color = specs[i].color;
        format.start = start;
        format.length = specs[i].length;
        start += specs[i].length;
        std::memcpy(block.data() + TextBlockFormatsOffset(header) + i * sizeof(TextFormat), &format, sizeof(format));
    }
    if (!paragraphs.empty())
        std::memcpy(block.data() + TextBlockParagraphsOffset(header), paragraphs.data(),
                    paragraphs.size() * sizeof(TextParagraph));
    std::memcpy(block.data() + TextBlockTextOffset(header), text.data(), text.size());
    return block;
}

TestEditor::TestEditor(const EditorSetup& setup)
{
    StartTextEngine();
    parent_ = CreateWindowExA(0, kParentClass, "parent", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    TenCreateParams params = {};
    params.fontList = fontList;
    params.fontTable = fontTable;
    params.margins = setup.margins;
    params.zoom = setup.zoom;
    params.initialText = setup.text;
    params.size = 12;
    params.alignment = setup.alignment;
    params.maximumLength = setup.maximumLength;
    params.ownerObjectIndex = -1;
    params.options = static_cast<int32_t>(setup.options);
    params.creationFlags = 1 | 2;
    params.measuringDC = measuringDC;
    params.unitsPerInch = 600;
    params.verticalAlignment = setup.verticalAlignment;
    params.effect = setup.effect;
    params.backgroundColor = RGB(255, 255, 255);
    params.maximumWidth = 32000;
    params.maximumHeight = 32000;
    window_ = CreateWindowExA(0, "TENClass", "", WS_CHILD, 0, 0, 300, 200, parent_, nullptr,
                              GetModuleHandleA(nullptr), &params);
    if (!window_)
        return;
    handle_ = reinterpret_cast<HGLOBAL>(GetWindowLongPtrA(window_, 0));
    state_ = handle_ ? static_cast<TenState*>(GlobalLock(handle_)) : nullptr;
    if (state_)
        SetBox(setup.boxWidth, setup.boxHeight);
    TakeNotifications(0);
}

TestEditor::~TestEditor()
{
    if (state_)
        GlobalUnlock(handle_);
    if (window_)
        DestroyWindow(window_);
    if (parent_)
        DestroyWindow(parent_);
    StopTextEngine();
}

ErrorCode TestEditor::Load(const std::vector<unsigned char>& block)
{
    const uint32_t options = state_->live.options;
    const int width = state_->live.boxWidth;
    const int height = state_->live.boxHeight;
    const ErrorCode code = SetTenTextBlock(window_, 0, block.data(), block.size());
    state_->live.options = options;
    SetBox(width, height);
    return code;
}

ErrorCode TestEditor::Layout()
{
    int end = 0;
    int first = 0;
    const ErrorCode code = LayoutText(window_, state_, 0, kLayoutToEnd, &end, &first);
    RefreshCaretPositions(window_, state_);
    return code;
}

void TestEditor::SetBox(int width, int height)
{
    state_->live.boxWidth = width;
    state_->live.boxHeight = height;
    EXPECT_EQ(kErrNone, Layout());
}

void TestEditor::Select(int start, int end)
{
    MakeCaretPos(state_, &state_->live.selectionStart, start, nullptr);
    MakeCaretPos(state_, &state_->live.selectionEnd, end, nullptr);
    state_->live.anchor = state_->live.selectionStart;
}

std::string TestEditor::Text() const
{
    const char* text = static_cast<const char*>(GlobalLock(state_->live.text));
    std::string result(text, text + state_->live.textLength);
    GlobalUnlock(state_->live.text);
    return result;
}

std::vector<TextLine> TestEditor::Lines() const { return ReadArray<TextLine>(state_->live.lines, state_->live.lineCount); }
std::vector<TextRun> TestEditor::Runs() const { return ReadArray<TextRun>(state_->live.runs, state_->live.runCount); }
std::vector<TextFormat> TestEditor::Formats() const
{
    return ReadArray<TextFormat>(state_->live.formats, state_->live.formatCount);
}

std::vector<TextParagraph> TestEditor::Paragraphs() const
{
    std::vector<TextParagraph> records;
    const auto* block = static_cast<const unsigned char*>(GlobalLock(state_->live.paragraphs));
    if (block) {
        int32_t count = 0;
        std::memcpy(&count, block, 4);
        const auto* first = reinterpret_cast<const TextParagraph*>(block + 4);
        records.assign(first, first + count);
        GlobalUnlock(state_->live.paragraphs);
    }
    return records;
}

std::vector<std::string> TestEditor::LineTexts() const
{
    const std::string text = Text();
    std::vector<std::string> result;
    for (const TextLine& line : Lines())
        result.push_back(text.substr(static_cast<size_t>(line.firstPosition), static_cast<size_t>(line.length)));
    return result;
}

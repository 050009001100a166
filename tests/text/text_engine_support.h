// Text editors made for the engine tests: a hidden parent that records the
// notifications and grants every size, the fonts, and helpers to read the
// live arrays back.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "common/error_codes.h"
#include "text/ten_state.h"

// One stretch of a block made by hand.
struct FormatSpec {
    int length;
    int face = 0;
    int size = 12;
    int style = 0;
    int script = 0;
    int paragraph = 0;
    uint32_t flags = 0;
    COLORREF color = 0;
};

// A text block image for the given text, stretches and paragraph records.
std::vector<unsigned char> MakeBlock(const std::string& text, const std::vector<FormatSpec>& formats,
                                     const std::vector<TextParagraph>& paragraphs);
TextParagraph Paragraph(int alignment, int tabInterval = 150);

struct EditorSetup {
    int boxWidth = 1800;       // logical units (600 per inch)
    int boxHeight = 32000;
    RECT margins = {0, 0, 0, 0};
    int zoom = 0;
    uint32_t options = kTenWordWrap;
    int verticalAlignment = 0;
    int alignment = 0;
    int maximumLength = 0;
    TextEffect effect = {};
    const char* text = nullptr;
};

class TestEditor {
public:
    explicit TestEditor(const EditorSetup& setup = EditorSetup());
    ~TestEditor();
    TestEditor(const TestEditor&) = delete;
    TestEditor& operator=(const TestEditor&) = delete;

    HWND window() const { return window_; }
    HWND parent() const { return parent_; }
    bool ok() const { return window_ != nullptr && state_ != nullptr; }
    TenState* state() const { return state_; }

    // Loads a block; the box size and options of the setup stay.
    ErrorCode Load(const std::vector<unsigned char>& block);
    ErrorCode Layout();
    void SetBox(int width, int height);
    void Select(int start, int end);

    std::string Text() const;
    std::vector<TextLine> Lines() const;
    std::vector<TextRun> Runs() const;
    std::vector<TextFormat> Formats() const;
    std::vector<TextParagraph> Paragraphs() const;
    // The texts of the laid-out lines (trailing spaces included).
    std::vector<std::string> LineTexts() const;

private:
    HWND parent_ = nullptr;
    HWND window_ = nullptr;
    HGLOBAL handle_ = nullptr;
    TenState* state_ = nullptr;
};

// Engine-wide values, the font cache and the fonts of the tests: Arial,
// Times New Roman, Courier New and a symbol face as slots 0 to 3.
void StartTextEngine();
void StopTextEngine();
HGLOBAL TestFontList();
HGLOBAL TestFontTable();
HDC TestMeasuringDC();
// Notifications of `code` the parent received since the last call.
int TakeNotifications(UINT code);
// The parameters of the last notification of `code`; false when none came.
bool LastNotification(UINT code, WPARAM* wParam, LPARAM* lParam);

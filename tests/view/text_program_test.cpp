// Text on drawing objects in the real program: typing on a selected shape,
// ending the editing with a click elsewhere, formatting through the Text
// menu, Undo and Redo, each step checked in the saved file.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "documents/color_table.h"
#include "documents/document_record.h"
#include "documents/document_records.h"
#include "documents/drawing_stream.h"
#include "documents/options_file.h"
#include "documents/view_record.h"
#include "objects/drawing_layout.h"
#include "objects/drawing_tables.h"
#include "store/record_store.h"
#include "text/text_block_store.h"
#include "view/view_record_word.h"
#include "frame/option_flags.h"
#include "support/program_driver.h"
#include "support/real_input.h"
#include "support/screen_image.h"
#include "support/view_mouse.h"
#include "support/scratch_drawing.h"
#include "support/test_paths.h"
#include "text/text_block.h"

namespace {

const int kRectangleTool = 114;
const int kSelectTool = 108;
const int kSave = 104;
const int kUndo = 201;
const int kSelectAll = 218;
const int kBold = 606;
const int kItalic = 607;
const int kUnderline = 604;
const int kRotateUp = 761;
const int kRotateDown = 763;
const int kTypeface = 601;
const int kBulletSolidRound = 652;
const int kFirstTextColor = 3201;
const int kLineTool = 110;
const int kAlignMiddleCentre = 642;
const int kAlignBottomRight = 631;
const int kIncreaseTextSize = 220;   // the upper of the two arrow buttons
const int kDecreaseTextSize = 221;

class TextEnvironment : public testing::Environment {
public:
    void SetUp() override { StartDrawingModel(); }
};
testing::Environment* const environment = testing::AddGlobalTestEnvironment(new TextEnvironment);

std::string QuietOptions()
{
    const std::string path = ScratchOptionsPath();
    if (CreateDefaultOptions() != kErrNone)
        return std::string();
    SetOptionFlagBits(kFlagWelcomeAtStart | kFlagOpenDialogAtStart | kFlagShowHints | 0x0200 | 0x0002, false);
    ErrorCode code = WriteOptionsFile(path.c_str());
    SaveAndFreeOptions();
    return code == kErrNone ? path : std::string();
}

// What a saved file holds of one text: read back in this process the way a
// document window reads it, the text record of the object whose text it is.
struct StoredText {
    bool found = false;
    std::vector<TextFormat> formats;
    std::vector<TextParagraph> paragraphs;
};

void ReadBlock(const unsigned char* block, DWORD size, const std::string& text, StoredText* result)
{
    TextBlockHeader header;
    if (size < sizeof(header))
        return;
    std::memcpy(&header, block, sizeof(header));
    if (header.textLength < 0 || header.formatCount < 0 || header.paragraphCount < 0 || header.lineCount < 0 ||
        header.runCount < 0 || TextBlockTextOffset(header) + static_cast<DWORD>(header.textLength) > size)
        return;
    const std::string stored(reinterpret_cast<const char*>(block + TextBlockTextOffset(header)),
                             static_cast<size_t>(header.textLength));
    if (stored.find(text) == std::string::npos)
        return;
    result->found = true;
    for (int i = 0; i < header.formatCount; ++i) {
        TextFormat format;
        std::memcpy(&format, block + TextBlockFormatsOffset(header) + i * sizeof(format), sizeof(format));
        result->formats.push_back(format);
    }
    for (int i = 0; i < header.paragraphCount; ++i) {
        TextParagraph paragraph;
        std::memcpy(&paragraph, block + TextBlockParagraphsOffset(header) + i * sizeof(paragraph),
                    sizeof(paragraph));
        result->paragraphs.push_back(paragraph);
    }
}

StoredText FindStoredText(const std::string& file, const std::string& text)
{
    StoredText result;
    ErrorCode code = ScratchDrawing().Inspect(file, [&](DrawingRecord* drawing) {
        LockedTable table(drawing, kTableObjects);
        for (int i = 0; i < table.Count() && !result.found; ++i) {
            const int id = ObjectAt(table.Get(), i)->textRecordId;
            RecordHandle textRecord = nullptr;
            if (id < 0 || id > 32767 ||
                FindRecord(drawing->storeSlot, kTextGroup, static_cast<short>(id), &textRecord))
                continue;
            const DWORD size = QueryRecordSize(textRecord);
            auto* bytes = static_cast<unsigned char*>(GlobalLock(textRecord));
            if (bytes && size > kTextRecordHeaderBytes)
                ReadBlock(bytes + kTextRecordHeaderBytes, size - kTextRecordHeaderBytes, text, &result);
            if (bytes)
                GlobalUnlock(textRecord);
            ReleaseRecord(textRecord);
        }
    });
    EXPECT_EQ(0, code) << file;
    return result;
}

// The size every format with text holds; 0 when they differ or none has text.
int CommonSize(const StoredText& stored)
{
    int common = 0;
    for (const TextFormat& format : stored.formats) {
        if (format.length <= 0)
            continue;
        if (common != 0 && format.size != common)
            return 0;
        common = format.size;
    }
    return common;
}

// The style bits every format with text holds.
int CommonStyle(const StoredText& stored)
{
    int common = -1;
    for (const TextFormat& format : stored.formats)
        if (format.length > 0)
            common &= format.style;
    return common == -1 ? 0 : common;
}

class TextProgram : public testing::Test {
protected:
    void SetUp() override
    {
        options_ = QuietOptions();
        ASSERT_FALSE(options_.empty());
        file_ = ScratchPath("text-drawing.tyr");
        DeleteFileA(file_.c_str());
        {
            ScratchDrawing empty;
            ASSERT_EQ(0, empty.Write(file_, false));
        }
        ASSERT_TRUE(program_.Start(file_ + " /o " + options_));
        Sleep(2500);   // the start-up splash
        ASSERT_TRUE(program_.Settle());
        palette_ = FindWindowExA(program_.MainWindow(), nullptr, "#32770", nullptr);
        ASSERT_NE(nullptr, palette_);
        HWND client = FindWindowExA(program_.MainWindow(), nullptr, "MDICLIENT", nullptr);
        ASSERT_NE(nullptr, client);
        HWND document = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
        ASSERT_NE(nullptr, document) << "the drawing named on the command line";
        view_ = FindWindowExA(document, nullptr, "MDScrollClass", nullptr);
        ASSERT_NE(nullptr, view_);
    }
    void TearDown() override { program_.Close(); }

    void Command(int id)
    {
        program_.PostCommand(id);
        program_.Settle();
    }
    void ClickTool(int id) { ASSERT_TRUE(ClickPaletteTool(program_, palette_, id)) << id; }
    void Mouse(UINT message, POINT p, WPARAM keys) { ViewMouse(program_, view_).Send(message, p, keys); }
    void Click(POINT p) { ViewMouse(program_, view_).Click(p); }
    void DoubleClick(POINT p) { ViewMouse(program_, view_).DoubleClick(p); }
    void Drag(POINT from, POINT to, WPARAM keys = 0) { ViewMouse(program_, view_).Drag(from, to, keys); }
    void Rectangle(POINT from, POINT to)
    {
        ClickTool(kRectangleTool);
        Drag(from, to);
        ClickTool(kSelectTool);
        Click(POINT{(from.x + to.x) / 2, (from.y + to.y) / 2});
    }
    // A palette button pressed with the real mouse, as a person does it.
    void PressButton(int id)
    {
        HWND button = GetDlgItem(palette_, id);
        ASSERT_NE(nullptr, button) << id;
        const RECT r = ClientScreenRect(button);
        RealClick(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        program_.Settle();
    }
    void Type(const std::string& text)
    {
        for (char c : text)
            PostMessageA(view_, WM_CHAR, static_cast<unsigned char>(c), 1);
        program_.Settle();
    }
    StoredText Saved(const std::string& text)
    {
        Command(kSave);
        return FindStoredText(file_, text);
    }

    ProgramDriver program_;
    std::string options_;
    std::string file_;
    HWND palette_ = nullptr;
    HWND view_ = nullptr;
};

TEST_F(TextProgram, TypingOnASelectedShapeStoresItsText)
{
    Rectangle({100, 100}, {260, 180});
    Type("Router 1");
    Click({400, 300});   // elsewhere: the editing ends
    EXPECT_EQ(nullptr, GetWindow(view_, GW_CHILD) == nullptr ? nullptr : FindWindowExA(view_, nullptr, "TENClass", nullptr))
        << "no editor is left open";
    const StoredText stored = Saved("Router 1");
    ASSERT_TRUE(stored.found) << "the typed text in the saved file";
    EXPECT_EQ(0, CommonStyle(stored) & kTextBold);
}

TEST_F(TextProgram, BoldThroughTheTextMenuWithUndoAndRedo)
{
    Rectangle({100, 100}, {260, 180});
    Type("Router 1");
    Click({400, 300});
    ASSERT_TRUE(Saved("Router 1").found);

    // Made bold in the editor and the editing ended: the stored text is bold.
    DoubleClick({180, 140});
    ASSERT_NE(nullptr, FindWindowExA(view_, nullptr, "TENClass", nullptr)) << "the double-click opens the text";
    Command(kSelectAll);
    Command(kBold);
    Click({400, 300});
    EXPECT_EQ(nullptr, FindWindowExA(view_, nullptr, "TENClass", nullptr)) << "the click elsewhere ends editing";
    StoredText bold = Saved("Router 1");
    ASSERT_TRUE(bold.found);
    EXPECT_EQ(kTextBold, CommonStyle(bold) & kTextBold);

    // Undo while the editor is open is the editor's: it gives the bold back
    // that Bold took away, and a second Undo redoes the Bold.
    struct Step {
        const char* name;
        int undos;
        int style;
    };
    const Step steps[] = {{"undone", 1, kTextBold}, {"redone", 2, 0}};
    for (const Step& step : steps) {
        DoubleClick({180, 140});
        ASSERT_NE(nullptr, FindWindowExA(view_, nullptr, "TENClass", nullptr)) << step.name;
        Command(kSelectAll);
        Command(kBold);   // off
        for (int i = 0; i < step.undos; ++i)
            Command(kUndo);
        Click({400, 300});
        StoredText stored = Saved("Router 1");
        ASSERT_TRUE(stored.found) << step.name;
        EXPECT_EQ(step.style, CommonStyle(stored) & kTextBold) << step.name;
    }
}

// The upper arrow (Increase Text Size) made the text smaller and the lower
// one bigger; each must do what it says, on a selected shape and in an open
// editor with its text selected.
TEST_F(TextProgram, TheTextSizeButtonsChangeTheSizeTheWayTheirArrowsPoint)
{
    struct Case {
        const char* step;
        const char* text;
        int button;
        bool editing;
        bool bigger;
    };
    const Case cases[] = {
        {"text_size_up_on_a_shape", "Up on a shape", kIncreaseTextSize, false, true},
        {"text_size_down_on_a_shape", "Down on a shape", kDecreaseTextSize, false, false},
        {"text_size_up_in_the_editor", "Up in the editor", kIncreaseTextSize, true, true},
        {"text_size_down_in_the_editor", "Down in the editor", kDecreaseTextSize, true, false},
    };
    const int width = 160;
    const int gap = 30;
    int left = 40;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const POINT from = {left, 60};
        const POINT to = {left + width, 160};
        const POINT middle = {(from.x + to.x) / 2, (from.y + to.y) / 2};
        left += width + gap;
        Rectangle(from, to);
        Type(c.text);
        Click({500, 400});
        const int before = CommonSize(Saved(c.text));
        ASSERT_GT(before, 0);

        // The real mouse from here on: it ends on the palette.
        const POINT screen = ClientToScreenPoint(view_, middle);
        if (c.editing) {
            RealDoubleClick(screen);
            program_.Settle();
            ScreenImage::Grab().Save(std::string(c.step) + "_opened");
            ASSERT_NE(nullptr, FindWindowExA(view_, nullptr, "TENClass", nullptr));
            Command(kSelectAll);
        } else {
            RealClick(screen);
            program_.Settle();
        }
        PressButton(c.button);
        ScreenImage::Grab().Save(c.step);
        Click({500, 400});
        const int after = CommonSize(Saved(c.text));
        ASSERT_GT(after, 0) << "one size for the whole text";
        if (c.bigger) {
            EXPECT_GT(after, before);
        } else {
            EXPECT_LT(after, before);
        }
    }
}

TEST_F(TextProgram, FormatsWithoutAnEditorReachTheSelection)
{
    Rectangle({100, 100}, {260, 180});
    Type("Router 1");
    Click({400, 300});
    Click({180, 140});   // selected, no editor
    Command(kItalic);
    StoredText italic = Saved("Router 1");
    ASSERT_TRUE(italic.found);
    EXPECT_EQ(kTextItalic, CommonStyle(italic) & kTextItalic);
}

// Colour, bullets and the Typeface dialog reach the selected shape's text,
// or the editor when one is open.
TEST_F(TextProgram, ColourBulletsAndTypefaceReachTheText)
{
    Rectangle({100, 100}, {260, 180});
    Type("Router 1");
    Click({400, 300});
    Click({180, 140});   // selected, no editor

    const int firstColour = 4;
    Command(kFirstTextColor + firstColour);
    StoredText coloured = Saved("Router 1");
    ASSERT_TRUE(coloured.found);
    for (const TextFormat& format : coloured.formats)
        EXPECT_EQ(StandardColors()[firstColour], format.color);

    Command(kBulletSolidRound);
    StoredText bulleted = Saved("Router 1");
    ASSERT_TRUE(bulleted.found);
    for (const TextParagraph& paragraph : bulleted.paragraphs) {
        EXPECT_EQ(2, paragraph.bullet);
        EXPECT_GT(paragraph.leftIndent, 0) << "room for the bullet";
    }

    // The Typeface dialog: a size picked and OK.
    program_.PostCommand(kTypeface);
    HWND dialog = nullptr;
    for (int i = 0; i < 100 && !dialog; ++i) {
        Sleep(50);
        dialog = program_.FindProgramWindow("#32770", "Font");
    }
    ASSERT_NE(nullptr, dialog) << "the Typeface dialog";
    program_.Settle();
    HWND sizeBox = GetDlgItem(dialog, 0x472);
    ASSERT_NE(nullptr, sizeBox);
    // The size picked from its list, as a click would.
    ASSERT_NE(CB_ERR, SendMessageA(sizeBox, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>("20")));
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(0x472, CBN_SELCHANGE), reinterpret_cast<LPARAM>(sizeBox));
    program_.Screenshot("text_typeface_dialog");
    SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    program_.Settle();
    StoredText sized = Saved("Router 1");
    ASSERT_TRUE(sized.found);
    for (const TextFormat& format : sized.formats)
        EXPECT_EQ(20, format.size);

    // With the editor open the colour goes to the edited text.
    const int secondColour = 6;
    DoubleClick({180, 140});
    ASSERT_NE(nullptr, FindWindowExA(view_, nullptr, "TENClass", nullptr));
    Command(kSelectAll);
    Command(kFirstTextColor + secondColour);
    Click({400, 300});
    StoredText edited = Saved("Router 1");
    ASSERT_TRUE(edited.found);
    for (const TextFormat& format : edited.formats) {
        if (format.length > 0) {
            EXPECT_EQ(StandardColors()[secondColour], format.color);
        }
    }
}

TEST_F(TextProgram, ScreenshotOfTextsInSeveralFormats)
{
    struct Shape {
        const char* text;
        POINT from;
        POINT to;
        int format;
    };
    const Shape shapes[] = {
        {"Plain", {40, 40}, {180, 100}, 0},
        {"Bold", {220, 40}, {360, 100}, kBold},
        {"Italic", {40, 140}, {180, 200}, kItalic},
        {"Underlined", {220, 140}, {360, 200}, kUnderline},
        {"Rotated up", {480, 40}, {560, 260}, kRotateUp},
        {"Rotated down", {480, 300}, {560, 520}, kRotateDown},
        {"Centred", {40, 240}, {180, 320}, kAlignMiddleCentre},
        {"Low right", {220, 240}, {360, 320}, kAlignBottomRight},
    };
    for (const Shape& shape : shapes) {
        Rectangle(shape.from, shape.to);
        Type(shape.text);
        Click({500, 380});
        if (shape.format) {
            Click(POINT{(shape.from.x + shape.to.x) / 2, (shape.from.y + shape.to.y) / 2});
            Command(shape.format);
        }
    }
    // A line takes its text the same way.
    ClickTool(kLineTool);
    Drag({60, 380}, {360, 380});
    ClickTool(kSelectTool);
    Click({210, 380});
    Type("Link A");
    ClickTool(kSelectTool);
    Click({500, 380});
    EXPECT_TRUE(Saved("Link A").found) << "the line's text";
    for (const Shape& shape : shapes)
        EXPECT_TRUE(Saved(shape.text).found) << shape.text;
    EXPECT_FALSE(program_.Screenshot("text_shapes_in_formats").empty());
}

} // namespace

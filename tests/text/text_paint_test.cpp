#include <gtest/gtest.h>

#include <stb_image_write.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/display_flags.h"
#include "common/mapping.h"
#include "support/test_paths.h"
#include "text/ten_arrays.h"
#include "text/ten_paint.h"
#include "text/text_measure.h"
#include "text/text_paint.h"
#include "text_engine_support.h"

namespace {

// One text run as a metafile recorded it.
struct RecordedRun {
    std::string text;
    int dxSum;
};

int CALLBACK CollectRuns(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data)
{
    // Wine records ExtTextOutA as the wide record.
    if (record->iType == EMR_EXTTEXTOUTA || record->iType == EMR_EXTTEXTOUTW) {
        const auto* text = reinterpret_cast<const EMREXTTEXTOUTA*>(record);
        const auto* base = reinterpret_cast<const unsigned char*>(record);
        const int count = static_cast<int>(text->emrtext.nChars);
        RecordedRun run;
        if (record->iType == EMR_EXTTEXTOUTA) {
            run.text.assign(reinterpret_cast<const char*>(base + text->emrtext.offString), static_cast<size_t>(count));
        } else {
            const auto* wide = reinterpret_cast<const WCHAR*>(base + text->emrtext.offString);
            for (int i = 0; i < count; ++i)
                run.text.push_back(static_cast<char>(wide[i]));
        }
        run.dxSum = 0;
        if (text->emrtext.offDx) {
            const auto* dx = reinterpret_cast<const INT*>(base + text->emrtext.offDx);
            for (int i = 0; i < count; ++i)
                run.dxSum += dx[i];
        }
        reinterpret_cast<std::vector<RecordedRun>*>(data)->push_back(run);
    }
    return 1;
}

// Records the editor's lines into an enhanced metafile at the zoom.
std::vector<RecordedRun> RecordLines(TestEditor& editor, int zoom, int fit)
{
    HDC reference = CreateCompatibleDC(nullptr);
    HDC meta = CreateEnhMetaFileA(reference, nullptr, nullptr, nullptr);
    RenderingMetafile = fit;
    SetZoomMapMode(meta, zoom, 600);
    const int pixels = 100 * (zoom == 0 ? 1000 : zoom) / 1000;
    SetWindowExtEx(meta, 600, 600, nullptr);
    SetViewportExtEx(meta, pixels, pixels, nullptr);
    SetTextAlign(meta, TA_BASELINE);
    SetBkMode(meta, TRANSPARENT);
    {
        TenArrays arrays(&editor.state()->live);
        TextPaintOptions options = {};
        options.measuringDC = TestMeasuringDC();
        options.fit = fit;
        options.fontList = TestFontList();
        options.fontTable = TestFontTable();
        options.unitsPerInch = 600;
        DrawTextLines(meta, TenLinesView(editor.state(), arrays), 0, editor.state()->live.lineCount, options);
    }
    RenderingMetafile = 0;
    HENHMETAFILE picture = CloseEnhMetaFile(meta);
    std::vector<RecordedRun> runs;
    EnumEnhMetaFile(nullptr, picture, CollectRuns, &runs, nullptr);
    DeleteEnhMetaFile(picture);
    DeleteDC(reference);
    return runs;
}

// The runs the layout made, each with the width it must keep when drawn.
std::vector<RecordedRun> LaidOutRuns(const TestEditor& editor, bool justifiedText)
{
    const std::string text = editor.Text();
    const std::vector<TextRun> runs = editor.Runs();
    std::vector<RecordedRun> expected;
    for (const TextLine& line : editor.Lines()) {
        const bool justified = justifiedText && !(line.flags & kLineEndsParagraph);
        int position = line.firstPosition;
        for (int i = 0; i < line.runCount; ++i) {
            const TextRun& run = runs[static_cast<size_t>(line.firstRun + i)];
            if (run.drawnCount > 0) {
                const int extra = justified && run.spaceCount > 0 ? run.justifyExtra : 0;
                expected.push_back({text.substr(static_cast<size_t>(position), static_cast<size_t>(run.drawnCount)),
                                    run.width + extra});
            }
            position += run.length;
        }
    }
    return expected;
}

std::vector<unsigned char> JustifiedSample()
{
    const std::string text =
        "Fitted widths keep every line break of the layout, at any zoom and on any printer.\r"
        "Short last line";
    return MakeBlock(text, {{static_cast<int>(text.size())}}, {Paragraph(32)});
}

} // namespace

TEST(TextPainting, RecordedRunsKeepTheirLaidOutWidthsAtEveryZoom)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(JustifiedSample()));
    editor.SetBox(1500, 32000);
    const std::vector<RecordedRun> expected = LaidOutRuns(editor, true);
    ASSERT_GT(expected.size(), 3u);
    for (int zoom : {500, 750, 1500, 2000, 1234}) {
        const std::vector<RecordedRun> recorded = RecordLines(editor, zoom, 1);
        ASSERT_EQ(expected.size(), recorded.size()) << zoom;
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(expected[i].text, recorded[i].text) << zoom;
            EXPECT_EQ(expected[i].dxSum, recorded[i].dxSum) << zoom << " " << expected[i].text;
        }
    }
}

TEST(TextPainting, ZoomZeroDrawsPlainRunsAtTheirMeasuredWidth)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    const std::string text = "Plain left text over a few lines, drawn with TextOut at 100 per cent.";
    ASSERT_EQ(0, editor.Load(MakeBlock(text, {{static_cast<int>(text.size())}}, {Paragraph(0)})));
    editor.SetBox(1200, 32000);
    const std::vector<RecordedRun> expected = LaidOutRuns(editor, false);
    const std::vector<RecordedRun> recorded = RecordLines(editor, 0, 0);
    ASSERT_EQ(expected.size(), recorded.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i].text, recorded[i].text);
        EXPECT_NEAR(expected[i].dxSum, recorded[i].dxSum, 6) << expected[i].text;
    }
}

TEST(TextPainting, SoftHyphenAndHiddenCharactersAreNeverDrawn)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    const std::string text = std::string("Hyphen") + kSoftHyphen + "ation\tand" + kHardSpace + "more";
    ASSERT_EQ(0, editor.Load(MakeBlock(text, {{static_cast<int>(text.size())}}, {Paragraph(0)})));
    std::string drawn;
    for (const RecordedRun& run : RecordLines(editor, 1500, 1))
        drawn += run.text + "|";
    EXPECT_EQ("Hyphen|ation|and|more|", drawn);
    // Broken at the soft hyphen, the line shows a hyphen of its own.
    const std::string word = std::string("Hyphen") + kSoftHyphen + "ation";
    ASSERT_EQ(0, editor.Load(MakeBlock(word, {{static_cast<int>(word.size())}}, {Paragraph(0)})));
    editor.SetBox(editor.Lines()[0].wordWidth * 3 / 4, 32000);
    drawn.clear();
    for (const RecordedRun& run : RecordLines(editor, 1500, 1))
        drawn += run.text + "|";
    EXPECT_EQ("Hyphen|-|ation|", drawn);
}

namespace {

struct Canvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    unsigned char* bits = nullptr;
    int width = 0;
    int height = 0;
    Canvas(int w, int h) : width(w), height(h)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        dc = CreateCompatibleDC(nullptr);
        void* pixels = nullptr;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
        bits = static_cast<unsigned char*>(pixels);
        SelectObject(dc, bitmap);
        RECT all = {0, 0, w, h};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~Canvas()
    {
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    bool Write(const std::string& path) const
    {
        const int stride = (width * 3 + 3) & ~3;
        std::vector<unsigned char> rgb(static_cast<size_t>(width * height * 3));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const unsigned char* p = bits + y * stride + x * 3;
                unsigned char* q = rgb.data() + (y * width + x) * 3;
                q[0] = p[2];
                q[1] = p[1];
                q[2] = p[0];
            }
        }
        return stbi_write_png(path.c_str(), width, height, 3, rgb.data(), width * 3) != 0;
    }
    // Pixels in a device rectangle that are not white.
    int Inked(int left, int top, int right, int bottom) const
    {
        const int stride = (width * 3 + 3) & ~3;
        int count = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                const unsigned char* p = bits + y * stride + x * 3;
                if (p[0] != 255 || p[1] != 255 || p[2] != 255)
                    ++count;
            }
        }
        return count;
    }
};

// Draws the editor's text at the zoom with its top-left at the device point.
void PaintAt(const TestEditor& editor, HDC dc, int zoom, int deviceX, int deviceY)
{
    const int saved = SaveDC(dc);
    SetZoomMapMode(dc, zoom, 600);
    SetViewportOrgEx(dc, deviceX, deviceY, nullptr);
    SetTextAlign(dc, TA_BASELINE);
    SetBkMode(dc, TRANSPARENT);
    {
        TenArrays arrays(&editor.state()->live);
        TextPaintOptions options = {};
        options.measuringDC = TestMeasuringDC();
        options.fit = zoom;
        options.fontList = TestFontList();
        options.fontTable = TestFontTable();
        options.unitsPerInch = 600;
        const TextLinesView view = TenLinesView(editor.state(), arrays);
        if (editor.state()->effect.kind != 0)
            DrawTextLinesWithEffect(dc, view, 0, editor.state()->live.lineCount, options, editor.state()->effect);
        else
            DrawTextLines(dc, view, 0, editor.state()->live.lineCount, options);
    }
    RestoreDC(dc, saved);
}

std::vector<unsigned char> GallerySample()
{
    const std::string left = "Left aligned text wraps inside its three-inch box.\r";
    const std::string centre = "Centred heading\r";
    const std::string right = "Right aligned\r";
    const std::string justified = "Justified text spreads its spaces so that both edges line up neatly.\r";
    const std::string bullet1 = "Hollow circle bullet\r";
    const std::string bullet2 = "Filled square bullet\r";
    const std::string styled = "Bold, italic, underlined and highlighted";
    const std::string text = left + centre + right + justified + bullet1 + bullet2 + styled;
    TextParagraph bulletA = Paragraph(0);
    bulletA.bullet = 1;
    bulletA.leftIndent = 120;
    TextParagraph bulletB = bulletA;
    bulletB.bullet = 4;
    const auto n = [](const std::string& s) { return static_cast<int>(s.size()); };
    return MakeBlock(text,
                     {{n(left), 0, 12, 0, 0, 0},
                      {n(centre), 1, 16, kTextBold, 0, 1, 0, RGB(0, 0, 160)},
                      {n(right), 2, 12, kTextItalic, 0, 2, 0, RGB(160, 0, 0)},
                      {n(justified), 1, 12, 0, 0, 3},
                      {n(bullet1), 0, 12, 0, 0, 4},
                      {n(bullet2), 0, 12, 0, 0, 5, 0, RGB(0, 128, 0)},
                      {5, 0, 12, kTextBold, 0, 0},
                      {8, 0, 12, kTextItalic, 0, 0},
                      {15, 0, 12, kTextUnderline, 0, 0},
                      {12, 0, 12, kTextHighlight, 0, 0}},
                     {Paragraph(0), Paragraph(6), Paragraph(2), Paragraph(32), bulletA, bulletB});
}

std::vector<unsigned char> EffectSample(const char* text)
{
    return MakeBlock(text, {{static_cast<int>(std::strlen(text)), 0, 20, kTextBold, 0, 0, 0, RGB(40, 40, 200)}},
                     {Paragraph(6)});
}

} // namespace

TEST(TextPainting, GalleryOfParagraphsAndEffectsAt100And150PerCent)
{
    TestEditor gallery;
    ASSERT_TRUE(gallery.ok());
    ASSERT_EQ(0, gallery.Load(GallerySample()));
    gallery.SetBox(1800, 32000);
    struct EffectCase {
        const char* text;
        TextEffect effect;
    } effects[] = {
        {"Shadowed", {18, 18, 4, RGB(150, 150, 150), 0}},
        {"Raised", {6, 6, 1, RGB(255, 255, 255), RGB(0, 0, 0)}},
        {"Sunken", {6, 6, 2, RGB(255, 255, 255), RGB(0, 0, 0)}},
        {"Extruded", {12, -12, 3, RGB(200, 120, 0), 0}},
    };
    Canvas canvas(820, 900);
    // A grey page behind the sunken and raised texts shows their edges.
    RECT band = {0, 430, 820, 900};
    HBRUSH grey = CreateSolidBrush(RGB(200, 200, 200));
    FillRect(canvas.dc, &band, grey);
    DeleteObject(grey);
    PaintAt(gallery, canvas.dc, 0, 10, 10);
    PaintAt(gallery, canvas.dc, 1500, 340, 10);
    int y100 = 440;
    int y150 = 440;
    for (const EffectCase& c : effects) {
        EditorSetup setup;
        setup.effect = c.effect;
        TestEditor editor(setup);
        ASSERT_TRUE(editor.ok());
        ASSERT_EQ(0, editor.Load(EffectSample(c.text)));
        editor.state()->effect = c.effect;  // a loaded block brings its own
        RefreshStateFormatFonts(editor.state(), 0, editor.state()->live.formatCount - 1);
        editor.SetBox(1800, 32000);
        PaintAt(editor, canvas.dc, 0, 10, y100);
        PaintAt(editor, canvas.dc, 1500, 340, y150);
        y100 += 60;
        y150 += 90;
    }
    EXPECT_GT(canvas.Inked(10, 10, 310, 400), 2000);
    EXPECT_GT(canvas.Inked(340, 10, 790, 430), 4000);
    EXPECT_TRUE(canvas.Write(TestOutputFolder() + "text_gallery.png"));
}

TEST(TextPainting, HighlightIsGreyInTheEditorAndWhiteOnBlackElsewhere)
{
    TestEditor editor;
    ASSERT_TRUE(editor.ok());
    ASSERT_EQ(0, editor.Load(MakeBlock("marked", {{6, 0, 24, kTextHighlight}}, {Paragraph(0)})));
    ASSERT_EQ(kTextHighlight, editor.Formats()[0].style & kTextHighlight);
    struct Case {
        int editorFlag;
        COLORREF cell;
    } cases[] = {{1, RGB(192, 192, 192)}, {0, RGB(0, 0, 0)}};
    for (const Case& c : cases) {
        Canvas canvas(200, 100);
        SetZoomMapMode(canvas.dc, 0, 600);
        SetTextAlign(canvas.dc, TA_BASELINE);
        SetBkMode(canvas.dc, TRANSPARENT);
        TenArrays arrays(&editor.state()->live);
        TextPaintOptions options = {};
        options.measuringDC = TestMeasuringDC();
        options.fontList = TestFontList();
        options.fontTable = TestFontTable();
        options.unitsPerInch = 600;
        options.editor = c.editorFlag;
        DrawTextLines(canvas.dc, TenLinesView(editor.state(), arrays), 0, 1, options);
        // The cell's top-left corner lies above the glyphs.
        EXPECT_EQ(c.cell, GetPixel(canvas.dc, 1, 1) & 0xFFFFFF) << c.editorFlag;
    }
}

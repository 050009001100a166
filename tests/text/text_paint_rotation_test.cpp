#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/display_flags.h"
#include "common/mapping.h"
#include "text/ten_arrays.h"
#include "text/ten_paint.h"
#include "text/text_paint.h"
#include "text_engine_support.h"

namespace {

// What a recording of rotated text holds.
struct Recording {
    std::vector<int> escapements;   // of every font made
    std::vector<POINT> textPoints;  // reference point of every text record
    std::vector<std::string> texts;
    std::vector<POINT> moves;
    std::vector<POINT> lineEnds;
};

int CALLBACK Collect(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data)
{
    auto* r = reinterpret_cast<Recording*>(data);
    switch (record->iType) {
    case EMR_EXTCREATEFONTINDIRECTW:
        r->escapements.push_back(reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(record)->elfw.elfLogFont.lfEscapement);
        break;
    case EMR_EXTTEXTOUTA:
    case EMR_EXTTEXTOUTW: {
        const auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
        r->textPoints.push_back({text->emrtext.ptlReference.x, text->emrtext.ptlReference.y});
        const auto* base = reinterpret_cast<const unsigned char*>(record);
        std::string chars;
        for (DWORD i = 0; i < text->emrtext.nChars; ++i) {
            chars.push_back(record->iType == EMR_EXTTEXTOUTA
                                ? static_cast<char>(base[text->emrtext.offString + i])
                                : static_cast<char>(reinterpret_cast<const WCHAR*>(base + text->emrtext.offString)[i]));
        }
        r->texts.push_back(chars);
        break;
    }
    case EMR_MOVETOEX: {
        const auto* move = reinterpret_cast<const EMRMOVETOEX*>(record);
        r->moves.push_back({move->ptl.x, move->ptl.y});
        break;
    }
    case EMR_LINETO: {
        const auto* line = reinterpret_cast<const EMRLINETO*>(record);
        r->lineEnds.push_back({line->ptl.x, line->ptl.y});
        break;
    }
    default:
        break;
    }
    return 1;
}

const RECT kRotationRect = {0, 0, 1200, 600};

// Turns a point about the rectangle's centre by 90 or 180 degrees
// counter-clockwise on the screen (y grows downwards).
POINT Turned(POINT p, int angle)
{
    const int cx = 600;
    const int cy = 300;
    if (angle == 900)
        return {cx + (p.y - cy), cy - (p.x - cx)};
    if (angle == 1800)
        return {2 * cx - p.x, 2 * cy - p.y};
    return p;
}

Recording RecordRotated(TestEditor& editor, int angle, int metafileFonts)
{
    TenState* state = editor.state();
    {
        TenArrays arrays(&state->live);
        for (int i = 0; i < state->live.formatCount; ++i) {
            arrays.formats[i].rotation = angle;
            arrays.formats[i].font = 0;  // made again with the angle
        }
    }
    HDC meta = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    SetZoomMapMode(meta, 0, 600);
    SetTextAlign(meta, TA_BASELINE);
    SetBkMode(meta, TRANSPARENT);
    RenderingMetafile = metafileFonts;
    {
        TenArrays arrays(&state->live);
        TextPaintOptions options = {};
        options.measuringDC = state->measuringDC;
        options.fit = 1;
        options.fontList = state->fontList;
        options.fontTable = state->fontTable;
        options.rotate = 1;
        options.rotationRect = &kRotationRect;
        options.unitsPerInch = 600;
        DrawTextLines(meta, TenLinesView(state, arrays), 0, state->live.lineCount, options);
    }
    RenderingMetafile = 0;
    HENHMETAFILE picture = CloseEnhMetaFile(meta);
    Recording recording;
    EnumEnhMetaFile(nullptr, picture, Collect, &recording, nullptr);
    DeleteEnhMetaFile(picture);
    return recording;
}

} // namespace

TEST(TextPainting, RotatedTextTurnsItsFontAndItsPositions)
{
    const std::string text = "Turned text\rSecond";
    struct Case {
        int angle;
        int metafileFonts;
    } cases[] = {{900, 0}, {900, 1}, {1800, 0}, {1800, 1}, {0, 0}};
    for (const Case& c : cases) {
        TestEditor editor;
        ASSERT_TRUE(editor.ok());
        ASSERT_EQ(0, editor.Load(MakeBlock(text, {{static_cast<int>(text.size()), 0, 12, kTextUnderline}},
                                           {Paragraph(0)})));
        const std::vector<TextLine> lines = editor.Lines();
        const std::vector<TextRun> runs = editor.Runs();
        ASSERT_EQ(2u, lines.size());
        const Recording r = RecordRotated(editor, c.angle, c.metafileFonts);
        ASSERT_FALSE(r.escapements.empty()) << c.angle;
        for (int escapement : r.escapements)
            EXPECT_EQ(c.angle, escapement) << c.angle << " " << c.metafileFonts;
        ASSERT_EQ(2u, r.textPoints.size()) << c.angle;
        EXPECT_EQ("Turned text", r.texts[0]);
        EXPECT_EQ("Second", r.texts[1]);
        ASSERT_EQ(2u, r.moves.size()) << c.angle;
        ASSERT_EQ(2u, r.lineEnds.size()) << c.angle;
        for (size_t i = 0; i < 2; ++i) {
            const TextLine& line = lines[i];
            const int baseline = line.top + line.ascent;
            const POINT start = Turned({line.left + runs[static_cast<size_t>(line.firstRun)].x, baseline}, c.angle);
            EXPECT_NEAR(start.x, r.textPoints[i].x, 1) << c.angle << " line " << i;
            EXPECT_NEAR(start.y, r.textPoints[i].y, 1) << c.angle << " line " << i;
            // The underline turns with the text.
            const POINT from = Turned({line.left, baseline + 1}, c.angle);
            const POINT to = Turned({line.left + line.wordWidth, baseline + 1}, c.angle);
            EXPECT_NEAR(from.x, r.moves[i].x, 1) << c.angle << " line " << i;
            EXPECT_NEAR(from.y, r.moves[i].y, 1) << c.angle << " line " << i;
            EXPECT_NEAR(to.x, r.lineEnds[i].x, 1) << c.angle << " line " << i;
            EXPECT_NEAR(to.y, r.lineEnds[i].y, 1) << c.angle << " line " << i;
        }
    }
}

// Painting a drawing: draw order, the shadow effects sent before each object,
// objects whose text is open, handles and hook markers on the screen only.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/display_flags.h"
#include "common/mapping.h"
#include "objects/view_record.h"
#include "drawing_fixture.h"
#include "objects/drawing_tables.h"
#include "objects/kind_messages.h"
#include "objects/paint_drawing.h"
#include "picture_test_support.h"

namespace {

class DrawingPaint : public DrawingFixture {
protected:
    HGLOBAL DrawingHandle() { return GetViewDrawingHandle(ViewRecord()); }

    void SetEffect(int kind, int dx, int dy)
    {
        ColorStyle& style = Drawing()->style;
        style.shadowKind = kind;
        style.shadowDx = dx;
        style.shadowDy = dy;
        style.shadowColor = kShadow;
        style.highlightColor = kHighlight;
    }

    // Paints into a 100-per-cent canvas and returns what the shape kind was sent.
    std::vector<SentMessage> Paint(int drawHandles = 1, int printing = 0, int selectedOnly = 0,
                                   const RECT* clip = nullptr)
    {
        PixelCanvas canvas(400, 300);
        SetZoomMapMode(canvas.Dc(), 0, 600);
        KindRecorder recorder;
        PaintDrawingObjects(canvas.Dc(), DrawingHandle(), clip, 0, drawHandles, printing, selectedOnly);
        return recorder.messages;
    }

    static constexpr COLORREF kShadow = RGB(0, 0, 255);
    static constexpr COLORREF kHighlight = RGB(255, 255, 200);
};

std::vector<int> Codes(const std::vector<SentMessage>& messages, int index)
{
    std::vector<int> codes;
    for (const SentMessage& m : messages) {
        if (m.index == index)
            codes.push_back(m.message);
    }
    return codes;
}

struct Copy {
    int message, dx, dy;
    COLORREF color;
};

TEST_F(DrawingPaint, EachShadowKindSendsItsCopiesBeforeTheObject)
{
    ASSERT_EQ(0, Create({1200, 1200, 2400, 1800}, 2, 0));
    Object(0)->lineColor = RGB(7, 7, 7);
    const COLORREF s = kShadow, h = kHighlight, own = RGB(7, 7, 7);
    // Offsets (12, 18) units are 2 and 3 pixels at 100 per cent (6 units a
    // pixel): three stacked outlines, each a whole pixel further.
    struct Row {
        const char* name;
        int kind;
        std::vector<Copy> copies;
        bool paints;
    };
    const std::vector<Row> rows = {
        {"none", 0, {}, true},
        {"raised", 1,
         {{kMsgFillOnly, 0, 0, 0},
          {kMsgShadowOutline, 6, 6, s}, {kMsgShadowOutline, 12, 12, s}, {kMsgShadowOutline, 18, 18, s},
          {kMsgShadowOutline, -6, -6, h}, {kMsgShadowOutline, -12, -12, h}, {kMsgShadowOutline, -18, -18, h},
          {kMsgShadowOutline, 0, 0, own}},
         false},
        {"sunken", 2,
         {{kMsgFillOnly, 0, 0, 0},
          {kMsgShadowOutline, 6, 6, h}, {kMsgShadowOutline, 12, 12, h}, {kMsgShadowOutline, 18, 18, h},
          {kMsgShadowOutline, -6, -6, s}, {kMsgShadowOutline, -12, -12, s}, {kMsgShadowOutline, -18, -18, s},
          {kMsgShadowOutline, 0, 0, own}},
         false},
        {"stacked outlines", 3,
         {{kMsgShadowOutline, 6, 6, s}, {kMsgShadowOutline, 12, 12, s}, {kMsgShadowOutline, 18, 18, s}}, true},
        {"silhouette", 4, {{kMsgShadowSilhouette, 12, 18, s}}, true},
        {"outline", 5, {{kMsgShadowOutline, 12, 18, s}}, true},
        {"out of range", 9, {}, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SetEffect(row.kind, 12, 18);
        std::vector<SentMessage> sent = Paint(0, 1);
        std::vector<Copy> expected = row.copies;
        if (row.paints)
            expected.push_back({kMsgDraw, 0, 0, 0});
        ASSERT_EQ(expected.size(), sent.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(expected[i].message, sent[i].message);
            EXPECT_EQ(0, sent[i].index);
            EXPECT_EQ(1, sent[i].a);   // printing
            if (expected[i].message == kMsgShadowOutline || expected[i].message == kMsgShadowSilhouette) {
                EXPECT_EQ(expected[i].dx, sent[i].dx);
                EXPECT_EQ(expected[i].dy, sent[i].dy);
                EXPECT_EQ(expected[i].color, sent[i].color);
            }
        }
    }
}

TEST_F(DrawingPaint, OffsetsOfZeroStillGiveOneStep)
{
    ASSERT_EQ(0, Create({1200, 1200, 2400, 1800}, 2, 0));
    for (int kind : {1, 2, 3}) {
        SCOPED_TRACE(kind);
        SetEffect(kind, 0, 0);
        std::vector<SentMessage> sent = Paint();
        int outlines = 0;
        for (const SentMessage& m : sent)
            outlines += m.message == kMsgShadowOutline;
        EXPECT_EQ(kind == 3 ? 1 : 3, outlines);
    }
}

TEST_F(DrawingPaint, ObjectsArePaintedInDrawOrderAndOnlyWhereTheClipMeetsThem)
{
    CreateRow(3);   // frames 1000.., 1700.., 2400.. wide 600, at y 1000..1300
    int32_t* order = DrawOrderEntries(Order());
    order[0] = 2;
    order[1] = 0;
    order[2] = 1;
    std::vector<SentMessage> sent = Paint();
    std::vector<int> painted;
    for (const SentMessage& m : sent) {
        if (m.message == kMsgDraw)
            painted.push_back(m.index);
    }
    EXPECT_EQ((std::vector<int>{2, 0, 1}), painted);

    RECT clip = {1650, 900, 2000, 1400};   // meets only the second (bounds reach 30 beyond the frame)
    sent = Paint(1, 0, 0, &clip);
    painted.clear();
    for (const SentMessage& m : sent) {
        if (m.message == kMsgDraw)
            painted.push_back(m.index);
    }
    EXPECT_EQ((std::vector<int>{1}), painted);
}

TEST_F(DrawingPaint, AnObjectWhoseTextIsOpenIsPrintedButNotPaintedOnTheScreen)
{
    CreateRow(2);
    Object(1)->stateFlags |= kStateTextOpen;
    EXPECT_EQ((std::vector<int>{kMsgDraw}), Codes(Paint(), 0));
    EXPECT_TRUE(Codes(Paint(), 1).empty());
    EXPECT_EQ((std::vector<int>{kMsgDraw}), Codes(Paint(0, 1), 1));
    RenderingMetafile = 1;
    std::vector<SentMessage> recorded = Paint(0, 0);
    RenderingMetafile = 0;
    EXPECT_EQ((std::vector<int>{kMsgDraw}), Codes(recorded, 1));

    // Turned, it is greyed over its turned outline instead.
    Object(1)->rotation = 450;
    EXPECT_EQ((std::vector<int>{kMsgLayoutRect, kMsgOutlinePolygon}), Codes(Paint(), 1));
}

TEST_F(DrawingPaint, HandlesAndHookMarkersAreForTheScreenOnly)
{
    CreateRow(2);
    SelectOnly({1});
    Object(0)->stateFlags |= kStateHookMarkers;
    struct Row {
        const char* name;
        int drawHandles, printing, rendering, selectedOnly;
        bool handles, markers;
    };
    const std::vector<Row> rows = {
        {"the drawing view", 1, 0, 0, 0, true, true},
        {"a view paint without handles", 0, 0, 0, 0, false, true},
        {"printing", 1, 1, 0, 0, false, false},
        {"recording a metafile", 1, 0, 1, 0, false, false},
        {"selected objects only", 1, 0, 0, 1, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RenderingMetafile = row.rendering;
        std::vector<SentMessage> sent = Paint(row.drawHandles, row.printing, row.selectedOnly);
        RenderingMetafile = 0;
        std::vector<int> selected = Codes(sent, 1);
        bool handles = std::count(selected.begin(), selected.end(), kMsgDrawHandles) > 0;
        EXPECT_EQ(row.handles, handles);
        std::vector<int> marked = Codes(sent, 0);
        bool markers = std::count(marked.begin(), marked.end(), kMsgDrawHookMarkers) > 0;
        EXPECT_EQ(row.markers, markers);
        if (row.markers) {
            std::vector<int> tail(marked.end() - 3, marked.end());
            EXPECT_EQ((std::vector<int>{kMsgHookPoints, kMsgMapBoxPoints, kMsgDrawHookMarkers}), tail);
        }
        // Handles come after every object is painted.
        if (handles) {
            size_t lastDraw = 0, firstHandles = sent.size();
            for (size_t i = 0; i < sent.size(); ++i) {
                if (sent[i].message == kMsgDraw)
                    lastDraw = i;
                if (sent[i].message == kMsgDrawHandles && firstHandles == sent.size())
                    firstHandles = i;
            }
            EXPECT_LT(lastDraw, firstHandles);
        }
    }
    // Only the selected object is painted in selected-only mode.
    std::vector<SentMessage> only = Paint(0, 0, 1);
    EXPECT_TRUE(Codes(only, 0).empty());
    EXPECT_EQ((std::vector<int>{kMsgDraw}), Codes(only, 1));
}

TEST_F(DrawingPaint, GroupHandlesAreDrawnOnTheGroupsRectangle)
{
    CreateRow(3);
    SetTableCount(kTableGroups, 2);
    for (int row = 0; row < 2; ++row) {
        GroupEntry* group = GroupEntryAt(Groups(), row);
        std::memset(group, 0, sizeof(*group));
        group->key = 10 + row;
        group->flags = kGroupSelected;
        group->frame = {1000 + 700 * row, 1000, 1600 + 700 * row, 1300};
        group->bounds = group->frame;
        group->memberCount = 2;
    }
    GroupEntryAt(Groups(), 1)->flags |= kGroupNoTransform;
    Object(2)->groupKey = 11;
    Object(2)->groupIndex = 1;
    Object(2)->stateFlags |= kStateSelected;
    Drawing()->primarySelected = 2;
    std::vector<SentMessage> sent = Paint();
    std::vector<int> handles;
    for (const SentMessage& m : sent) {
        if (m.message == kMsgDrawHandles)
            handles.push_back(m.index);
    }
    // Row 0 is a secondary group, row 1 the primary selection's; the grouped
    // object draws no handles of its own.
    EXPECT_EQ((std::vector<int>{-2, -1}), handles);
    EXPECT_TRUE(Codes(Paint(0), -1).empty());
}

TEST_F(DrawingPaint, ShadowsLieOverLowerObjectsAndUnderHigherOnes)
{
    // Silhouettes 30 units (5 pixels) right and down, in blue; no outlines.
    SetEffect(4, 30, 30);
    auto add = [&](RECT frame, COLORREF fill) {
        ASSERT_EQ(0, Create(frame, 2, 0));
        DrawingObject* object = Object(Count() - 1);
        object->lineWidth = 0;
        object->lineStyle = 0;
        object->fillColor = fill;
        object->fillMode = 1;
    };
    const COLORREF red = RGB(255, 0, 0), green = RGB(0, 255, 0), yellow = RGB(255, 255, 0);
    add({600, 600, 1800, 1500}, red);      // the lowest
    add({900, 900, 1500, 1200}, green);    // lies on it
    add({1700, 700, 2300, 1000}, yellow);  // on top of the red one's shadow
    PixelCanvas canvas(500, 400);
    SetZoomMapMode(canvas.Dc(), 0, 600);
    PaintDrawingObjects(canvas.Dc(), DrawingHandle(), nullptr, 0, 0, 0, 0);
    // Pixels are units / 6.
    EXPECT_EQ(kShadow, canvas.At(1515 / 6, 1100 / 6));    // the green one's shadow over the red one
    EXPECT_EQ(green, canvas.At(1200 / 6, 1000 / 6));
    EXPECT_EQ(kShadow, canvas.At(1815 / 6, 1300 / 6));    // the red one's own shadow
    EXPECT_EQ(yellow, canvas.At(1815 / 6, 850 / 6));      // covered by the later yellow one
    EXPECT_EQ(kShadow, canvas.At(2315 / 6, 850 / 6));     // the yellow one's shadow
    EXPECT_EQ(red, canvas.At(1000 / 6, 1400 / 6));
}

TEST_F(DrawingPaint, AHatchStaysFixedToTheShapeWhenItMoves)
{
    ASSERT_EQ(0, Create({600, 600, 1200, 900}, 2, 0));
    DrawingObject* object = Object(0);
    object->fillMode = 4;   // backward diagonal
    object->lineWidth = 0;
    object->lineStyle = 0;
    auto row = [&](int shift) {
        DrawingObject* o = Object(0);
        o->frame = {600 + shift, 600, 1200 + shift, 900};
        o->bounds = {570 + shift, 570, 1230 + shift, 930};
        PixelCanvas canvas(300, 200);
        SetZoomMapMode(canvas.Dc(), 0, 600);
        PaintDrawingObjects(canvas.Dc(), DrawingHandle(), nullptr, 0, 0, 0, 0);
        std::vector<COLORREF> pixels;
        for (int x = 0; x < 80; ++x)
            pixels.push_back(canvas.At((600 + shift) / 6 + 5 + x, 125));
        return pixels;
    };
    std::vector<COLORREF> still = row(0);
    EXPECT_NE(std::count(still.begin(), still.end(), still[0]), static_cast<long>(still.size()));
    EXPECT_EQ(still, row(18));   // 3 pixels
    EXPECT_EQ(still, row(-30));
}

TEST_F(DrawingPaint, SamplesArePaintedInSeparatePassesUnrotated)
{
    SetEffect(4, 30, 30);
    std::vector<DrawingObject> samples(2);
    for (int i = 0; i < 2; ++i) {
        DrawingObject& o = samples[i];
        std::memset(&o, 0, sizeof(o));
        o.kind = kKindShape;
        o.shapeType = 2;
        o.frame = {100 + 800 * i, 100, 700 + 800 * i, 400};
        o.lineWidth = 12;
        o.lineStyle = 1;
        o.rotation = 300;
        o.textRecordId = -1;
        o.dataFirstId = -1;
        o.groupIndex = -1;
    }
    PixelCanvas canvas(400, 200);
    SetZoomMapMode(canvas.Dc(), 0, 600);
    KindRecorder recorder;
    DrawSampleObjects(canvas.Dc(), DrawingHandle(), samples.data(), 2);
    EXPECT_EQ((std::vector<int>{kMsgShadowSilhouette, kMsgShadowSilhouette, kMsgDraw, kMsgDraw}), recorder.Codes());
    EXPECT_EQ(300, samples[0].rotation);
    EXPECT_EQ(300, samples[1].rotation);
}

} // namespace

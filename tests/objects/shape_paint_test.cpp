// Shapes painted through the shape kind's paint messages, recorded into an
// enhanced metafile and checked by the figures, pens and brushes drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/display_flags.h"
#include "common/io_seam.h"
#include "common/mapping.h"
#include "objects/app_options.h"
#include "objects/color_table.h"
#include "drawing_fixture.h"
#include "objects/kind_messages.h"
#include "objects/metafile_records.h"
#include "objects/picture_place.h"
#include "objects/shape_kind.h"
#include "objects/shape_outlines.h"
#include "objects/shape_paint.h"
#include "objects/shape_parameters.h"
#include "objects/shape_types.h"
#include "picture_test_support.h"
#include "store/record_store.h"
#include "objects/view_record_word.h"
#include "view/view_zoom.h"

namespace {

DrawingObject Shape(int type, int lineWidth = 60, int lineStyle = 1, int fillMode = 1)
{
    DrawingObject object;
    std::memset(&object, 0, sizeof(object));
    object.kind = kKindShape;
    object.frame = {600, 600, 1800, 1200};
    object.bounds = {570, 570, 1830, 1230};
    object.inner = object.frame;
    object.shapeType = type;
    object.lineWidth = lineWidth;
    object.lineStyle = lineStyle;
    object.fillMode = fillMode;
    object.fillColor = RGB(255, 255, 0);
    object.lineColor = RGB(0, 0, 128);
    object.textRecordId = -1;
    object.dataGroup = -1;
    object.dataFirstId = -1;
    object.groupIndex = -1;
    object.labelPartnerId = kNoObjectId;
    ShapeParameterRange range;
    GetShapeParameterDefaults(type, &range);
    object.adjust = range.defaultValue;
    if (IsRingOutlineType(type))
        object.stateFlags |= kStateRingOutline;
    return object;
}

std::vector<EmfRecord> PaintDetached(DrawingObject object, DrawingRecord* drawing = nullptr, int message = kMsgDraw,
                                     INT_PTR a = 0, INT_PTR b = 0)
{
    return RecordEmf([&](HDC dc) { DEV_IradeDududir(dc, drawing, &object, -1, message, a, b, 0); });
}

int CountOf(const std::vector<EmfRecord>& records, DWORD type)
{
    return static_cast<int>(RecordsOf(records, type).size());
}

std::vector<const EmfRecord*> Polygons(const std::vector<EmfRecord>& records)
{
    std::vector<const EmfRecord*> found;
    for (const EmfRecord& r : records) {
        if (IsPolygon(r))
            found.push_back(&r);
    }
    return found;
}

// The pens created while painting: (style, width).
std::vector<std::pair<UINT, LONG>> Pens(const std::vector<EmfRecord>& records)
{
    std::vector<std::pair<UINT, LONG>> pens;
    for (const EmfRecord& r : records) {
        if (r.type == EMR_CREATEPEN)
            pens.push_back({r.As<EMRCREATEPEN>()->lopn.lopnStyle, r.As<EMRCREATEPEN>()->lopn.lopnWidth.x});
        else if (r.type == EMR_EXTCREATEPEN)
            pens.push_back({r.As<EMREXTCREATEPEN>()->elp.elpPenStyle & PS_STYLE_MASK,
                            static_cast<LONG>(r.As<EMREXTCREATEPEN>()->elp.elpWidth)});
    }
    return pens;
}

TEST(ShapePaint, EachTypeDrawsItsFigure)
{
    enum Figure { kRectangle, kRoundRect, kEllipse, kPolygon, kRing, kNothing };
    struct Row {
        const char* name;
        int type;
        int rotation;
        int lineWidth;
        Figure figure;
    };
    const std::vector<Row> rows = {
        {"box points draw nothing", 0, 0, 60, kNothing},
        {"picture request", 1, 0, 60, kRectangle},
        {"rectangle", 2, 0, 60, kRectangle},
        {"rounded rectangle", 3, 0, 60, kRoundRect},
        {"oval", 4, 0, 60, kEllipse},
        {"terminator", 8, 0, 60, kRoundRect},
        {"circle", 9, 0, 60, kEllipse},
        {"out of range", 27, 0, 60, kNothing},
        {"thin decision", 6, 0, 1, kPolygon},
        {"rotated rectangle", 2, 300, 60, kPolygon},
        {"rotated oval", 4, 450, 60, kPolygon},
        {"rotated arrow has no ring", 10, 900, 60, kPolygon},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DrawingObject object = Shape(row.type, row.lineWidth);
        object.rotation = row.rotation;
        std::vector<EmfRecord> records = PaintDetached(object);
        EXPECT_EQ(row.figure == kRectangle ? 1 : 0, CountOf(records, EMR_RECTANGLE));
        EXPECT_EQ(row.figure == kRoundRect ? 1 : 0, CountOf(records, EMR_ROUNDRECT));
        EXPECT_EQ(row.figure == kEllipse ? 1 : 0, CountOf(records, EMR_ELLIPSE));
        EXPECT_EQ(row.figure == kPolygon ? 1 : 0, static_cast<int>(Polygons(records).size()));
        if (row.figure != kNothing && row.lineWidth > 1) {
            // Rectangles, ovals, rotated figures: one inside-frame pen of the full width.
            std::vector<std::pair<UINT, LONG>> pens = Pens(records);
            ASSERT_EQ(1u, pens.size());
            EXPECT_EQ(static_cast<UINT>(PS_INSIDEFRAME), pens[0].first);
            EXPECT_EQ(60, pens[0].second);
        }
    }
}

TEST(ShapePaint, RoundedCornersFollowTheParameterAndTheHeight)
{
    DrawingObject rounded = Shape(kShapeRoundRect);
    rounded.adjust = 0.1;
    std::vector<EmfRecord> records = PaintDetached(rounded);
    ASSERT_EQ(1, CountOf(records, EMR_ROUNDRECT));
    EXPECT_EQ(120, RecordsOf(records, EMR_ROUNDRECT)[0]->As<EMRROUNDRECT>()->szlCorner.cx);   // 600 x 0.1 x 2
    records = PaintDetached(Shape(kShapeTerminate));
    ASSERT_EQ(1, CountOf(records, EMR_ROUNDRECT));
    EXPECT_EQ(600, RecordsOf(records, EMR_ROUNDRECT)[0]->As<EMRROUNDRECT>()->szlCorner.cy);
}

TEST(ShapePaint, ThickBordersOfPolygonTypesAreRingsInTheLineColour)
{
    for (int type = 5; type <= 25; ++type) {
        if (!IsRingOutlineType(type))
            continue;
        SCOPED_TRACE(type);
        std::vector<EmfRecord> records = PaintDetached(Shape(type, 60));
        std::vector<const EmfRecord*> polygons = Polygons(records);
        ASSERT_EQ(2u, polygons.size());
        size_t outer = PolyPoints(*polygons[0]).size();
        std::vector<POINT> ring = PolyPoints(*polygons[1]);
        EXPECT_EQ(2 * outer + 1, ring.size());
        // The band is filled by a brush of the line colour with a winding rule,
        // and the figure's own pen is one pixel wide.
        bool winding = false, lineBrush = false;
        for (const EmfRecord& r : records) {
            if (r.type == EMR_SETPOLYFILLMODE && r.As<EMRSETPOLYFILLMODE>()->iMode == WINDING)
                winding = true;
            if (r.type == EMR_CREATEBRUSHINDIRECT && r.As<EMRCREATEBRUSHINDIRECT>()->lb.lbStyle == BS_SOLID &&
                (r.As<EMRCREATEBRUSHINDIRECT>()->lb.lbColor & 0xFFFFFF) == RGB(0, 0, 128))
                lineBrush = true;
        }
        EXPECT_TRUE(winding);
        EXPECT_TRUE(lineBrush);
        std::vector<std::pair<UINT, LONG>> pens = Pens(records);
        ASSERT_EQ(1u, pens.size());
        EXPECT_EQ(0, pens[0].second);
        if (type == kShapeManualInput) {
            // The inner outline's first point and its closing point share a y.
            size_t inner = ring.size() - 1 - outer;
            EXPECT_EQ(ring[1].y, ring[inner].y);
        }
    }
}

TEST(ShapePaint, DecisionAndTrianglesAreNeverMirroredWhenUpright)
{
    for (int type : {kShapeDecision, kShapeTriangle, kShapeReverseTriangle, kShapeInputOutput}) {
        SCOPED_TRACE(type);
        DrawingObject plain = Shape(type, 1);
        DrawingObject mirrored = plain;
        mirrored.optionFlags = kOptionFlipH | kOptionFlipV;
        std::vector<EmfRecord> a = PaintDetached(plain), b = PaintDetached(mirrored);
        ASSERT_EQ(1u, Polygons(a).size());
        ASSERT_EQ(1u, Polygons(b).size());
        std::vector<POINT> pa = PolyPoints(*Polygons(a)[0]), pb = PolyPoints(*Polygons(b)[0]);
        auto equal = [](POINT p, POINT q) { return p.x == q.x && p.y == q.y; };
        bool same = pa.size() == pb.size() && std::equal(pa.begin(), pa.end(), pb.begin(), equal);
        EXPECT_EQ(type != kShapeInputOutput, same);
    }
}

TEST(ShapePaint, PenAndBrushFollowTheStyle)
{
    struct Row {
        const char* name;
        int lineStyle;
        int fillMode;
        COLORREF fill;
        UINT penStyle;      // ~0u: no pen made
        UINT brushStyle;    // ~0u: no brush made
        LONG hatch;
        bool transparent;
    };
    const std::vector<Row> rows = {
        {"solid", 1, 1, RGB(255, 255, 0), PS_INSIDEFRAME, BS_SOLID, 0, false},
        {"dotted", 2, 1, RGB(255, 255, 0), PS_DOT, BS_SOLID, 0, false},
        {"dashed, no fill", 3, 0, RGB(255, 255, 0), PS_DASH, ~0u, 0, false},
        {"no line", 0, 1, RGB(255, 255, 0), ~0u, BS_SOLID, 0, false},
        {"forward hatch over the fill", 1, 3, RGB(255, 255, 0), PS_INSIDEFRAME, BS_HATCHED, HS_FDIAGONAL, false},
        {"cross hatch without a fill colour", 1, 5, 0xFFFFFFFF, PS_INSIDEFRAME, BS_HATCHED, HS_CROSS, true},
        {"no fill colour, solid mode", 1, 1, 0xFFFFFFFF, PS_INSIDEFRAME, ~0u, 0, false},
        {"fill mode beyond the hatches", 1, 9, RGB(255, 255, 0), PS_INSIDEFRAME, ~0u, 0, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DrawingObject object = Shape(kShapeRectangle, 60, row.lineStyle, row.fillMode);
        object.fillColor = row.fill;
        std::vector<EmfRecord> records = PaintDetached(object);
        std::vector<std::pair<UINT, LONG>> pens = Pens(records);
        if (row.penStyle == ~0u) {
            EXPECT_TRUE(pens.empty());
        } else {
            ASSERT_EQ(1u, pens.size());
            EXPECT_EQ(row.penStyle, pens[0].first);
        }
        std::vector<const EmfRecord*> brushes = RecordsOf(records, EMR_CREATEBRUSHINDIRECT);
        if (row.brushStyle == ~0u) {
            EXPECT_TRUE(brushes.empty());
        } else {
            ASSERT_EQ(1u, brushes.size());
            const LOGBRUSH32& brush = brushes[0]->As<EMRCREATEBRUSHINDIRECT>()->lb;
            EXPECT_EQ(row.brushStyle, brush.lbStyle);
            if (row.brushStyle == BS_HATCHED) {
                EXPECT_EQ(row.hatch, static_cast<LONG>(brush.lbHatch));
                EXPECT_EQ(RGB(0, 0, 128), brush.lbColor & 0xFFFFFF);   // the line colour
            }
        }
        bool transparent = false;
        for (const EmfRecord* r : RecordsOf(records, EMR_SETBKMODE))
            transparent = r->As<EMRSETBKMODE>()->iMode == TRANSPARENT;
        EXPECT_EQ(row.transparent, transparent);
        EXPECT_EQ(1, CountOf(records, EMR_RECTANGLE));
    }
}

TEST(ShapePaint, ShadowCopiesMoveByTheOffsetInTheShadowColour)
{
    DrawingRecord drawing;
    std::memset(&drawing, 0, sizeof(drawing));
    drawing.storeSlot = -1;
    ShadowPass pass = {30, 45, RGB(90, 90, 90)};
    DrawingObject object = Shape(kShapeRectangle, 12);
    std::vector<EmfRecord> records =
        PaintDetached(object, &drawing, kMsgShadowSilhouette, 0, reinterpret_cast<INT_PTR>(&pass));
    ASSERT_EQ(1, CountOf(records, EMR_RECTANGLE));
    const RECTL& box = RecordsOf(records, EMR_RECTANGLE)[0]->As<EMRRECTANGLE>()->rclBox;
    EXPECT_EQ(630, box.left);
    EXPECT_EQ(645, box.top);
    std::vector<const EmfRecord*> brushes = RecordsOf(records, EMR_CREATEBRUSHINDIRECT);
    ASSERT_EQ(1u, brushes.size());
    EXPECT_EQ(RGB(90, 90, 90), brushes[0]->As<EMRCREATEBRUSHINDIRECT>()->lb.lbColor & 0xFFFFFF);

    // An object that hides its shadow casts none, but its outline copy at
    // (0, 0) (the last stacked outline of the extrusions) is still drawn.
    object.optionFlags = kOptionHideShadow;
    EXPECT_EQ(0, DrawingRecordCount(PaintDetached(object, &drawing, kMsgShadowSilhouette, 0,
                                                  reinterpret_cast<INT_PTR>(&pass))));
    EXPECT_EQ(0, DrawingRecordCount(PaintDetached(object, &drawing, kMsgShadowOutline, 0,
                                                  reinterpret_cast<INT_PTR>(&pass))));
    ShadowPass still = {0, 0, RGB(90, 90, 90)};
    records = PaintDetached(object, &drawing, kMsgShadowOutline, 0, reinterpret_cast<INT_PTR>(&still));
    EXPECT_EQ(1, CountOf(records, EMR_RECTANGLE));
    EXPECT_TRUE(RecordsOf(records, EMR_CREATEBRUSHINDIRECT).empty());   // no fill
}

TEST(ShapePaint, AttachmentMarkersStayInsideTheBounds)
{
    struct Row {
        const char* name;
        RECT bounds;
        RECT marker;
    };
    const std::vector<Row> rows = {
        {"large bounds", {0, 0, 1000, 800}, {886, 686, 940, 740}},
        {"40 units wide", {500, 0, 540, 800}, {500, 686, 534, 740}},
        {"30 units high", {0, 100, 1000, 130}, {886, 100, 940, 124}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DrawingObject object = Shape(kShapeRectangle);
        object.bounds = row.bounds;
        RECT marker;
        GetAttachmentMarkerRect(&object, &marker);
        EXPECT_EQ(row.marker.left, marker.left);
        EXPECT_EQ(row.marker.top, marker.top);
        EXPECT_EQ(row.marker.right, marker.right);
        EXPECT_EQ(row.marker.bottom, marker.bottom);
    }
}

using ShapePictures = DrawingFixture;

// A metafile of a black-filled square and a grey-filled one, framed by a
// black pen.
std::vector<uint8_t> TwoSquares()
{
    const COLORREF grey = RGB(128, 128, 128);
    return WmfBuilder(4)
        .Record(kMetaSetWindowExt, {100, 200})
        .Record(kMetaCreatePenIndirect, {PS_SOLID, 0, 0, 0, 0})
        .Record(kMetaSelectObject, {0})
        .Record(kMetaCreateBrushIndirect, {BS_SOLID, 0, 0, 0})
        .Record(kMetaSelectObject, {1})
        .Record(kMetaRectangle, {100, 100, 0, 0})
        .Record(kMetaCreateBrushIndirect, {BS_SOLID, static_cast<int>(grey & 0xFFFF), static_cast<int>(grey >> 16), 0})
        .Record(kMetaSelectObject, {2})
        .Record(kMetaEllipse, {100, 200, 0, 100})
        .Bits();
}

int PlaceTwoSquares(HWND view, DrawingRecord* drawing)
{
    RECT size = {0, 0, 1200, 600}, bounds = {0, 0, 200, 100};
    POINT at = {600, 600};
    std::vector<uint8_t> bits = TwoSquares();
    EXPECT_EQ(0, CreatePictureObject(view, drawing, kMetafilePictureGroup, BlockOf(bits),
                                     static_cast<DWORD>(bits.size()), at, &size, &bounds, 0, nullptr, 0));
    return 0;
}

std::vector<EmfRecord> PaintIndex(DrawingRecord* drawing, void* table, int index, INT_PTR a = 0)
{
    return RecordEmf([&](HDC dc) { DEV_IradeDududir(dc, drawing, table, index, kMsgDraw, a, 0, 0); });
}

TEST_F(ShapePictures, AFramedMetafileIsPlayedInTheObjectsColours)
{
    PlaceTwoSquares(view_, Drawing());
    DrawingObject* object = Object(0);
    object->optionFlags &= ~kOptionFrameless;
    object->fillColor = RGB(0, 160, 0);
    object->lineColor = RGB(160, 0, 0);
    object->lineWidth = 6;
    object->lineStyle = 1;
    // At 100 per cent six units make a pixel: (900, 900) is pixel (150, 150).
    PixelCanvas canvas(400, 300);
    SetZoomMapMode(canvas.Dc(), 0, 600);
    DEV_IradeDududir(canvas.Dc(), Drawing(), Objects(), 0, kMsgDraw, 0, 0, 0);
    EXPECT_EQ(RGB(160, 0, 0), canvas.At(150, 150));   // black fill: the line colour
    EXPECT_EQ(RGB(0, 160, 0), canvas.At(250, 150));   // grey fill: the fill colour

    // Frameless, the picture keeps its own colours.
    object = Object(0);
    object->optionFlags |= kOptionFrameless;
    PixelCanvas own(400, 300);
    SetZoomMapMode(own.Dc(), 0, 600);
    DEV_IradeDududir(own.Dc(), Drawing(), Objects(), 0, kMsgDraw, 0, 0, 0);
    EXPECT_EQ(RGB(0, 0, 0), own.At(150, 150));
    EXPECT_EQ(RGB(128, 128, 128), own.At(250, 150));
}

TEST_F(ShapePictures, ABitmapComesFirstThenTheOutlineWithoutFill)
{
    POINT at = {600, 600};
    ASSERT_EQ(0, PlaceDibPicture(view_, Drawing(), BlockOf(SolidDib(20, 10, RGB(0, 200, 0))), &at));
    DrawingObject* object = Object(0);
    object->lineWidth = 12;
    object->lineStyle = 1;
    object->lineColor = 0;
    std::vector<EmfRecord> records = PaintIndex(Drawing(), Objects(), 0);
    int stretch = -1, rectangle = -1;
    for (size_t i = 0; i < records.size(); ++i) {
        if (records[i].type == EMR_STRETCHDIBITS && stretch < 0)
            stretch = static_cast<int>(i);
        if (records[i].type == EMR_RECTANGLE)
            rectangle = static_cast<int>(i);
    }
    ASSERT_GE(stretch, 0);
    ASSERT_GE(rectangle, 0);
    EXPECT_LT(stretch, rectangle);
    EXPECT_TRUE(RecordsOf(records, EMR_CREATEBRUSHINDIRECT).empty());
}

TEST_F(ShapePictures, SmallMetafilesAreOnlyFramedInTheFitView)
{
    PlaceTwoSquares(view_, Drawing());
    DrawingObject* object = Object(0);
    object->frame = {600, 600, 900, 750};   // 300 x 150
    object->inner = object->frame;
    HGLOBAL settings = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(ViewSettings));
    auto* view = static_cast<ViewSettings*>(GlobalLock(settings));
    view->zoom = 500;
    view->flags = kViewFitMode;
    GlobalUnlock(settings);
    SetWindowLongPtrA(view_, kViewSettingsWord, reinterpret_cast<LONG_PTR>(settings));

    struct Row {
        const char* name;
        int option;
        int printing;
        int rendering;
        bool framed;
    };
    const std::vector<Row> rows = {
        {"small at this zoom", 200, 0, 0, true},
        {"always", -1, 0, 0, true},
        {"never", 0, 0, 0, false},
        {"not small enough", 100, 0, 0, false},
        {"while printing", 200, 1, 0, false},
        {"while a metafile is rendered", 200, 0, 1, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        int32_t option = row.option;
        std::memcpy(options_.data() + kOptionsQuickPreview, &option, sizeof(option));
        RenderingMetafile = row.rendering;
        std::vector<EmfRecord> records = PaintIndex(Drawing(), Objects(), 0, row.printing);
        RenderingMetafile = 0;
        // Framed: one black rectangle. Played: the picture's square and circle,
        // then the frameless object's figure without pen or brush.
        EXPECT_EQ(row.framed ? 0 : 1, CountOf(records, EMR_ELLIPSE));
        EXPECT_EQ(row.framed ? 1 : 2, CountOf(records, EMR_RECTANGLE));
    }
    SetWindowLongPtrA(view_, kViewSettingsWord, 0);
    GlobalFree(settings);
}

TEST_F(ShapePictures, AttachmentMarkersAreDrawnOnTheScreenOnly)
{
    ASSERT_EQ(0, Create({1000, 1000, 2200, 1600}, kShapeRectangle, 0));
    RecordHandle record = nullptr;
    ASSERT_EQ(0, CreateRecord(store_, kAttachmentGroup, static_cast<short>(Object(0)->objectId), 287, &record));
    ReleaseRecord(record);
    // The marker is one more rectangle with a plus sign of two lines.
    EXPECT_EQ(2, CountOf(PaintIndex(Drawing(), Objects(), 0), EMR_RECTANGLE));
    EXPECT_EQ(1, CountOf(PaintIndex(Drawing(), Objects(), 0, 1), EMR_RECTANGLE));
    RenderingMetafile = 1;
    EXPECT_EQ(1, CountOf(PaintIndex(Drawing(), Objects(), 0), EMR_RECTANGLE));
    RenderingMetafile = 0;
}

} // namespace

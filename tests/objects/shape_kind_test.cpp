// The shape kind's messages on one detached shape record (index -1), the way
// samples, feedback and new objects are handled before they join a table.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "objects/drawing_layout.h"
#include "objects/kind_messages.h"
#include "objects/object_offset.h"
#include "objects/point_transforms.h"
#include "objects/shadow_extent.h"
#include "objects/shape_frames.h"
#include "objects/shape_init.h"
#include "objects/shape_kind.h"
#include "objects/shape_parameters.h"

namespace {

DrawingObject Shape(RECT frame, int type)
{
    DrawingObject object;
    std::memset(&object, 0, sizeof(object));
    object.kind = kKindShape;
    object.frame = frame;
    object.shapeType = type;
    object.lineWidth = 12;
    object.lineStyle = 1;
    object.fillMode = 1;
    object.fillColor = 0xFFFFFF;
    object.lineColor = 0;
    object.textRecordId = -1;
    object.dataGroup = -1;
    object.dataFirstId = -1;
    object.labelPartnerId = kNoObjectId;
    object.labelPartnerHint = -1;
    object.groupIndex = -1;
    object.textMargins = {24, 24, 24, 24};
    return object;
}

DrawingRecord Drawing()
{
    DrawingRecord drawing;
    std::memset(&drawing, 0, sizeof(drawing));
    drawing.outlineWidth = 12;
    drawing.fillMode = 1;
    drawing.primarySelected = -1;
    drawing.toolSlot = -1;
    drawing.style.backgroundColor = 0xFFFFFFFF;
    drawing.width = 20000;
    drawing.height = 20000;
    return drawing;
}

int32_t Send(DrawingRecord* drawing, DrawingObject* object, int message, INT_PTR a = 0, INT_PTR b = 0,
             INT_PTR c = 0)
{
    return DEV_IradeDududir(nullptr, drawing, object, -1, message, a, b, c);
}

TEST(ShapeKind, CommandBits)
{
    struct Row {
        const char* name;
        int group;
        int count;
        uint32_t state;
        uint32_t textRole;
        int32_t bits;
    };
    const std::vector<Row> rows = {
        {"plain rectangle", -1, 0, 0, 0, 0xCC7},
        {"shape with a bitmap picture", 112, 1, 0, 0, 0x5C7},
        {"picture object with a bitmap", 112, 1, kStatePictureObject, 0, 0x5C5},
        {"shape with a metafile picture", 113, 1, 0, 0, 0xDC7},
        {"freeform outline", 119, 1, 0, 0, 0xCC7},
        {"label text role", -1, 0, 0, 0x10, 0xCC3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DrawingObject object = Shape({0, 0, 600, 300}, 2);
        object.dataGroup = row.group;
        object.dataCount = row.count;
        object.stateFlags = row.state;
        object.textRoleFlags = row.textRole;
        EXPECT_EQ(row.bits, Send(nullptr, &object, kMsgCommandBits));
    }
}

TEST(ShapeKind, SizingDefaultOnlyForTheCircle)
{
    for (int type = 0; type < 27; ++type)
        EXPECT_EQ(type == 9 ? 3 : 0, DEV_IradeDududir(nullptr, nullptr, nullptr, -1, kMsgSizingDefault, type, 0, 0));
}

TEST(ShapeKind, BoxPointsOfANormalisedRectangle)
{
    POINT buffer[8] = {};
    RECT* rect = reinterpret_cast<RECT*>(buffer);
    *rect = {100, 200, 0, 0};
    int count = 0;
    EXPECT_EQ(33, DEV_IradeDududir(nullptr, nullptr, nullptr, -1, kMsgCapabilities, 2, reinterpret_cast<INT_PTR>(&count),
                                   reinterpret_cast<INT_PTR>(rect)));
    ASSERT_EQ(8, count);
    const POINT expected[8] = {{0, 0}, {100, 0}, {0, 200}, {100, 200}, {50, 0}, {50, 200}, {0, 100}, {100, 100}};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(expected[i].x, buffer[i].x) << i;
        EXPECT_EQ(expected[i].y, buffer[i].y) << i;
    }
    EXPECT_EQ(33, DEV_IradeDududir(nullptr, nullptr, nullptr, -1, kMsgCapabilities, 2, 0, 0));
}

TEST(ShapeKind, UnhandledMessagesAnswerZeroAndChangeNothing)
{
    const int codes[] = {0, 12, 24, 26, 30, 35, 36, 37, 38, 39, 46, 54, 61, 62, 63, 70, 71,
                         72, 73, 74, 75, 77, 78, 79, 80, 81, 82, 83, 87, 88, 89, 200, -1};
    DrawingRecord drawing = Drawing();
    for (int code : codes) {
        SCOPED_TRACE(code);
        DrawingObject object = Shape({0, 0, 600, 300}, 5);
        DrawingObject before = object;
        int32_t word = 7;
        EXPECT_EQ(0, Send(&drawing, &object, code, 1, 2, reinterpret_cast<INT_PTR>(&word)));
        EXPECT_EQ(0, std::memcmp(&before, &object, sizeof(object)));
    }
}

TEST(ShapeKind, TypeChangeToCircleSquaresTheFrameAboutItsCentre)
{
    DrawingRecord drawing = Drawing();
    DrawingObject object = Shape({0, 0, 900, 600}, 2);
    int32_t value[2] = {0, 9};
    EXPECT_EQ(0, Send(&drawing, &object, kMsgSetShapeType, 0, 0, reinterpret_cast<INT_PTR>(value)));
    EXPECT_EQ(9, object.shapeType);
    EXPECT_EQ(150, object.frame.left);
    EXPECT_EQ(750, object.frame.right);
    EXPECT_EQ(0, object.frame.top);
    EXPECT_EQ(600, object.frame.bottom);
    EXPECT_EQ(3, object.sizingConstraint);
    EXPECT_EQ(600, object.width);
}

TEST(ShapeKind, TypeChangeSetsTheNewDefaultsAndDropsMirroring)
{
    DrawingRecord drawing = Drawing();
    DrawingObject object = Shape({0, 0, 900, 600}, 5);
    object.optionFlags = kOptionFlipH | kOptionFlipV;
    object.stateFlags = kStateRingOutline;
    object.sizingConstraint = 3;
    int32_t value[2] = {0, 3};
    Send(&drawing, &object, kMsgSetShapeType, 0, 0, reinterpret_cast<INT_PTR>(value));
    EXPECT_EQ(3, object.shapeType);
    EXPECT_DOUBLE_EQ(0.2, object.adjust);
    EXPECT_EQ(0u, object.optionFlags & (kOptionFlipH | kOptionFlipV));
    EXPECT_EQ(0u, object.stateFlags & kStateRingOutline);
    EXPECT_EQ(0, object.sizingConstraint);
}

TEST(ShapeKind, TypeChangeMakesATextBoxAnOrdinaryShape)
{
    DrawingRecord drawing = Drawing();
    drawing.outlineWidth = 18;
    drawing.style.borderColor = 0x123456;
    DrawingObject object = Shape({0, 0, 900, 600}, 2);
    object.stateFlags = kStateTextBox;
    object.lineWidth = 0;
    object.textMargins = {0, 0, 0, 0};
    int32_t value[2] = {0, 6};
    Send(&drawing, &object, kMsgSetShapeType, 0, 0, reinterpret_cast<INT_PTR>(value));
    EXPECT_EQ(0u, object.stateFlags & kStateTextBox);
    EXPECT_EQ(18, object.lineWidth);
    EXPECT_EQ(0x123456u, object.lineColor);
    EXPECT_EQ(24, object.textMargins.left);
}

TEST(ShapeKind, TypeChangeLeavesPictureObjectsAndTheSameType)
{
    DrawingRecord drawing = Drawing();
    int32_t value[2] = {0, 9};
    DrawingObject picture = Shape({0, 0, 900, 600}, 2);
    picture.stateFlags = kStatePictureObject;
    DrawingObject before = picture;
    EXPECT_EQ(0, Send(&drawing, &picture, kMsgSetShapeType, 0, 0, reinterpret_cast<INT_PTR>(value)));
    EXPECT_EQ(0, std::memcmp(&before, &picture, sizeof(picture)));
    DrawingObject circle = Shape({0, 0, 900, 600}, 9);
    before = circle;
    Send(&drawing, &circle, kMsgSetShapeType, 0, 0, reinterpret_cast<INT_PTR>(value));
    EXPECT_EQ(0, std::memcmp(&before, &circle, sizeof(circle)));
}

TEST(ShapeKind, InitialisingSetsKindWordsSlotsAndParameter)
{
    struct Row {
        int type;
        double parameter;
        int constraint;
        bool ring;
    };
    const std::vector<Row> rows = {{2, 0, 0, false}, {3, 0.2, 0, false}, {5, 0.2, 0, true},
                                   {9, 0, 3, false}, {19, 0.33, 0, true}, {25, 0.2, 0, true}};
    DrawingRecord drawing = Drawing();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.type);
        DrawingObject object = Shape({1000, 1000, 1600, 1300}, row.type);
        EXPECT_EQ(0, Send(&drawing, &object, kMsgInitObject));
        EXPECT_EQ(row.type, object.shapeType);
        EXPECT_DOUBLE_EQ(row.parameter, object.adjust);
        EXPECT_EQ(1, object.kindWord1);
        EXPECT_EQ(3, object.kindWord2);
        EXPECT_EQ(1, object.linkCapacity);
        EXPECT_EQ(row.constraint, object.sizingConstraint);
        EXPECT_EQ(row.ring, (object.stateFlags & kStateRingOutline) != 0);
        // Recomputed: bounds 30 outside, inner rectangle the line width inside.
        EXPECT_EQ(970, object.bounds.left);
        EXPECT_EQ(1012, object.inner.left);
        EXPECT_EQ(1012 + object.textInsets.left + 24, object.textFrame.left);
    }
}

TEST(ShapeKind, PictureObjectsRefuseTransformsUnlessPlainMetafiles)
{
    struct Row {
        const char* name;
        int group;
        int scanFlags;
        uint32_t options;
    };
    const std::vector<Row> rows = {
        {"bitmap", 112, 0, 0x21},
        {"plain metafile", 113, 0, 0x01},
        {"metafile with stretched bitmaps", 113, kScanStretchedBitmaps, 0x21},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PictureCreationBlock block;
        std::memset(&block, 0, sizeof(block));
        block.scanFlags = row.scanFlags;
        DrawingObject object = Shape({0, 0, 600, 300}, 1);
        EXPECT_EQ(0, Send(nullptr, &object, kMsgInitObject, row.group, 0, reinterpret_cast<INT_PTR>(&block)));
        EXPECT_EQ(2, object.shapeType);
        EXPECT_EQ(row.options, object.optionFlags);
        EXPECT_EQ(kStatePictureObject, object.stateFlags & kStatePictureObject);
        EXPECT_EQ(3, object.sizingConstraint);
        EXPECT_EQ(0, object.lineWidth);
        EXPECT_EQ(0, object.fillMode);
        EXPECT_EQ(4u, object.textRoleFlags);
    }
}

TEST(ShapeKind, RotationHandle)
{
    DrawingObject small = Shape({0, 0, 250, 250}, 2);
    POINT point = {};
    RECT box = {};
    EXPECT_EQ(0, Send(nullptr, &small, kMsgRotateHandle, 0, reinterpret_cast<INT_PTR>(&point),
                      reinterpret_cast<INT_PTR>(&box)));
    EXPECT_EQ(141, Send(nullptr, &small, kMsgRotateHandle, 2, reinterpret_cast<INT_PTR>(&point),
                        reinterpret_cast<INT_PTR>(&box)));
    EXPECT_EQ(125, point.x);
    EXPECT_EQ(250 - 66, point.y);

    DrawingObject wide = Shape({0, 0, 1200, 300}, 2);
    EXPECT_EQ(140, Send(nullptr, &wide, kMsgRotateHandle, 0, reinterpret_cast<INT_PTR>(&point),
                        reinterpret_cast<INT_PTR>(&box)));
    EXPECT_EQ(1200 - 66, point.x);
    EXPECT_EQ(150, point.y);
    EXPECT_EQ(1200 - 66 - 24, box.left);
    EXPECT_EQ(150 + 24, box.bottom);

    wide.rotation = 900;
    Send(nullptr, &wide, kMsgRotateHandle, 1, reinterpret_cast<INT_PTR>(&point), 0);
    EXPECT_EQ(600, point.x);
    EXPECT_EQ(150 - (600 - 66), point.y);

    wide.optionFlags = kOptionNoTransform;
    EXPECT_EQ(0, Send(nullptr, &wide, kMsgRotateHandle, 2, reinterpret_cast<INT_PTR>(&point), 0));
}

TEST(ShapeKind, SetRotationRecomputesTheBounds)
{
    DrawingRecord drawing = Drawing();
    DrawingObject object = Shape({1000, 1000, 1600, 1300}, 2);
    EXPECT_EQ(0, Send(&drawing, &object, kMsgSetRotation, 450));
    EXPECT_EQ(450, object.rotation);
    // The box of a 600 x 300 frame turned 45 degrees is about 636 square.
    double side = 900 * std::sqrt(0.5);
    EXPECT_NEAR(side + 60, object.bounds.right - object.bounds.left, 2);
    EXPECT_NEAR(side + 60, object.bounds.bottom - object.bounds.top, 2);
}

TEST(ShapeKind, RotationRefusedByTheNoTransformBit)
{
    DrawingRecord drawing = Drawing();
    DrawingObject object = Shape({1000, 1000, 1600, 1300}, 2);
    object.optionFlags = kOptionNoTransform;
    TransformRefused = 0;
    Send(&drawing, &object, kMsgSetRotation, 450);
    EXPECT_EQ(0, object.rotation);
    EXPECT_EQ(1, TransformRefused);
    TransformRefused = 0;
    POINT target = {1300, 0};
    EXPECT_EQ(0, Send(&drawing, &object, kMsgRotateToPoint, 140, 0, reinterpret_cast<INT_PTR>(&target)));
    EXPECT_EQ(0, object.rotation);
    EXPECT_EQ(1, TransformRefused);
    TransformRefused = 0;
}

TEST(ShapeKind, RotateToPointSnapsWhenTheDrawingSnaps)
{
    struct Row {
        double degrees;
        bool snap;
        int rotation;
    };
    const std::vector<Row> rows = {{22, true, 150}, {23, true, 300}, {-22, true, -150}, {90, true, 900}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.degrees);
        DrawingRecord drawing = Drawing();
        drawing.flags = row.snap ? static_cast<uint32_t>(kDrawingSnap) : 0u;
        DrawingObject object = Shape({0, 0, 2000, 1000}, 2);
        double radians = row.degrees * 3.14159265358979 / 180.0;
        // Counter-clockwise on the page is upwards: y decreases.
        POINT target = {1000 + static_cast<LONG>(std::lround(5000 * std::cos(radians))),
                        500 - static_cast<LONG>(std::lround(5000 * std::sin(radians)))};
        EXPECT_EQ(0, Send(&drawing, &object, kMsgRotateToPoint, 140, 0, reinterpret_cast<INT_PTR>(&target)));
        EXPECT_EQ(row.rotation, object.rotation);
    }
    DrawingRecord loose = Drawing();
    DrawingObject object = Shape({0, 0, 2000, 1000}, 2);
    double radians = 22 * 3.14159265358979 / 180.0;
    POINT target = {1000 + static_cast<LONG>(std::lround(5000 * std::cos(radians))),
                    500 - static_cast<LONG>(std::lround(5000 * std::sin(radians)))};
    Send(&loose, &object, kMsgRotateToPoint, 140, 0, reinterpret_cast<INT_PTR>(&target));
    EXPECT_NEAR(220, object.rotation, 1);
}

struct FlipCase {
    const char* name;
    int type;
    uint32_t before;
    uint32_t request;
    int typeAfter;
    uint32_t after;
};

TEST(ShapeKind, FlipMirrorsOrSwapsTheType)
{
    const std::vector<FlipCase> cases = {
        {"right arrow left to right becomes a left arrow", 10, 0, 0x08, 11, 0},
        {"left arrow left to right", 11, 0, 0x08, 10, 0},
        {"right arrow top to bottom stays", 10, 0, 0x10, 10, 0},
        {"top arrow top to bottom", 12, 0, 0x10, 13, 0},
        {"triangle top to bottom", 14, 0, 0x10, 15, 0},
        {"trapezoid top to bottom", 17, 0, 0x10, 18, 0},
        {"decision does not change", 6, 0, 0x18, 6, 0},
        {"input/output left to right", 5, 0, 0x08, 5, 0x08},
        {"input/output mirrored both ways loses both", 5, 0x08, 0x10, 5, 0},
        {"document both ways", 7, 0x08, 0x10, 7, 0x18},
        {"document back", 7, 0x18, 0x08, 7, 0x10},
        {"pentagon only left to right", 23, 0, 0x18, 23, 0x08},
        {"off-page connector only top to bottom", 22, 0, 0x18, 22, 0x10},
    };
    DrawingRecord drawing = Drawing();
    for (const FlipCase& c : cases) {
        SCOPED_TRACE(c.name);
        DrawingObject object = Shape({0, 0, 1200, 600}, c.type);
        object.optionFlags = c.before;
        TransformRefused = 0;
        EXPECT_EQ(0, Send(&drawing, &object, kMsgFlip, c.request));
        EXPECT_EQ(c.typeAfter, object.shapeType);
        EXPECT_EQ(c.after, object.optionFlags);
        EXPECT_EQ(0, TransformRefused);
    }
}

TEST(ShapeKind, FlipRefusedForBitmapsAndNoTransformShapes)
{
    DrawingRecord drawing = Drawing();
    DrawingObject bitmap = Shape({0, 0, 1200, 600}, 2);
    bitmap.dataGroup = 112;
    bitmap.dataCount = 1;
    bitmap.stateFlags = kStatePictureObject;
    for (uint32_t request : {0x08u, 0x10u}) {
        TransformRefused = 0;
        EXPECT_EQ(0, Send(&drawing, &bitmap, kMsgFlip, request));
        EXPECT_EQ(0u, bitmap.optionFlags);
        EXPECT_EQ(1, TransformRefused);
    }
    // A picture object of a metafile with stretched bitmaps carries the
    // no-transform bit and is not mirrored either.
    DrawingObject stretched = Shape({0, 0, 1200, 600}, 2);
    stretched.dataGroup = 113;
    stretched.dataCount = 1;
    stretched.stateFlags = kStatePictureObject;
    stretched.optionFlags = kOptionFrameless | kOptionNoTransform;
    TransformRefused = 0;
    Send(&drawing, &stretched, kMsgFlip, 0x08);
    EXPECT_EQ(kOptionFrameless | kOptionNoTransform, stretched.optionFlags);
    EXPECT_EQ(1, TransformRefused);
    TransformRefused = 0;
}

TEST(ShapeKind, FlipOfASymbolSwapsItsTextInsets)
{
    DrawingRecord drawing = Drawing();
    DrawingObject object = Shape({0, 0, 1200, 600}, 2);
    object.stateFlags = kStatePictureObject | kStateSymbolConnectPoints;
    object.dataGroup = 113;
    object.dataCount = 1;
    object.textInsetFractions[0] = 0.1;
    object.textInsetFractions[2] = 0.3;
    Send(&drawing, &object, kMsgFlip, 0x08);
    EXPECT_EQ(kOptionFlipH, object.optionFlags);
    EXPECT_DOUBLE_EQ(0.3, object.textInsetFractions[0]);
    EXPECT_DOUBLE_EQ(0.1, object.textInsetFractions[2]);
}

TEST(ShapeKind, FillPattern)
{
    DrawingRecord drawing = Drawing();
    int32_t solid[2] = {0, 1};
    DrawingObject unfilled = Shape({0, 0, 600, 300}, 2);
    unfilled.fillMode = 0;
    Send(&drawing, &unfilled, kMsgSetFillPattern, 0, 0, reinterpret_cast<INT_PTR>(solid));
    EXPECT_EQ(0, unfilled.fillMode);

    // A hatch on a white shape with a white outline gets a black outline.
    DrawingObject hatched = Shape({0, 0, 600, 300}, 2);
    hatched.lineColor = 0xFFFFFF;
    int32_t hatch[2] = {0, 3};
    Send(&drawing, &hatched, kMsgSetFillPattern, 0, 0, reinterpret_cast<INT_PTR>(hatch));
    EXPECT_EQ(3, hatched.fillMode);
    EXPECT_EQ(0u, hatched.lineColor);
    EXPECT_EQ(3, drawing.fillMode);

    // Solid fill without a fill colour stays empty.
    DrawingObject clear = Shape({0, 0, 600, 300}, 2);
    clear.fillMode = 3;
    clear.fillColor = 0xFFFFFFFF;
    Send(&drawing, &clear, kMsgSetFillPattern, 0, 0, reinterpret_cast<INT_PTR>(solid));
    EXPECT_EQ(0, clear.fillMode);
}

TEST(ShapeKind, OutlineWidthStyleAndColour)
{
    DrawingRecord drawing = Drawing();
    DrawingObject object = Shape({0, 0, 600, 300}, 2);
    object.lineStyle = 3;
    int32_t width[2] = {0, 24};
    EXPECT_EQ(0, Send(&drawing, &object, kMsgSetOutlineWidth, 1, 0, reinterpret_cast<INT_PTR>(width)));
    EXPECT_EQ(24, object.lineWidth);
    EXPECT_EQ(1, object.lineStyle);
    EXPECT_EQ(24, drawing.outlineWidth);
    EXPECT_EQ(24, object.inner.left);

    DrawingObject bare = Shape({0, 0, 600, 300}, 2);
    bare.lineWidth = 0;
    int32_t dashed[2] = {0, 3};
    Send(&drawing, &bare, kMsgSetOutlineStyle, 0, 0, reinterpret_cast<INT_PTR>(dashed));
    EXPECT_EQ(3, bare.lineStyle);
    EXPECT_EQ(1, bare.lineWidth);
    EXPECT_EQ(1, drawing.outlineWidth);

    DrawingObject uncoloured = Shape({0, 0, 600, 300}, 2);
    uncoloured.lineWidth = 0;
    uncoloured.lineStyle = 2;
    drawing.outlineWidth = 0;
    COLORREF red = 0x0000FF;
    Send(&drawing, &uncoloured, kMsgSetOutlineColor, 1, 0, reinterpret_cast<INT_PTR>(&red));
    EXPECT_EQ(red, uncoloured.lineColor);
    EXPECT_EQ(12, uncoloured.lineWidth);
    EXPECT_EQ(1, uncoloured.lineStyle);
}

TEST(ShapeKind, FillColour)
{
    DrawingRecord drawing = Drawing();
    COLORREF none = 0xFFFFFFFF;
    COLORREF red = 0x0000FF;
    DrawingObject solid = Shape({0, 0, 600, 300}, 2);
    Send(&drawing, &solid, kMsgSetFillColor, 0, 0, reinterpret_cast<INT_PTR>(&none));
    EXPECT_EQ(0, solid.fillMode);
    EXPECT_EQ(none, solid.fillColor);

    DrawingObject unfilled = Shape({0, 0, 600, 300}, 2);
    unfilled.fillMode = 0;
    Send(&drawing, &unfilled, kMsgSetFillColor, 0, 0, reinterpret_cast<INT_PTR>(&red));
    EXPECT_EQ(0, unfilled.fillMode);
    EXPECT_EQ(0xFFFFFFu, unfilled.fillColor);
    Send(&drawing, &unfilled, kMsgSetFillColor, 1, 0, reinterpret_cast<INT_PTR>(&red));
    EXPECT_EQ(1, unfilled.fillMode);
    EXPECT_EQ(red, unfilled.fillColor);

    // An attached label on the background's colour keeps it without the flag.
    DrawingObject label = Shape({0, 0, 600, 300}, 2);
    label.stateFlags = kStateAttached;
    Send(&drawing, &label, kMsgSetFillColor, 0, 0, reinterpret_cast<INT_PTR>(&red));
    EXPECT_EQ(0xFFFFFFu, label.fillColor);
}

TEST(ShapeKind, TextSizingTogglesTheFrame)
{
    DrawingRecord drawing = Drawing();
    DrawingObject object = Shape({0, 0, 600, 300}, 2);
    object.optionFlags = kOptionFrameless;
    object.lineWidth = 0;
    object.fillMode = 0;
    object.fillColor = 0;
    object.lineColor = 0xFFFFFF;
    int32_t value[2] = {0, 2};
    EXPECT_EQ(0, Send(&drawing, &object, kMsgTextSizing, 0, 0, reinterpret_cast<INT_PTR>(value)));
    EXPECT_EQ(2, object.sizingConstraint);
    EXPECT_EQ(1, object.lineWidth);
    EXPECT_EQ(1, object.fillMode);
    EXPECT_EQ(0xFFFFFFu, object.fillColor);
    EXPECT_EQ(0u, object.lineColor);
    EXPECT_EQ(0u, object.optionFlags & kOptionFrameless);

    Send(&drawing, &object, kMsgTextSizing, 1, 0, reinterpret_cast<INT_PTR>(value));
    EXPECT_EQ(0, object.lineWidth);
    EXPECT_EQ(0, object.fillMode);
    EXPECT_EQ(kOptionFrameless, object.optionFlags & kOptionFrameless);

    value[1] = 3;
    Send(&drawing, &object, kMsgTextSizing, -1, 0, reinterpret_cast<INT_PTR>(value));
    EXPECT_EQ(3, object.sizingConstraint);
    EXPECT_EQ(kOptionFrameless, object.optionFlags & kOptionFrameless);
}

// Shape Sizing over shapes with differing rules sends no rule (-1) when only
// the colours were chosen: each shape keeps its own.
TEST(ShapeKind, TextSizingWithoutARuleKeepsTheShapesOwn)
{
    DrawingRecord drawing = Drawing();
    DrawingObject object = Shape({0, 0, 600, 300}, 2);
    object.sizingConstraint = 3;
    int32_t value[2] = {0, -1};
    EXPECT_EQ(0, Send(&drawing, &object, kMsgTextSizing, 1, 0, reinterpret_cast<INT_PTR>(value)));
    EXPECT_EQ(3, object.sizingConstraint);
    EXPECT_EQ(kOptionFrameless, object.optionFlags & kOptionFrameless);
}

TEST(ShapeKind, DifferingSizingRulesSummariseAsMixed)
{
    DrawingObject summary;
    std::memset(&summary, 0, sizeof(summary));
    summary.textBoxWord = -2;
    summary.sizingConstraint = -2;
    DrawingObject first = Shape({0, 0, 600, 300}, 2);
    DrawingObject second = Shape({0, 0, 600, 300}, 2);
    first.sizingConstraint = 3;
    first.textBoxWord = 2;
    second.textBoxWord = 2;
    Send(nullptr, &first, kMsgCollectShapeAttributes, 0, 0, reinterpret_cast<INT_PTR>(&summary));
    Send(nullptr, &second, kMsgCollectShapeAttributes, 0, 0, reinterpret_cast<INT_PTR>(&summary));
    EXPECT_EQ(-1, summary.sizingConstraint) << "the last shape's rule was shown as everyone's";
    EXPECT_EQ(2, summary.textBoxWord);
}

TEST(ShapeKind, ShadowFlagsAndObjectShadow)
{
    struct Row {
        const char* name;
        int kind;
        int lineWidth;
        int fillMode;
        uint32_t state;
        uint32_t options;
        int32_t host;
        int shadowKind;
        int casts;
    };
    const std::vector<Row> rows = {
        {"outlined shape", 0, 12, 1, 0, 0, kNoObjectId, 3, 1},
        {"hidden shadow", 0, 12, 1, 0, kOptionHideShadow, kNoObjectId, 4, 0},
        {"a line", 1, 0, 0, 0, 0, kNoObjectId, 3, 1},
        {"filled without outline under kind 4", 0, 0, 1, 0, 0, kNoObjectId, 4, 1},
        {"filled without outline under kind 3", 0, 0, 1, 0, 0, kNoObjectId, 3, 0},
        {"unfilled without outline", 0, 0, 0, 0, 0, kNoObjectId, 4, 0},
        {"attached label", 0, 0, 1, kStateAttached, 0, 5, 4, 0},
        {"frameless picture object", 0, 0, 1, kStatePictureObject, kOptionFrameless, kNoObjectId, 4, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DrawingRecord drawing = Drawing();
        drawing.style.shadowKind = row.shadowKind;
        DrawingObject object = Shape({0, 0, 600, 300}, 2);
        object.kind = row.kind;
        object.lineWidth = row.lineWidth;
        object.fillMode = row.fillMode;
        object.stateFlags = row.state;
        object.optionFlags = row.options;
        object.labelPartnerId = row.host;
        EXPECT_EQ(row.casts, ObjectHasShadow(&drawing, &object));
    }

    DrawingRecord drawing = Drawing();
    drawing.style.shadowKind = 4;
    drawing.style.shadowDx = -30;
    drawing.style.shadowDy = 45;
    DrawingObject object = Shape({1000, 1000, 1600, 1300}, 2);
    EXPECT_EQ(kErrNone, RecalcShapeFrame(&drawing, &object, 1));
    EXPECT_EQ(1000 - 30 - 30, object.bounds.left);
    EXPECT_EQ(1300 + 30 + 45, object.bounds.bottom);
    EXPECT_EQ(1600 + 30, object.bounds.right);
    EXPECT_EQ(0, Send(&drawing, &object, kMsgShadowFlags, kOptionHideShadow, 1));
    EXPECT_EQ(kOptionHideShadow, object.optionFlags);
    EXPECT_EQ(1000 - 30, object.bounds.left);
}

TEST(ShapeKind, ExtrusionShrinksTheInnerRectangle)
{
    DrawingRecord drawing = Drawing();
    drawing.style.shadowKind = 1;
    drawing.style.shadowDx = 10;
    drawing.style.shadowDy = -20;
    DrawingObject object = Shape({1000, 1000, 1600, 1300}, 2);
    EXPECT_EQ(kErrNone, RecalcShapeFrame(&drawing, &object, 1));
    EXPECT_EQ(1000 + 12 + 10, object.inner.left);
    EXPECT_EQ(1000 + 12 + 20, object.inner.top);
    EXPECT_EQ(1600 - 12 - 10, object.inner.right);
    EXPECT_EQ(1300 - 12 - 20, object.inner.bottom);
}

TEST(ShapeKind, SizeBoundsAndOppositeSide)
{
    DrawingObject object = Shape({100, 200, 700, 500}, 2);
    int32_t size[2] = {};
    Send(nullptr, &object, kMsgSize, 0, 0, reinterpret_cast<INT_PTR>(size));
    EXPECT_EQ(600, size[0]);
    EXPECT_EQ(300, size[1]);

    RECT rect = {};
    POINT move = {10, 20};
    EXPECT_EQ(0, Send(nullptr, &object, kMsgMovedFrame, 4, reinterpret_cast<INT_PTR>(&move),
                      reinterpret_cast<INT_PTR>(&rect)));
    EXPECT_EQ(110, rect.left);
    EXPECT_EQ(220, rect.top);
    EXPECT_EQ(700, rect.right);
    EXPECT_EQ(500, rect.bottom);

    object.rotation = 900;
    Send(nullptr, &object, kMsgLayoutRect, 0, 0, reinterpret_cast<INT_PTR>(&rect));
    EXPECT_EQ(100, rect.left);
    EXPECT_EQ(700, rect.right);
    Send(nullptr, &object, kMsgDrawnRect, 0, 0, reinterpret_cast<INT_PTR>(&rect));
    EXPECT_NEAR(300, rect.right - rect.left, 1);
    EXPECT_NEAR(600, rect.bottom - rect.top, 1);
}

TEST(ShapeKind, ResizeKeepsTheMinimumAndTheTurnedHandle)
{
    DrawingRecord drawing = Drawing();
    DrawingObject object = Shape({1000, 1000, 1600, 1300}, 2);
    RECT tiny = {2000, 2000, 2010, 2010};
    EXPECT_EQ(0, Send(&drawing, &object, kMsgResizeToRect, 0, 0, reinterpret_cast<INT_PTR>(&tiny)));
    EXPECT_EQ(2024, tiny.right);
    EXPECT_EQ(2024, tiny.bottom);
    EXPECT_EQ(2000, object.frame.left);
    EXPECT_EQ(2024, object.frame.right);
    EXPECT_EQ(24, object.width);

    // Turned a quarter, the top-left corner keeps its place on the page when
    // the shape is resized by that handle.
    DrawingObject turned = Shape({1000, 1000, 1600, 1300}, 2);
    turned.rotation = 900;
    POINT corner = {1000, 1000};
    RotatePoints(&turned.frame, 900, &corner, 1);
    RECT bigger = {1000, 1000, 1800, 1500};
    EXPECT_EQ(0, Send(&drawing, &turned, kMsgResizeByHandle, 1, 0, reinterpret_cast<INT_PTR>(&bigger)));
    POINT moved = {turned.frame.left, turned.frame.top};
    RotatePoints(&turned.frame, 900, &moved, 1);
    EXPECT_NEAR(corner.x, moved.x, 1);
    EXPECT_NEAR(corner.y, moved.y, 1);
    EXPECT_EQ(800, turned.frame.right - turned.frame.left);
}

} // namespace

namespace {

TEST(ShapeKind, AttributesMergeIntoASelectionSummary)
{
    DrawingObject summary;
    std::memset(&summary, 0, sizeof(summary));
    summary.lineWidth = -2;
    summary.lineStyle = -2;
    summary.fillMode = -2;
    summary.fillColor = static_cast<COLORREF>(-2);
    summary.lineColor = static_cast<COLORREF>(-2);
    summary.shapeType = -2;
    summary.textPlacement = -2;
    summary.textAlignment = -2;
    summary.stateFlags = kStatePictureObject;
    summary.optionFlags = kOptionFrameless;

    DrawingObject first = Shape({0, 0, 600, 300}, 2);
    DrawingObject second = Shape({0, 0, 600, 300}, 2);
    second.lineWidth = 24;
    second.optionFlags = kOptionHideShadow;
    second.textRoleFlags = 0x08;
    Send(nullptr, &first, kMsgCollectShapeAttributes, 0, 0, reinterpret_cast<INT_PTR>(&summary));
    EXPECT_EQ(12, summary.lineWidth);
    EXPECT_EQ(0xFFFFFFu, summary.fillColor);
    Send(nullptr, &second, kMsgCollectShapeAttributes, 0, 0, reinterpret_cast<INT_PTR>(&summary));
    EXPECT_EQ(-1, summary.lineWidth);
    EXPECT_EQ(2, summary.shapeType);
    EXPECT_EQ(1, summary.lineStyle);
    EXPECT_EQ(0u, summary.stateFlags);
    EXPECT_EQ(kOptionFrameless | kOptionHideShadow, summary.optionFlags);
    EXPECT_EQ(0x08u, summary.textRoleFlags);

    // An unfilled shape makes the summary's fill colour mixed.
    DrawingObject unfilled = Shape({0, 0, 600, 300}, 2);
    unfilled.fillMode = 0;
    summary.fillMode = -2;
    Send(nullptr, &unfilled, kMsgCollectShapeAttributes, 0, 0, reinterpret_cast<INT_PTR>(&summary));
    EXPECT_EQ(0, summary.fillMode);
    EXPECT_EQ(static_cast<COLORREF>(-1), summary.fillColor);
}

TEST(ShadowExtent, ByShadowKind)
{
    struct Row {
        const char* name;
        int kind;
        int dx, dy;
        uint32_t styleFlags;
        unsigned mask;
        RECT extent;
    };
    const std::vector<Row> rows = {
        {"drop shadow up-left", 4, -30, 45, 0, 0, {30, 0, 0, 45}},
        {"outline copy down-right", 5, 20, 10, 0, 0, {0, 0, 20, 10}},
        {"extrusion", 1, 10, 20, 0, 0, {10, 20, 10, 10}},
        {"no shadow", 0, 10, 20, 0, 0, {0, 0, 0, 0}},
        {"kind out of range", 6, 10, 20, 0, 0, {0, 0, 0, 0}},
        {"lines without the lines flag", 4, 10, 20, 0, 1, {0, 0, 0, 0}},
        {"lines with the lines flag", 4, 10, 20, 1, 1, {0, 0, 10, 20}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DrawingRecord drawing = Drawing();
        drawing.style.shadowKind = row.kind;
        drawing.style.shadowDx = row.dx;
        drawing.style.shadowDy = row.dy;
        drawing.style.flags = row.styleFlags;
        RECT extent = {-9, -9, -9, -9};
        GetShadowExtent(&drawing, &extent, row.mask);
        EXPECT_EQ(row.extent.left, extent.left);
        EXPECT_EQ(row.extent.top, extent.top);
        EXPECT_EQ(row.extent.right, extent.right);
        EXPECT_EQ(row.extent.bottom, extent.bottom);
    }
}

} // namespace

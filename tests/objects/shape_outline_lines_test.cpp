// A shape's outline as line pieces (kind message 76), for every kind of
// shape type.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "common/io_seam.h"
#include "drawing_fixture.h"
#include "objects/freeform_outline.h"
#include "objects/kind_messages.h"
#include "objects/object_create.h"
#include "objects/object_kind_table.h"
#include "objects/shape_types.h"
#include "store/record_store.h"

namespace {

struct Piece {
    int kind;
    int word;     // direction class or quadrant
    int x;
    int y;
};

class ShapeOutlinePieces : public DrawingFixture {
protected:
    int Shape(int type, RECT frame, int lineWidth, double parameter)
    {
        EXPECT_EQ(0, Create(frame, type, 0, 1));
        int index = Count() - 1;
        Object(index)->lineWidth = lineWidth;
        Object(index)->adjust = parameter;
        return index;
    }
    std::vector<Piece> Pieces(int index, RECT* traced, std::vector<FreeformVertex>* raw = nullptr)
    {
        HGLOBAL block = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 1);
        int32_t result = CallObjectKind(nullptr, Drawing(), Objects(), index, kMsgShapeToLinePieces, 0,
                                        reinterpret_cast<INT_PTR>(&block), reinterpret_cast<INT_PTR>(traced));
        EXPECT_EQ(0, result);
        std::vector<Piece> pieces;
        auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
        int n = reinterpret_cast<FreeformHead*>(bytes)->vertexCount;
        for (int i = 0; i < n; ++i) {
            const FreeformVertex* v = FreeformVertexAt(bytes, i);
            pieces.push_back({v->kind, v->kind == 2 ? v->lineType : v->segmentWord, v->x, v->y});
            if (raw)
                raw->push_back(*v);
        }
        GlobalUnlock(block);
        GlobalFree(block);
        return pieces;
    }
};

bool operator==(const Piece& a, const Piece& b)
{
    return a.kind == b.kind && a.word == b.word && a.x == b.x && a.y == b.y;
}

TEST_F(ShapeOutlinePieces, RectangleIsTracedInsideItsOutline)
{
    int index = Shape(kShapeRectangle, {1000, 1000, 2000, 1500}, 12, 0.0);
    RECT traced = {};
    std::vector<Piece> pieces = Pieces(index, &traced);
    EXPECT_EQ(1006, traced.left);
    EXPECT_EQ(1494, traced.bottom);
    std::vector<Piece> expected = {
        {1, 0, 0, 0}, {1, 0, 988, 0}, {1, 2, 988, 488}, {1, 0, 0, 488}, {1, 2, 0, 0},
    };
    EXPECT_EQ(expected, pieces);
}

TEST_F(ShapeOutlinePieces, FixedTypes)
{
    struct Row {
        const char* name;
        int type;
        int width;
        double parameter;
        size_t count;
        Piece probe;      // a piece that must be among them
    } rows[] = {
        {"rounded rectangle radius 100", kShapeRoundRect, 0, 0.2, 9, {1, 0, 100, 0}},
        {"terminator radius H/2", kShapeTerminate, 0, 0.2, 9, {2, 3, 1000, 250}},
        {"oval through the side middles", kShapeOval, 0, 0.0, 5, {2, 2, 500, 500}},
        {"document wave base 44 up", kShapeDocument, 12, 0.1, 6, {1, 2, 1000, 456}},
        {"online storage", kShapeOnlineStorage, 0, 0.1, 7, {2, 0, 900, 250}},
        {"delay", kShapeDelay, 0, 0.2, 6, {2, 3, 1000, 250}},
        {"display", kShapeDisplay, 0, 0.1, 7, {1, 1, 0, 250}},
    };
    for (const Row& row : rows) {
        int index = Shape(row.type, {1000, 1000, 2000, 1500}, row.width, row.parameter);
        RECT traced = {};
        std::vector<Piece> pieces = Pieces(index, &traced);
        EXPECT_EQ(row.count, pieces.size()) << row.name;
        bool found = false;
        for (const Piece& p : pieces)
            found = found || p == row.probe;
        EXPECT_TRUE(found) << row.name;
        EXPECT_EQ(pieces.front().x, pieces.back().x) << row.name;
        EXPECT_EQ(pieces.front().y, pieces.back().y) << row.name;
    }
}

TEST_F(ShapeOutlinePieces, DocumentWaveCarriesArcPieces)
{
    int index = Shape(kShapeDocument, {1000, 1000, 2000, 1500}, 12, 0.1);
    RECT traced = {};
    std::vector<FreeformVertex> raw;
    Pieces(index, &traced, &raw);
    ASSERT_EQ(6u, raw.size());
    EXPECT_EQ(3, raw[3].lineType);
    EXPECT_DOUBLE_EQ(44.0, raw[3].parameter);
    EXPECT_DOUBLE_EQ(-44.0, raw[4].parameter);
}

TEST_F(ShapeOutlinePieces, PolygonFollowsRotation)
{
    int index = Shape(kShapeTriangle, {1000, 1000, 2000, 1500}, 0, 0.0);
    RECT traced = {};
    std::vector<Piece> plain = Pieces(index, &traced);
    EXPECT_EQ(1, plain.front().word);
    Object(index)->rotation = 900;
    std::vector<Piece> turned = Pieces(index, &traced);
    EXPECT_EQ(plain.size(), turned.size());
    EXPECT_FALSE(plain == turned);
}

TEST_F(ShapeOutlinePieces, FreeformIsScaledToItsFrame)
{
    RecordHandle record = nullptr;
    const int n = 4;
    ASSERT_EQ(0, CreateRecord(store_, kFreeformGroup, 7, sizeof(FreeformHead) + sizeof(FreeformVertex) * n, &record));
    auto* bytes = static_cast<unsigned char*>(GlobalLock(record));
    auto* head = reinterpret_cast<FreeformHead*>(bytes);
    head->vertexCount = n;
    head->width = 300;
    head->height = 200;
    const POINT points[n] = {{0, 0}, {300, 0}, {300, 200}, {0, 0}};
    for (int i = 0; i < n; ++i)
        *FreeformVertexAt(bytes, i) = {1, 1, 0, 0.0, static_cast<int32_t>(points[i].x),
                                       static_cast<int32_t>(points[i].y)};
    GlobalUnlock(record);
    RECT frame = {1000, 1000, 1600, 1600};
    ASSERT_EQ(0, CreateObject(view_, kKindShape, &frame, kShapeFreeform, 0, reinterpret_cast<INT_PTR>(record), 0, 1, 0,
                              0));
    ReleaseRecord(record);
    RECT traced = {};
    std::vector<Piece> pieces = Pieces(Count() - 1, &traced);
    ASSERT_EQ(4u, pieces.size());
    EXPECT_EQ(600, pieces[1].x);
    EXPECT_EQ(600, pieces[2].y);
}

TEST_F(ShapeOutlinePieces, BlockThatCannotGrowIsLeftAlone)
{
    int index = Shape(kShapeRectangle, {1000, 1000, 2000, 1500}, 12, 0.0);
    HGLOBAL block = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 1);
    RECT traced = {};
    SeamArmFault(kSeamAlloc, 1, false);
    int32_t result = CallObjectKind(nullptr, Drawing(), Objects(), index, kMsgShapeToLinePieces, 0,
                                    reinterpret_cast<INT_PTR>(&block), reinterpret_cast<INT_PTR>(&traced));
    SeamDisarm();
    EXPECT_EQ(1, result);
    EXPECT_EQ(1u, GlobalSize(block));
    GlobalFree(block);
}

} // namespace

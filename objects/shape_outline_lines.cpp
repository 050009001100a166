#include "objects/shape_outline_lines.h"

#include <cstring>
#include <vector>

#include "common/io_seam.h"
#include "objects/drawing_tables.h"
#include "objects/line_direction.h"
#include "objects/freeform_outline.h"
#include "objects/geometry_math.h"
#include "objects/point_transforms.h"
#include "objects/shape_outlines.h"
#include "objects/shape_types.h"
#include "store/record_store.h"

namespace {

const int kStraight = 1;
const int kConnector = 2;
const int kArcLineType = 3;

struct Pieces {
    std::vector<FreeformVertex> list;
    void Start(int x, int y) { list.push_back({kStraight, 0, 0, 0.0, x, y}); }
    void Straight(int x, int y, int direction, int lineType = 0, double parameter = 0.0)
    {
        list.push_back({kStraight, direction, lineType, parameter, x, y});
    }
    void Quarter(int x, int y, int quadrant) { list.push_back({kConnector, 0, quadrant, 0.0, x, y}); }
};

bool IsPolygonType(int type)
{
    return type == kShapeInputOutput || type == kShapeDecision || (type >= kShapeRightArrow && type <= kShapeOctagon) ||
           type == kShapePreparation || type == kShapeOffPage || type == kShapePentagon;
}

bool IsShrunkType(int type)
{
    return type < kShapeRoundRect || type > kShapeFreeform || type == kShapeRoundRect || type == kShapeTerminate ||
           type == kShapeOval || type == kShapeCircle;
}

void TraceFixed(const DrawingObject* shape, int W, int H, Pieces* p)
{
    const int w = shape->lineWidth;
    const double param = shape->adjust;
    switch (shape->shapeType) {
    case kShapeRoundRect:
    case kShapeTerminate: {
        int r = shape->shapeType == kShapeTerminate ? H / 2 : TruncToInt(param * (W < H ? W : H));
        p->Start(r, 0);
        p->Straight(W - r, 0, 0);
        p->Quarter(W, r, 3);
        p->Straight(W, H - r, 2);
        p->Quarter(W - r, H, 2);
        p->Straight(r, H, 0);
        p->Quarter(0, H - r, 1);
        p->Straight(0, r, 2);
        p->Quarter(r, 0, 0);
        break;
    }
    case kShapeOval:
    case kShapeCircle:
        p->Quarter(W / 2, 0, 0);
        p->Quarter(W, H / 2, 3);
        p->Quarter(W / 2, H, 2);
        p->Quarter(0, H / 2, 1);
        p->Quarter(W / 2, 0, 0);
        break;
    case kShapeDocument: {
        int q = TruncToInt(param * H) - w / 2;
        p->Start(0, 0);
        p->Straight(W, 0, 0);
        p->Straight(W, H - q, 2);
        p->Straight(W / 2, H - q, 0, kArcLineType, q);
        p->Straight(0, H - q, 0, kArcLineType, -q);
        p->Straight(0, 0, 2);
        break;
    }
    case kShapeOnlineStorage: {
        int q = TruncToInt(param * W);
        p->Start(q, 0);
        p->Straight(W, 0, 0);
        p->Quarter(W - q, H / 2, 0);
        p->Quarter(W, H, 1);
        p->Straight(q, H, 0);
        p->Quarter(0, H / 2, 1);
        p->Quarter(q, 0, 0);
        break;
    }
    case kShapeDelay: {
        int q = TruncToInt(param * W);
        p->Start(0, 0);
        p->Straight(W - q, 0, 0);
        p->Quarter(W, H / 2, 3);
        p->Quarter(W - q, H, 2);
        p->Straight(0, H, 0);
        p->Straight(0, 0, 2);
        break;
    }
    case kShapeDisplay: {
        int q = TruncToInt(param * W);
        p->Start(q, 0);
        p->Straight(W - q, 0, 0);
        p->Quarter(W, H / 2, 3);
        p->Quarter(W - q, H, 2);
        p->Straight(q, H, 0);
        p->Straight(0, H / 2, 1);
        p->Straight(q, 0, 1);
        break;
    }
    default:
        p->Start(0, 0);
        p->Straight(W, 0, 0);
        p->Straight(W, H, 2);
        p->Straight(0, H, 0);
        p->Straight(0, 0, 2);
        break;
    }
}

void TracePolygon(const DrawingObject* shape, const RECT& traced, Pieces* p)
{
    std::vector<POINT> points(kOutlineBufferPoints);
    int count = 0;
    BuildTransformedShapeOutline(&shape->frame, &shape->frame, shape->adjust, shape->shapeType, shape->rotation,
                                 nullptr, points.data(), &count, shape->optionFlags & (kOptionFlipH | kOptionFlipV));
    for (int i = 0; i < count && i < kOutlineBufferPoints; ++i) {
        int x = points[i].x - traced.left;
        int y = points[i].y - traced.top;
        if (i == 0) {
            p->list.push_back({kStraight, 1, 0, 0.0, x, y});
            continue;
        }
        RECT segment = {points[i - 1].x, points[i - 1].y, points[i].x, points[i].y};
        p->Straight(x, y, ClassifyDirection(&segment, 0));
    }
}

ErrorCode WritePieces(HGLOBAL* block, const Pieces& p, int W, int H)
{
    SIZE_T bytes = sizeof(FreeformHead) + sizeof(FreeformVertex) * p.list.size();
    HGLOBAL grown = SeamGlobalReAlloc(*block, bytes, GMEM_MOVEABLE | GMEM_ZEROINIT);
    if (!grown)
        return kErrNotDone;
    *block = grown;
    auto* head = static_cast<FreeformHead*>(GlobalLock(grown));
    if (!head)
        return kErrNotDone;
    head->vertexCount = static_cast<int32_t>(p.list.size());
    head->width = W;
    head->height = H;
    for (size_t i = 0; i < p.list.size(); ++i)
        *FreeformVertexAt(head, static_cast<int>(i)) = p.list[i];
    GlobalUnlock(grown);
    return kErrNone;
}

ErrorCode TraceFreeform(DrawingRecord* drawing, void* table, int index, const DrawingObject* shape, HGLOBAL* block)
{
    int store = drawing ? drawing->storeSlot : (index >= 0 ? TableStoreSlot(table) : -1);
    RecordHandle record = nullptr;
    ErrorCode code = FindRecord(store, kFreeformGroup, static_cast<short>(shape->dataFirstId), &record);
    if (code != kErrNone)
        return code;
    SIZE_T size = QueryRecordSize(record);
    if (size > GlobalSize(record))
        size = GlobalSize(record);
    HGLOBAL grown = SeamGlobalReAlloc(*block, size, GMEM_MOVEABLE | GMEM_ZEROINIT);
    if (!grown) {
        ReleaseRecord(record);
        return kErrNotDone;
    }
    *block = grown;
    auto* head = static_cast<FreeformHead*>(GlobalLock(grown));
    const void* source = GlobalLock(record);
    if (head && source)
        memcpy(head, source, size);
    if (source)
        GlobalUnlock(record);
    ReleaseRecord(record);
    if (!head || !source) {
        if (head)
            GlobalUnlock(grown);
        return kErrNoMemory;
    }
    // The count came from a file: it never reaches past the block.
    int n = 0;
    if (size >= sizeof(FreeformHead)) {
        SIZE_T room = (size - sizeof(FreeformHead)) / sizeof(FreeformVertex);
        n = head->vertexCount < 0 ? 0 : head->vertexCount;
        if (static_cast<SIZE_T>(n) > room)
            n = static_cast<int>(room);
        head->vertexCount = n;
    }
    double sx = static_cast<double>(shape->frame.right - shape->frame.left) / (head->width >= 1 ? head->width : 1);
    double sy = static_cast<double>(shape->frame.bottom - shape->frame.top) / (head->height >= 1 ? head->height : 1);
    for (int i = 0; i < n; ++i) {
        FreeformVertex* v = FreeformVertexAt(head, i);
        v->x = TruncToInt(v->x * sx);
        v->y = TruncToInt(v->y * sy);
    }
    GlobalUnlock(grown);
    return kErrNone;
}

} // namespace

ErrorCode ShapeToFreeformOutline(DrawingRecord* drawing, void* table, int index, HGLOBAL* block, RECT* rect)
{
    if (!block || !*block)
        return kErrNotDone;
    const DrawingObject* shape = KindObject(table, index);
    RECT traced = shape->frame;
    int type = shape->shapeType;
    if (IsShrunkType(type))
        InflateRect(&traced, -(shape->lineWidth / 2), -(shape->lineWidth / 2));
    if (rect)
        *rect = traced;
    if (type == kShapeFreeform)
        return TraceFreeform(drawing, table, index, shape, block);
    int W = traced.right - traced.left;
    int H = traced.bottom - traced.top;
    Pieces pieces;
    if (IsPolygonType(type))
        TracePolygon(shape, traced, &pieces);
    else
        TraceFixed(shape, W, H, &pieces);
    return WritePieces(block, pieces, W, H);
}

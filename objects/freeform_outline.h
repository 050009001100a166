// The FreeformOutline record (group 119): the vertices of a freeform shape.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#pragma pack(push, 4)
struct FreeformVertex {
    int32_t kind;           // the line kind that owns the segment ending here (1 or 2)
    int32_t segmentWord;
    int32_t lineType;       // or a connector's quadrant code
    double parameter;
    int32_t x;              // relative to the bounding box's top-left
    int32_t y;
};

struct FreeformHead {
    unsigned char header[16];
    int32_t vertexCount;
    int32_t width;
    int32_t height;
};
#pragma pack(pop)

static_assert(sizeof(FreeformVertex) == 28, "freeform vertex");
static_assert(offsetof(FreeformVertex, parameter) == 12, "");
static_assert(offsetof(FreeformVertex, x) == 20, "");
static_assert(sizeof(FreeformHead) == 28, "freeform head");

inline FreeformVertex* FreeformVertexAt(void* record, int index)
{
    return reinterpret_cast<FreeformVertex*>(static_cast<unsigned char*>(record) + sizeof(FreeformHead) +
                                             sizeof(FreeformVertex) * static_cast<size_t>(index));
}

// The type-26 outline scaled into `rect`, at most 600 points; count 0 without
// a record.
void BuildFreeformPoints(const RECT* rect, HGLOBAL freeform, POINT* points, int* count);

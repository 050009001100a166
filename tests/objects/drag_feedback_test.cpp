// The XOR figures of the mouse feedback erase themselves when drawn twice.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "objects/adjust_handles.h"
#include "objects/drag_feedback.h"
#include "objects/drawing_layout.h"
#include "objects/kind_messages.h"
#include "objects/shape_frames.h"
#include "objects/shape_handles.h"
#include "objects/shape_kind.h"
#include "objects/shape_types.h"

namespace {

// A 24-bit DIB section in a memory DC, one logical unit per pixel.
class Canvas {
public:
    Canvas()
    {
        dc_ = CreateCompatibleDC(nullptr);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = kSize;
        info.bmiHeader.biHeight = -kSize;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        // A pattern, so that a figure drawn over anything shows.
        for (int i = 0; i < Bytes(); ++i)
            static_cast<unsigned char*>(bits_)[i] = static_cast<unsigned char>((i * 7) & 0xFF);
    }
    ~Canvas()
    {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC Dc() const { return dc_; }
    std::vector<unsigned char> Pixels()
    {
        GdiFlush();
        auto* p = static_cast<unsigned char*>(bits_);
        return std::vector<unsigned char>(p, p + Bytes());
    }

private:
    static const int kSize = 400;
    static int Bytes() { return kSize * kSize * 3; }
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    void* bits_ = nullptr;
};

DrawingObject Shape(RECT frame, int type, double parameter)
{
    DrawingObject object;
    std::memset(&object, 0, sizeof(object));
    object.kind = kKindShape;
    object.frame = frame;
    object.shapeType = type;
    object.adjust = parameter;
    object.lineWidth = 12;
    object.textRecordId = -1;
    object.dataGroup = -1;
    object.dataFirstId = -1;
    object.groupIndex = -1;
    object.labelPartnerId = kNoObjectId;
    EXPECT_EQ(kErrNone, RecalcShapeFrame(nullptr, &object, 0));
    return object;
}

// Draws once (the picture must change) and again (it must come back).
void ExpectErasedWhenDrawnTwice(const char* name, const std::function<void(HDC)>& draw)
{
    Canvas canvas;
    std::vector<unsigned char> before = canvas.Pixels();
    draw(canvas.Dc());
    EXPECT_NE(before, canvas.Pixels()) << name << ": nothing was drawn";
    draw(canvas.Dc());
    EXPECT_EQ(before, canvas.Pixels()) << name << ": not erased";
}

TEST(DragFeedback, EveryTypeErasesItselfWhenDrawnTwice)
{
    DrawingRecord drawing;
    std::memset(&drawing, 0, sizeof(drawing));
    drawing.toolSlot = -1;
    for (int type = kShapeRectangle; type < kShapeFreeform; ++type) {
        for (int rotation : {0, 300}) {
            DrawingObject shape = Shape({60, 60, 300, 220}, type, 0.25);
            shape.rotation = rotation;
            RECT dragged = {80, 70, 330, 260};
            ExpectErasedWhenDrawnTwice("resize", [&](HDC dc) {
                DEV_IradeDududir(dc, &drawing, &shape, -1, kMsgHandleFeedback, type, 0,
                                 reinterpret_cast<INT_PTR>(&dragged));
            });
            ExpectErasedWhenDrawnTwice("new shape", [&](HDC dc) {
                DEV_IradeDududir(dc, &drawing, &shape, -1, kMsgNewObjectFeedback, type, 0,
                                 reinterpret_cast<INT_PTR>(&dragged));
            });
            ExpectErasedWhenDrawnTwice("rotate", [&](HDC dc) {
                INT_PTR start = MAKELONG(300, 140);
                DEV_IradeDududir(dc, &drawing, &shape, -1, kMsgRotateFeedback, type, start,
                                 reinterpret_cast<INT_PTR>(&dragged));
            });
        }
    }
}

TEST(DragFeedback, HandlesMarkersAndAdjustHandleEraseThemselves)
{
    DrawingRecord drawing;
    std::memset(&drawing, 0, sizeof(drawing));
    DrawingObject shape = Shape({60, 60, 360, 260}, kShapeInputOutput, 0.2);
    shape.stateFlags = kStateSelected;
    ExpectErasedWhenDrawnTwice("rotation handle", [&](HDC dc) { DrawRotateHandle(dc, &drawing, &shape, -1); });
    ExpectErasedWhenDrawnTwice("adjust handle", [&](HDC dc) { DrawAdjustHandle(dc, &shape); });
    POINT markers[3] = {{100, 100}, {200, 150}, {300, 200}};
    ExpectErasedWhenDrawnTwice("hook markers", [&](HDC dc) {
        DEV_IradeDududir(dc, &drawing, &shape, -1, kMsgDrawHookMarkers, 3, 0, reinterpret_cast<INT_PTR>(markers));
    });
    ExpectErasedWhenDrawnTwice("selection handles", [&](HDC dc) {
        DEV_IradeDududir(dc, &drawing, &shape, -1, kMsgDrawHandles, 0, 0, 0);
    });
    POINT drag = {200, 60};
    ExpectErasedWhenDrawnTwice("adjust feedback", [&](HDC dc) {
        DEV_IradeDududir(dc, &drawing, &shape, -1, kMsgAdjustFeedback, 0, 0, reinterpret_cast<INT_PTR>(&drag));
    });
}

} // namespace

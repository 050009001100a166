// A picture for people: every shape type in a few styles, with the drawing's
// shadow, a bitmap and metafile pictures, painted at 100 per cent into the
// test output folder as shape_gallery.png. A few pixels are checked.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "common/handle_words.h"
#include "common/mapping.h"
#include "objects/view_record.h"
#include "drawing_fixture.h"
#include "objects/freeform_outline.h"
#include "objects/metafile_records.h"
#include "objects/object_create.h"
#include "objects/paint_drawing.h"
#include "objects/picture_place.h"
#include "objects/shape_frames.h"
#include "objects/shape_types.h"
#include "picture_test_support.h"
#include "store/record_store.h"
#include "support/test_paths.h"
#include "objects/text_block.h"

namespace {

const int kCellWidth = 1200;     // units; 200 pixels at 100 per cent
const int kCellHeight = 2100;
const int kShapeWidth = 900;
const int kShapeHeight = 480;

struct Style {
    COLORREF fill;
    COLORREF line;
    int lineWidth;
    int lineStyle;
    int fillMode;
    int rotation;
};

const Style kStyles[3] = {
    {RGB(198, 222, 255), RGB(20, 40, 110), 12, 1, 1, 0},      // solid fill, thin outline
    {RGB(255, 244, 190), RGB(150, 40, 20), 48, 1, 3, 0},       // hatched, thick border
    {RGB(214, 240, 210), RGB(30, 110, 50), 12, 3, 1, 200},     // dashed outline, turned 20 degrees
};

const char* const kTypeNames[kShapeTypeCount] = {
    "text box", "picture", "rectangle", "rounded", "oval", "input", "decision", "document", "terminator",
    "circle", "right", "left", "up", "down", "triangle", "reverse", "manual in", "trapezoid", "manual op",
    "octagon", "storage", "preparation", "off page", "pentagon", "delay", "display", "freeform"};

class ShapeGallery : public DrawingFixture {
protected:
    // A text record holding `text` in one format and one paragraph.
    int AddText(const std::string& text, COLORREF color, int points)
    {
        TextBlockHeader header = {};
        header.formatCount = 1;
        header.paragraphCount = 1;
        header.textLength = static_cast<int32_t>(text.size());
        DWORD size = 16 + TextBlockTextOffset(header) + static_cast<DWORD>(text.size());
        short id = 0;
        EXPECT_EQ(0, FindFreeId(store_, kTextGroup, &id));
        RecordHandle record = nullptr;
        EXPECT_EQ(0, CreateRecord(store_, kTextGroup, id, size, &record));
        auto* bytes = static_cast<uint8_t*>(GlobalLock(record));
        std::memcpy(bytes + 16, &header, sizeof(header));
        TextFormat format = {};
        format.size = points;
        format.color = color;
        format.style = kTextBold;
        format.length = header.textLength;
        std::memcpy(bytes + 16 + TextBlockFormatsOffset(header), &format, sizeof(format));
        TextParagraph paragraph = NewTextParagraph(6, 600);
        std::memcpy(bytes + 16 + TextBlockParagraphsOffset(header), &paragraph, sizeof(paragraph));
        std::memcpy(bytes + 16 + TextBlockTextOffset(header), text.data(), text.size());
        GlobalUnlock(record);
        EXPECT_EQ(kErrNone, SetRecordDirty(record));
        ReleaseRecord(record);
        return id;
    }

    void Label(int index, const std::string& text, COLORREF color)
    {
        DrawingObject* object = Object(index);
        object->textRecordId = AddText(text, color, 9);
        object->textAlignment = 6;
        object->textPlacement = 6;
    }

    // A five-pointed star as the freeform outline record.
    HGLOBAL StarOutline()
    {
        const int n = 11;   // ten points and the closing one
        short id = 0;
        EXPECT_EQ(0, FindFreeId(store_, kFreeformGroup, &id));
        RecordHandle record = nullptr;
        EXPECT_EQ(0, CreateRecord(store_, kFreeformGroup, id,
                                  sizeof(FreeformHead) + sizeof(FreeformVertex) * n, &record));
        auto* bytes = static_cast<uint8_t*>(GlobalLock(record));
        auto* head = reinterpret_cast<FreeformHead*>(bytes);
        head->vertexCount = n;
        head->width = 1000;
        head->height = 1000;
        for (int i = 0; i < n; ++i) {
            double angle = 3.14159265 * (0.5 + 0.2 * i);
            double radius = (i % 2) ? 200.0 : 500.0;
            FreeformVertex* v = FreeformVertexAt(bytes, i);
            v->kind = 1;
            v->x = 500 + static_cast<int>(radius * std::cos(angle));
            v->y = 520 - static_cast<int>(radius * std::sin(angle));
        }
        GlobalUnlock(record);
        EXPECT_EQ(kErrNone, SetRecordDirty(record));
        return record;
    }

    void AddShape(int type, const Style& style, RECT frame)
    {
        int before = Count();
        HGLOBAL outline = type == kShapeFreeform ? StarOutline() : nullptr;
        ASSERT_EQ(0, CreateObject(view_, kKindShape, &frame, type, 0, reinterpret_cast<INT_PTR>(outline), 0, 1, 0, 0));
        if (outline)
            ReleaseRecord(outline);
        ASSERT_EQ(before + 1, Count());
        DrawingObject* object = Object(before);
        object->stateFlags &= ~kStateTextOpen;
        object->fillColor = style.fill;
        object->lineColor = style.line;
        object->lineWidth = style.lineWidth;
        object->lineStyle = style.lineStyle;
        object->fillMode = style.fillMode;
        object->rotation = style.rotation;
        if (type == kShapeBoxPoints) {
            // A text box: no outline, just its text.
            object->lineWidth = 0;
            object->fillMode = 0;
        }
        EXPECT_EQ(kErrNone, RecalcShapeFrame(Drawing(), object, 0));
    }
};

TEST_F(ShapeGallery, EveryShapeTypeInThreeStyles)
{
    ColorStyle& effect = Drawing()->style;
    effect.shadowKind = 4;
    effect.shadowDx = 36;
    effect.shadowDy = 36;
    effect.shadowColor = RGB(170, 170, 178);

    for (int type = 0; type < kShapeTypeCount; ++type) {
        int column = type % 9, row = type / 9;
        for (int s = 0; s < 3; ++s) {
            RECT frame = {column * kCellWidth + 150, row * kCellHeight + 200 + s * 620, 0, 0};
            frame.right = frame.left + kShapeWidth;
            frame.bottom = frame.top + kShapeHeight;
            if (type == kShapeCircle)
                frame.right = frame.left + kShapeHeight;
            if (type == kShapePicture) {
                // A placed bitmap, shown with an outline over it in the second style.
                POINT at = {frame.left, frame.top};
                int before = Count();
                std::vector<uint8_t> dib = SolidDib(150, 80, RGB(70 + 60 * s, 160, 220 - 50 * s));
                ASSERT_EQ(0, PlaceDibPicture(view_, Drawing(), BlockOf(dib), &at));
                Object(before)->stateFlags &= ~kStateSelected;
                if (s == 1) {
                    Object(before)->lineWidth = 24;
                    Object(before)->lineStyle = 1;
                    Object(before)->lineColor = RGB(150, 40, 20);
                }
                continue;
            }
            AddShape(type, kStyles[s], frame);
            if (s == 0)
                Label(Count() - 1, std::to_string(type) + " " + kTypeNames[type], RGB(20, 20, 20));
        }
    }

    // Metafile pictures along the bottom: in their own colours, in the
    // object's colours, mirrored and turned.
    std::vector<uint8_t> bits = WmfBuilder(4)
                                    .Record(kMetaSetWindowExt, {100, 200})
                                    .Record(kMetaCreatePenIndirect, {PS_SOLID, 2, 0, 0, 0})
                                    .Record(kMetaSelectObject, {0})
                                    .Record(kMetaCreateBrushIndirect, {BS_SOLID, 0x8080, 0x0000, 0})
                                    .Record(kMetaSelectObject, {1})
                                    .Record(kMetaRectangle, {90, 120, 10, 10})
                                    .Record(kMetaCreateBrushIndirect, {BS_SOLID, 0, 0, 0})
                                    .Record(kMetaSelectObject, {2})
                                    .Record(kMetaPie, {10, 150, 50, 190, 90, 190, 10, 110})
                                    .Record(kMetaPolyline, {3, 15, 80, 60, 20, 110, 80})
                                    .Bits();
    const int top = 3 * kCellHeight + 150;
    for (int i = 0; i < 4; ++i) {
        RECT size = {0, 0, 1200, 600}, bounds = {0, 0, 200, 100};
        int before = Count();
        ASSERT_EQ(0, CreatePictureObject(view_, Drawing(), kMetafilePictureGroup, BlockOf(bits),
                                         static_cast<DWORD>(bits.size()), {300 + 1500 * i, top}, &size, &bounds, 0,
                                         nullptr, 0));
        DrawingObject* picture = Object(before);
        picture->stateFlags &= ~kStateSelected;
        if (i >= 1) {
            picture->optionFlags &= ~kOptionFrameless;
            picture->lineWidth = 12;
            picture->lineStyle = 1;
            picture->lineColor = RGB(150, 40, 20);
            picture->fillColor = RGB(255, 220, 120);
        }
        if (i == 2)
            picture->optionFlags |= kOptionFlipH;
        if (i == 3)
            picture->rotation = 300;
        EXPECT_EQ(kErrNone, RecalcShapeFrame(Drawing(), picture, 0));
    }
    Drawing()->selectedCount = 0;
    Drawing()->primarySelected = -1;
    SelectOnly({3 * 3});   // the rounded rectangle's first style shows its handles

    PixelCanvas canvas(1800, 1200);
    SetZoomMapMode(canvas.Dc(), 0, 600);
    PaintDrawingObjects(canvas.Dc(), GetViewDrawingHandle(ViewRecord()), nullptr, 0, 1, 0, 0);
    std::string path = TestOutputFolder() + "shape_gallery.png";
    EXPECT_TRUE(canvas.SavePng(path)) << path;

    // The rectangle's fill, the shadow beside it, a bitmap's pixel, and a
    // metafile square in the object's line colour.
    auto pixel = [&](int x, int y) { return canvas.At(x / 6, y / 6); };
    const int rectLeft = 2 * kCellWidth + 150, rectTop = 200;
    EXPECT_EQ(kStyles[0].fill, pixel(rectLeft + 100, rectTop + 60));
    EXPECT_EQ(RGB(170, 170, 178), pixel(rectLeft + kShapeWidth + 18, rectTop + 240));
    EXPECT_EQ(RGB(70, 160, 220), pixel(1 * kCellWidth + 150 + 300, 200 + 200));
    EXPECT_EQ(RGB(128, 128, 0), pixel(300 + 200, top + 300));          // own colours
    EXPECT_EQ(RGB(255, 220, 120), pixel(1800 + 200, top + 300));       // the object's fill colour
}

} // namespace

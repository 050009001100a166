// Shapes and lines with text in several formats, rotated text included,
// painted into a memory DC and written as object_text_gallery.png.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/mapping.h"
#include "objects/paint_drawing.h"
#include "text/ten_char_format.h"
#include "text/ten_edit.h"
#include "text/ten_messages.h"
#include "text/object_text_helpers.h"
#include "view/end_text_edit.h"
#include "view/object_text_edit.h"
#include "object_text_document.h"
#include "support/paint_canvas.h"

namespace {


struct Sample {
    const char* name;
    RECT frame;
    int type;              // shape type, -1 a line
    const char* text;
    WPARAM selector;       // a format over the whole text, 0 none
    LPARAM value;
    int alignment;         // TENM_SETALIGNMENT, -1 none
    int rotation;          // tenths of a degree, set after the text
};

// Opens the object's text, types, formats the whole text and ends.
void WriteText(ObjectTextDocument& doc, int index, const Sample& s)
{
    ASSERT_EQ(0, BeginObjectText(doc.view(), doc.record(), index, s.frame.left + 60, s.frame.top + 60, 0)) << s.name;
    HWND editor = doc.Editor();
    ASSERT_NE(nullptr, editor) << s.name;
    TypeInto(editor, s.text);
    SendMessageA(editor, TENM_SETSEL, 0, PackTenPair(0, 32000));
    if (s.selector)
        SendMessageA(editor, TENM_SETCHARFORMAT, s.selector | kApplyLayout | kApplyRepaint, s.value);
    if (s.alignment >= 0)
        SendMessageA(editor, TENM_SETALIGNMENT, kApplyLayout | kApplyRepaint, s.alignment);
    ASSERT_EQ(0, EndTextEdit(doc.view(), 0)) << s.name;
}

} // namespace

TEST(ObjectTextGallery, TextInSeveralFormatsIsPaintedWithItsObjects)
{
    ObjectTextDocument doc;
    ASSERT_TRUE(doc.ok());
    const Sample samples[] = {
        {"plain rectangle", {300, 300, 2100, 1100}, 2, "Router 1", 0, 0, -1, 0},
        {"bold centred", {2700, 300, 4500, 1100}, 2, "Core switch", kCharStyle, PackTenPair(1, 1), 6, 0},
        {"italic ellipse", {300, 1500, 2100, 2500}, 3, "Firewall", kCharStyle, PackTenPair(1, 2), 6, 0},
        {"large red", {2700, 1500, 4500, 2500}, 2, "DMZ", kCharSize, 24, 6, 0},
        {"underlined right", {300, 2900, 2100, 3700}, 2, "Uplink", kCharStyle, PackTenPair(1, 4), 2, 0},
        {"rotated", {2700, 2900, 4500, 3700}, 2, "Turned 30", 0, 0, 6, 300},
        {"line label", {300, 4500, 4500, 4500}, -1, "10 Gbit/s", 0, 0, -1, 0},
    };
    int index = 0;
    std::vector<int> indices;
    for (const Sample& s : samples) {
        const int before = doc.Count();
        if (s.type < 0) {
            ASSERT_EQ(0, doc.AddLine(s.frame)) << s.name;
            DrawingObject* line = doc.Object(before);
            line->textRoleFlags |= kTextAlongLine;
            line->textAlignment = 6;
            line->textPlacement = 0;
            line->labelPartnerId = kNoObjectId;
            line->labelPartnerHint = -1;
        } else {
            ASSERT_EQ(0, doc.AddShape(s.frame, s.type)) << s.name;
            DrawingObject* shape = doc.Object(before);
            shape->fillMode = 1;
            shape->fillColor = RGB(255, 244, 200);
            shape->lineColor = RGB(40, 90, 160);
        }
        index = before;
        WriteText(doc, index, s);
        if (s.rotation)
            doc.Object(index)->rotation = s.rotation;
        indices.push_back(s.type < 0 ? doc.Count() - 1 : index);
    }
    PaintCanvas canvas(800, 800);
    SetZoomMapMode(canvas.Dc(), 0, 600);
    PaintDrawingObjects(canvas.Dc(), GetViewDrawingHandle(doc.record()), nullptr, 0, 0, 0, 0);
    EXPECT_NE("", canvas.WritePng("object_text_gallery.png"));
    for (size_t i = 0; i < indices.size(); ++i) {
        const DrawingObject* object = doc.Object(indices[i]);
        RECT area = object->textFrame;
        InflateRect(&area, -12, -12);
        if (samples[i].rotation)
            area = object->frame;
        // Six drawing units a pixel at 100 per cent.
        RECT pixels = {area.left / 6, area.top / 6, area.right / 6, area.bottom / 6};
        EXPECT_GT(canvas.DarkIn(pixels), 20) << samples[i].name;
    }
    EXPECT_EQ(kTextBold, doc.StoredFormats(indices[1])[0].style & kTextBold);
    EXPECT_EQ(24, doc.StoredFormats(indices[3])[0].size);
    // Rotated text makes its own fonts and gives them back.
    for (const TextFormat& format : doc.StoredFormats(indices[5])) {
        EXPECT_EQ(0, format.font);
        EXPECT_EQ(0, format.rotation);
    }
}

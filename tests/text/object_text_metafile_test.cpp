// A shape's text recorded into a metafile: what is painted after it keeps the
// picture's window origin.
#include <gtest/gtest.h>

#include "common/display_flags.h"
#include "objects/paint_drawing.h"
#include "objects/view_record.h"
#include "object_text_document.h"
#include "support/paint_canvas.h"

namespace {

TEST(ObjectTextMetafile, ObjectsAfterATextKeepThePicturesOrigin)
{
    ObjectTextDocument doc;
    ASSERT_TRUE(doc.ok());
    ASSERT_EQ(kErrNone, doc.AddShape({1000, 1000, 1600, 1300}));
    ASSERT_EQ(kErrNone, doc.PutText(0, "Router"));
    ASSERT_EQ(kErrNone, doc.AddShape({2400, 1000, 3000, 1300}));
    // The picture shows the drawing from (900, 900), 2200 x 500 units.
    const RECT extents = {900, 900, 3100, 1400};
    HDC recorder = CreateMetaFileA(nullptr);
    ASSERT_NE(nullptr, recorder);
    RenderingMetafile = 1;
    SetMapMode(recorder, MM_ANISOTROPIC);
    SetWindowExtEx(recorder, extents.right - extents.left, extents.bottom - extents.top, nullptr);
    SetWindowOrgEx(recorder, extents.left, extents.top, nullptr);
    PaintDrawingObjects(recorder, GetViewDrawingHandle(doc.record()), &extents, 0, 0, 0, 0);
    RenderingMetafile = 0;
    HMETAFILE metafile = CloseMetaFile(recorder);
    ASSERT_NE(nullptr, metafile);
    // Played at 1 pixel for 10 units.
    PaintCanvas canvas(220, 50);
    SetMapMode(canvas.Dc(), MM_ANISOTROPIC);
    SetViewportExtEx(canvas.Dc(), 220, 50, nullptr);
    PlayMetaFile(canvas.Dc(), metafile);
    DeleteMetaFile(metafile);
    canvas.WritePng("object_text_metafile.png");
    // The second shape's left side runs down pixel column 150.
    EXPECT_GT(canvas.DarkIn({148, 12, 153, 38}), 20);
    EXPECT_EQ(0, canvas.DarkIn({0, 0, 220, 8}));
}

} // namespace

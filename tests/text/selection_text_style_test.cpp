// Bold, Italic and Underline with no editor open act on the selected
// shapes' texts: all of them take the style unless all had it already.
#include <gtest/gtest.h>

#include <string>

#include "objects/text_block.h"
#include "view/route_edit_command.h"
#include "view/selection_access.h"
#include "view/selection_changes.h"
#include "object_text_document.h"

namespace {

int StyleOf(ObjectTextDocument& doc, int index)
{
    const std::vector<TextFormat> formats = doc.StoredFormats(index);
    return formats.empty() ? -1 : formats[0].style;
}

TEST(SelectionTextStyle, BoldMakesAllBoldUnlessAllWereAlready)
{
    struct Case {
        const char* name;
        int route;
        int bit;
        int firstStyle, secondStyle;
        int after;  // the style bit both texts carry after the command
    } cases[] = {
        {"one bold, one plain: both bold", kRouteBold, kTextBold, kTextBold, 0, kTextBold},
        {"both bold: neither", kRouteBold, kTextBold, kTextBold, kTextBold, 0},
        {"both plain: both italic", kRouteItalic, kTextItalic, 0, 0, kTextItalic},
        {"both underlined: neither", kRouteUnderline, kTextUnderline, kTextUnderline, kTextUnderline, 0},
    };
    for (const Case& c : cases) {
        ObjectTextDocument doc;
        ASSERT_TRUE(doc.ok());
        ASSERT_EQ(0, doc.AddShape(RECT{1200, 1200, 2400, 1800}));
        ASSERT_EQ(0, doc.AddShape(RECT{3000, 1200, 4200, 1800}));
        ASSERT_EQ(0, doc.PutText(0, "First", 12, c.firstStyle));
        ASSERT_EQ(0, doc.PutText(1, "Second", 12, c.secondStyle));
        HGLOBAL drawing = ViewDrawingHandle(doc.view());
        SelectDrawingObject(drawing, 0, FALSE, FALSE, FALSE);
        SelectDrawingObject(drawing, 1, TRUE, FALSE, FALSE);
        ApplyTextStyleToSelection(doc.view(), c.route);
        EXPECT_EQ(c.after, StyleOf(doc, 0) & c.bit) << c.name << ": first";
        EXPECT_EQ(c.after, StyleOf(doc, 1) & c.bit) << c.name << ": second";
        EXPECT_EQ("First", doc.StoredText(0)) << c.name;
    }
}

} // namespace

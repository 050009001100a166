// Lines hooked to a shape whose frame grows to fit its text: after a text
// command on the selection and after opening a drawing whose texts no longer
// fit, every hooked end sits on its shape's hook point again.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "documents/drawing_stream.h"
#include "lines/connector_create.h"
#include "lines/connector_route.h"
#include "objects/drawing_tables.h"
#include "objects/kind_messages.h"
#include "objects/link_table.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"
#include "objects/selection_attributes.h"
#include "objects/shape_types.h"
#include "objects/update_links.h"
#include "support/test_paths.h"
#include "text/object_text_messages.h"
#include "object_text_document.h"

namespace {

const RECT kEllipse = {1200, 1200, 2400, 1800};
const RECT kFarBox = {4800, 1200, 6000, 1800};
const char kLongText[] = "Core router of the north wing";
const POINT kRightMiddle = {600, 300};
const POINT kLeftMiddle = {0, 300};
const POINT kBottomMiddle = {300, 600};
const int kLineEnd = 2;

// Where a hooked end is and where its shape's hook point is, in drawing units.
struct HookedEnd {
    int source;
    int slot;
    POINT end;
    POINT hook;
};

std::vector<HookedEnd> HookedEnds(ObjectTextDocument& doc)
{
    std::vector<HookedEnd> ends;
    for (int i = 0; i < doc.Count(); ++i) {
        const DrawingObject line = *doc.Object(i);
        if (line.kind != kKindLine && line.kind != kKindConnector)
            continue;
        for (int slot = 0; slot < SlotsInUse(&line); ++slot) {
            const LinkSlot& held = line.links[slot];
            const int target = FindObjectIndex(doc.Objects(), held.targetId, held.targetHint);
            if (target < 0)
                continue;
            HookedEnd e = {i, slot, {0, 0}, {held.x, held.y}};
            int otherEnd = 0;
            CallObjectKind(nullptr, doc.Drawing(), doc.Objects(), i, kMsgAnchorPoint, held.connectCode,
                           reinterpret_cast<INT_PTR>(&otherEnd), reinterpret_cast<INT_PTR>(&e.end));
            CallObjectKind(nullptr, doc.Drawing(), doc.Objects(), target, kMsgMapBoxPoints, 1, held.connectCode,
                           reinterpret_cast<INT_PTR>(&e.hook));
            ends.push_back(e);
        }
    }
    return ends;
}

void ExpectEveryEndOnItsHook(ObjectTextDocument& doc, size_t expectedEnds, const std::string& when)
{
    const std::vector<HookedEnd> ends = HookedEnds(doc);
    EXPECT_EQ(expectedEnds, ends.size()) << when;
    for (const HookedEnd& e : ends) {
        EXPECT_TRUE(e.end.x == e.hook.x && e.end.y == e.hook.y)
            << when << ": object " << e.source << " slot " << e.slot << " ends at " << e.end.x << "," << e.end.y
            << ", its hook point is " << e.hook.x << "," << e.hook.y;
    }
}

// The connector's route end in drawing units: 0 its start, else its last end.
POINT RouteEnd(ObjectTextDocument& doc, int index, int which)
{
    RouteRecord record;
    POINT p = {-1, -1};
    if (record.Find(doc.Drawing(), doc.Object(index)) != kErrNone)
        return p;
    GetRouteEndPoint(record.Get(), which, &p);
    return {p.x + doc.Object(index)->inner.left, p.y + doc.Object(index)->inner.top};
}

// A straight line from (x, y) whose end hangs on the bottom middle of `target`.
void HangLineOn(ObjectTextDocument& doc, int target, int x, int y)
{
    ASSERT_EQ(0, doc.AddLine(RECT{x, y, x + 600, y + 600}));
    const int line = doc.Count() - 1;
    ASSERT_EQ(0, ConnectSlot(doc.Drawing(), line, -1, target, kLineEnd, kBottomMiddle.x, kBottomMiddle.y));
    MarkLinksOf(doc.Drawing(), doc.Object(target)->objectId, kLinkTargetMoved, 0, -1);
    ASSERT_EQ(0, UpdateLinks(doc.Drawing()));
}

void SelectOnly(ObjectTextDocument& doc, int index)
{
    DrawingRecord* drawing = doc.Drawing();
    for (int i = 0; i < doc.Count(); ++i)
        doc.Object(i)->stateFlags &= ~kStateSelected;
    doc.Object(index)->stateFlags |= kStateSelected;
    drawing->selectedCount = 1;
    drawing->primarySelected = index;
}

// An ellipse with a text, a box, a connector from the ellipse's right side to
// the box and a straight line hanging on the ellipse's bottom.
void BuildHookedEllipse(ObjectTextDocument& doc, int textSize, int* connector)
{
    doc.Drawing()->flags |= kDrawingShapesLink | kDrawingLinesLink;
    ASSERT_EQ(0, doc.AddShape(kEllipse, kShapeOval));
    ASSERT_EQ(0, doc.AddShape(kFarBox));
    ASSERT_EQ(0, doc.PutText(0, kLongText, textSize));
    ASSERT_EQ(0, CreateConnector(doc.view(), ConnectorEnd{0, kRightMiddle, {0, 0}},
                                 ConnectorEnd{1, kLeftMiddle, {0, 0}}, 0, 0, connector));
    HangLineOn(doc, 0, 1500, 3000);
}

} // namespace

// The shape grows through the text commands the Text menu sends to the
// selection; the connector and the line go with its hook points.
TEST(HookedLinesFollowText, LinesFollowAShapeThatGrowsForItsText)
{
    struct Case {
        const char* name;
        int startSize;
        int message;
        TextAttributeRequest request;
    };
    TextAttributeRequest typeface24 = {};
    typeface24.changeMask = 8;
    typeface24.size = 24;
    TextAttributeRequest size28 = {};
    size28.size = 28;
    const Case cases[] = {
        {"Typeface 24 pt", 10, kMsgTextTypeface, typeface24},
        {"text size 28", 10, kMsgTextSize, size28},
        {"size step up from 24", 24, kMsgTextSizeUp, {}},
    };
    for (const Case& c : cases) {
        ObjectTextDocument doc;
        ASSERT_TRUE(doc.ok()) << c.name;
        int connector = -1;
        BuildHookedEllipse(doc, c.startSize, &connector);
        ASSERT_EQ(2, connector) << c.name;
        ExpectEveryEndOnItsHook(doc, 3, std::string(c.name) + ", before");
        const RECT before = doc.Object(0)->frame;

        SelectOnly(doc, 0);
        ASSERT_EQ(0, ApplyToSelection(doc.view(), c.message, 0, reinterpret_cast<INT_PTR>(&c.request), 0)) << c.name;
        const RECT after = doc.Object(0)->frame;
        ASSERT_GT(after.right - after.left, before.right - before.left) << c.name << ": the ellipse grows";

        POINT hook = kRightMiddle;
        CallObjectKind(nullptr, doc.Drawing(), doc.Objects(), 0, kMsgMapBoxPoints, 1, 0,
                       reinterpret_cast<INT_PTR>(&hook));
        const POINT start = RouteEnd(doc, connector, 0);
        EXPECT_EQ(after.right, hook.x) << c.name;
        EXPECT_EQ(hook.x, start.x) << c.name << ": the connector starts on the grown ellipse's right side";
        EXPECT_EQ(hook.y, start.y) << c.name;
        ExpectEveryEndOnItsHook(doc, 3, c.name);
    }
}

// A drawing whose shapes hold more text than their frames: opened as the
// program opens a file, every shape grows and every hooked end follows.
TEST(HookedLinesFollowText, OpeningADrawingWhoseShapesGrowReroutesTheirLines)
{
    const int pairs = 6;
    const std::string path = ScratchPath("hooked-lines-grow-on-open.tyr");
    std::vector<RECT> written;
    {
        ObjectTextDocument doc;
        ASSERT_TRUE(doc.ok());
        doc.Drawing()->flags |= kDrawingShapesLink | kDrawingLinesLink;
        for (int i = 0; i < pairs; ++i) {
            const int top = 600 + i * 2400;
            ASSERT_EQ(0, doc.AddShape(RECT{1200, top, 2400, top + 600}, kShapeOval));
            ASSERT_EQ(0, doc.AddShape(RECT{4800, top, 6000, top + 600}));
        }
        // Texts stored without a layout: the frames stay as drawn.
        for (int i = 0; i < 2 * pairs; ++i)
            ASSERT_EQ(0, doc.PutText(i, kLongText, 28));
        for (int i = 0; i < pairs; ++i) {
            int connector = -1;
            ASSERT_EQ(0, CreateConnector(doc.view(), ConnectorEnd{2 * i, kRightMiddle, {0, 0}},
                                         ConnectorEnd{2 * i + 1, kLeftMiddle, {0, 0}}, 0, 0, &connector));
        }
        HangLineOn(doc, 0, 1500, 1500);
        ExpectEveryEndOnItsHook(doc, 2 * pairs + 1, "as written");
        for (int i = 0; i < 2 * pairs; ++i)
            written.push_back(doc.Object(i)->frame);
        DeleteFileA(path.c_str());
        ASSERT_EQ(0, WriteDrawingFile(path.c_str(), nullptr, nullptr, doc.record()));
    }

    ObjectTextDocument opened;
    ASSERT_TRUE(opened.ok());
    ASSERT_EQ(0, opened.Read(path));
    ASSERT_EQ(3 * pairs + 1, opened.Count());
    for (int i = 0; i < 2 * pairs; ++i) {
        const RECT frame = opened.Object(i)->frame;
        EXPECT_GT(frame.bottom - frame.top, written[static_cast<size_t>(i)].bottom - written[static_cast<size_t>(i)].top)
            << "shape " << i << " grows to its text on open";
    }
    ExpectEveryEndOnItsHook(opened, 2 * pairs + 1, "opened");
    DeleteFileA(path.c_str());
}

// A connector hooked to an ellipse in the real program: the ellipse takes a
// text, grows when Typeface sets 24 pt, and the saved connector still starts
// on the grown ellipse's hook point.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lines/connector_route.h"
#include "objects/drawing_layout.h"
#include "objects/drawing_tables.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"
#include "objects/shape_types.h"
#include "support/program_driver.h"
#include "support/real_input.h"
#include "support/scratch_drawing.h"
#include "support/screen_image.h"
#include "support/test_paths.h"
#include "view/tool_palette.h"

namespace {

const int kSave = 104;
const int kTypeface = 601;
const int kEllipseTool = kToolFirstShape + 2;
const int kFontSizeBox = 0x472;
const char kTypefaceSize[] = "24";
const int kDialogWaits = 100;
// The connector leaves the ellipse to the right: a stretch of it just beside
// the hook point is dark on the screen.
const int kBesideFrom = 3;
const int kBesideTo = 12;
const int kBesideHalfHeight = 2;
const int kDarkOfTheConnector = 5;
const DWORD kDialogWaitMs = 50;

// What the saved file holds of the ellipse and of the connector's end on it.
struct SavedHook {
    bool found = false;
    RECT ellipse = {};
    RECT box = {};
    POINT end = {-1, -1};    // the connector's end on the ellipse
    POINT hook = {-2, -2};   // the ellipse's hook point that end names
};

// The end of the route that the slot's connect code names: 1 its start.
POINT RouteEndOf(DrawingRecord* drawing, const DrawingObject& connector, int connectCode)
{
    RouteRecord route;
    POINT p = {-1, -1};
    if (route.Find(drawing, &connector) != kErrNone)
        return p;
    GetRouteEndPoint(route.Get(), connectCode == 1 ? 0 : kMaxRouteSegments, &p);
    return {p.x + connector.inner.left, p.y + connector.inner.top};
}

SavedHook ReadHook(DrawingRecord* drawing)
{
    SavedHook saved;
    LockedTable table(drawing, kTableObjects);
    for (int i = 0; i < table.Count(); ++i) {
        const DrawingObject connector = *ObjectAt(table.Get(), i);
        if (connector.kind == kKindShape && connector.shapeType == kShapeRectangle)
            saved.box = connector.frame;
        if (connector.kind != kKindConnector)
            continue;
        for (int slot = 0; slot < SlotsInUse(&connector); ++slot) {
            const LinkSlot& held = connector.links[slot];
            const int target = FindObjectIndex(table.Get(), held.targetId, held.targetHint);
            if (target < 0 || ObjectAt(table.Get(), target)->shapeType != kShapeOval)
                continue;
            saved.found = true;
            saved.ellipse = ObjectAt(table.Get(), target)->frame;
            saved.hook = {held.x, held.y};
            CallObjectKind(nullptr, drawing, table.Get(), target, kMsgMapBoxPoints, 1, held.connectCode,
                           reinterpret_cast<INT_PTR>(&saved.hook));
            saved.end = RouteEndOf(drawing, connector, held.connectCode);
        }
    }
    return saved;
}

class HookedTextProgram : public testing::Test {
protected:
    void SetUp() override
    {
        options_ = WriteQuietOptionsFile();
        ASSERT_FALSE(options_.empty());
        file_ = ScratchPath("hooked-text-drawing.tyr");
        DeleteFileA(file_.c_str());
        {
            ScratchDrawing empty;
            ASSERT_EQ(0, empty.Write(file_, false, nullptr, kDrawingLinesLink | kDrawingShapesLink));
        }
        ASSERT_TRUE(program_.Start(file_ + " /o " + options_));
        for (int i = 0; i < kDialogWaits && program_.FindProgramWindow("#32770", "About Tessary Plus"); ++i)
            Sleep(kDialogWaitMs);
        ASSERT_TRUE(program_.Settle());
        palette_ = FindWindowExA(program_.MainWindow(), nullptr, "#32770", nullptr);
        ASSERT_NE(nullptr, palette_);
        HWND client = FindWindowExA(program_.MainWindow(), nullptr, "MDICLIENT", nullptr);
        HWND document = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
        ASSERT_NE(nullptr, document) << "the drawing did not open";
        view_ = FindWindowExA(document, nullptr, "MDScrollClass", nullptr);
        ASSERT_NE(nullptr, view_);
    }
    void TearDown() override { program_.Close(); }

    POINT Screen(POINT client) const { return ClientToScreenPoint(view_, client); }
    // A drawing point on the screen, scaled by the box drawn from `boxFrom`
    // to `boxTo` (client pixels) and saved as `box` (drawing units).
    POINT ScreenOf(POINT units, const RECT& box, POINT boxFrom, POINT boxTo) const
    {
        const double perPixelX = static_cast<double>(box.right - box.left) / (boxTo.x - boxFrom.x);
        const double perPixelY = static_cast<double>(box.bottom - box.top) / (boxTo.y - boxFrom.y);
        return Screen(POINT{boxFrom.x + static_cast<LONG>((units.x - box.left) / perPixelX),
                            boxFrom.y + static_cast<LONG>((units.y - box.top) / perPixelY)});
    }
    void ClickTool(int id)
    {
        HWND button = GetDlgItem(palette_, id);
        ASSERT_NE(nullptr, button) << id;
        const RECT r = ClientScreenRect(button);
        RealClick(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        ASSERT_TRUE(program_.Settle());
    }
    void Drag(POINT from, POINT to)
    {
        RealDrag(Screen(from), Screen(to));
        ASSERT_TRUE(program_.Settle());
    }
    void Click(POINT at)
    {
        RealClick(Screen(at));
        ASSERT_TRUE(program_.Settle());
    }
    SavedHook Saved()
    {
        program_.PostCommand(kSave);
        program_.Settle();
        SavedHook saved;
        ScratchDrawing reader;
        EXPECT_EQ(0, reader.Inspect(file_, [&](DrawingRecord* drawing) { saved = ReadHook(drawing); }));
        return saved;
    }
    // Text > Typeface, the size picked from the dialog's list and OK.
    void TypefaceSize(const char* size)
    {
        program_.PostCommand(kTypeface);
        HWND dialog = nullptr;
        for (int i = 0; i < kDialogWaits && !dialog; ++i) {
            Sleep(kDialogWaitMs);
            dialog = program_.FindProgramWindow("#32770", "Font");
        }
        ASSERT_NE(nullptr, dialog) << "the Typeface dialog";
        program_.Settle();
        HWND sizeBox = GetDlgItem(dialog, kFontSizeBox);
        ASSERT_NE(nullptr, sizeBox);
        ASSERT_NE(CB_ERR, SendMessageA(sizeBox, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(size)));
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kFontSizeBox, CBN_SELCHANGE), reinterpret_cast<LPARAM>(sizeBox));
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        ASSERT_TRUE(program_.Settle());
    }

    ProgramDriver program_;
    std::string options_;
    std::string file_;
    HWND palette_ = nullptr;
    HWND view_ = nullptr;
};

TEST_F(HookedTextProgram, ConnectorEndStaysOnAnEllipseThatGrowsForTypeface24)
{
    const POINT ellipseFrom = {60, 120};
    const POINT ellipseTo = {180, 180};
    const POINT ellipseMiddle = {120, 150};
    ClickTool(kEllipseTool);
    Drag(ellipseFrom, ellipseTo);
    const POINT boxFrom = {420, 120};
    const POINT boxTo = {540, 180};
    ClickTool(kToolFirstShape);
    Drag(boxFrom, boxTo);
    // From the ellipse's right side to the box's left side.
    ClickTool(kToolSegmentedLine);
    Drag({180, 150}, {420, 150});
    ClickTool(kToolSelect);
    Click(ellipseMiddle);
    RealType("Router 1");
    ASSERT_TRUE(program_.Settle());
    Click({300, 400});   // elsewhere: the editing ends
    const SavedHook typed = Saved();
    ASSERT_TRUE(typed.found) << "a connector hooked to the ellipse";
    EXPECT_TRUE(typed.end.x == typed.hook.x && typed.end.y == typed.hook.y) << "before Typeface";
    ScreenImage::Grab().Save("hooked_text_before_typeface");

    Click(ellipseMiddle);
    TypefaceSize(kTypefaceSize);
    const SavedHook grown = Saved();
    const ScreenImage screen = ScreenImage::Grab();
    screen.Save("hooked_text_after_typeface_24");
    ASSERT_TRUE(grown.found);
    EXPECT_GT(grown.ellipse.right - grown.ellipse.left, typed.ellipse.right - typed.ellipse.left)
        << "the ellipse grows for the bigger text";
    EXPECT_EQ(grown.ellipse.right, grown.hook.x) << "the hook point is on the grown right side";
    EXPECT_EQ(grown.hook.x, grown.end.x) << "the connector end follows the hook point";
    EXPECT_EQ(grown.hook.y, grown.end.y);
    const POINT hook = ScreenOf(grown.hook, grown.box, boxFrom, boxTo);
    const RECT beside = {hook.x + kBesideFrom, hook.y - kBesideHalfHeight, hook.x + kBesideTo,
                         hook.y + kBesideHalfHeight + 1};
    EXPECT_GE(screen.CountDark(beside), kDarkOfTheConnector) << "the connector is painted from the hook point";
}

} // namespace

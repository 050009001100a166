#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "objects/app_options.h"
#include "documents/document_commands.h"
#include "documents/drawing_stream.h"
#include "drawing_file_support.h"
#include "common/back_buffer.h"
#include "support/test_paths.h"
#include "view/paint_view.h"
#include "view/scroll_view.h"
#include "documents/view_children.h"
#include "view/view_layout.h"
#include "documents/view_settings.h"
#include "view/view_test_frame.h"

namespace {

std::string WriteEveryKindWhitePageFile(const char* leaf)
{
    std::string path = ScratchPath(leaf);
    DrawingDocument source;
    EXPECT_TRUE(source.ok());
    BuildEveryKindDrawing(&source);
    // No page colour: the page paints white.
    source.Drawing()->style.backgroundColor = static_cast<COLORREF>(-1);
    EXPECT_EQ(kErrNone, WriteDrawingFile(path.c_str(), nullptr, nullptr, source.view()));
    return path;
}

// Options with rulers shown and, when asked, the grid.
class ViewOptions {
public:
    explicit ViewOptions(bool grid) : bytes_(kOptionsMinimumSize, 0), saved_(AppOptions)
    {
        const int32_t shown = 1;
        const int32_t inch = 1;
        const double spacing = 100.0;
        const int32_t subdivisions = 12;
        const double label = 1.0;
        std::memcpy(bytes_.data() + kOptionsRulerScale, &shown, 4);
        std::memcpy(bytes_.data() + kOptionsRulerScale + 4, &inch, 4);
        std::memcpy(bytes_.data() + kOptionsRulerScale + 8, &spacing, 8);
        std::memcpy(bytes_.data() + kOptionsRulerScale + 16, &subdivisions, 4);
        std::memcpy(bytes_.data() + kOptionsRulerScale + 20, &label, 8);
        const uint16_t flags = grid ? 0x0400 : 0;
        std::memcpy(bytes_.data() + kOptionsFlags, &flags, 2);
        AppOptions = bytes_.data();
    }
    ~ViewOptions() { AppOptions = saved_; }
    ViewOptions(const ViewOptions&) = delete;
    ViewOptions& operator=(const ViewOptions&) = delete;

private:
    std::vector<unsigned char> bytes_;
    unsigned char* saved_;
};

HWND ActiveView(const ViewTestFrame& frame)
{
    return DocumentViewOf(reinterpret_cast<HWND>(SendMessageA(frame.client(), WM_MDIGETACTIVE, 0, 0)));
}

ViewSettings SettingsOf(HWND view)
{
    ViewSettings settings = {0, 0, -1, -1};
    ReadViewSettings(view, &settings);
    return settings;
}

// The range end as the scroll bar holds it: maximum less page.
int RangeEnd(HWND view, int bar)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    if (!GetScrollInfo(view, bar, &info) || info.nMax == 0)
        return 0;
    return info.nMax - static_cast<int>(info.nPage);
}

} // namespace

TEST(DocumentView, ZoomLadderThroughTheViewCommands)
{
    ViewOptions options(false);
    ViewTestFrame frame;
    const std::string path = WriteEveryKindWhitePageFile("ladder.tyr");
    ASSERT_EQ(kErrNone, OpenDocument(path.c_str(), FALSE, 1));
    HWND view = ActiveView(frame);
    struct Step {
        const char* name;
        int value, mode;
        int zoom;      // -1: a fit zoom, any value
        int flags;
    };
    const Step steps[] = {
        {"50%", 500, 0, 500, 0},
        {"zoom in", 1, 0, 750, 0},
        {"zoom in again", 1, 0, 0, 0},
        {"150%", 1500, 0, 1500, 0},
        {"200%", 2000, 0, 2000, 0},
        {"zoom in at the top", 1, 0, 2000, 0},
        {"fit to page", 0, 2, -1, kViewFitMode | kViewFitPage},
        {"zoom out", -1, 0, -1, kViewFitMode},
        {"zoom out at the bottom", -1, 0, -1, kViewFitMode},
        {"100%", 0, 0, 0, 0},
    };
    for (const Step& step : steps) {
        SetZoom(step.value, step.mode);
        const ViewSettings settings = SettingsOf(view);
        EXPECT_EQ(step.flags, settings.flags) << step.name;
        if (step.zoom >= 0)
            EXPECT_EQ(step.zoom, settings.zoom) << step.name;
        else
            EXPECT_TRUE(settings.zoom >= 10 && settings.zoom <= 1000) << step.name << " " << settings.zoom;
    }
}

TEST(DocumentView, FitToWindowNeverGoesBeyond35PerCentAndIsKeptOnResize)
{
    ViewOptions options(false);
    ViewTestFrame frame;
    ASSERT_NE(nullptr, CreateDocumentWindow(nullptr, 99));
    HWND view = ActiveView(frame);
    SetZoom(0, 1);
    const int first = SettingsOf(view).zoom;
    EXPECT_GE(first, 10);
    EXPECT_LE(first, 350);
    EXPECT_EQ(0, RangeEnd(view, SB_HORZ)) << "a fitted drawing needs no scrolling";
    EXPECT_EQ(0, RangeEnd(view, SB_VERT));
    MoveWindow(frame.frame(), 0, 0, 400, 300, TRUE);
    ViewTestFrame::Pump();
    EXPECT_LT(SettingsOf(view).zoom, first) << "a smaller window fits the drawing smaller";
    EXPECT_NE(0, SettingsOf(view).flags & kViewFitMode);
}

TEST(DocumentView, ScrollRangesOfADrawingLargerThanTheWindow)
{
    ViewOptions options(false);
    ViewTestFrame frame;
    ASSERT_NE(nullptr, CreateDocumentWindow(nullptr, 99));
    HWND view = ActiveView(frame);
    RECT client;
    GetClientRect(view, &client);
    const SIZE size = GetDrawingDeviceSize(view);
    EXPECT_EQ(size.cx - client.right, RangeEnd(view, SB_HORZ));
    EXPECT_EQ(size.cy - client.bottom, RangeEnd(view, SB_VERT));

    struct Case {
        const char* name;
        int code;
        int expected;
    };
    const int page = client.bottom - 16;
    const int end = RangeEnd(view, SB_VERT);
    const Case cases[] = {
        {"line down", SB_LINEDOWN, 16},
        {"page down", SB_PAGEDOWN, 16 + page},
        {"page up", SB_PAGEUP, 16},
        {"line up", SB_LINEUP, 0},
        {"line up at the top", SB_LINEUP, 0},
        {"bottom", SB_BOTTOM, end},
        {"line down at the bottom", SB_LINEDOWN, end},
        {"top", SB_TOP, 0},
        {"thumb tracking does not scroll", SB_THUMBTRACK, 0},
    };
    for (const Case& c : cases) {
        SendMessageA(view, WM_VSCROLL, MAKEWPARAM(c.code, 300), 0);
        EXPECT_EQ(c.expected, GetScrollPos(view, SB_VERT)) << c.name;
        HDC dc = GetDC(view);
        POINT origin;
        GetViewportOrgEx(dc, &origin);
        ReleaseDC(view, dc);
        EXPECT_EQ(-c.expected, origin.y) << c.name << ": the origin carries the position";
    }
    SendMessageA(view, WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_EQ(page, GetScrollPos(view, SB_VERT)) << "Page Down";
}

TEST(DocumentView, StoredZoomAndScrollPositionComeBack)
{
    ViewOptions options(false);
    ViewTestFrame frame;
    const std::string path = WriteEveryKindWhitePageFile("stored.tyr");
    ASSERT_EQ(kErrNone, OpenDocument(path.c_str(), FALSE, 1));
    SetZoom(1500, 0);
    HWND view = ActiveView(frame);
    SendMessageA(view, WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
    const int position = GetScrollPos(view, SB_VERT);
    ASSERT_GT(position, 0);
    HWND document = GetParent(view);
    ASSERT_EQ(0, SaveDocumentAs(document, path.c_str(), TRUE, 1));
    SendMessageA(document, WM_CLOSE, 0, 0);
    ASSERT_EQ(kErrNone, OpenDocument(path.c_str(), FALSE, 1));
    view = ActiveView(frame);
    EXPECT_EQ(1500, SettingsOf(view).zoom);
    EXPECT_EQ(position, GetScrollPos(view, SB_VERT));
}

TEST(DocumentView, ViewLargerThanTheBackBufferIsPaintedWhole)
{
    ViewOptions options(false);
    ViewTestFrame frame(800, 600, false);
    ASSERT_NE(nullptr, CreateDocumentWindow(nullptr, 99));
    HWND view = ActiveView(frame);
    // A buffer of 40 x 40 pixels, far smaller than what is painted.
    HDC savedBuffer = BackBufferDC;
    HDC small = CreateCompatibleDC(nullptr);
    HBITMAP smallBitmap = CreateCompatibleBitmap(GetDC(nullptr), 40, 40);
    SelectObject(small, smallBitmap);
    BackBufferDC = small;

    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 200, -200, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP target = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, target);
    std::memset(bits, 0, 200 * 200 * 4);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 600, 600, nullptr);
    SetViewportExtEx(dc, 100, 100, nullptr);
    ViewRecord* record = LockViewRecord(view);
    record->flags |= kViewRepaintBuffered;
    auto* drawing = static_cast<DrawingRecord*>(GlobalLock(GetViewDrawingHandle(record)));
    drawing->style.backgroundColor = RGB(10, 20, 30);
    GlobalUnlock(GetViewDrawingHandle(record));
    ReleaseViewRecord(view);
    RECT rect = {0, 0, 1200, 1200};
    PaintDrawingView(view, dc, &rect);
    GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    int unpainted = 0;
    for (int i = 0; i < 200 * 200; ++i)
        if ((pixels[i] & 0xFFFFFF) != 0x0A141E)
            ++unpainted;
    EXPECT_EQ(0, unpainted) << "every pixel gets the page colour; at (100, 100): " << std::hex << pixels[100 * 200 + 100];
    record = LockViewRecord(view);
    EXPECT_EQ(0u, record->flags & kViewRepaintBuffered);
    ReleaseViewRecord(view);

    BackBufferDC = savedBuffer;
    DeleteDC(dc);
    DeleteObject(target);
    DeleteDC(small);
    DeleteObject(smallBitmap);
}

TEST(DocumentView, ScreenshotsAtEachZoomWithRulersAndGrid)
{
    ViewOptions options(true);
    ViewTestFrame frame(900, 700);
    const std::string path = WriteEveryKindWhitePageFile("shots.tyr");
    ASSERT_EQ(kErrNone, OpenDocument(path.c_str(), FALSE, 1));
    HWND view = ActiveView(frame);
    struct Shot {
        const char* name;
        int value, mode;
    };
    const Shot shots[] = {{"view_zoom_50", 500, 0},
                          {"view_zoom_100", 0, 0},
                          {"view_zoom_200", 2000, 0},
                          {"view_fit_to_page", 0, 2}};
    for (const Shot& shot : shots) {
        SetZoom(shot.value, shot.mode);
        SendMessageA(view, WM_VSCROLL, MAKEWPARAM(SB_TOP, 0), 0);
        SendMessageA(view, WM_HSCROLL, MAKEWPARAM(SB_TOP, 0), 0);
        EXPECT_FALSE(frame.Screenshot(shot.name).empty()) << shot.name;
        EXPECT_TRUE(IsWindowVisible(HorizontalRulerOf(view))) << shot.name;
    }
}

TEST(DocumentView, CtrlShiftClickTogglesFitAndKeepsThePointUnderThePointer)
{
    ViewOptions options(false);
    ViewTestFrame frame;
    ASSERT_NE(nullptr, CreateDocumentWindow(nullptr, 99));
    HWND view = ActiveView(frame);
    SetZoom(0, 1);
    ASSERT_NE(0, SettingsOf(view).flags & kViewFitMode);
    const POINT click = {300, 200};
    RECT oldScreen;
    GetWindowRect(view, &oldScreen);
    POINT before = click;
    HDC dc = GetDC(view);
    DPtoLP(dc, &before, 1);
    ReleaseDC(view, dc);

    ToggleFitZoomAt(view, click.x, click.y);
    EXPECT_EQ(0, SettingsOf(view).flags);
    EXPECT_EQ(0, SettingsOf(view).zoom);
    POINT after = before;
    dc = GetDC(view);
    LPtoDP(dc, &after, 1);
    ReleaseDC(view, dc);
    RECT newScreen;
    GetWindowRect(view, &newScreen);
    EXPECT_NEAR(oldScreen.left + click.x, newScreen.left + after.x, 1)
        << "the clicked drawing point stays under the pointer";
    EXPECT_NEAR(oldScreen.top + click.y, newScreen.top + after.y, 1);

    ToggleFitZoomAt(view, click.x, click.y);
    EXPECT_EQ(kViewFitMode, SettingsOf(view).flags) << "and back to Fit to Window";
}

TEST(DocumentView, KeptPointLandsWhereAsked)
{
    ViewOptions options(false);
    ViewTestFrame frame;
    ASSERT_NE(nullptr, CreateDocumentWindow(nullptr, 99));
    HWND view = ActiveView(frame);
    struct Case {
        const char* name;
        POINT drawing;
        POINT client;
        POINT expected;
    };
    const Case cases[] = {
        {"inside", {6000, 6000}, {100, 50}, {100, 50}},
        {"held at the top left", {60, 60}, {300, 300}, {10, 10}},
    };
    for (const Case& c : cases) {
        KeepPointOnScreen(view, 0, c.drawing, c.client);
        POINT shown = c.drawing;
        HDC dc = GetDC(view);
        LPtoDP(dc, &shown, 1);
        ReleaseDC(view, dc);
        EXPECT_EQ(c.expected.x, shown.x) << c.name;
        EXPECT_EQ(c.expected.y, shown.y) << c.name;
        EXPECT_GE(GetScrollPos(view, SB_HORZ), 0) << c.name;
    }
}

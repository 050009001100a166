// The page as the View menu changes it in the running program: the grid shown
// and hidden in every open document at once, and a background colour that
// paints the paper, is saved and comes back with the drawing.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "objects/color_table.h"
#include "resources/menu_ids.h"
#include "support/desktop_program.h"
#include "support/scratch_drawing.h"
#include "support/screen_image.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const int kLightBlue = 28;
// Of the paper, at least this many pixels change colour.
const int kVisibleChange = 500;

// Pixels of the view that are not white paper.
int Marked(const ScreenImage& image, HWND view)
{
    const RECT r = ClientScreenRect(view);
    return (r.right - r.left) * (r.bottom - r.top) - image.CountColor(r, kWhite);
}

class PageAppearanceProgram : public DesktopProgram {
protected:
    // A drawing file of its own, so that a new document opens beside it.
    void SetUp() override { file_ = StartOnEmptyDrawing("page-appearance.tyr"); }

    HWND MdiClient() { return FindWindowExA(program_.MainWindow(), nullptr, "MDICLIENT", nullptr); }
    // The drawing view of the document window that is not the first one.
    HWND SecondView()
    {
        for (HWND child = FindWindowExA(MdiClient(), nullptr, nullptr, nullptr); child;
             child = FindWindowExA(MdiClient(), child, nullptr, nullptr)) {
            HWND view = FindWindowExA(child, nullptr, "MDScrollClass", nullptr);
            if (view && view != view_)
                return view;
        }
        return nullptr;
    }

    std::string file_;
};

TEST_F(PageAppearanceProgram, ShowGridShowsAndHidesTheGridInEveryOpenDocument)
{
    Command(desktop_ids::kNewBlank);
    HWND second = SecondView();
    ASSERT_NE(nullptr, second) << "no second document";
    Command(IDM_WINDOW_TILE);
    const ScreenImage plain = ScreenImage::Grab();
    plain.Save("grid_hidden_in_both");

    Command(IDM_VIEW_SHOW_GRID);
    const ScreenImage grid = ScreenImage::Grab();
    grid.Save("grid_shown_in_both");
    EXPECT_GT(Marked(grid, second), Marked(plain, second) + kVisibleChange) << "the active document shows no grid";
    EXPECT_GT(Marked(grid, view_), Marked(plain, view_) + kVisibleChange) << "the other document shows no grid";

    Command(IDM_VIEW_SHOW_GRID);
    const ScreenImage hidden = ScreenImage::Grab();
    hidden.Save("grid_hidden_again");
    EXPECT_EQ(Marked(plain, second), Marked(hidden, second));
    EXPECT_EQ(Marked(plain, view_), Marked(hidden, view_)) << "the other document kept its grid";
}

TEST_F(PageAppearanceProgram, BackgroundColorPaintsThePaperAndComesBackWithTheDrawing)
{
    const COLORREF blue = kDefaultColorTable[kLightBlue];
    EXPECT_EQ(0, ScreenImage::Grab().CountColor(ClientScreenRect(view_), blue));

    Command(IDM_BACK_COLOR_BASE + kLightBlue);
    Screenshot("background_light_blue");
    const RECT paper = ClientScreenRect(view_);
    const int painted = ScreenImage::Grab().CountColor(paper, blue);
    EXPECT_GT(painted, (paper.right - paper.left) * (paper.bottom - paper.top) / 2) << "the paper is not light blue";

    Command(desktop_ids::kSave);
    COLORREF saved = CLR_INVALID;
    EXPECT_EQ(0, ScratchDrawing().Inspect(file_, [&](DrawingRecord* drawing) { saved = drawing->style.backgroundColor; }));
    EXPECT_EQ(blue, saved);

    program_.Close();
    StartWith(file_);
    Screenshot("background_reopened");
    EXPECT_EQ(painted, ScreenImage::Grab().CountColor(ClientScreenRect(view_), blue)) << "reopened without its colour";
}

} // namespace

#include <gtest/gtest.h>

#include "view/view_zoom.h"

namespace {

ViewSettings Fixed(int zoom) { return ViewSettings{30000, 30000, zoom, 0}; }
ViewSettings FitWindow() { return ViewSettings{30000, 30000, 200, kViewFitMode}; }
ViewSettings FitPage() { return ViewSettings{30000, 30000, 200, kViewFitMode | kViewFitPage}; }

} // namespace

TEST(ZoomLadder, StepsInAndOut)
{
    struct Case {
        const char* name;
        ViewSettings settings;
        int value, mode;
        bool changes;
        ZoomDecision expected;
    };
    const Case cases[] = {
        {"in from fit to window goes to the page", FitWindow(), 1, 0, true, {0, 1, true}},
        {"in from fit to page goes to 50", FitPage(), 1, 0, true, {500, 0, false}},
        {"in from 40 gives 50", Fixed(400), 1, 0, true, {500, 0, false}},
        {"in from 50 gives 75", Fixed(500), 1, 0, true, {750, 0, false}},
        {"in from 75 gives 100", Fixed(750), 1, 0, true, {0, 0, false}},
        {"in from 100 gives 150", Fixed(0), 1, 0, true, {1500, 0, false}},
        {"in from 150 gives 200", Fixed(1500), 1, 0, true, {2000, 0, false}},
        {"in from 200 stays", Fixed(2000), 1, 0, false, {0, 0, false}},
        {"out from 200 gives 150", Fixed(2000), -1, 0, true, {1500, 0, false}},
        {"out from 100 gives 75", Fixed(0), -1, 0, true, {750, 0, false}},
        {"out from 60 gives 50", Fixed(600), -1, 0, true, {500, 0, false}},
        {"out from 50 goes to the page", Fixed(500), -1, 0, true, {0, 1, true}},
        {"out from fit to page gives fit to window", FitPage(), -1, 0, true, {0, 1, false}},
        {"out from fit to window stays", FitWindow(), -1, 0, false, {0, 0, false}},
        {"same fixed zoom", Fixed(1500), 1500, 0, false, {0, 0, false}},
        {"other fixed zoom", Fixed(1500), 500, 0, true, {500, 0, false}},
        {"fit to page again", FitPage(), 0, 2, false, {0, 0, false}},
        {"fit to page from window", FitWindow(), 0, 2, true, {0, 2, true}},
        {"fixed from a fit mode", FitWindow(), 0, 0, true, {0, 0, false}},
        {"a scale of one's own", Fixed(0), 1230, 0, true, {1230, 0, false}},
    };
    for (const Case& c : cases) {
        ZoomDecision decision = {-7, -7, false};
        EXPECT_EQ(c.changes, DecideZoom(c.settings, c.value, c.mode, &decision)) << c.name;
        if (!c.changes)
            continue;
        EXPECT_EQ(c.expected.value, decision.value) << c.name;
        EXPECT_EQ(c.expected.mode, decision.mode) << c.name;
        EXPECT_EQ(c.expected.page, decision.page) << c.name;
    }
}

#include <gtest/gtest.h>

#include "frame/menu_commands.h"

namespace {

struct DispatchCase {
    const char* name;
    int id;
    MenuHandler handler;
    int attribute;
    int index;
};

const DispatchCase kCases[] = {
    {"BelowFile", 100, MenuHandler::kNone, 0, 0},
    {"FileNew", 101, MenuHandler::kFile, 0, 0},
    {"RecentFile", 120, MenuHandler::kFile, 0, 0},
    {"FileEnd", 199, MenuHandler::kFile, 0, 0},
    {"Hundred200", 200, MenuHandler::kNone, 0, 0},
    {"EditUndo", 201, MenuHandler::kEdit, 0, 0},
    {"ZoomOut", 326, MenuHandler::kView, 0, 0},
    {"ShapesSizing", 402, MenuHandler::kShapes, 0, 0},
    {"LinesArrowheads", 501, MenuHandler::kLines, 0, 0},
    {"TextAlignment", 641, MenuHandler::kText, 0, 0},
    {"DrawFront", 701, MenuHandler::kDraw, 0, 0},
    {"WindowTile", 808, MenuHandler::kWindow, 0, 0},
    {"HelpModeOff", 999, MenuHandler::kHelp, 0, 0},
    {"Hundred1000", 1000, MenuHandler::kNone, 0, 0},
    {"LibrariesOpen", 1001, MenuHandler::kLibraries, 0, 0},
    {"LibraryWindowRow", 1051, MenuHandler::kLibraries, 0, 0},
    {"ShadingBase", 1100, MenuHandler::kStyle, 9, 0},
    {"ShadingFirst", 1101, MenuHandler::kStyle, 9, 1},
    {"ShadingEnd", 1199, MenuHandler::kStyle, 9, 99},
    {"BorderNone", 1200, MenuHandler::kStyle, 7, 0},
    {"BorderHairline", 1201, MenuHandler::kStyle, 7, 1},
    {"Border5pt", 1230, MenuHandler::kStyle, 7, 30},
    {"BorderDotted", 1302, MenuHandler::kStyle, 8, 2},
    {"BorderDashBase", 1300, MenuHandler::kStyle, 8, 0},
    {"ShapeTypeBase", 1400, MenuHandler::kStyle, 50, 1},
    {"ShapeTypeFirst", 1401, MenuHandler::kStyle, 50, 2},
    {"ShapeTypeLast", 1424, MenuHandler::kStyle, 50, 25},
    {"Hundred1500", 1500, MenuHandler::kNone, 0, 0},
    {"ArrayBase1600", 1600, MenuHandler::kNone, 0, 0},
    {"ArrayFirst", 1601, MenuHandler::kStyle, 83, 0},
    {"ArrayStyle1626", 1626, MenuHandler::kStyle, 83, 25},
    {"LineWidthBase", 1800, MenuHandler::kStyle, 36, 0},
    {"LineHairline", 1801, MenuHandler::kStyle, 36, 1},
    {"LineDashBase1900", 1900, MenuHandler::kNone, 0, 0},
    {"LineDotted", 1902, MenuHandler::kStyle, 37, 2},
    {"LineShapePlace2400", 2400, MenuHandler::kNone, 0, 0},
    {"LineShapePlain", 2401, MenuHandler::kStyle, 61, 1},
    {"LineShapeLast", 2447, MenuHandler::kStyle, 61, 47},
    {"ColourBase3000", 3000, MenuHandler::kNone, 0, 0},
    {"LineColourFirst", 3001, MenuHandler::kStyle, 35, 0},
    {"FillBase3100", 3100, MenuHandler::kNone, 0, 0},
    {"FillFirst", 3101, MenuHandler::kStyle, 21, 0},
    {"FillNone", 3149, MenuHandler::kStyle, 21, 48},
    {"TextBase3200", 3200, MenuHandler::kNone, 0, 0},
    {"TextColour", 3205, MenuHandler::kTextColor, 0, 4},
    {"BackgroundBase3300", 3300, MenuHandler::kNone, 0, 0},
    {"BackgroundNone", 3349, MenuHandler::kBackgroundColor, 0, 48},
    {"BorderColourBase3400", 3400, MenuHandler::kNone, 0, 0},
    {"BorderColourFirst", 3401, MenuHandler::kStyle, 17, 0},
    {"BorderColourLast", 3448, MenuHandler::kStyle, 17, 47},
    {"Above3499", 3500, MenuHandler::kNone, 0, 0},
    {"ContextHelp", 30001, MenuHandler::kHelp, 0, 0},
};

} // namespace

TEST(MenuDispatch, EachIdGoesToItsRange)
{
    for (const DispatchCase& row : kCases) {
        SCOPED_TRACE(row.name);
        MenuCommandTarget target = DecodeMenuCommand(row.id);
        EXPECT_EQ(static_cast<int>(row.handler), static_cast<int>(target.handler));
        if (row.handler == MenuHandler::kStyle) {
            EXPECT_EQ(row.attribute, target.attribute);
        }
        if (row.handler == MenuHandler::kStyle || row.handler == MenuHandler::kTextColor ||
            row.handler == MenuHandler::kBackgroundColor) {
            EXPECT_EQ(row.index, target.index);
        }
    }
}

// Every attribute command of the menus, from its id to the kind message, flag
// and value the selected objects receive.
#include <gtest/gtest.h>

#include "frame/menu_commands.h"
#include "objects/color_table.h"
#include "objects/kind_messages.h"
#include "view/attribute_commands.h"

namespace {

const COLORREF kNone = CLR_INVALID;

// One attribute list: its ids, message, flag, and how an id becomes the
// index in the second word (id - base) or a colour.
struct ListRow {
    const char* name;
    int first;
    int last;
    int message;
    int flag;
    int base;
    bool color;
};

const ListRow kLists[] = {
    {"shading", 1100, 1199, kMsgSetFillPattern, 0, 1100, false},
    {"border widths", 1200, 1299, kMsgSetOutlineWidth, 1, 1200, false},
    {"border dashes", 1300, 1399, kMsgSetOutlineStyle, 0, 1300, false},
    {"shape types", 1400, 1499, kMsgSetShapeType, 0, 1399, false},
    {"array styles", 1601, 1699, kMsgArrayStyle, 0, 1601, false},
    {"line widths", 1800, 1899, kMsgSetLineWidth, 1, 1800, false},
    {"line dashes", 1901, 1999, kMsgSetLineStyle, 0, 1900, false},
    {"line shapes", 2401, 2499, kMsgLineType, 0, 2400, false},
    {"line colours", 3001, 3099, kMsgSetLineColor, 0, 3001, true},
    {"fill colours", 3101, 3199, kMsgSetFillColor, 1, 3101, true},
    {"border colours", 3401, 3499, kMsgSetOutlineColor, 1, 3401, true},
};

StyleCommandValue ValueOf(int id)
{
    const MenuCommandTarget target = DecodeMenuCommand(id);
    if (target.handler != MenuHandler::kStyle)
        return StyleCommandValue{};
    return StyleValueFor(target.attribute, target.index);
}

} // namespace

TEST(AttributeCommands, EveryListItemSendsItsMessageFlagAndValue)
{
    for (const ListRow& list : kLists) {
        for (int id = list.first; id <= list.last; ++id) {
            SCOPED_TRACE(std::string(list.name) + " " + std::to_string(id));
            const StyleCommandValue value = ValueOf(id);
            ASSERT_EQ(list.message, value.message);
            EXPECT_EQ(list.flag, value.flag);
            EXPECT_EQ(list.color, value.isColor);
            const int index = id - list.base;
            if (!list.color) {
                EXPECT_EQ(index, value.words[1]);
                continue;
            }
            const COLORREF expected = index < kColorTableSize ? StandardColors()[index] : kNone;
            EXPECT_EQ(expected, value.color);
        }
    }
}

TEST(AttributeCommands, NamedItemsReachTheKindsAsTheMenusMeanThem)
{
    struct Row {
        const char* name;
        int id;
        int message;
        int32_t index;
        COLORREF color;
    };
    const Row rows[] = {
        {"line dotted reaches the lines with index 2", 1902, kMsgSetLineStyle, 2, kNone},
        {"border dotted reaches the shapes with index 2", 1302, kMsgSetOutlineStyle, 2, kNone},
        {"shape Rectangle is shape type 2", 1401, kMsgSetShapeType, 2, kNone},
        {"first array style is index 0", 1601, kMsgArrayStyle, 0, kNone},
        {"fill none is transparent", 3149, kMsgSetFillColor, 48, kNone},
        {"border Black is table entry 7", 3408, kMsgSetOutlineColor, 7, kDefaultColorTable[7]},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const StyleCommandValue value = ValueOf(row.id);
        EXPECT_EQ(row.message, value.message);
        if (value.isColor)
            EXPECT_EQ(row.color, value.color);
        else
            EXPECT_EQ(row.index, value.words[1]);
    }
}

TEST(AttributeCommands, IdsBetweenTheListsAreNoAttribute)
{
    for (int id : {1500, 1600, 1700, 1900, 2400, 3000, 3100, 3500})
        EXPECT_EQ(0, ValueOf(id).message) << id;
    EXPECT_EQ(0, StyleValueFor(kMsgDraw, 1).message);
}

// The rules of the colour-and-shadow style dialogs: which entry stands for a
// drawing's style, the names proposed, which list edits a name allows, and
// what a new shadow kind brings.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "frame/style_rules.h"

namespace {

ColorStyle Style(const char* name, COLORREF fill, int kind = 0, uint32_t flags = 0)
{
    ColorStyle style;
    std::memset(&style, 0, sizeof(style));
    style.fillColor = fill;
    style.shadowKind = kind;
    style.flags = flags;
    lstrcpynA(style.name, name, sizeof(style.name));
    return style;
}

TEST(StyleRules, TheDrawingsStyleChoosesTheLastEqualEntryThenOneEqualApartFromFlagsElseTheExtra)
{
    const std::vector<ColorStyle> list = {Style("Red", RGB(255, 0, 0)), Style("Blue", RGB(0, 0, 255), 3, 1),
                                          Style("Red again", RGB(255, 0, 0)), Style("Green", RGB(0, 255, 0))};
    const int count = static_cast<int>(list.size());
    struct Row {
        const char* name;
        ColorStyle current;
        int entry;
    } rows[] = {
        {"two equal: the later", Style("whatever", RGB(255, 0, 0)), 2},
        {"names never count", Style("Green?", RGB(0, 255, 0)), 3},
        {"equal apart from the flags", Style("x", RGB(0, 0, 255), 3, 7), 1},
        {"in no entry", Style("x", RGB(1, 2, 3)), count},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.entry, ChooseStyleEntry(list.data(), count, row.current)) << row.name;
}

TEST(StyleRules, ANewStyleIsOfferedTheFirstFreeNumberWhateverTheCase)
{
    struct Row {
        const char* name;
        std::vector<const char*> taken;
        const char* proposed;
    } rows[] = {
        {"empty list", {}, "New Style 1"},
        {"one taken", {"New Style 1"}, "New Style 2"},
        {"taken in another case", {"NEW STYLE 1", "new style 2"}, "New Style 3"},
        {"a gap is used", {"New Style 1", "New Style 3"}, "New Style 2"},
    };
    for (const Row& row : rows) {
        std::vector<ColorStyle> list;
        for (const char* name : row.taken)
            list.push_back(Style(name, 0));
        char name[sizeof(ColorStyle::name)];
        ProposeStyleName(list.data(), static_cast<int>(list.size()), "New Style ", name, sizeof(name));
        EXPECT_EQ(std::string(row.proposed), name) << row.name;
    }
}

TEST(StyleRules, TheNameStateDecidesTheListEdits)
{
    struct Row {
        const char* name;
        StyleNameFacts facts;
        int count;
        StyleNameState state;
        StyleEditButtons buttons;
    } rows[] = {
        {"empty name", {true, false, false, false, false}, 5, kNameEmpty, {false, false, false, false}},
        {"own settings", {false, true, false, false, false}, 5, kNameExtra, {true, false, false, false}},
        {"selected name", {false, false, true, false, false}, 5, kNameSelected, {false, true, false, true}},
        {"selected name, last style", {false, false, true, false, false}, 1, kNameSelected,
         {false, true, false, false}},
        {"unchanged style, new name", {false, false, false, false, true}, 5, kNameUnchanged,
         {false, false, true, false}},
        {"changed style, new name", {false, false, false, false, false}, 5, kNameNew, {true, false, false, false}},
        {"new name at a hundred styles", {false, false, false, false, false}, kMostColorStyles, kNameNew,
         {false, false, false, false}},
    };
    for (const Row& row : rows) {
        const StyleNameState state = ComputeNameState(row.facts);
        EXPECT_EQ(row.state, state) << row.name;
        const StyleEditButtons b = ButtonsForNameState(state, row.count);
        EXPECT_EQ(row.buttons.add, b.add) << row.name;
        EXPECT_EQ(row.buttons.change, b.change) << row.name;
        EXPECT_EQ(row.buttons.rename, b.rename) << row.name;
        EXPECT_EQ(row.buttons.remove, b.remove) << row.name;
    }
}

TEST(StyleRules, ANameAnotherStyleBearsInAnyCaseNeitherAddsNorRenames)
{
    const std::vector<ColorStyle> list = {Style("Sunset", 0), Style("Ocean", 1)};
    EXPECT_EQ(0, FindStyleNamed(list.data(), 2, "SUNSET", -1));
    EXPECT_EQ(-1, FindStyleNamed(list.data(), 2, "sunset", 0)) << "the selected style's own name";
    for (bool extra : {false, true}) {
        for (bool unchanged : {false, true}) {
            const StyleNameFacts facts = {false, extra, false, true, unchanged};
            const StyleEditButtons b = ButtonsForNameState(ComputeNameState(facts), 2);
            EXPECT_FALSE(b.add || b.rename) << "extra " << extra << " unchanged " << unchanged;
        }
    }
}

TEST(StyleRules, AShadowKindBringsItsFlagsAndOffsetsKeepingTheDirection)
{
    struct Row {
        const char* name;
        int fromKind;
        uint32_t fromFlags;
        int dx;
        int dy;
        int toKind;
        uint32_t flags;
        int newDx;
        int newDy;
    } rows[] = {
        {"none to extrusion", 0, 0, 0, -10, 1, 3, 6, -6},
        {"none to stepped copies", 0, 4, -5, 0, 3, 1, -24, 24},
        {"extrusion keeps its flags and gains lines", 2, 6, 6, 6, 1, 7, 6, 6},
        {"copy drops the reverse flag", 1, 7, -6, -6, 4, 3, -24, -24},
        {"back to none", 3, 1, 24, 24, 0, 1, 0, 0},
    };
    for (const Row& row : rows) {
        ColorStyle style = Style("s", 0, row.fromKind, row.fromFlags);
        style.shadowDx = row.dx;
        style.shadowDy = row.dy;
        ChooseShadowKind(&style, row.toKind);
        EXPECT_EQ(row.toKind, style.shadowKind) << row.name;
        EXPECT_EQ(row.flags, style.flags) << row.name;
        EXPECT_EQ(row.newDx, style.shadowDx) << row.name;
        EXPECT_EQ(row.newDy, style.shadowDy) << row.name;
    }
}

TEST(StyleRules, DirectionsTakeTheButtonsSignsAndReverseTextBringsTextShadow)
{
    ColorStyle style = Style("s", 0, 3, 1);
    style.shadowDx = 24;
    style.shadowDy = -24;
    for (int direction = 0; direction < kShadowDirections; ++direction) {
        ChooseShadowDirection(&style, direction);
        EXPECT_EQ(direction, ShadowDirectionOf(style));
        EXPECT_EQ(24, style.shadowDx < 0 ? -style.shadowDx : style.shadowDx);
    }
    SetStyleFlag(&style, kStyleReverseTextShadow, true);
    EXPECT_EQ(static_cast<uint32_t>(kStyleShadowOnLines | kStyleShadowOnText | kStyleReverseTextShadow),
              style.flags);
}

} // namespace

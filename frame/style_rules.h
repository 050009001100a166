// The rules of the colour-and-shadow style dialogs that need no window: when
// two styles are the same, which list entry stands for the drawing's style,
// the name proposed for a new style, which list edits a typed name allows,
// and what choosing a shadow kind or direction does to a style.
#pragma once
#include <windows.h>

#include "objects/color_style.h"

const int kMostColorStyles = 100;
// Typed names are cut to this many characters.
const int kStyleNameTyped = 30;
// Numbers tried for a new style's name.
const int kMostStyleNumber = 32766;
const int kShadowKinds = 6;
const int kShadowDirections = 4;

// Colours, offsets and kind equal; `withFlags` adds the flags. Names never count.
bool SameStyle(const ColorStyle& a, const ColorStyle& b, bool withFlags);
// The list entry for the drawing's style: the last equal one, else the last
// equal apart from the flags, else `count` (the extra entry).
int ChooseStyleEntry(const ColorStyle* styles, int count, const ColorStyle& current);
// The index of the style bearing the name in any case, or -1; `skip` is left out.
int FindStyleNamed(const ColorStyle* styles, int count, const char* name, int skip);
// The first "<prefix><n>" no style bears in any case, n from 1; empty when
// every number is taken.
void ProposeStyleName(const ColorStyle* styles, int count, const char* prefix, char* name, int size);

enum StyleNameState : int {
    kNameEmpty = -1,
    kNameNew = 0,        // a new name for an edited style: Add
    kNameSelected = 1,   // the selected style's name: Change, Delete
    kNameExtra = 2,      // the drawing's own settings selected: Add
    kNameUnchanged = 3,  // the selected style as it is, under another name: Rename
    kNameTaken = 4,      // another style's name: nothing, so no name is ever held twice
};

struct StyleNameFacts {
    bool empty;
    bool extraSelected;
    bool sameAsSelectedName;   // without regard to case
    bool takenByAnother;       // another style of the list bears it
    bool unchanged;            // the edited style equals the selected one, flags included
};
StyleNameState ComputeNameState(const StyleNameFacts& facts);

// Which list edits a state allows.
struct StyleEditButtons {
    bool add;
    bool change;
    bool rename;
    bool remove;
};
StyleEditButtons ButtonsForNameState(StyleNameState state, int styleCount);

// Kind 0 none, 1 and 2 extrusions, 3 stepped copies, 4 and 5 one copy: the
// flags and offsets each brings, the former directions kept.
void ChooseShadowKind(ColorStyle* style, int kind);
// 0 both offsets positive, 1 dx negative, 2 dy negative, 3 both negative.
void ChooseShadowDirection(ColorStyle* style, int direction);
int ShadowDirectionOf(const ColorStyle& style);
// Flag 4 (reverse text shadow) brings flag 2 (text shadow) with it.
void SetStyleFlag(ColorStyle* style, uint32_t flag, bool on);

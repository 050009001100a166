#include "frame/style_rules.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace {

const int kExtrusionOffset = 6;
const int kCopyOffset = 24;
const uint32_t kExtrusionFlags = kStyleShadowOnLines | kStyleShadowOnText;
const uint32_t kCopyFlags = kStyleShadowOnLines;
const int kNumberText = 16;

bool SameColours(const ColorStyle& a, const ColorStyle& b)
{
    return a.borderColor == b.borderColor && a.lineColor == b.lineColor && a.fillColor == b.fillColor &&
           a.textColor == b.textColor && a.shadowColor == b.shadowColor &&
           a.backgroundColor == b.backgroundColor && a.highlightColor == b.highlightColor;
}

int WithSign(int size, int former)
{
    return former < 0 ? -size : size;
}

int Magnitude(int value)
{
    return value < 0 ? -value : value;
}

} // namespace

bool SameStyle(const ColorStyle& a, const ColorStyle& b, bool withFlags)
{
    return SameColours(a, b) && a.shadowDx == b.shadowDx && a.shadowDy == b.shadowDy &&
           a.shadowKind == b.shadowKind && (!withFlags || a.flags == b.flags);
}

int ChooseStyleEntry(const ColorStyle* styles, int count, const ColorStyle& current)
{
    for (bool withFlags : {true, false})
        for (int i = count - 1; i >= 0; --i)
            if (SameStyle(styles[i], current, withFlags))
                return i;
    return count;
}

int FindStyleNamed(const ColorStyle* styles, int count, const char* name, int skip)
{
    for (int i = 0; i < count; ++i) {
        char own[sizeof(styles[i].name) + 1] = "";
        std::memcpy(own, styles[i].name, sizeof(styles[i].name));
        if (i != skip && lstrcmpiA(own, name) == 0)
            return i;
    }
    return -1;
}

void ProposeStyleName(const ColorStyle* styles, int count, const char* prefix, char* name, int size)
{
    for (int n = 1; n <= kMostStyleNumber; ++n) {
        char number[kNumberText];
        std::snprintf(number, sizeof(number), "%d", n);
        std::snprintf(name, static_cast<size_t>(size), "%s%s", prefix, number);
        if (FindStyleNamed(styles, count, name, -1) < 0)
            return;
    }
    name[0] = 0;
}

StyleNameState ComputeNameState(const StyleNameFacts& facts)
{
    if (facts.empty)
        return kNameEmpty;
    if (facts.takenByAnother)
        return kNameTaken;
    if (facts.extraSelected)
        return kNameExtra;
    if (facts.sameAsSelectedName)
        return kNameSelected;
    if (facts.unchanged)
        return kNameUnchanged;
    return kNameNew;
}

StyleEditButtons ButtonsForNameState(StyleNameState state, int styleCount)
{
    StyleEditButtons buttons = {false, false, false, false};
    switch (state) {
    case kNameSelected:
        buttons.change = true;
        buttons.remove = styleCount > 1;
        break;
    case kNameUnchanged:
        buttons.rename = true;
        break;
    case kNameNew:
    case kNameExtra:
        buttons.add = styleCount < kMostColorStyles;
        break;
    default:
        break;
    }
    return buttons;
}

void ChooseShadowKind(ColorStyle* style, int kind)
{
    int offset = 0;
    if (kind == 1 || kind == 2) {
        if (style->shadowKind == 0)
            style->flags = kExtrusionFlags;
        style->flags |= kStyleShadowOnLines;
        offset = kExtrusionOffset;
    } else if (kind >= 3 && kind < kShadowKinds) {
        if (style->shadowKind == 0)
            style->flags = kCopyFlags;
        style->flags &= ~static_cast<uint32_t>(kStyleReverseTextShadow);
        offset = kCopyOffset;
    }
    style->shadowDx = WithSign(offset, style->shadowDx);
    style->shadowDy = WithSign(offset, style->shadowDy);
    style->shadowKind = kind;
}

void ChooseShadowDirection(ColorStyle* style, int direction)
{
    const int dx = Magnitude(style->shadowDx);
    const int dy = Magnitude(style->shadowDy);
    style->shadowDx = (direction & 1) ? -dx : dx;
    style->shadowDy = (direction & 2) ? -dy : dy;
}

int ShadowDirectionOf(const ColorStyle& style)
{
    return (style.shadowDx < 0 ? 1 : 0) | (style.shadowDy < 0 ? 2 : 0);
}

void SetStyleFlag(ColorStyle* style, uint32_t flag, bool on)
{
    if (on)
        style->flags |= flag;
    else
        style->flags &= ~flag;
    if (on && flag == kStyleReverseTextShadow)
        style->flags |= kStyleShadowOnText;
}

#include "text/font_substitution.h"

#include "text/font_list.h"

namespace {

struct FaceSubstitute {
    const char* face;
    const char* replacement;  // none: the name stays
    int family;               // high four bits of lfPitchAndFamily
    int charSet;
};

const FaceSubstitute kSubstitutes[] = {
    {"geneva", nullptr, 0x20, 0},
    {"san francisco", nullptr, 0x20, 0},
    {"toronto", nullptr, 0x20, 0},
    {"los angeles", nullptr, 0x20, 0},
    {"mobile", nullptr, 0x50, 2},
    {"cairo", nullptr, 0x50, 2},
    {"monaco", nullptr, 0x30, 0},
    {"Avant Garde", "Century Gothic", 0x20, 0},
    {"Times", "Times New Roman", 0x10, 0},
    {"Helvetica", "Arial", 0x20, 0},
    {"Courier", nullptr, 0x30, 0},
    {"Symbol", nullptr, 0x50, 2},
    {"Palatino", "Book Antigua", 0x10, 0},
    {"Bookman", "Bookman Old Style", 0x10, 0},
    {"New Century Schlbk", "Century Schoolbook", 0x10, 0},
    {"N Helvetica Narrow", "Arial Narrow", 0x20, 0},
    {"Zapf Dingbats", "Monotype Sorts", 0x50, 2},
    {"Zapf Chancery", "Monotype Corsiva", 0x10, 0},
    {"Fences", nullptr, 0x50, 2},
    {"MT Extra", nullptr, 0x50, 2},
};

// An entry of the wanted character set, the first of the wanted family
// winning; else the last of the set; -1 without one.
int ChooseByFamily(HGLOBAL fontList, int family, int charSet)
{
    const int count = FontListCount(fontList);
    int candidate = -1;
    for (int i = 0; i < count; ++i) {
        FontListEntry entry;
        if (!GetFontListEntry(fontList, i, &entry) || entry.logFont.lfCharSet != charSet)
            continue;
        candidate = i;
        if ((entry.logFont.lfPitchAndFamily & 0xF0) == family)
            return i;
    }
    return candidate;
}

} // namespace

int SubstituteFontFace(HGLOBAL* fontList, char* faceName)
{
    int family = 0x10;
    int charSet = 0;
    for (const FaceSubstitute& substitute : kSubstitutes) {
        if (lstrcmpiA(faceName, substitute.face) != 0)
            continue;
        if (substitute.replacement)
            lstrcpynA(faceName, substitute.replacement, LF_FACESIZE);
        family = substitute.family;
        charSet = substitute.charSet;
        break;
    }
    int index = FindOrAddFace(fontList, faceName, nullptr);
    if (index >= 0)
        return index;
    index = ChooseByFamily(*fontList, family, charSet);
    if (index >= 0) {
        FontListEntry entry;
        if (GetFontListEntry(*fontList, index, &entry) && lstrcmpiA(entry.logFont.lfFaceName, "System") == 0)
            index = FindOrAddFace(fontList, "Arial", nullptr);
    }
    if (index < 0)
        index = FindOrAddFace(fontList, "Arial", nullptr);
    if (index < 0)
        index = GetDefaultFontIndex(*fontList);
    return index;
}

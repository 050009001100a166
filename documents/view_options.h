// The options the views read: the start-flag word and whether rulers show.
#pragma once
#include <cstdint>

enum ViewOptionFlags : uint16_t {
    kOptionsPaletteShown = 0x0004,
    kOptionsDefaultTemplate = 0x0080,
    kOptionsTemplateChooser = 0x0200,
    kOptionsShowGrid = 0x0400,
    kOptionsPageBreaks = 0x4000,
};

bool ViewOptionSet(uint16_t flag);
void SetViewOption(uint16_t flag, bool on);
// The first word of the options' ruler settings; rulers show without options.
bool RulersShown();

// The 48 standard colours of the colour menus, pickers and palettes, and the
// options' quick-preview setting, as the drawing code reads them.
#pragma once
#include <windows.h>

#include "objects/app_options.h"

const int kColorTableSize = kColorTableEntries;

// The program's 48 standard colours, the options' defaults.
extern const COLORREF kDefaultColorTable[kColorTableSize];

// Offsets in the options record.
enum OptionsPictureField : int {
    kOptionsColorTable = 9954,      // 48 COLORREFs
    kOptionsQuickPreview = 11616,   // i32: 0 never, -1 always, 200 when small
};

// Points at the colour table inside the options record once the options are
// read; none before.
extern COLORREF* ColorTable;

// The colour table in use: the options' when they are read, else the
// program's defaults.
const COLORREF* StandardColors();

// The quick-preview setting; 0 (never) before the options are read.
int GetQuickPreviewOption();

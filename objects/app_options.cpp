#include "objects/app_options.h"

unsigned char* AppOptions = nullptr;
HGLOBAL ColorStyles = nullptr;
HGLOBAL SymbolFonts = nullptr;
int SymbolFontCount = 0;
ATOM OptionsPathAtom = 0;
ATOM SymbolCharsAtom = 0;
int OldOptionsStore = -1;
int FileMenuBaseCount = 0;

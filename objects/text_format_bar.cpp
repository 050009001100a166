#include "objects/text_format_bar.h"

// The palette shows no text styles until texts carry formats.
void UpdateTextFormatBar(HWND)
{
}

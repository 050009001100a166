#include "text/character_spacing.h"

int ApplyCharacterSpacing(HDC dc, const TextParagraph* paragraphs, int paragraphCount, const TextFormat* format)
{
    int percent = 0;
    if (format->paragraphIndex >= 0 && format->paragraphIndex < paragraphCount)
        percent = paragraphs[format->paragraphIndex].characterSpacing;
    int extra = 0;
    if (percent != 0 && format->averageWidth > 0)
        extra = format->averageWidth * percent / 100;
    return SetTextCharacterExtra(dc, extra);
}

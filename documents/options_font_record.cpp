#include <cstring>

#include "common/handle_words.h"
#include "documents/options_records.h"
#include "documents/options_strings.h"

void PackFontRecord(const LOGFONTA& font, uint8_t* bytes)
{
    std::memset(bytes, 0, kOptFontSize);
    WriteLeI32(bytes + 0, font.lfHeight);
    WriteLeI32(bytes + 4, font.lfWidth);
    WriteLeI32(bytes + 8, font.lfEscapement);
    WriteLeI32(bytes + 12, font.lfOrientation);
    WriteLeI32(bytes + 16, font.lfWeight);
    const BYTE flags[8] = {font.lfItalic,        font.lfUnderline,    font.lfStrikeOut, font.lfCharSet,
                           font.lfOutPrecision,  font.lfClipPrecision, font.lfQuality,  font.lfPitchAndFamily};
    std::memcpy(bytes + 20, flags, sizeof(flags));
    CopyFaceName(reinterpret_cast<char*>(bytes + 28), font.lfFaceName);
}

void UnpackFontRecord(const uint8_t* bytes, uint32_t length, LOGFONTA* font, bool withFace)
{
    LONG* longs[5] = {&font->lfHeight, &font->lfWidth, &font->lfEscapement, &font->lfOrientation, &font->lfWeight};
    for (uint32_t index = 0; index < 5 && 4 * index + 4 <= length; ++index)
        *longs[index] = ReadLeI32(bytes + 4 * index);
    BYTE* flags[8] = {&font->lfItalic,       &font->lfUnderline,    &font->lfStrikeOut, &font->lfCharSet,
                      &font->lfOutPrecision, &font->lfClipPrecision, &font->lfQuality,  &font->lfPitchAndFamily};
    for (uint32_t index = 0; index < 8 && 20 + index < length; ++index)
        *flags[index] = bytes[20 + index];
    if (withFace && length > 28)
        CopyBoundedString(font->lfFaceName, LF_FACESIZE, reinterpret_cast<const char*>(bytes + 28), length - 28);
}

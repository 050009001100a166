#include "objects/text_block.h"

#include <cstring>

uint64_t TextBlockSize(int formats, int lines, int paragraphs, int runs, int textLength)
{
    if (formats < 0 || lines < 0 || paragraphs < 0 || runs < 0 || textLength < 0)
        return 0;
    return kTextBlockHeaderSize + sizeof(TextLine) * static_cast<uint64_t>(lines) +
           sizeof(TextFormat) * static_cast<uint64_t>(formats) +
           sizeof(TextParagraph) * static_cast<uint64_t>(paragraphs) + sizeof(TextRun) * static_cast<uint64_t>(runs) +
           static_cast<uint64_t>(textLength);
}

bool IsTextBlockSound(const void* block, SIZE_T size)
{
    if (!block || size < kTextBlockHeaderSize)
        return false;
    TextBlockHeader header;
    std::memcpy(&header, block, sizeof(header));
    const uint64_t needed = TextBlockSize(header.formatCount, header.lineCount, header.paragraphCount,
                                          header.runCount, header.textLength);
    return needed != 0 && needed <= size;
}

TextParagraph NewTextParagraph(int alignment, int unitsPerInch)
{
    TextParagraph paragraph = {};
    paragraph.alignment = alignment;
    paragraph.reserved = 120;
    paragraph.tabInterval = unitsPerInch / 4;
    paragraph.hyphenate = 1;
    return paragraph;
}

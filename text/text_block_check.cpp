#include "text/text_block_check.h"

#include <cstring>

#include "objects/text_block.h"

bool CheckTextBlock(const void* block, SIZE_T size)
{
    if (!IsTextBlockSound(block, size))
        return false;
    TextBlockHeader header;
    std::memcpy(&header, block, sizeof(header));
    if (header.textLength > kMaxTextBytes || header.paragraphCount > kMaxTextParagraphs)
        return false;
    if (header.formatCount > kMaxTextBytes || header.lineCount > kMaxTextBytes || header.runCount > kMaxTextBytes)
        return false;
    const auto* base = static_cast<const unsigned char*>(block);
    int expectedStart = 0;
    for (int i = 0; i < header.formatCount; ++i) {
        TextFormat format;
        std::memcpy(&format, base + TextBlockFormatsOffset(header) + sizeof(TextFormat) * static_cast<size_t>(i),
                    sizeof(format));
        if (format.start != expectedStart || format.length < 0 || format.length > header.textLength - format.start)
            return false;
        if (header.paragraphCount > 0 ? (format.paragraphIndex < 0 || format.paragraphIndex >= header.paragraphCount)
                                      : format.paragraphIndex != 0)
            return false;
        expectedStart = format.start + format.length;
    }
    return header.formatCount == 0 || expectedStart == header.textLength;
}

// Text blocks and connector routes of an earlier version widened.
#include "documents/earlier_version_records.h"

namespace {

const DWORD kOldTextHeader = 50;
const DWORD kNewTextHeader = 88;
const DWORD kOldLine = 30, kNewLine = 60;
const DWORD kOldFormat = 38, kNewFormat = 68;
const DWORD kOldParagraph = 22, kNewParagraph = 44;
const DWORD kOldRun = 12, kNewRun = 24;
const DWORD kOldRoute = 56;
const DWORD kNewRoute = 112;

struct TextCounts {
    int32_t formats, lines, text, paragraphs, runs;
    bool Valid() const { return formats >= 0 && lines >= 0 && text >= 0 && paragraphs >= 0 && runs >= 0; }
    DWORD OldSize() const
    {
        return kOldTextHeader + kOldLine * lines + kOldFormat * formats + kOldParagraph * paragraphs +
               kOldRun * runs + static_cast<DWORD>(text);
    }
    DWORD NewSize() const
    {
        return kNewTextHeader + kNewLine * lines + kNewFormat * formats + kNewParagraph * paragraphs +
               kNewRun * runs + static_cast<DWORD>(text);
    }
};

TextCounts CountsOf(const OldPayload& old)
{
    return {old.I16(0), old.I16(2), old.I16(4), old.I16(6), old.I16(8)};
}

void WidenI16s(const OldPayload& old, DWORD from, NewPayload* target, DWORD to, int count)
{
    for (int index = 0; index < count; ++index)
        target->I32(to + 4 * index, old.I16(from + 2 * index));
}

void WidenFormat(const OldPayload& old, DWORD from, NewPayload* target, DWORD to)
{
    target->I32(to, old.I16(from));
    target->I32(to + 4, old.I16(from + 2));
    target->I32(to + 8, old.U16(from + 4));
    target->I32(to + 12, old.I32(from + 6));
    WidenI16s(old, from + 10, target, to + 16, 3);
    target->I32(to + 28, old.U16(from + 16));
    target->I32(to + 32, old.I16(from + 2));
    WidenI16s(old, from + 22, target, to + 36, 7);
    target->I32(to + 64, 0);
}

void WidenLine(const OldPayload& old, DWORD from, NewPayload* target, DWORD to)
{
    WidenI16s(old, from, target, to, 15);
    target->I32(to + 48, old.U16(from + 24));
}

} // namespace

DWORD TextBlockSize(const OldPayload& old)
{
    const TextCounts counts = CountsOf(old);
    if (!old.Holds(0, kOldTextHeader) || !counts.Valid() || counts.OldSize() > old.Size())
        return 0;
    return counts.NewSize();
}

void WidenTextBlock(const OldPayload& old, NewPayload* target)
{
    const TextCounts counts = CountsOf(old);
    // Old and new arrays in the same order: lines, formats, paragraphs, runs, text.
    DWORD from = kOldTextHeader;
    DWORD to = kNewTextHeader;
    const DWORD oldLines = from, newLines = to;
    from += kOldLine * counts.lines, to += kNewLine * counts.lines;
    const DWORD oldFormats = from, newFormats = to;
    from += kOldFormat * counts.formats, to += kNewFormat * counts.formats;
    const DWORD oldParagraphs = from, newParagraphs = to;
    from += kOldParagraph * counts.paragraphs, to += kNewParagraph * counts.paragraphs;
    const DWORD oldRuns = from, newRuns = to;
    from += kOldRun * counts.runs, to += kNewRun * counts.runs;
    target->Bytes(to, old.At(from), static_cast<DWORD>(counts.text));
    for (int32_t run = counts.runs - 1; run >= 0; --run)
        WidenI16s(old, oldRuns + kOldRun * run, target, newRuns + kNewRun * run, 6);
    for (int32_t paragraph = counts.paragraphs - 1; paragraph >= 0; --paragraph)
        WidenI16s(old, oldParagraphs + kOldParagraph * paragraph, target, newParagraphs + kNewParagraph * paragraph, 11);
    for (int32_t format = counts.formats - 1; format >= 0; --format)
        WidenFormat(old, oldFormats + kOldFormat * format, target, newFormats + kNewFormat * format);
    for (int32_t line = counts.lines - 1; line >= 0; --line)
        WidenLine(old, oldLines + kOldLine * line, target, newLines + kNewLine * line);
    WidenI16s(old, 0, target, 0, 8);
    WidenI16s(old, 16, target, 32, 4);
    WidenI16s(old, 24, target, 48, 3);
    target->I32(60, old.I32(30));
    WidenI16s(old, 34, target, 64, 4);
    target->I32(80, old.I32(42));
    target->I32(84, old.I32(46));
}

DWORD RouteSize(const OldPayload& old) { return old.Holds(0, kOldRoute) ? kNewRoute : 0; }

void WidenRoute(const OldPayload& old, NewPayload* target)
{
    WidenI16s(old, 0, target, 0, 3);
    WidenI16s(old, 6, target, 12, 20);
    WidenI16s(old, 46, target, 92, 5);
}

// Text blocks in a drawing stream: the header values, the text, character
// formats as changes against a running format and paragraphs as changes
// against the paragraph before. Lines and runs are rebuilt by reflowing.
#include <algorithm>
#include <cstring>

#include "documents/drawing_image.h"
#include "documents/drawing_stream_tags.h"
#include "documents/record_stream.h"
#include "store/record_store.h"

namespace {

const DWORD kTextRecordLimit = 65000;
const DWORD kRecordHeader = 16;

// The character attribute codes in the order the writer tests them.
const uint16_t kCharCodeOrder[] = {0, 1, 8, 2, 4, 5, 3, 6, 7};
const int kParagraphFields = 11;
const uint16_t kFirstParagraphCode = 100;

int32_t GetCharField(const TextFormat& f, uint16_t code)
{
    switch (code) {
    case 0: return f.face;
    case 1: return f.size;
    case 2: return f.style;
    case 3: return static_cast<int32_t>(f.flags);
    case 4: return static_cast<int32_t>(f.color);
    case 5: return f.paragraphIndex;
    case 6: return f.rotation;
    case 7: return f.script;
    case 8: return f.requestedSize;
    default: return 0;
    }
}

void SetCharField(TextFormat* f, uint16_t code, int32_t value)
{
    switch (code) {
    case 0: f->face = value; break;
    case 1: f->size = value; f->requestedSize = value; break;
    case 2: f->style = value; break;
    case 3: f->flags = static_cast<uint32_t>(value); break;
    case 4: f->color = static_cast<COLORREF>(value); break;
    case 5: f->paragraphIndex = value; break;
    case 6: f->rotation = value; break;
    case 7: f->script = value; break;
    case 8: f->requestedSize = value; break;
    default: break;
    }
}

int32_t* ParagraphField(TextParagraph* p, int field)
{
    int32_t* fields[kParagraphFields] = {&p->alignment,  &p->spacingPercent, &p->spacingExtra, &p->characterSpacing,
                                         &p->leftIndent, &p->rightIndent,    &p->firstIndent,  &p->reserved,
                                         &p->bullet,     &p->tabInterval,    &p->hyphenate};
    return fields[field];
}

// Percentages, the reserved word, alignment, bullet and the hyphenate flag
// are not lengths: only true lengths follow the stream's units.
bool IsParagraphLength(int field)
{
    return field == 2 || field == 4 || field == 5 || field == 6 || field == 9;
}

// The entries of a character-format record that really lie in its payload.
struct FormatEntry {
    uint32_t start;
    uint32_t offset;  // of the first change
    uint32_t changes;
};

std::vector<FormatEntry> ParseFormatEntries(const uint8_t* payload, uint32_t length)
{
    std::vector<FormatEntry> entries;
    PayloadReader reader(payload, length);
    const uint32_t stated = reader.U16(0);
    uint32_t offset = 2;
    for (uint32_t e = 0; e < stated && reader.Has(offset, 6); ++e) {
        FormatEntry entry;
        const uint32_t changes = reader.U16(offset);
        entry.start = reader.U32(offset + 2);
        entry.offset = offset + 6;
        const uint32_t room = (length - entry.offset) / 6;
        entry.changes = std::min(changes, room);
        entries.push_back(entry);
        offset = entry.offset + 6 * entry.changes;
        if (entry.changes < changes)
            break;
    }
    return entries;
}

void ApplyCharChanges(const uint8_t* payload, const FormatEntry& entry, TextFormat* format, TextFormat* running)
{
    for (uint32_t c = 0; c < entry.changes; ++c) {
        const uint8_t* change = payload + entry.offset + 6 * c;
        const uint16_t code = ReadLeU16(change);
        const int32_t value = ReadLeI32(change + 2);
        SetCharField(format, code, value);
        if (running)
            SetCharField(running, code, value);
    }
}

// Formats in text order, each ending where the next starts, the last at the
// end of the text; every paragraph index inside the paragraph table.
void NormaliseFormats(TextFormat* formats, int count, int32_t textLength, int paragraphs)
{
    int32_t previous = 0;
    for (int i = 0; i < count; ++i) {
        int32_t start = i == 0 ? 0 : std::min(std::max(formats[i].start, previous), textLength);
        formats[i].start = start;
        previous = start;
        if (formats[i].paragraphIndex < 0 || formats[i].paragraphIndex >= paragraphs)
            formats[i].paragraphIndex = formats[i].paragraphIndex < 0 ? 0 : paragraphs - 1;
        formats[i].font = 0;
    }
    for (int i = 0; i < count; ++i)
        formats[i].length = (i + 1 < count ? formats[i + 1].start : textLength) - formats[i].start;
}

void DecodeCharFormats(const uint8_t* payload, uint32_t length, const StreamDefaults& defaults, TextFormat* formats,
                       int count, int32_t textLength)
{
    const std::vector<FormatEntry> entries = ParseFormatEntries(payload, length);
    TextFormat running = defaults.format;
    int first = 0;
    if (count > 0 && !entries.empty() && entries[0].start != 0) {
        formats[0] = running;
        formats[0].start = 0;
        first = 1;
    }
    const int n = std::min(count, first + static_cast<int>(entries.size()));
    for (int i = first; i < n; ++i) {
        const FormatEntry& entry = entries[static_cast<size_t>(i - first)];
        int32_t previousStart = i > 0 ? formats[i - 1].start : 0;
        int32_t start = static_cast<int32_t>(std::min<uint32_t>(entry.start, static_cast<uint32_t>(textLength)));
        start = std::max(start, previousStart);
        if (i == 0)
            start = 0;
        if (i > 0)
            formats[i - 1].length = start - previousStart;
        formats[i] = running;
        formats[i].start = start;
        formats[i].length = textLength - start;
        ApplyCharChanges(payload, entry, &formats[i], &running);
    }
    for (int i = n; n > 0 && i < count; ++i) {
        formats[i] = formats[n - 1];
        formats[i].start = formats[n - 1].start + formats[n - 1].length;
        formats[i].length = 0;
    }
}

struct TextReadState {
    const StreamDefaults* defaults;
    std::vector<uint8_t>* payload;
    int formats;
    int paragraphs;
    int32_t textLength;
    TextParagraph running;
    int lastParagraph;
    TextBlockHeader head;

    TextFormat* Formats()
    {
        return reinterpret_cast<TextFormat*>(payload->data() + kTextBlockHeaderSize + sizeof(TextLine));
    }
    TextParagraph* Paragraphs()
    {
        return reinterpret_cast<TextParagraph*>(reinterpret_cast<uint8_t*>(Formats()) +
                                                sizeof(TextFormat) * static_cast<size_t>(formats));
    }
    uint8_t* Text()
    {
        return reinterpret_cast<uint8_t*>(Paragraphs()) + sizeof(TextParagraph) * static_cast<size_t>(paragraphs) +
               sizeof(TextRun);
    }
};

ErrorCode OnTextRecord(HFILE, uint16_t tag, uint32_t length, void* context, bool* recognised)
{
    auto* state = static_cast<TextReadState*>(context);
    const uint8_t* payload = StreamPayload();
    if (tag == kTagTextBytes) {
        *recognised = true;
        if (length < static_cast<uint32_t>(state->textLength))
            state->textLength = static_cast<int32_t>(length);
        if (state->textLength > 0)
            std::memcpy(state->Text(), payload, static_cast<size_t>(state->textLength));
    } else if (tag == kTagCharFormat) {
        *recognised = true;
        DecodeCharFormats(payload, length, *state->defaults, state->Formats(), state->formats, state->textLength);
    } else if (tag == kTagParagraph) {
        *recognised = true;
        PayloadReader reader(payload, length);
        const int p = reader.U16(0);
        TextParagraph* paragraphs = state->Paragraphs();
        for (int i = state->lastParagraph; i < state->paragraphs; ++i)
            paragraphs[i] = state->running;
        state->lastParagraph = p;
        if (p < state->paragraphs) {
            DecodeParagraphFormat(payload, length, &paragraphs[p]);
            state->running = paragraphs[p];
            for (int i = p + 1; i < state->paragraphs; ++i)
                paragraphs[i] = state->running;
        }
    }
    return kErrNone;
}

// ---- Writing ----

void EncodeCharFormat(const TextFormat& format, TextFormat* running, PayloadBuilder* entries, int* entryCount)
{
    PayloadBuilder changes;
    uint16_t count = 0;
    for (uint16_t code : kCharCodeOrder) {
        const int32_t value = GetCharField(format, code);
        if (value == GetCharField(*running, code))
            continue;
        changes.AppendU16(code);
        changes.AppendU32(static_cast<uint32_t>(value));
        SetCharField(running, code, value);
        ++count;
    }
    // An entry without changes is dropped: the format before reaches on.
    if (count == 0)
        return;
    entries->AppendU16(count);
    entries->AppendU32(static_cast<uint32_t>(format.start));
    entries->AppendBytes(changes.data(), changes.size());
    ++*entryCount;
}

void EncodeParagraphFormat(const TextParagraph& paragraph, TextParagraph* running, PayloadBuilder* record, int index)
{
    record->AppendU16(static_cast<uint16_t>(index));
    record->AppendU16(0);
    uint16_t count = 0;
    TextParagraph source = paragraph;
    for (int field = 0; field < kParagraphFields; ++field) {
        const int32_t value = *ParagraphField(&source, field);
        if (value == *ParagraphField(running, field))
            continue;
        record->AppendU16(static_cast<uint16_t>(kFirstParagraphCode + field));
        record->AppendI16(value);
        *ParagraphField(running, field) = value;
        ++count;
    }
    record->U16At(2, count);
}

} // namespace

void DecodeDefaultCharFormat(const uint8_t* payload, uint32_t length, TextFormat* format)
{
    const std::vector<FormatEntry> entries = ParseFormatEntries(payload, length);
    if (!entries.empty() && entries[0].start == 0)
        ApplyCharChanges(payload, entries[0], format, nullptr);
}

void DecodeParagraphFormat(const uint8_t* payload, uint32_t length, TextParagraph* paragraph)
{
    PayloadReader reader(payload, length);
    const uint32_t stated = reader.U16(2);
    const uint32_t room = length >= 4 ? (length - 4) / 4 : 0;
    const uint32_t changes = std::min(stated, room);
    for (uint32_t c = 0; c < changes; ++c) {
        const uint16_t code = reader.U16(4 + 4 * c);
        const int32_t value = reader.I16(6 + 4 * c);
        if (code < kFirstParagraphCode || code >= kFirstParagraphCode + kParagraphFields)
            continue;
        const int field = code - kFirstParagraphCode;
        *ParagraphField(paragraph, field) = IsParagraphLength(field) ? ConvertStreamValue(value) : value;
    }
}

ErrorCode ReadTextBlock(HFILE file, const StreamDefaults& defaults, uint32_t openerLength, int32_t* textId,
                        std::vector<uint8_t>* payload)
{
    PayloadReader opener(StreamPayload(), openerLength);
    const uint16_t id = opener.U16(0);
    // A text needs a format and a paragraph, whatever the header says.
    const int formats = std::max<int>(1, opener.U16(2));
    const int paragraphs = std::max<int>(1, opener.U16(4));
    const int32_t textLength = opener.U16(6);
    if (id > 32767 || textLength > kMaxTextBytes)
        return kErrStreamSignature;
    const uint64_t size = TextBlockSize(formats, 1, paragraphs, 1, textLength);
    if (size == 0 || size + kRecordHeader > kTextRecordLimit)
        return kErrStreamSignature;

    TextReadState state;
    state.defaults = &defaults;
    state.payload = payload;
    state.formats = formats;
    state.paragraphs = paragraphs;
    state.textLength = textLength;
    state.running = defaults.paragraph;
    state.lastParagraph = 0;
    std::memset(&state.head, 0, sizeof(state.head));
    state.head.options = opener.U16(8);
    state.head.marginLeft = ConvertStreamValue(opener.I16(10));
    state.head.marginTop = ConvertStreamValue(opener.I16(12));
    state.head.marginRight = ConvertStreamValue(opener.I16(14));
    state.head.marginBottom = ConvertStreamValue(opener.I16(16));
    state.head.effect.shadowDx = ConvertStreamValue(opener.I16(18));
    state.head.effect.shadowDy = ConvertStreamValue(opener.I16(20));
    state.head.effect.kind = opener.I16(22);
    state.head.effect.shadowColor = opener.U32(24);
    state.head.effect.secondColor = opener.U32(28);

    payload->assign(static_cast<size_t>(size), 0);
    TextFormat* formatTable = state.Formats();
    for (int i = 0; i < formats; ++i) {
        formatTable[i] = defaults.format;
        formatTable[i].start = i == 0 ? 0 : textLength;
        formatTable[i].length = i == 0 ? textLength : 0;
    }
    TextParagraph* paragraphTable = state.Paragraphs();
    for (int i = 0; i < paragraphs; ++i)
        paragraphTable[i] = defaults.paragraph;

    ErrorCode code = ReadStreamBlock(file, CloserOf(kTagTextStreamBlock), OnTextRecord, &state);
    if (code != kErrNone)
        return code;

    NormaliseFormats(state.Formats(), formats, state.textLength, paragraphs);
    state.head.formatCount = formats;
    state.head.lineCount = 1;
    state.head.textLength = state.textLength;
    state.head.paragraphCount = paragraphs;
    state.head.runCount = 1;
    state.head.wrapWidth = -1;
    std::memcpy(payload->data(), &state.head, sizeof(state.head));
    payload->resize(static_cast<size_t>(TextBlockSize(formats, 1, paragraphs, 1, state.textLength)));
    *textId = id;
    return kErrNone;
}

ErrorCode WriteTextBlock(HFILE file, const void* block, DWORD size, int32_t textId, const StreamDefaults& defaults)
{
    if (!IsTextBlockSound(block, size))
        return kErrNone;
    TextBlockHeader head;
    std::memcpy(&head, block, sizeof(head));
    const auto* bytes = static_cast<const uint8_t*>(block);
    const auto* formats = reinterpret_cast<const TextFormat*>(bytes + TextBlockFormatsOffset(head));
    const auto* paragraphs = reinterpret_cast<const TextParagraph*>(bytes + TextBlockParagraphsOffset(head));
    const uint8_t* text = bytes + TextBlockTextOffset(head);
    const int textLength = std::min(head.textLength, kMaxTextBytes);

    PayloadBuilder opener(kTextOpenerSize);
    opener.U16At(0, static_cast<uint16_t>(textId));
    opener.U16At(2, static_cast<uint16_t>(head.formatCount));
    opener.U16At(4, static_cast<uint16_t>(head.paragraphCount));
    opener.U16At(6, static_cast<uint16_t>(textLength));
    opener.U16At(8, static_cast<uint16_t>(head.options));
    opener.I16At(10, head.marginLeft);
    opener.I16At(12, head.marginTop);
    opener.I16At(14, head.marginRight);
    opener.I16At(16, head.marginBottom);
    opener.I16At(18, head.effect.shadowDx);
    opener.I16At(20, head.effect.shadowDy);
    opener.I16At(22, head.effect.kind);
    opener.U32At(24, head.effect.shadowColor);
    opener.U32At(28, head.effect.secondColor);
    ErrorCode code = WriteStreamRecord(file, kTagTextStreamBlock, opener.size(), opener.data());
    if (code == kErrNone)
        code = WriteStreamRecord(file, kTagTextBytes, static_cast<uint32_t>(textLength), text);

    if (code == kErrNone) {
        TextFormat running = defaults.format;
        PayloadBuilder entries;
        int entryCount = 0;
        for (int i = 0; i < head.formatCount; ++i)
            EncodeCharFormat(formats[i], &running, &entries, &entryCount);
        if (entryCount > 0) {
            PayloadBuilder record;
            record.AppendU16(static_cast<uint16_t>(entryCount));
            record.AppendBytes(entries.data(), entries.size());
            code = WriteStreamRecord(file, kTagCharFormat, record.size(), record.data());
        }
    }
    TextParagraph running = defaults.paragraph;
    for (int i = 0; code == kErrNone && i < head.paragraphCount; ++i) {
        PayloadBuilder record;
        EncodeParagraphFormat(paragraphs[i], &running, &record, i);
        code = WriteStreamRecord(file, kTagParagraph, record.size(), record.data());
    }
    if (code == kErrNone)
        code = WriteStreamRecord(file, CloserOf(kTagTextStreamBlock), 0, nullptr);
    return code;
}

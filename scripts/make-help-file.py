#!/usr/bin/env python3
"""Builds the program's help file (WinHelp 3.1 format, TESSRY3.HLP) from the
help text kept in resources/help/help_text.txt.

    python3 scripts/make-help-file.py <help text> <output .hlp>

The build runs it (CMake) and puts the file beside the program, where the
program asks WinHelp for it. Standard library only; the same text gives the
same bytes on every run.

What goes into the file, and why:
  |SYSTEM   the title, the contents topic (HELP_CONTENTS) and the main
            window's caption;
  |TOPIC    the topics: LZ77-framed 4 KB blocks of topic links (a header per
            topic, then one paragraph per text paragraph);
  |FONT     the three faces the paragraphs use;
  |CTXOMAP  context number -> topic, what HELP_CONTEXT looks up;
  |CONTEXT  hash of a topic's name -> topic, what the contents page's jumps
            look up;
and the internal directory, a one-page B+ tree naming them.
"""

import struct
import sys

FILE_MAGIC = 0x00035F3F
BTREE_MAGIC = 0x293B
SYSTEM_MAGIC = 0x036C
HELP_31_MINOR = 21
# Topic blocks are 4 KB and LZ77 framed; each holds at most 16 KB of topic
# data once expanded, which is what topic positions count in.
SYSTEM_FLAGS_LZ77_4K = 4
TOPIC_BLOCK_SIZE = 0x1000
TOPIC_BLOCK_HEADER = 12
BLOCK_POSITION_SHIFT = 14
BLOCK_OFFSET_SPAN = 0x8000
# Every byte stored as a literal: a flag byte of 0 before each group of 8.
LITERAL_GROUP = 8
BLOCK_DATA_CAPACITY = (TOPIC_BLOCK_SIZE - TOPIC_BLOCK_HEADER) * LITERAL_GROUP // (LITERAL_GROUP + 1)

NONE = 0xFFFFFFFF
FILE_HEADER_SIZE = 9
TOPIC_LINK_HEADER = 21
RECORD_TOPIC_HEADER = 0x02
RECORD_PARAGRAPH = 0x20

SYSTEM_TITLE = 1
SYSTEM_COPYRIGHT = 2
SYSTEM_CONTENTS = 3
SYSTEM_WINDOW = 6
# The main window's record names its type, its name and its caption; the
# viewer otherwise puts its own name in the caption.
WINDOW_HAS_TYPE_NAME_CAPTION = 0x0007
WINDOW_TYPE_SIZE = 10
WINDOW_NAME_SIZE = 9
WINDOW_CAPTION_SIZE = 51
WINDOW_PLACEMENT_SIZE = 18

FORMAT_FONT = 0x80
FORMAT_PARAGRAPH_END = 0x82
FORMAT_JUMP = 0xE3
FORMAT_LINK_END = 0x89
FORMAT_END = 0xFF
PARAGRAPH_SPACE_AFTER = 0x0004
SPACE_AFTER_HALF_POINTS = 6

FONT_TEXT, FONT_HEADING, FONT_SUBHEADING = range(3)
FACE_NAME_SIZE = 20
SWISS_FAMILY = 3
BOLD = 1
# (attributes, half points, face index, colour)
FONTS = [
    (0, 20, 0, (0, 0, 0)),
    (BOLD, 28, 0, (0, 0, 128)),
    (BOLD, 20, 0, (0, 0, 0)),
]
FACES = ['Arial']

DIRECTORY_PAGE_SIZE = 0x400
CONTEXT_PAGE_SIZE = 0x800
BTREE_FLAGS = 0x0002
DIRECTORY_FLAGS = 0x0400


# ---------------------------------------------------------------- help text

class Topic:
    def __init__(self, name, title, contexts):
        self.name = name
        self.title = title
        self.contexts = contexts
        self.paragraphs = []  # (font, text) or ('links', None)


def parse_contexts(text, line_number):
    numbers = []
    for part in text.replace(' ', '').split(','):
        if not part:
            continue
        first, _, last = part.partition('-')
        try:
            numbers.extend(range(int(first), int(last or first) + 1))
        except ValueError:
            sys.exit('line %d: bad context number list %r' % (line_number, text))
    return numbers


def read_help_text(path):
    """@title, @copyright, then topics: '@topic name | title | contexts'
    followed by paragraphs (blank lines between); '## ' starts a subheading,
    '@links' lists every other topic as a jump (the contents page)."""
    settings, topics, lines = {}, [], []

    def flush():
        if lines and topics:
            topics[-1].paragraphs.append((FONT_TEXT, ' '.join(lines)))
        lines.clear()

    with open(path, encoding='utf-8') as source:
        for number, raw in enumerate(source, 1):
            line = raw.strip()
            if line.startswith('#') and not line.startswith('##'):
                continue
            if not line:
                flush()
            elif line.startswith('@topic '):
                flush()
                parts = [p.strip() for p in line[len('@topic '):].split('|')]
                if len(parts) != 3:
                    sys.exit('line %d: @topic name | title | contexts' % number)
                topics.append(Topic(parts[0], parts[1], parse_contexts(parts[2], number)))
            elif line == '@links':
                flush()
                topics[-1].paragraphs.append(('links', None))
            elif line.startswith('@'):
                key, _, value = line[1:].partition(' ')
                settings[key] = value.strip()
            elif line.startswith('## '):
                flush()
                topics[-1].paragraphs.append((FONT_SUBHEADING, line[3:]))
            else:
                lines.append(line)
    flush()
    return settings, topics


def check_topics(topics):
    seen_names, seen_contexts = set(), {}
    for topic in topics:
        if topic.name in seen_names:
            sys.exit('topic %s is named twice' % topic.name)
        seen_names.add(topic.name)
        for number in topic.contexts:
            if number in seen_contexts:
                sys.exit('context %d is in %s and %s' % (number, seen_contexts[number], topic.name))
            seen_contexts[number] = topic.name


# ------------------------------------------------------------ small helpers

def context_hash(name):
    """WinHelp's hash of a context string, as a signed 32-bit value."""
    value = 0
    for c in name:
        if c.isalpha():
            x = ord(c.upper()) - ord('A') + 17
        elif '1' <= c <= '9':
            x = ord(c) - ord('0')
        elif c == '0':
            x = 10
        elif c == '.':
            x = 12
        elif c == '_':
            x = 13
        else:
            continue
        value = (value * 43 + x) & 0xFFFFFFFF
    return value - 0x100000000 if value & 0x80000000 else value


def compressed_long(value):
    return struct.pack('<H', value * 2 + 0x8000)


def compressed_ushort(value):
    return bytes([value * 2]) if value < 0x80 else struct.pack('<H', value * 2 + 1)


def compressed_short(value):
    return bytes([value * 2 + 0x80])


def encode(text):
    return text.encode('cp1252')


def internal_file(body, flags=4):
    return struct.pack('<IIB', len(body) + FILE_HEADER_SIZE, len(body), flags) + body


def one_page_btree(entries, page_size, structure, flags, entry_count):
    """A B+ tree of one leaf page, which is also its root."""
    data = b''.join(entries)
    if len(data) + 8 > page_size:
        sys.exit('%s tree needs more than one page' % structure)
    header = struct.pack('<HHH16shhhhhhi', BTREE_MAGIC, flags, page_size, structure.encode(),
                         0, 0, 0, -1, 1, 1, entry_count)
    page = struct.pack('<Hhhh', page_size - 8 - len(data), entry_count, -1, -1) + data
    return header + page.ljust(page_size, b'\0')


# ------------------------------------------------------------------ paragraphs

class Paragraph:
    """The two streams of a paragraph record: strings and the formatting
    commands between them, and the characters WinHelp counts in it."""

    def __init__(self, font):
        self.strings, self.commands, self.current = [], [], b''
        self.characters = 0
        self.command(bytes([FORMAT_FONT]) + struct.pack('<H', font))

    def command(self, code):
        self.strings.append(self.current)
        self.current = b''
        self.commands.append(code)

    def text(self, text):
        self.current += encode(text)
        self.characters += len(text)

    def jump(self, name, text):
        self.command(bytes([FORMAT_JUMP]) + struct.pack('<i', context_hash(name)))
        self.text(text)
        self.command(bytes([FORMAT_LINK_END]))

    def record_data(self):
        self.command(bytes([FORMAT_PARAGRAPH_END]))
        self.characters += 1
        self.command(bytes([FORMAT_END]))
        strings = b''.join(s + b'\0' for s in self.strings)
        layout = (compressed_long(len(strings)) + compressed_ushort(self.characters)
                  + bytes([0, 0x80, 0, 0]) + struct.pack('<H', PARAGRAPH_SPACE_AFTER)
                  + compressed_short(SPACE_AFTER_HALF_POINTS))
        return layout + b''.join(self.commands), strings


def topic_paragraphs(topic, topics):
    heading = Paragraph(FONT_HEADING)
    heading.text(topic.title)
    result = [heading]
    for font, text in topic.paragraphs:
        if font == 'links':
            for other in topics:
                if other is not topic:
                    link = Paragraph(FONT_TEXT)
                    link.jump(other.name, other.title)
                    result.append(link)
            continue
        paragraph = Paragraph(font)
        paragraph.text(text)
        result.append(paragraph)
    return result


# ---------------------------------------------------------------- the topics

class TopicStream:
    """Lays topic links out in blocks: positions count 16 KB a block plus the
    offset in the expanded block; topic offsets count 32 K a block plus the
    characters before them in it."""

    def __init__(self):
        self.blocks = [[]]      # per block: [(record bytes)]
        self.used = 0
        self.characters = 0
        self.records = []       # [block, offset, header fields...] in order

    def position(self, block, offset):
        return (block << BLOCK_POSITION_SHIFT) + offset + TOPIC_BLOCK_HEADER

    def add(self, kind, data1, data2, characters):
        size = TOPIC_LINK_HEADER + len(data1) + len(data2)
        if size > BLOCK_DATA_CAPACITY:
            sys.exit('a paragraph is too long for one topic block')
        if self.used + size > BLOCK_DATA_CAPACITY:
            self.blocks.append([])
            self.used = 0
            self.characters = 0
        block = len(self.blocks) - 1
        record = {'kind': kind, 'data1': data1, 'data2': data2, 'block': block,
                  'position': self.position(block, self.used),
                  'offset': block * BLOCK_OFFSET_SPAN + self.characters}
        self.blocks[-1].append(record)
        self.records.append(record)
        self.used += size
        self.characters += characters
        return record


def topic_header_data(size, number, scroll, next_topic):
    return struct.pack('<IIIIIII', size, NONE, NONE, number, NONE, scroll, next_topic)


def lay_out_topics(topics):
    stream = TopicStream()
    headers = []
    for number, topic in enumerate(topics):
        header = stream.add(RECORD_TOPIC_HEADER, topic_header_data(0, 0, 0, 0), encode(topic.title), 0)
        headers.append(header)
        first_paragraph = None
        for paragraph in topic_paragraphs(topic, topics):
            data1, data2 = paragraph.record_data()
            record = stream.add(RECORD_PARAGRAPH, data1, data2, paragraph.characters)
            first_paragraph = first_paragraph or record
        header['number'] = number
        header['scroll'] = first_paragraph['position']
    for i, header in enumerate(headers):
        following = headers[i + 1]['position'] if i + 1 < len(headers) else NONE
        header['data1'] = topic_header_data(0, header['number'], header['scroll'], following)
    return stream, headers


def link_bytes(record, previous, following):
    size = TOPIC_LINK_HEADER + len(record['data1']) + len(record['data2'])
    return struct.pack('<IIIIIB', size, len(record['data2']), previous, following,
                       TOPIC_LINK_HEADER + len(record['data1']), record['kind']) \
        + record['data1'] + record['data2']


def literal_lz77(data):
    out = bytearray()
    for start in range(0, len(data), LITERAL_GROUP):
        out.append(0)
        out += data[start:start + LITERAL_GROUP]
    return bytes(out)


def topic_file(stream):
    records = stream.records
    positions = [r['position'] for r in records]
    body = bytearray()
    last_link, last_header = NONE, NONE
    for index, block in enumerate(stream.blocks):
        data = bytearray()
        for record in block:
            i = records.index(record)
            previous = positions[i - 1] if i > 0 else NONE
            following = positions[i + 1] if i + 1 < len(records) else NONE
            data += link_bytes(record, previous, following)
        header = struct.pack('<III', last_link, block[0]['position'], last_header)
        packed = header + literal_lz77(bytes(data))
        if index + 1 < len(stream.blocks):
            packed = packed.ljust(TOPIC_BLOCK_SIZE, b'\0')
        body += packed
        last_link = block[-1]['position']
        headers = [r for r in block if r['kind'] == RECORD_TOPIC_HEADER]
        if headers:
            last_header = headers[-1]['position']
    return bytes(body)


# ------------------------------------------------------------ other files

def system_file(settings, contents_offset):
    def record(kind, data):
        return struct.pack('<HH', kind, len(data)) + data
    body = struct.pack('<HHHIH', SYSTEM_MAGIC, HELP_31_MINOR, 1, 0, SYSTEM_FLAGS_LZ77_4K)
    body += record(SYSTEM_TITLE, encode(settings.get('title', '')) + b'\0')
    if 'copyright' in settings:
        body += record(SYSTEM_COPYRIGHT, encode(settings['copyright']) + b'\0')
    body += record(SYSTEM_CONTENTS, struct.pack('<I', contents_offset))
    body += record(SYSTEM_WINDOW, main_window(settings.get('title', '')))
    return body


def main_window(caption):
    return (struct.pack('<H', WINDOW_HAS_TYPE_NAME_CAPTION)
            + b'primary'.ljust(WINDOW_TYPE_SIZE, b'\0')
            + b'main'.ljust(WINDOW_NAME_SIZE, b'\0')
            + encode(caption)[:WINDOW_CAPTION_SIZE - 1].ljust(WINDOW_CAPTION_SIZE, b'\0')
            + bytes(WINDOW_PLACEMENT_SIZE))


def font_file():
    faces_offset = 8
    descriptors_offset = faces_offset + FACE_NAME_SIZE * len(FACES)
    body = struct.pack('<HHHH', len(FACES), len(FONTS), faces_offset, descriptors_offset)
    body += b''.join(encode(face).ljust(FACE_NAME_SIZE, b'\0') for face in FACES)
    for attributes, half_points, face, colour in FONTS:
        body += struct.pack('<BBBH3B3B', attributes, half_points, SWISS_FAMILY, face, *colour, 255, 255, 255)
    return body


def context_map_file(topics, headers):
    pairs = sorted((number, header['offset']) for topic, header in zip(topics, headers)
                   for number in topic.contexts)
    return struct.pack('<H', len(pairs)) + b''.join(struct.pack('<II', n, o) for n, o in pairs)


def context_file(topics, headers):
    pairs = sorted((context_hash(t.name), h['offset']) for t, h in zip(topics, headers))
    entries = [struct.pack('<iI', value, offset) for value, offset in pairs]
    return one_page_btree(entries, CONTEXT_PAGE_SIZE, 'L4', BTREE_FLAGS, len(entries))


def help_file(files):
    """The file header, the internal files, then the directory naming them."""
    offset = 16
    placed, contents = [], b''
    for name in sorted(files, key=lambda n: n.encode()):
        stored = internal_file(files[name])
        placed.append((name, offset))
        contents += stored
        offset += len(stored)
    entries = [encode(name) + b'\0' + struct.pack('<I', at) for name, at in placed]
    directory = internal_file(one_page_btree(entries, DIRECTORY_PAGE_SIZE, 'z4',
                                             BTREE_FLAGS | DIRECTORY_FLAGS, len(entries)))
    total = offset + len(directory)
    return struct.pack('<IIiI', FILE_MAGIC, offset, -1, total) + contents + directory


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    settings, topics = read_help_text(sys.argv[1])
    if not topics:
        sys.exit('no topics in ' + sys.argv[1])
    check_topics(topics)
    stream, headers = lay_out_topics(topics)
    files = {
        '|SYSTEM': system_file(settings, headers[0]['offset']),
        '|TOPIC': topic_file(stream),
        '|FONT': font_file(),
        '|CTXOMAP': context_map_file(topics, headers),
        '|CONTEXT': context_file(topics, headers),
    }
    with open(sys.argv[2], 'wb') as out:
        out.write(help_file(files))


if __name__ == '__main__':
    main()

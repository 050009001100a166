// Stored texts that are damaged: drawing, the attribute messages, reflow and
// opening an editor answer an error or nothing, and never read past the
// record.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/mapping.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/paint_drawing.h"
#include "text/object_text_layout.h"
#include "text/object_text_messages.h"
#include "text/shared_font_reset.h"
#include "text/ten_messages.h"
#include "text/text_run_caches.h"
#include "view/end_text_edit.h"
#include "view/object_text_edit.h"
#include "object_text_document.h"
#include "support/crash_guard.h"
#include "text_engine_support.h"

namespace {

const RECT kFrame = {600, 600, 2400, 1500};

void WriteWord(std::vector<uint8_t>& bytes, size_t offset, int32_t value)
{
    if (offset + 4 <= bytes.size())
        std::memcpy(bytes.data() + offset, &value, 4);
}

// Everything that reads a stored text, once.
void ReadEverywhere(ObjectTextDocument& doc)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 200, 200);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SetZoomMapMode(dc, 0, 600);
    PaintDrawingObjects(dc, GetViewDrawingHandle(doc.record()), nullptr, 0, 0, 0, 0);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    TextAttributeRequest request = {};
    request.setStyle = kTextItalic;
    CallObjectKind(nullptr, doc.Drawing(), doc.Objects(), 0, kMsgTextSizeUp, 0, 0,
                   reinterpret_cast<INT_PTR>(&request));
    CallObjectKind(nullptr, doc.Drawing(), doc.Objects(), 0, kMsgTextSetStyle, 0, 0,
                   reinterpret_cast<INT_PTR>(&request));
    // A damaged text may be refused anywhere: the check is that nothing reads past it.
    const char* const refusable = "a damaged text may be refused";
    DiscardError(ReflowObjectText(doc.Drawing(), doc.Object(0), 1, nullptr), refusable);
    if (BeginObjectText(doc.view(), doc.record(), 0, 700, 700, 0) == kErrNone && doc.Editor()) {
        TypeInto(doc.Editor(), "x");
        DiscardError(EndTextEdit(doc.view(), 0), refusable);
    }
    DiscardError(ResetTextRunCaches(doc.record()), refusable);
}

} // namespace

TEST(ObjectTextDamage, DamagedStoredTextsAreRefusedQuietly)
{
    struct Case {
        const char* name;
        size_t offset;   // a header word to overwrite, or the size to cut to
        int32_t value;
        bool cut;
    } cases[] = {
        {"shorter than its header", 40, 0, true},
        {"negative format count", 0, -1, false},
        {"format count past the record", 0, 100000, false},
        {"negative line count", 4, -7, false},
        {"text length past the record", 8, 30000, false},
        {"paragraph count past the record", 12, 9999, false},
        {"huge run count", 16, 0x7fffffff, false},
        {"cut inside the characters", 0, 0, true},
    };
    for (const Case& c : cases) {
        ObjectTextDocument doc;
        ASSERT_TRUE(doc.ok()) << c.name;
        ASSERT_EQ(0, doc.AddShape(kFrame)) << c.name;
        std::vector<uint8_t> payload = doc.ValidTextPayload("Damaged text");
        if (c.cut)
            payload.resize(c.offset ? c.offset : payload.size() - 3);
        else
            WriteWord(payload, c.offset, c.value);
        ASSERT_EQ(0, doc.PutRawText(0, payload)) << c.name;
        // A text that cannot be read is laid out as no text.
        EXPECT_EQ(0, ReflowObjectText(doc.Drawing(), doc.Object(0), 0, nullptr)) << c.name;
        ReadEverywhere(doc);
        EXPECT_EQ(1, doc.Count()) << c.name;
    }
}

TEST(ObjectTextDamage, MutatedStoredTextsNeverCrash)
{
    ObjectTextDocument doc;
    ASSERT_TRUE(doc.ok());
    ASSERT_EQ(0, doc.AddShape(kFrame));
    const std::vector<uint8_t> valid = doc.ValidTextPayload("Mutate me\rtwice over");
    uint32_t seed = 20261210;
    auto next = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return seed >> 8;
    };
    CrashGuard guard("text-block");
    for (int round = 0; round < 60; ++round) {
        std::vector<uint8_t> payload = valid;
        const int changes = 1 + static_cast<int>(next() % 6);
        for (int i = 0; i < changes; ++i)
            payload[next() % payload.size()] = static_cast<uint8_t>(next());
        if (next() % 4 == 0)
            payload.resize(next() % payload.size());
        ASSERT_EQ(0, doc.PutRawText(0, payload)) << "round " << round;
        guard.Reading("round " + std::to_string(round), payload);
        ReadEverywhere(doc);
        if (doc.Count() == 0) {
            ASSERT_EQ(0, doc.AddShape(kFrame));
        }
    }
}

TEST(ObjectTextDamage, AFontResetClearsEveryCachedFontHandle)
{
    ObjectTextDocument doc;
    ASSERT_TRUE(doc.ok());
    ASSERT_EQ(0, doc.AddShape(kFrame));
    ASSERT_EQ(0, BeginObjectText(doc.view(), doc.record(), 0, 700, 700, 0));
    TypeInto(doc.Editor(), "cached");
    ASSERT_EQ(0, EndTextEdit(doc.view(), 0));
    ASSERT_EQ(0, BeginObjectText(doc.view(), doc.record(), 0, 700, 700, 0));
    EXPECT_EQ(0, ResetTextRunCaches(doc.record()));
    for (const TextFormat& format : doc.StoredFormats(0))
        EXPECT_EQ(0, format.font);
    EXPECT_EQ(0, ReleaseTextFonts(GetParent(doc.view())));
    RebuildTextFonts(GetParent(doc.view()));
    EXPECT_EQ(6, SendMessageA(doc.Editor(), TENM_GETTEXTLENGTH, 0, 0));
}

#include <gtest/gtest.h>

#include <cstring>

#include "common/io_seam.h"
#include "common/memory_helpers.h"

namespace {

HGLOBAL FilledBlock(SIZE_T bytes, unsigned char fill)
{
    HGLOBAL block = SeamGlobalAlloc(GMEM_MOVEABLE, bytes);
    if (block) {
        memset(GlobalLock(block), fill, bytes);
        GlobalUnlock(block);
    }
    return block;
}

} // namespace

TEST(Memory, IsHandleDiscardedAfterDiscard)
{
    HGLOBAL block = FilledBlock(64, 1);
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(0, IsHandleDiscarded(block));
    HGLOBAL same = GlobalDiscard(block);
    ASSERT_EQ(block, same);
    EXPECT_EQ(1, IsHandleDiscarded(block));
    GlobalFree(block);
}

TEST(Memory, CopyGlobalContentsCopiesWholeSourceToStart)
{
    struct Case {
        const char* name;
        SIZE_T source;
        SIZE_T target;
    };
    const Case cases[] = {
        {"same size", 100, 100},
        {"larger target keeps its tail", 100, 300},
        {"larger than 32K", 0x8000 * 2 + 17, 0x8000 * 2 + 17},
    };
    for (const Case& c : cases) {
        HGLOBAL source = SeamGlobalAlloc(GMEM_MOVEABLE, c.source);
        ASSERT_NE(nullptr, source) << c.name;
        unsigned char* bytes = static_cast<unsigned char*>(GlobalLock(source));
        for (SIZE_T i = 0; i < c.source; ++i)
            bytes[i] = static_cast<unsigned char>(i * 7 + 3);
        GlobalUnlock(source);
        HGLOBAL target = FilledBlock(c.target, 0xEE);
        ASSERT_NE(nullptr, target) << c.name;

        EXPECT_EQ(kErrNone, CopyGlobalContents(target, source)) << c.name;

        const unsigned char* copied = static_cast<const unsigned char*>(GlobalLock(target));
        const SIZE_T sourceSize = GlobalSize(source);
        for (SIZE_T i = 0; i < sourceSize; ++i)
            ASSERT_EQ(static_cast<unsigned char>(i * 7 + 3), copied[i]) << c.name << " at " << i;
        for (SIZE_T i = sourceSize; i < c.target; ++i)
            ASSERT_EQ(0xEE, copied[i]) << c.name << " tail at " << i;
        GlobalUnlock(target);
        GlobalFree(source);
        GlobalFree(target);
    }
}

TEST(Memory, CopyGlobalContentsRefusesShortTarget)
{
    HGLOBAL source = FilledBlock(200, 0x11);
    HGLOBAL target = FilledBlock(50, 0xEE);
    ASSERT_NE(nullptr, source);
    ASSERT_NE(nullptr, target);
    EXPECT_EQ(kErrNoMemory, CopyGlobalContents(target, source));
    const unsigned char* bytes = static_cast<const unsigned char*>(GlobalLock(target));
    for (int i = 0; i < 50; ++i)
        ASSERT_EQ(0xEE, bytes[i]) << i;
    GlobalUnlock(target);
    GlobalFree(source);
    GlobalFree(target);
}

// The free-space map: best fit, appending, merging, the full map and resizing.
#include "store_test_support.h"

namespace {

const int32_t kNewEnd = 3648; // end of data of a new store with shift 6, capacity 200

int32_t Alloc(int store, uint32_t size)
{
    int32_t offset = -1;
    EXPECT_EQ(0, AllocSpace(store, size, &offset));
    return offset;
}

// Blocks of the given sizes one after the other at the end of data; the ones
// marked are freed again, so the map holds extents that touch nothing.
std::vector<int32_t> Lay(int store, const std::vector<std::pair<uint32_t, bool>>& blocks)
{
    std::vector<int32_t> offsets;
    for (const auto& block : blocks)
        offsets.push_back(Alloc(store, block.first));
    for (size_t i = 0; i < blocks.size(); ++i)
        if (blocks[i].second) {
            EXPECT_EQ(0, FreeSpace(store, offsets[i], blocks[i].first));
        }
    return offsets;
}

} // namespace

TEST_F(StoreTest, AllocationRoundsUpToTheGranule)
{
    int store = OpenNewStore();
    EXPECT_EQ(kNewEnd, Alloc(store, 100));
    EXPECT_EQ(kNewEnd + 128, Alloc(store, 16));
    EXPECT_EQ(kNewEnd + 192, ReadMap(store).header.endOfData);
    EXPECT_EQ(kNewEnd + 192, FileSizeOf(path_));
    EXPECT_EQ(128u, RoundUpToGranule(100, 6));
    EXPECT_EQ(64u, RoundUpToGranule(16, 6));
    EXPECT_EQ(17u, RoundUpToGranule(17, 0));
}

TEST_F(StoreTest, AnExactFitIsTakenWhole)
{
    int store = OpenNewStore();
    const std::vector<int32_t> at =
        Lay(store, {{64, true}, {64, false}, {128, true}, {64, false}, {256, true}, {64, false}});
    ASSERT_EQ(3, ReadMap(store).header.count);
    EXPECT_EQ(at[2], Alloc(store, 100));
    const MapImage map = ReadMap(store);
    ASSERT_EQ(2, map.header.count);
    EXPECT_EQ(64, map.bySize[0].size);
    EXPECT_EQ(256, map.bySize[1].size);
    EXPECT_EQ(at[0], map.byOffset[0].offset);
    EXPECT_EQ(at[4], map.byOffset[1].offset);
}

TEST_F(StoreTest, ALargerExtentGivesItsFrontAndItsRestComesFirstOfItsSize)
{
    int store = OpenNewStore();
    const std::vector<int32_t> at =
        Lay(store, {{64, true}, {64, false}, {128, true}, {64, false}, {256, true}, {64, false}});
    EXPECT_EQ(at[4], Alloc(store, 150));
    const MapImage map = ReadMap(store);
    ASSERT_EQ(3, map.header.count);
    EXPECT_EQ((FreeExtent{at[4] + 192, 64}).offset, map.bySize[0].offset);
    EXPECT_EQ(64, map.bySize[0].size);
    EXPECT_EQ(at[0], map.bySize[1].offset);
    EXPECT_EQ(128, map.bySize[2].size);
    EXPECT_EQ(at[4] + 192, map.byOffset[2].offset);
    EXPECT_EQ(0, VerifyFreeMap(store));
}

TEST_F(StoreTest, TheExtentFreedLastIsReusedFirst)
{
    int store = OpenNewStore();
    const std::vector<int32_t> at = Lay(store, {{128, false}, {64, false}, {128, false}, {64, false}});
    ASSERT_EQ(0, FreeSpace(store, at[0], 128)); // X
    ASSERT_EQ(0, FreeSpace(store, at[2], 128)); // Y
    EXPECT_EQ(at[2], Alloc(store, 128));
    EXPECT_EQ(at[0], Alloc(store, 128));
}

TEST_F(StoreTest, FreeingBetweenTwoExtentsLeavesOneAndFreeingTwiceGivesFourteen)
{
    int store = OpenNewStore();
    const std::vector<int32_t> at = Lay(store, {{64, true}, {128, false}, {192, true}, {64, false}});
    ASSERT_EQ(0, FreeSpace(store, at[1], 128));
    const MapImage map = ReadMap(store);
    ASSERT_EQ(1, map.header.count);
    EXPECT_EQ(at[0], map.bySize[0].offset);
    EXPECT_EQ(64 + 128 + 192, map.bySize[0].size);
    EXPECT_EQ(kStoreErrFreedTwice, FreeSpace(store, at[0], 64));
    EXPECT_EQ(1, ReadMap(store).header.count);
    // Touching one side only grows that extent.
    ASSERT_EQ(0, FreeSpace(store, at[3], 64));
    EXPECT_EQ(64 + 128 + 192 + 64, ReadMap(store).bySize[0].size);
}

TEST_F(StoreTest, WithoutALargeEnoughExtentTheFileGrows)
{
    int store = OpenNewStore();
    const std::vector<int32_t> at = Lay(store, {{64, true}, {64, false}});
    const int32_t end = ReadMap(store).header.endOfData;
    EXPECT_EQ(end, Alloc(store, 200));
    EXPECT_EQ(end + 256, ReadMap(store).header.endOfData);
    EXPECT_EQ(end + 256, FileSizeOf(path_));
    EXPECT_EQ(1, ReadMap(store).header.count);
    (void)at;
}

TEST_F(StoreTest, AFullMapLosesItsSmallestExtent)
{
    int store = OpenNewStore("full.tst", 6, 2);
    const std::vector<int32_t> at =
        Lay(store, {{128, true}, {64, false}, {64, true}, {64, false}, {256, false}, {64, false}});
    ASSERT_EQ(2, ReadMap(store).header.count);
    ASSERT_EQ(0, FreeSpace(store, at[4], 256));
    const MapImage map = ReadMap(store);
    EXPECT_EQ(2, map.header.count);
    EXPECT_EQ(64, map.header.lostBytes);
    EXPECT_EQ(at[0], map.byOffset[0].offset);
    EXPECT_EQ(at[4], map.byOffset[1].offset);
    EXPECT_EQ(0, VerifyFreeMap(store));
}

TEST_F(StoreTest, ResizingABlockWithinItsGranulesKeepsItsPlace)
{
    int store = OpenNewStore();
    ASSERT_EQ(0, CreateGroup(store, 1));
    RecordHandle handle = nullptr;
    ASSERT_EQ(0, CreateRecord(store, 1, 1, 100, &handle));
    RecordHandle after = nullptr;
    ASSERT_EQ(0, CreateRecord(store, 1, 2, 16, &after));
    const int32_t at = HeaderOf(handle).offset;
    EXPECT_EQ(0u, GetNewSpaceSize(store, handle, 120));
    EXPECT_EQ(192u, GetNewSpaceSize(store, handle, 130));
    int32_t offset = 0;
    ASSERT_EQ(0, ResizeBlock(store, &handle, 120, &offset));
    EXPECT_EQ(at, offset);
    const int32_t end = ReadMap(store).header.endOfData;
    ASSERT_EQ(0, ResizeBlock(store, &handle, 130, &offset));
    EXPECT_EQ(end, offset);
    const MapImage map = ReadMap(store);
    ASSERT_EQ(1, map.header.count);
    EXPECT_EQ(at, map.bySize[0].offset);
    EXPECT_EQ(128, map.bySize[0].size);
    EXPECT_EQ(kStoreErrTooSmall, ResizeBlock(store, &handle, 15, &offset));
    EXPECT_EQ(kStoreErrTooLarge, ResizeBlock(store, &handle, 0x90000000u, &offset));
}

TEST_F(StoreTest, ASizeListUpdateFindsTheExtentAmongEqualSizes)
{
    int store = OpenNewStore();
    const std::vector<int32_t> at =
        Lay(store, {{64, true}, {64, false}, {64, true}, {64, false}, {64, true}, {64, false}});
    uint32_t token = 0;
    ASSERT_EQ(0, FetchFreeMap(store, &token));
    FreeMapHeader* map = static_cast<FreeMapHeader*>(GlobalLock(TokenHandle(token)));
    // The middle one of three 64-byte extents grows to 192 and goes last.
    ByOffsetList(map)[1].size = 192;
    EXPECT_EQ(0, UpdateSizeList(map, 64, 192, at[2], at[2]));
    EXPECT_EQ(at[2], BySizeList(map)[2].offset);
    EXPECT_EQ(kStoreErrFreeMap, UpdateSizeList(map, 64, 128, at[2], at[2]));
    EXPECT_EQ(kStoreErrFreeMap, UpdateSizeList(map, 100, 128, at[0], at[0]));
    GlobalUnlock(TokenHandle(token));
    EXPECT_EQ(0, VerifyFreeMap(store));
}

TEST_F(StoreTest, ADiskThatCannotGrowLeavesTheMapAsItWas)
{
    int store = OpenNewStore();
    const MapImage before = ReadMap(store);
    int32_t offset = 0;
    SeamArmFault(kSeamSetLength, 1, false);
    EXPECT_EQ(kErrDiskFull, AllocSpace(store, 100, &offset));
    SeamDisarm();
    const MapImage after = ReadMap(store);
    EXPECT_EQ(before.header.endOfData, after.header.endOfData);
    EXPECT_EQ(kNewEnd, FileSizeOf(path_));
    EXPECT_EQ(0, VerifyStore(store));
}

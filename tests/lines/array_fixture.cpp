#include "array_fixture.h"

#include <cstring>

#include "objects/kind_messages.h"
#include "objects/link_table.h"
#include "objects/object_create.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"
#include "objects/update_links.h"
#include "store/record_store.h"

int ArrayDrawing::MakeArray(RECT frame, int corner)
{
    EXPECT_EQ(0, CreateObject(view_, kKindArray, &frame, 0, corner, 0, 0, 1, 0, 0));
    int index = Count() - 1;
    Object(index)->stateFlags &= ~kStateSelected;
    return index;
}

int ArrayDrawing::MakeBox(int x, int y, int width, int height)
{
    EXPECT_EQ(0, Create({x, y, x + width, y + height}, 2, 0, 1));
    return Count() - 1;
}

int32_t ArrayDrawing::Send(int index, int message, INT_PTR a, INT_PTR b, INT_PTR c)
{
    return CallObjectKind(nullptr, Drawing(), Objects(), index, message, a, b, c);
}

void ArrayDrawing::Style(int index, int menuId)
{
    int32_t value[2] = {0, menuId - 1601};
    Send(index, kMsgArrayStyle, 0, 0, reinterpret_cast<INT_PTR>(value));
}

void ArrayDrawing::Hang(int object, int array, int ordinal)
{
    ASSERT_EQ(0, ConnectSlot(Drawing(), object, -1, array, 305, ordinal, 0));
    ASSERT_EQ(0, UpdateLinks(Drawing()));
}

void ArrayDrawing::Detach(int object, int array)
{
    // What the links code does when a hanging object lets go of its array.
    ASSERT_EQ(0, Send(array, kMsgLinkChanged, Object(object)->objectId, -1, -1));
    ASSERT_EQ(0, RemoveOneLink(Drawing(), Object(array)->objectId, Object(object)->objectId, 0));
    ASSERT_EQ(0, UpdateLinks(Drawing()));
}

std::vector<unsigned char> ArrayDrawing::ListBytes(int index)
{
    RecordHandle record = nullptr;
    if (FindRecord(store_, kArrayBranchGroup, static_cast<short>(Object(index)->dataFirstId), &record) != kErrNone)
        return {};
    DWORD size = QueryRecordSize(record);
    auto* bytes = static_cast<const unsigned char*>(GlobalLock(record));
    std::vector<unsigned char> copy(bytes, bytes + size);
    GlobalUnlock(record);
    ReleaseRecord(record);
    return copy;
}

ArrayBranchHead ArrayDrawing::Head(int index)
{
    ArrayBranchHead head = {};
    std::vector<unsigned char> bytes = ListBytes(index);
    if (bytes.size() >= sizeof(head))
        std::memcpy(&head, bytes.data(), sizeof(head));
    return head;
}

ArrayBranchEntry ArrayDrawing::Entry(int index, int entry)
{
    ArrayBranchEntry e = {};
    std::vector<unsigned char> bytes = ListBytes(index);
    size_t at = kArrayHeadSize + static_cast<size_t>(kArrayEntrySize) * entry;
    if (bytes.size() >= at + sizeof(e))
        std::memcpy(&e, bytes.data() + at, sizeof(e));
    return e;
}

void ArrayDrawing::WriteList(int index, const std::vector<unsigned char>& bytes)
{
    RecordHandle record = nullptr;
    ASSERT_EQ(0, FindRecord(store_, kArrayBranchGroup, static_cast<short>(Object(index)->dataFirstId), &record));
    ASSERT_EQ(0, ResizeRecord(&record, static_cast<DWORD>(bytes.size())));
    auto* target = static_cast<unsigned char*>(GlobalLock(record));
    // The store keeps its own header words: only the payload is replaced.
    std::memcpy(target + 16, bytes.data() + 16, bytes.size() - 16);
    GlobalUnlock(record);
    EXPECT_EQ(kErrNone, SetRecordDirty(record));
    ReleaseRecord(record);
}

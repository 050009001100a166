// A seeded random walk of store operations, checked after every step against
// a plain model of what each record must hold, with VerifyStore as the oracle.
#include <cstdio>
#include <random>

#include "store_test_support.h"

namespace {

class RandomWalk {
public:
    RandomWalk(StoreTest* test, int store, uint32_t seed) : test_(test), store_(store), random_(seed) {}

    void Step(int step)
    {
        switch (Pick(20)) {
        case 0: case 1: case 2: case 3: CreateOne(); break;
        case 4: FindOne(); break;
        case 5: case 6: ChangeOne(); break;
        case 7: ResizeOne(); break;
        case 8: case 9: DeleteOne(); break;
        case 10: CreateGroupOne(); break;
        case 11: DeleteGroupOne(); break;
        case 12: Begin(); break;
        case 13: case 14: Swap(true); break;
        case 15: Swap(false); break;
        case 16: Commit(); break;
        case 17: ASSERT_EQ(0, FlushStore(store_, Pick(2) ? TRUE : FALSE)); break;
        case 18: store_ = test_->Reopen(store_); break;
        case 19: ASSERT_EQ(0, CompactStore(store_)); break;
        }
        ASSERT_EQ(0, VerifyStore(store_)) << "after step " << step;
        ASSERT_EQ("", CompareWithModel(store_, model_)) << "after step " << step;
    }

    int store() const { return store_; }
    size_t records() const { return model_.records.size(); }
    int created() const { return created_; }
    int swaps() const { return swaps_; }

private:
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    DWORD RandomSize()
    {
        if (Pick(40) == 0)
            return 60000 + Pick(20000); // read and written in pieces
        return 16 + Pick(600);
    }

    bool AnyRecord(std::pair<short, short>* key)
    {
        if (model_.records.empty())
            return false;
        auto it = model_.records.begin();
        std::advance(it, Pick(static_cast<int>(model_.records.size())));
        *key = it->first;
        return true;
    }

    // An edit after an undo starts a new step, as the program does.
    void BeforeEdit()
    {
        if (checkpoint_ && undone_)
            Begin();
    }

    void CreateOne()
    {
        if (model_.groups.empty())
            return CreateGroupOne();
        BeforeEdit();
        auto group = model_.groups.begin();
        std::advance(group, Pick(static_cast<int>(model_.groups.size())));
        short id = static_cast<short>(Pick(60));
        if (Pick(3) == 0) {
            ASSERT_EQ(0, FindFreeId(store_, *group, &id));
        }
        RecordHandle handle = nullptr;
        const DWORD size = RandomSize();
        const ErrorCode result = CreateRecord(store_, *group, id, size, &handle);
        if (model_.records.count({*group, id})) {
            ASSERT_EQ(kStoreErrExists, result);
            return;
        }
        ++created_;
        ASSERT_EQ(0, result);
        ASSERT_EQ(std::vector<uint8_t>(size - 16, 0), PayloadOf(handle));
        ASSERT_EQ(0, MarkRecordChanged(handle));
        FillPayload(handle, ++seed_);
        model_.records[{*group, id}] = PayloadOf(handle);
    }

    void FindOne()
    {
        RecordHandle handle = nullptr;
        ASSERT_EQ(kStoreErrNotFound, FindRecord(store_, 500, 1, &handle));
        std::pair<short, short> key;
        if (AnyRecord(&key)) {
            ASSERT_EQ(0, FindRecord(store_, key.first, key.second, &handle));
            ASSERT_EQ(model_.records[key], PayloadOf(handle));
        }
    }

    void ChangeOne()
    {
        std::pair<short, short> key;
        if (!AnyRecord(&key))
            return;
        BeforeEdit();
        RecordHandle handle = nullptr;
        ASSERT_EQ(0, FindRecord(store_, key.first, key.second, &handle));
        ASSERT_EQ(0, MarkRecordChanged(handle));
        FillPayload(handle, ++seed_);
        model_.records[key] = PayloadOf(handle);
    }

    void ResizeOne()
    {
        std::pair<short, short> key;
        if (!AnyRecord(&key))
            return;
        BeforeEdit();
        RecordHandle handle = nullptr;
        ASSERT_EQ(0, FindRecord(store_, key.first, key.second, &handle));
        ASSERT_EQ(0, MarkRecordChanged(handle));
        const DWORD size = RandomSize();
        ASSERT_EQ(0, ResizeRecord(&handle, size));
        std::vector<uint8_t>& payload = model_.records[key];
        payload.resize(size - 16, 0);
        ASSERT_EQ(payload, PayloadOf(handle));
        if (Pick(2)) {
            FillPayload(handle, ++seed_);
            payload = PayloadOf(handle);
        }
    }

    void DeleteOne()
    {
        std::pair<short, short> key;
        if (!AnyRecord(&key))
            return;
        BeforeEdit();
        RecordHandle handle = nullptr;
        ASSERT_EQ(0, FindRecord(store_, key.first, key.second, &handle));
        ASSERT_EQ(0, DeleteRecordByHandle(handle));
        GlobalFree(handle);
        model_.records.erase(key);
    }

    void CreateGroupOne()
    {
        BeforeEdit();
        const short group = static_cast<short>(Pick(12));
        const ErrorCode result = CreateGroup(store_, group);
        if (model_.groups.count(group)) {
            ASSERT_EQ(kStoreErrExists, result);
            return;
        }
        ASSERT_EQ(0, result);
        model_.groups.insert(group);
    }

    void DeleteGroupOne()
    {
        if (model_.groups.empty() || Pick(8) != 0)
            return;
        BeforeEdit();
        auto group = model_.groups.begin();
        std::advance(group, Pick(static_cast<int>(model_.groups.size())));
        const short id = *group;
        ASSERT_EQ(0, DeleteGroup(store_, id));
        model_.groups.erase(id);
        for (auto it = model_.records.begin(); it != model_.records.end();)
            it = it->first.first == id ? model_.records.erase(it) : std::next(it);
    }

    void Begin()
    {
        ASSERT_EQ(0, BeginCheckpoint(store_));
        checkpoint_ = true;
        undone_ = false;
        other_ = model_;
    }

    void Swap(bool keep)
    {
        if (!checkpoint_) {
            ASSERT_EQ(kStoreErrNoCheckpoint, SwapCheckpoint(store_, keep ? TRUE : FALSE));
            return;
        }
        ASSERT_EQ(0, SwapCheckpoint(store_, keep ? TRUE : FALSE));
        std::swap(model_, other_);
        ++swaps_;
        undone_ = !undone_;
        if (!keep)
            checkpoint_ = false;
    }

    void Commit()
    {
        ASSERT_EQ(0, CommitCheckpoint(store_));
        checkpoint_ = false;
    }

    StoreTest* test_;
    int store_;
    std::mt19937 random_;
    uint32_t seed_ = 1000;
    StoreModel model_;
    StoreModel other_; // the state the next swap brings back
    bool checkpoint_ = false;
    bool undone_ = false;
    int created_ = 0;
    int swaps_ = 0;
};

} // namespace

class StoreRandomModelTest : public StoreTest, public ::testing::WithParamInterface<uint32_t> {
};

TEST_P(StoreRandomModelTest, EveryStepMatchesTheModel)
{
    int store = OpenNewStore("walk.tst", kStoreShift, GetParam() % 2 ? kDocumentMapCapacity : 3);
    RandomWalk walk(this, store, GetParam());
    for (int step = 0; step < 1500; ++step) {
        walk.Step(step);
        if (HasFatalFailure())
            return;
    }
    // The walk must have done real work, not refusals only.
    EXPECT_GT(walk.created(), 200);
    EXPECT_GT(walk.swaps(), 50);
    std::printf("seed %u: %d records made, %d swaps, %zu records at the end\n", GetParam(), walk.created(),
                walk.swaps(), walk.records());
    EXPECT_EQ(0, CloseStore(walk.store()));
}

INSTANTIATE_TEST_SUITE_P(Store, StoreRandomModelTest, ::testing::Values(1u, 2u, 3u, 4u, 5u, 6u));

// Faults: every operation is run with its Nth file call (read, write, seek,
// set-length) or its Nth allocation failing, once and from then on, for N =
// 1, 2, ... until it completes. A failure must be reported; after reopening,
// the store verifies and every record holds its old or its new contents.
// Closes are run the same way after each operation: the file is then the old
// one byte for byte or holds all of the new contents.
#include <climits>
#include <ostream>

#include "store_test_support.h"
#include "support/test_paths.h"

namespace {

RecordHandle Find(int store, short group, short id)
{
    RecordHandle handle = nullptr;
    EXPECT_EQ(0, FindRecord(store, group, id, &handle));
    return handle;
}

ErrorCode Change(int store, short group, short id, uint32_t seed)
{
    RecordHandle handle = nullptr;
    ErrorCode result = FindRecord(store, group, id, &handle);
    if (!result)
        result = MarkRecordChanged(handle);
    if (!result)
        FillPayload(handle, seed);
    return result;
}

ErrorCode Delete(int store, short group, short id)
{
    RecordHandle handle = nullptr;
    ErrorCode result = FindRecord(store, group, id, &handle);
    if (!result)
        result = DeleteRecordByHandle(handle);
    if (!result)
        GlobalFree(handle);
    return result;
}

ErrorCode Create(int store, short group, short id, DWORD size, uint32_t seed)
{
    RecordHandle handle = nullptr;
    ErrorCode result = CreateRecord(store, group, id, size, &handle);
    if (!result) {
        FillPayload(handle, seed);
        result = SetRecordDirty(handle);
    }
    return result;
}

// The stored state every scenario starts from: two groups, records of many
// sizes, some holes in the file.
void BaseState(int store)
{
    ASSERT_EQ(0, CreateGroup(store, 1));
    ASSERT_EQ(0, CreateGroup(store, 2));
    for (short id = 0; id < 40; ++id)
        ASSERT_EQ(0, Create(store, id % 4 ? 1 : 2, id, 20 + 37 * id, id));
    ASSERT_EQ(0, Create(store, 1, 100, 70000, 100));
    for (short id : {5, 9, 13})
        ASSERT_EQ(0, Delete(store, 1, id));
}

// A step with every kind of change, left open.
void OpenStep(int store)
{
    ASSERT_EQ(0, BeginCheckpoint(store));
    ASSERT_EQ(0, Change(store, 1, 1, 500));
    ASSERT_EQ(0, Change(store, 1, 100, 501));
    ASSERT_EQ(0, Delete(store, 1, 2));
    ASSERT_EQ(0, Create(store, 1, 200, 300, 502));
    ASSERT_EQ(0, CreateGroup(store, 7));
    ASSERT_EQ(0, Create(store, 7, 1, 90, 503));
    ASSERT_EQ(0, DeleteGroup(store, 2));
}

struct Scenario {
    const char* name;
    void (*setup)(int store); // runs without faults before the operation
    ErrorCode (*operation)(int store);
};

void NoSetup(int) {}

const Scenario kScenarios[] = {
    {"CreateRecordInABigGroup", NoSetup, [](int store) { return Create(store, 1, 300, 500, 9); }},
    {"CreateRecordDuringAStep",
     [](int store) { ASSERT_EQ(0, BeginCheckpoint(store)); },
     [](int store) { return Create(store, 1, 300, 500, 9); }},
    {"CreateGroupDuringAStep",
     [](int store) { ASSERT_EQ(0, BeginCheckpoint(store)); },
     [](int store) { return CreateGroup(store, 9); }},
    {"MarkRecordChangedDuringAStep",
     [](int store) { ASSERT_EQ(0, BeginCheckpoint(store)); },
     [](int store) { return Change(store, 1, 100, 77); }},
    {"ResizeRecordGrowing",
     NoSetup,
     [](int store) {
         RecordHandle handle = nullptr;
         ErrorCode result = FindRecord(store, 1, 3, &handle);
         return result ? result : ResizeRecord(&handle, 3000);
     }},
    {"ResizeRecordShrinking",
     NoSetup,
     [](int store) {
         RecordHandle handle = nullptr;
         ErrorCode result = FindRecord(store, 1, 100, &handle);
         return result ? result : ResizeRecord(&handle, 200);
     }},
    {"DeleteRecord", NoSetup, [](int store) { return Delete(store, 1, 7); }},
    {"DeleteChangedRecordDuringAStep",
     [](int store) {
         ASSERT_EQ(0, BeginCheckpoint(store));
         FillPayload(Find(store, 1, 7), 88);
         ASSERT_EQ(0, SetRecordDirty(Find(store, 1, 7)));
     },
     [](int store) { return Delete(store, 1, 7); }},
    {"DeleteGroup", NoSetup, [](int store) { return DeleteGroup(store, 1); }},
    {"DeleteGroupDuringAStep",
     [](int store) {
         ASSERT_EQ(0, BeginCheckpoint(store));
         ASSERT_EQ(0, Change(store, 1, 1, 66));
         ASSERT_EQ(0, Create(store, 1, 400, 64, 67));
     },
     [](int store) { return DeleteGroup(store, 1); }},
    {"UndoKeepingTheStep", OpenStep, [](int store) { return SwapCheckpoint(store, TRUE); }},
    {"UndoEndingTheStep", OpenStep, [](int store) { return SwapCheckpoint(store, FALSE); }},
    {"Redo",
     [](int store) {
         OpenStep(store);
         ASSERT_EQ(0, SwapCheckpoint(store, TRUE));
     },
     [](int store) { return SwapCheckpoint(store, TRUE); }},
    {"CommitAStep", OpenStep, [](int store) { return CommitCheckpoint(store); }},
    {"BeginAfterAStep", OpenStep, [](int store) { return BeginCheckpoint(store); }},
    {"FlushWithRelease", OpenStep, [](int store) { return FlushStore(store, TRUE); }},
    {"Compact", NoSetup, [](int store) { return CompactStore(store); }},
    {"CompactDuringAStep", OpenStep, [](int store) { return CompactStore(store); }},
    {"Verify", NoSetup, [](int store) { return VerifyStore(store); }},
};

// Test names and messages show the scenario's name.
void PrintTo(const Scenario& scenario, std::ostream* out) { *out << scenario.name; }

struct FaultMode {
    const char* name;
    unsigned mask;
    bool persistent;
};

const FaultMode kModes[] = {
    {"file call once", kSeamAllFile, false},
    {"file calls from then on", kSeamAllFile, true},
    {"allocation once", kSeamAlloc, false},
    {"allocations from then on", kSeamAlloc, true},
};

// Each record and group of the store is as it was or as it was meant to become.
std::string OldOrNew(const StoreModel& actual, const StoreModel& before, const StoreModel& after)
{
    std::set<short> groups = before.groups;
    groups.insert(after.groups.begin(), after.groups.end());
    groups.insert(actual.groups.begin(), actual.groups.end());
    for (short group : groups) {
        const bool has = actual.groups.count(group) != 0;
        if (has != (before.groups.count(group) != 0) && has != (after.groups.count(group) != 0))
            return "group " + std::to_string(group) + " is neither old nor new";
    }
    std::set<std::pair<short, short>> keys;
    for (const auto* model : {&actual, &before, &after})
        for (const auto& record : model->records)
            keys.insert(record.first);
    for (const auto& key : keys) {
        auto value = [&](const StoreModel& model) {
            auto it = model.records.find(key);
            return it == model.records.end() ? std::pair<bool, std::vector<uint8_t>>{false, {}}
                                             : std::pair<bool, std::vector<uint8_t>>{true, it->second};
        };
        const auto now = value(actual);
        if (now != value(before) && now != value(after))
            return "record (" + std::to_string(key.first) + "," + std::to_string(key.second) +
                   ") is neither old nor new";
    }
    return "";
}

bool SameModel(const StoreModel& a, const StoreModel& b) { return a.groups == b.groups && a.records == b.records; }

} // namespace

class StoreFaultTest : public StoreTest, public ::testing::WithParamInterface<Scenario> {
protected:
    int OpenCopy(const std::vector<uint8_t>& bytes)
    {
        WriteWholeFile(path_, bytes);
        return Open(path_);
    }
};

TEST_P(StoreFaultTest, FailuresAreReportedAndLeaveOldOrNewContents)
{
    const Scenario& scenario = GetParam();
    int store = OpenNewStore("fault.tst");
    BaseState(store);
    ASSERT_EQ(0, CloseStore(store));
    const std::vector<uint8_t> base = ReadWholeFile(path_);

    // The run without faults says what old and new are.
    store = OpenCopy(base);
    scenario.setup(store);
    const StoreModel before = ModelOf(store);
    ASSERT_EQ(0, scenario.operation(store));
    ASSERT_EQ(0, VerifyStore(store));
    store = Reopen(store);
    const StoreModel after = ModelOf(store);
    ASSERT_EQ(0, CloseStore(store));

    // Warm: the operation finds what the setup loaded; cold: it reads it all.
    int failures[4] = {};
    for (bool cold : {false, true}) {
        for (int m = 0; m < 4; ++m) {
            const FaultMode& mode = kModes[m];
            for (long nth = 1;; ++nth) {
                SCOPED_TRACE(std::string(cold ? "cold, " : "warm, ") + mode.name + ", call " + std::to_string(nth));
                store = OpenCopy(base);
                scenario.setup(store);
                if (cold) {
                    ASSERT_EQ(0, FlushStore(store, TRUE));
                }
                SeamArmFault(mode.mask, nth, mode.persistent);
                const ErrorCode result = scenario.operation(store);
                const bool fired = SeamFaultFired();
                SeamDisarm();
                if (!fired) {
                    ASSERT_EQ(0, result);
                    ASSERT_EQ(0, CloseStore(store));
                    break;
                }
                ++failures[m];
                EXPECT_EQ(0, VerifyStore(store));
                ASSERT_EQ(0, CloseStore(store));
                store = Open(path_);
                ASSERT_GE(store, 0);
                EXPECT_EQ(0, VerifyStore(store));
                const StoreModel now = ModelOf(store);
                if (result == 0) {
                    EXPECT_TRUE(SameModel(now, after)) << "success reported without the new contents";
                } else {
                    EXPECT_EQ("", OldOrNew(now, before, after));
                }
                ASSERT_EQ(0, CloseStore(store));
                if (HasFailure())
                    return;
                ASSERT_LT(nth, 2000);
            }
        }
    }
    // Every operation reaches the file, and all but a flush take memory.
    for (int m = 0; m < 4; ++m)
        if (kModes[m].mask != kSeamAlloc || std::string(scenario.name) != "FlushWithRelease") {
            EXPECT_GT(failures[m], 0) << kModes[m].name;
        }
}

namespace {

// How a close that failed part-way is followed up.
struct CloseFault {
    const char* name;
    bool persistent;
    bool retry; // close again without faults; else abandon the store
};

const CloseFault kCloseFaults[] = {
    {"once, then closed again", false, true},
    {"once, then abandoned", false, false},
    {"from then on, then abandoned", true, false},
};

// Every file call a close makes, the journal's flushes and delete included.
const unsigned kCloseCalls = kSeamAllFile | kSeamFlush | kSeamDelete;

} // namespace

// A file the user keeps is the committed one or the new one after any failed
// close: byte for byte the old file, or every record as the close meant.
TEST_P(StoreFaultTest, AFailedCloseLeavesTheOldFileOrTheNewOneNeverAMix)
{
    const Scenario& scenario = GetParam();
    int store = OpenNewStore("close.tst");
    BaseState(store);
    ASSERT_EQ(0, CloseStore(store));
    const std::vector<uint8_t> base = ReadWholeFile(path_);
    const std::string journal = path_ + "-journal";

    store = OpenCopy(base);
    scenario.setup(store);
    ASSERT_EQ(0, scenario.operation(store));
    store = Reopen(store);
    const StoreModel after = ModelOf(store);
    ASSERT_EQ(0, CloseStore(store));

    for (const CloseFault& mode : kCloseFaults) {
        int failures = 0;
        for (long nth = 1;; ++nth) {
            SCOPED_TRACE(std::string(mode.name) + ", call " + std::to_string(nth));
            store = OpenCopy(base);
            scenario.setup(store);
            ASSERT_EQ(0, scenario.operation(store));
            SeamArmFault(kCloseCalls, nth, mode.persistent);
            const ErrorCode result = CloseStore(store);
            const bool fired = SeamFaultFired();
            SeamDisarm();
            if (!fired) {
                ASSERT_EQ(0, result);
                break;
            }
            ++failures;
            ASSERT_NE(0, result) << "a failed close reported success";
            ASSERT_EQ(0, CheckStoreIndex(store)) << "a failed close gave up its store";
            if (mode.retry) {
                ASSERT_EQ(0, CloseStore(store));
            } else {
                AbandonStore(store);
            }
            store = Open(path_);
            ASSERT_GE(store, 0);
            EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(journal.c_str()));
            EXPECT_EQ(0, VerifyStore(store));
            const bool old = ReadWholeFile(path_) == base;
            if (mode.retry) {
                EXPECT_EQ("", CompareWithModel(store, after));
            } else if (!old) {
                EXPECT_EQ("", CompareWithModel(store, after)) << "neither the old file nor the new contents";
            }
            ASSERT_EQ(0, CloseStore(store));
            if (HasFailure())
                return;
            ASSERT_LT(nth, 5000);
        }
        EXPECT_GT(failures, 0) << mode.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Store, StoreFaultTest, ::testing::ValuesIn(kScenarios),
                         [](const ::testing::TestParamInfo<Scenario>& param) { return std::string(param.param.name); });

TEST_F(StoreTest, AnOpenThatFailsPartWayFreesItsSlot)
{
    int store = OpenNewStore("open.tst");
    BaseState(store);
    ASSERT_EQ(0, CloseStore(store));
    for (const FaultMode& mode : kModes) {
        for (long nth = 1;; ++nth) {
            SCOPED_TRACE(std::string(mode.name) + ", call " + std::to_string(nth));
            const size_t tokens = TokensInUse();
            SeamArmFault(mode.mask, nth, mode.persistent);
            int second = 0;
            const ErrorCode result = OpenStoreByName(path_.c_str(), &store, 0, &second, FALSE);
            const bool fired = SeamFaultFired();
            SeamDisarm();
            if (!fired) {
                ASSERT_EQ(0, result);
                ASSERT_EQ(0, CloseStore(store));
                break;
            }
            EXPECT_NE(0, result);
            EXPECT_EQ(kStoreErrNotOpen, CheckStoreIndex(0));
            EXPECT_EQ(tokens, TokensInUse());
            ASSERT_LT(nth, 100);
        }
    }
    store = Open(path_);
    EXPECT_EQ(0, VerifyStore(store));
}

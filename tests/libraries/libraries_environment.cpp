// Program-wide set-up of the library tests: the store table and the options
// exist for the whole run, as they do in the program.
#include <gtest/gtest.h>

#include "documents/options_file.h"
#include "frame/layer_hooks.h"
#include "objects/object_kind_table.h"
#include "store/record_store.h"

namespace {

class LibrariesEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_EQ(kErrNone, InitObjectKinds());
        ASSERT_EQ(kErrNone, InitRecordStore(kStoreTableSlots));
        ASSERT_EQ(kErrNone, CreateDefaultOptions());
    }
    void TearDown() override
    {
        SaveAndFreeOptions();
        TermRecordStore();
        TermObjectKinds();
    }
};

testing::Environment* const environment = testing::AddGlobalTestEnvironment(new LibrariesEnvironment);

} // namespace

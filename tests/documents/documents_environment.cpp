// Program-wide set-up of the documents tests: the store table and the
// object kinds exist for the whole run, as they do in the program.
#include <gtest/gtest.h>

#include "frame/layer_hooks.h"
#include "objects/object_kind_table.h"
#include "store/record_store.h"

namespace {

class DocumentsEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_EQ(kErrNone, InitObjectKinds());
        ASSERT_EQ(kErrNone, InitRecordStore(kStoreTableSlots));
    }
    void TearDown() override
    {
        TermRecordStore();
        TermObjectKinds();
    }
};

testing::Environment* const environment = testing::AddGlobalTestEnvironment(new DocumentsEnvironment);

} // namespace

// Program-wide set-up of the view tests: the kind table and the store table
// exist for the whole run, as they do in the program.
#include <gtest/gtest.h>

#include "common/icon_button.h"
#include "frame/layer_hooks.h"
#include "objects/object_kind_table.h"
#include "store/record_store.h"

namespace {

class EditEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_EQ(kErrNone, InitObjectKinds());
        ASSERT_EQ(kErrNone, InitRecordStore(kStoreTableSlots));
        RegisterIconButtonClass(GetModuleHandleA(nullptr));
    }
    void TearDown() override
    {
        TermRecordStore();
        TermObjectKinds();
    }
};

testing::Environment* const environment = testing::AddGlobalTestEnvironment(new EditEnvironment);

} // namespace

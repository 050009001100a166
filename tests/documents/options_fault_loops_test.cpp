// The options file under a failing Nth file or memory call, once and from
// then on: a write leaves the earlier file whole or the new one complete and
// nothing beside it; a read answers a code and leaves usable options.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/io_seam.h"
#include "documents/options_file.h"
#include "documents/recent_files.h"
#include "documents/replacement_file.h"
#include "options_fixture.h"
#include "support/mutation.h"

namespace {

const long kCallLimit = 2000;
const bool kPersistence[] = {false, true};

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

using OptionsFaultLoops = OptionsTest;

} // namespace

TEST_F(OptionsFaultLoops, FailedWriteLeavesTheEarlierOptionsWhole)
{
    ASSERT_EQ(kErrNone, WriteOptionsFile(path_.c_str()));
    const std::vector<uint8_t> old = ReadWholeFile(path_);
    AddRecentFile("C:\\DRAW\\NEWER.TYR");
    ASSERT_EQ(kErrNone, WriteOptionsFile(path_.c_str()));
    const std::vector<uint8_t> fresh = ReadWholeFile(path_);
    ASSERT_NE(old, fresh);
    char replacement[MAX_PATH];
    ReplacementNameOf(path_.c_str(), replacement, sizeof(replacement));
    for (bool persistent : kPersistence) {
        for (long nth = 1;; ++nth) {
            SCOPED_TRACE(std::string(persistent ? "from then on" : "once") + ", call " + std::to_string(nth));
            WriteWholeFile(path_, old);
            SeamArmFault(kSeamAllSave | kSeamAlloc, nth, persistent);
            const ErrorCode code = WriteOptionsFile(path_.c_str());
            const bool fired = SeamFaultFired();
            SeamDisarm();
            EXPECT_EQ(code == kErrNone ? fresh : old, ReadWholeFile(path_)) << "code " << code;
            EXPECT_FALSE(Exists(replacement));
            if (!fired || HasFailure())
                break;
            ASSERT_LT(nth, kCallLimit);
        }
    }
}

TEST_F(OptionsFaultLoops, FailedReadAnswersACodeAndKeepsUsableOptions)
{
    AddRecentFile("C:\\DRAW\\READ.TYR");
    ASSERT_EQ(kErrNone, WriteOptionsFile(path_.c_str()));
    MakeDefaults();
    ASSERT_EQ(kErrNone, ReadOptionsFile(path_.c_str()));
    const std::vector<uint8_t> clean = Snapshot();
    for (bool persistent : kPersistence) {
        for (long nth = 1;; ++nth) {
            SCOPED_TRACE(std::string(persistent ? "from then on" : "once") + ", call " + std::to_string(nth));
            MakeDefaults();
            SeamArmFault(kSeamAllFile | kSeamAlloc, nth, persistent);
            const ErrorCode code = ReadOptionsFile(path_.c_str());
            const bool fired = SeamFaultFired();
            SeamDisarm();
            EXPECT_TRUE(IsProgramErrorCode(code)) << code;
            if (code == kErrNone) {
                EXPECT_EQ(clean, Snapshot()) << "success reported without the options";
            }
            EXPECT_NE(nullptr, AppOptions);
            if (!fired || HasFailure())
                break;
            ASSERT_LT(nth, kCallLimit);
        }
    }
}

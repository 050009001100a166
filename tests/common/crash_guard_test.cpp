// The fuzz loops' crash guard: a crash while reading ends the test program
// with a failure and leaves the input that did it in the test output.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/crash_guard.h"
#include "support/test_paths.h"

namespace {

const DWORD kGuardedCrashExit = 3;

std::vector<uint8_t> Planted() { return {0x51, 0x52, 0x53}; }

std::vector<uint8_t> FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

// Run only by the test below, in a process of its own.
TEST(CrashGuard, DISABLED_CrashesOnPurpose)
{
    const std::vector<uint8_t> input = Planted();
    CrashGuard guard("on-purpose");
    guard.Reading("the planted input", input);
    volatile int* nowhere = nullptr;
    *nowhere = 1;
}

TEST(CrashGuard, CrashWhileReadingFailsAndKeepsTheInput)
{
    const std::string saved = TestOutputFolder() + "crash-on-purpose.bin";
    DeleteFileA(saved.c_str());
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = std::string("\"") + self +
                          "\" --gtest_filter=CrashGuard.DISABLED_CrashesOnPurpose --gtest_also_run_disabled_tests";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    EXPECT_EQ(kGuardedCrashExit, code);
    EXPECT_EQ(Planted(), FileBytes(saved));
}

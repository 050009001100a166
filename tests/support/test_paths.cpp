#include "support/test_paths.h"

#include <windows.h>

#include <cstdlib>

#include <gtest/gtest.h>

std::string WindowsPathOf(const std::string& unixPath)
{
    if (unixPath.empty() || unixPath[0] != '/')
        return unixPath;
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string BuildFolder()
{
    // One variable, set by the test runner: ctest's per-test environment cannot
    // carry more than one reliably through test discovery.
    const char* folder = getenv("TESSARY_BUILD");
    std::string path = folder ? WindowsPathOf(folder) : std::string(".");
    if (path.back() != '\\')
        path += '\\';
    return path;
}

std::string TestOutputFolder()
{
    std::string path = BuildFolder() + "test-output\\";
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

std::string ScratchPath(const char* leaf)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(temp) + "tessary_" + std::to_string(GetCurrentProcessId()) + "_";
    if (test) {
        name += test->test_suite_name();
        name += "_";
        name += test->name();
        name += "_";
    }
    name += leaf;
    for (size_t i = name.find_last_of('\\') + 1; i < name.size(); ++i)
        if (name[i] == '/')
            name[i] = '_';
    DeleteFileA(name.c_str());
    return name;
}

// A run that is killed while editing leaves its working file in the temporary
// folder; the next start of the program removes it and keeps its own.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "support/desktop_program.h"

namespace {

std::set<std::string> WorkingFiles()
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((std::string(folder) + "VXT*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        names.insert(std::string(folder) + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

using WorkingFilesProgram = DesktopProgram;

TEST_F(WorkingFilesProgram, KilledRunsWorkingFileIsRemovedByTheNextStart)
{
    DrawRectangle(POINT{60, 60}, POINT{200, 160});
    const std::set<std::string> killed = WorkingFiles();
    ASSERT_FALSE(killed.empty()) << "an open drawing has its working file";
    program_.Kill();
    for (const std::string& name : killed)
        ASSERT_TRUE(Exists(name)) << name << ": a killed run cleans up nothing by itself";

    StartWith("");
    Screenshot("restarted");
    for (const std::string& name : killed)
        EXPECT_FALSE(Exists(name)) << name;
    const std::set<std::string> now = WorkingFiles();
    EXPECT_EQ(1u, now.size()) << "the new run's own drawing keeps its working file";
}

} // namespace

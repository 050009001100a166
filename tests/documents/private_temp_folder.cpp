#include "private_temp_folder.h"

#include "support/test_paths.h"

PrivateTempFolder::PrivateTempFolder() : folder_(ScratchPath("temp") + "\\")
{
    CreateDirectoryA(folder_.c_str(), nullptr);
    hadTmp_ = GetEnvironmentVariableA("TMP", saved_, MAX_PATH);
    SetEnvironmentVariableA("TMP", folder_.c_str());
}

PrivateTempFolder::~PrivateTempFolder()
{
    SetEnvironmentVariableA("TMP", hadTmp_ ? saved_ : nullptr);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder_ + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            DeleteFileA((folder_ + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder_.c_str());
}

int CountWorkingFiles()
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    std::string pattern = std::string(folder) + "VXT*.tmp";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int count = 0;
    do {
        ++count;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

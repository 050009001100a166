#include "libraries/template_categories.h"

#include <algorithm>
#include <cstring>

#include "common/app_globals.h"
#include "resources/resource_ids.h"

namespace {

const int kFolderNameSize = 64;

bool LessIgnoringCase(const std::string& a, const std::string& b)
{
    return lstrcmpiA(a.c_str(), b.c_str()) < 0;
}

// Calls `take` for every entry of the pattern that does not start with '.'.
template <typename Take>
void ForEachEntry(const std::string& pattern, Take take)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (found.cFileName[0] != '.')
            take(found);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

bool IsFolder(const WIN32_FIND_DATAA& found)
{
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace

std::string ProgramFolder()
{
    char module[MAX_PATH] = "";
    const DWORD length = GetModuleFileNameA(nullptr, module, sizeof(module));
    char* slash = length ? std::strrchr(module, '\\') : nullptr;
    if (!slash)
        return std::string();
    slash[1] = '\0';
    return module;
}

std::string LibraryRootFolder()
{
    char name[kFolderNameSize] = "";
    LoadStringA(AppInstance ? AppInstance : GetModuleHandleA(nullptr), IDS_LIBRARY_FOLDER, name, sizeof(name));
    return ProgramFolder() + name + "\\";
}

std::vector<std::string> ListCategories(const std::string& root, const char* skip)
{
    std::vector<std::string> names;
    // Only names without an extension are categories, as the "*." pattern
    // finds them; the pattern itself is read differently by file systems, so
    // the names are checked here.
    ForEachEntry(root + "*", [&](const WIN32_FIND_DATAA& found) {
        if (IsFolder(found) && !std::strchr(found.cFileName, '.') && (!skip || lstrcmpiA(found.cFileName, skip) != 0))
            names.push_back(found.cFileName);
    });
    std::sort(names.begin(), names.end(), LessIgnoringCase);
    return names;
}

std::vector<std::string> ListCategoryFiles(const std::string& folder, const char* extension)
{
    std::vector<std::string> names;
    ForEachEntry(folder + "*." + extension, [&](const WIN32_FIND_DATAA& found) {
        if (IsFolder(found))
            return;
        std::string name = found.cFileName;
        const size_t dot = name.find_last_of('.');
        // The short-name match lets "x.VXLX" through a "*.VXL" pattern.
        if (dot == std::string::npos || lstrcmpiA(name.c_str() + dot + 1, extension) != 0)
            return;
        names.push_back(name.substr(0, dot));
    });
    std::sort(names.begin(), names.end(), LessIgnoringCase);
    return names;
}

std::vector<std::string> CategoriesHolding(const std::string& root, const std::vector<std::string>& categories,
                                           const char* extension)
{
    std::vector<std::string> holding;
    for (const std::string& name : categories)
        if (!ListCategoryFiles(root + name + "\\", extension).empty())
            holding.push_back(name);
    return holding;
}

// The folders the template chooser and the library browser list: categories
// are the sub-folders of a root, and each category's files are the templates
// or libraries in it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

const char kTemplateExtension[] = "TYT";
const char kLibraryExtension[] = "VXL";

// The program's own folder, with its trailing backslash.
std::string ProgramFolder();
// The folder of the libraries the browser lists, below the program's folder,
// with its trailing backslash.
std::string LibraryRootFolder();

// The sub-folders of `root` (with its trailing backslash) whose names have no
// extension and do not start with '.', sorted without regard to case; a
// folder named `skip` (case ignored; none: nothing skipped) is left out.
std::vector<std::string> ListCategories(const std::string& root, const char* skip);
// The names without extension of the files `folder\*.<extension>` that are
// not folders and do not start with '.', sorted without regard to case.
std::vector<std::string> ListCategoryFiles(const std::string& folder, const char* extension);
// The categories of `root` that hold at least one `*.<extension>` file: the
// program's folder holds other folders too (help, a build's own), which are
// no template categories.
std::vector<std::string> CategoriesHolding(const std::string& root, const std::vector<std::string>& categories,
                                           const char* extension);

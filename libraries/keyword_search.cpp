#include "libraries/keyword_search.h"

#include <cstdio>
#include <cstring>

#include "libraries/library_names.h"
#include "libraries/template_categories.h"

HGLOBAL KeywordResults = nullptr;
int KeywordResultCount = 0;

namespace {

bool IsSeparator(char c)
{
    return c == ' ' || c == ',' || c == ';';
}

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

KeywordList SplitKeywords(const char* text)
{
    KeywordList list = {};
    const char* at = text ? text : "";
    while (*at && list.count < kMaxKeywords) {
        while (IsSeparator(*at))
            ++at;
        int length = 0;
        char* word = list.words[list.count];
        for (; *at && !IsSeparator(*at); ++at)
            if (length < kKeywordTextSize - 1)
                word[length++] = LowerAscii(*at);
        word[length] = '\0';
        if (length)
            ++list.count;
    }
    return list;
}

int SearchLibrariesByKeyword(const std::string& root, const std::vector<std::string>& categories, const char* text,
                             KeywordSearchBlock* block)
{
    const KeywordList list = SplitKeywords(text);
    block->searched = 1;
    int found = 0;
    if (list.count == 0)
        return found;
    const char* words[kMaxKeywords];
    for (int i = 0; i < list.count; ++i)
        words[i] = list.words[i];
    for (const std::string& category : categories) {
        const std::string folder = root + category + "\\";
        for (const std::string& name : ListCategoryFiles(folder, kLibraryExtension)) {
            const std::string path = folder + name + "." + kLibraryExtension;
            // Later matches are still tested, as the search always was, but
            // only the first hundred are kept.
            if (LibraryMatchesKeywords(path.c_str(), words, list.count) && found < kMaxKeywordResults)
                std::snprintf(block->paths[found++], kKeywordTextSize, "%s", path.c_str());
        }
    }
    return found;
}

// Finding libraries by keyword: the user's keyword text split into words, and
// the libraries of every category whose symbols have a name or keyword
// starting with one of them.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

const int kMaxKeywords = 10;
const int kMaxKeywordResults = 100;
const int kKeywordTextSize = 262;  // 261 characters and the terminator

struct KeywordList {
    int count;
    char words[kMaxKeywords][kKeywordTextSize];
};

// The browser's search block: whether a search ran, which result each line
// of the sorted name list stands for, and the paths found.
struct KeywordSearchBlock {
    int32_t searched;
    int32_t lineResult[kMaxKeywordResults];
    char paths[kMaxKeywordResults][kKeywordTextSize];
};

// The block while the browser is open, none otherwise; its number of results.
extern HGLOBAL KeywordResults;
extern int KeywordResultCount;

// Lower-cases the text (A to Z only) and splits it at blanks, commas and
// semicolons; words after the tenth are ignored.
KeywordList SplitKeywords(const char* text);
// Tests every library of the categories (folders below `root`, which ends in
// a backslash) against the keyword text; keeps the first 100 matches in the
// block and returns their number.
int SearchLibrariesByKeyword(const std::string& root, const std::vector<std::string>& categories, const char* text,
                             KeywordSearchBlock* block);

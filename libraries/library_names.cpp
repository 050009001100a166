#include "libraries/library_names.h"

#include <cstring>

#include "libraries/library_records.h"
#include "store/record_store.h"

namespace {

void LowerAscii(char* text)
{
    for (char* c = text; *c; ++c)
        if (*c >= 'A' && *c <= 'Z')
            *c = static_cast<char>(*c - 'A' + 'a');
}

bool StartsWord(const char* text, const char* at)
{
    if (at == text)
        return true;
    const char before = at[-1];
    return before == ' ' || before == ',' || before == ';';
}

bool TextMatchesAny(const char* text, const char* const* keywords, int keywordCount)
{
    for (int k = 0; k < keywordCount; ++k)
        if (keywords[k] && TextMatchesKeyword(text, keywords[k]))
            return true;
    return false;
}

} // namespace

ErrorCode ReadSymbolText(int store, short id, char* text, int size)
{
    text[0] = '\0';
    RecordHandle record = nullptr;
    ErrorCode code = FindRecord(store, kLibraryNameGroup, id, &record);
    if (code)
        return code;
    const DWORD recordSize = QueryRecordSize(record);
    if (recordSize <= kRecordHeaderBytes)
        return kErrNone;
    const auto* bytes = static_cast<const char*>(GlobalLock(record));
    if (!bytes)
        return kErrNoMemory;
    DWORD limit = recordSize - kRecordHeaderBytes;
    if (limit > static_cast<DWORD>(kLibraryNameReadLimit))
        limit = kLibraryNameReadLimit;
    if (limit > static_cast<DWORD>(size - 1))
        limit = static_cast<DWORD>(size - 1);
    DWORD length = 0;
    while (length < limit && bytes[kRecordHeaderBytes + length])
        ++length;
    std::memcpy(text, bytes + kRecordHeaderBytes, length);
    text[length] = '\0';
    GlobalUnlock(record);
    ReleaseRecord(record);
    return kErrNone;
}

void CutSymbolName(char* text)
{
    char* semicolon = std::strchr(text, ';');
    if (semicolon)
        *semicolon = '\0';
}

bool TextMatchesKeyword(const char* lowerText, const char* keyword)
{
    if (!keyword[0])
        return false;
    const char* at = std::strstr(lowerText, keyword);
    return at && StartsWord(lowerText, at);
}

bool LibraryMatchesKeywords(const char* path, const char* const* keywords, int keywordCount)
{
    int store = -1;
    int secondWord = 0;
    if (OpenStoreByName(path, &store, 0, &secondWord, TRUE))
        return false;
    int count = 0;
    bool found = false;
    if (!CountGroupRecords(store, kLibraryNameGroup, &count)) {
        for (int i = 0; i < count && !found; ++i) {
            short id = 0;
            if (GetGroupRecordId(store, kLibraryNameGroup, i, &id))
                break;
            char text[kSymbolTextSize];
            if (ReadSymbolText(store, id, text, sizeof(text)))
                continue;
            LowerAscii(text);
            found = TextMatchesAny(text, keywords, keywordCount);
        }
    }
    DiscardError(CloseOrAbandonStore(store), "the store was only read");
    return found;
}

#include "frame/command_line.h"

#include <cstring>

#include "common/app_globals.h"

namespace {

const int kMaxText = kCommandPathSize - 1;
const char kEmbeddingWord[] = "Embedding";

bool EqualsIgnoringCase(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b) {
        char x = *a >= 'a' && *a <= 'z' ? static_cast<char>(*a - 32) : *a;
        char y = *b >= 'a' && *b <= 'z' ? static_cast<char>(*b - 32) : *b;
        if (x != y)
            return false;
    }
    return *a == *b;
}

// The word after a switch E runs to the next blank; only "Embedding" counts.
const char* ParseEmbeddingWord(const char* at, int* embedding)
{
    char word[kCommandPathSize];
    int length = 0;
    while (*at && *at != ' ') {
        if (length < kMaxText)
            word[length++] = *at;
        ++at;
    }
    word[length] = '\0';
    if (EqualsIgnoringCase(word, kEmbeddingWord)) {
        *embedding = 1;
        StartedForEmbedding = 1;
    }
    return at;
}

// Plain text runs to the next '/'; it fills the target only while that is empty.
const char* ParsePlainText(const char* at, char* target)
{
    const char* end = strchr(at, '/');
    if (!end)
        end = at + strlen(at);
    if (target[0] == '\0') {
        size_t length = static_cast<size_t>(end - at);
        if (length > static_cast<size_t>(kMaxText))
            length = kMaxText;
        memcpy(target, at, length);
        target[length] = '\0';
    }
    return end;
}

} // namespace

void TrimBlanks(char* text)
{
    size_t length = strlen(text);
    while (length > 0 && text[length - 1] == ' ')
        text[--length] = '\0';
    size_t lead = 0;
    while (text[lead] == ' ')
        ++lead;
    if (lead)
        memmove(text, text + lead, length - lead + 1);
}

void ParseCommandLine(const char* tail, char* file, char* optionsFile, char* printFile, int* embedding)
{
    file[0] = optionsFile[0] = printFile[0] = '\0';
    *embedding = 0;
    if (!tail)
        return;
    const char* at = tail;
    while (*at == ' ')
        ++at;
    char* target = file;
    // A '-' opens a switch only at the start and right after a switch letter.
    bool dashOpensSwitch = true;
    while (*at) {
        if (*at == '/' || (*at == '-' && dashOpensSwitch)) {
            ++at;
            if (!*at)
                break;
            switch (*at) {
            case 'E':
            case 'e':
                at = ParseEmbeddingWord(at, embedding);
                dashOpensSwitch = false;
                continue;
            case 'O':
            case 'o':
                target = optionsFile;
                break;
            case 'P':
            case 'p':
                target = printFile;
                break;
            default:
                break;
            }
            ++at;
            dashOpensSwitch = true;
            continue;
        }
        at = ParsePlainText(at, target);
        dashOpensSwitch = false;
    }
    TrimBlanks(file);
    TrimBlanks(printFile);
    TrimBlanks(optionsFile);
}

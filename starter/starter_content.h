// The libraries and templates a new installation starts with, drawn from the
// program's own shapes and lines.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "common/error_codes.h"

// One shape of a symbol, or a line (type kStarterLine) from the frame's
// top-left to its bottom-right corner; drawing units, a symbol in a square
// of 600 (an inch).
const int kStarterLine = -1;
struct StarterPart {
    int type;
    RECT frame;
};

struct StarterSymbol {
    const char* text;  // the name, then ';' and the keywords
    std::vector<StarterPart> parts;
};

struct StarterLibrary {
    const char* category;  // its folder below LIBRARY
    const char* file;      // without extension
    std::vector<StarterSymbol> symbols;
};

struct StarterTemplate {
    const char* category;  // its folder below the program's; none: the program's folder itself
    const char* file;
    std::vector<StarterPart> parts;
};

const std::vector<StarterLibrary>& StarterLibraries();
const std::vector<StarterTemplate>& StarterTemplates();

// Writes the library file (replacing one there), its thumbnail included.
ErrorCode WriteStarterLibrary(const std::string& path, const StarterLibrary& library);
ErrorCode WriteStarterTemplate(const std::string& path, const StarterTemplate& drawing);
// Writes every library below root\LIBRARY and every template below root
// (root ends in a backslash), making the folders.
ErrorCode WriteStarterContent(const std::string& root);

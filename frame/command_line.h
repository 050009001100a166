// The program's command line: a file to open, /o the options file, /p a file
// to print, and the switch Embedding when OLE starts the program.
#pragma once

// Each text holds at most 261 characters and the terminator.
const int kCommandPathSize = 262;

// Empties the three texts and the flag, parses the tail (null: nothing) and
// trims each text. The embedding flag also sets StartedForEmbedding.
void ParseCommandLine(const char* tail, char* file, char* optionsFile, char* printFile, int* embedding);
// Removes trailing, then leading blanks (only 0x20; tabs stay).
void TrimBlanks(char* text);

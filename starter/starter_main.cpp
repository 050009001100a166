// Writes the starter libraries and templates next to itself, or below the
// folder given as its argument (ending in a backslash); the build runs it
// from the program's folder.
#include <cstdio>
#include <string>

#include "libraries/template_categories.h"
#include "starter/starter_content.h"
#include "starter/starter_drawing.h"

int main(int argc, char** argv)
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    const std::string root = argc > 1 ? argv[1] : ProgramFolder();
    ErrorCode code = StartStarterModel();
    if (code == kErrNone)
        code = WriteStarterContent(root);
    std::printf("starter content in %s: %s (%d)\n", root.c_str(), code == kErrNone ? "written" : "failed",
                code.value);
    return code == kErrNone ? 0 : 1;
}

// Menu and accelerator commands: a command id's range chooses its handler.
#pragma once

enum class MenuHandler {
    kNone,
    kFile,
    kEdit,
    kView,
    kShapes,
    kLines,
    kText,
    kDraw,
    kWindow,
    kHelp,
    kLibraries,
    kStyle,            // ApplyStyleCommand(attribute, index)
    kTextColor,        // SetTextColorFromList(index)
    kBackgroundColor,  // SetBackgroundColor(index)
};

struct MenuCommandTarget {
    MenuHandler handler;
    int attribute;  // for kStyle
    int index;      // for the attribute and colour ranges
};

// The handler of a command id, with the attribute code and index of the
// attribute-list ranges.
MenuCommandTarget DecodeMenuCommand(int id);
// Runs one command; results are reported by the operations themselves.
void DispatchMenuCommand(int id);

int DoFileCommand(int id);
int DoEditCommand(int id);
int DoViewCommand(int id);
int DoShapesCommand(int id);
int DoLinesCommand(int id);
int DoTextCommand(int id);
int DoDrawCommand(int id);
int DoWindowCommand(int id);
int DoHelpCommand(int id);
int DoLibrariesCommand(int id);

// Which menu commands apply in the present state of the active document, its
// selection, its text editor and the clipboard. One set of rules serves the
// menus as they open and the dispatcher, so that a command greyed in its menu
// does nothing when it comes through its accelerator.
#pragma once
#include <windows.h>

#include <cstdint>

// What the rules look at, gathered once per popup opening or command.
struct MenuContext {
    bool helpMode = false;
    bool document = false;        // an active document with its view record
    bool drawing = false;         // the document has its drawing
    bool editorOpen = false;      // a text editor lies over an object
    bool editorFocused = false;   // and has the keyboard focus
    bool editorSelection = false; // the editor has text selected
    bool mapi = false;            // mail can be sent
    int objectCount = 0;
    int selectedCount = 0;
    uint32_t selectionFlags = 0;  // the selected objects' command bits
    int undoIndex = 0;            // the undo kind, plus 1 for its redo; 0 none
    int pasteIndex = 0;           // 0 nothing to paste, 1 text, 2 a drawing
    bool textInSelection = false; // some selected object holds text
    bool textAlignmentSet = false;
    bool textBox = false;         // the selected shapes are text boxes
    bool fillLocked = false;      // a text box without text that keeps its colours
    bool shadowHidden = false;    // the selection hides its shadow
    int shapeType = -2;           // the selected shapes' common type; -2 none
    // The selection's common attributes for the lists' checks; -2 none, -1 mixed.
    int32_t fillColour = -2;
    int32_t outlineColour = -2;
    int32_t fillMode = -2;
    int32_t outlineStyle = -2;
    int32_t outlineWidth = -2;
    int32_t lineColour = -2;
    int32_t lineStyle = -2;
    int32_t lineWidth = -2;
    int32_t textColour = -2;
    int32_t textHorizontal = -2;
    int32_t textVertical = -2;
    uint32_t drawingFlags = 0;
    int32_t backgroundColour = -2;  // the page colour, -1 none
    bool styleTextShadow = false;   // the drawing's style shadows texts
    bool textShadow = false;        // the Text menu's Shadow check
};

// The selection's command bits the rules use.
enum SelectionCommandBits : uint32_t {
    kSelLineAttributes = 0x0001,
    kSelFillable = 0x0002,
    kSelTakesText = 0x0004,
    kSelLocked = 0x0008,
    kSelArrowheads = 0x0010,
    kSelRotatable = 0x0080,
    kSelLineKinds = 0x0200,
    kSelShapes = 0x0400,
    kSelSeveralUnits = 0x1000,
    kSelGroup = 0x2000,
    kSelArrays = 0x4000,
};
// The Shapes menu's bits while text is edited.
const uint32_t kEditingShapeBits = 0x0443;

// Whether the rule of the command reads the selection's attributes.
bool RuleNeedsAttributes(int id);
// Whether the command applies; commands no rule names always do.
bool IsItemEnabled(int id, const MenuContext& context);

// Puts every item of the popup (and its submenus) in its state; a submenu is
// greyed when none of its commands applies.
void ApplyMenuRules(HMENU popup, const MenuContext& context);

// The document window makes its view, rulers and corner box, but how they
// lay out, zoom and edit belongs to view/, which registers those steps here
// at start-up; the frame fills its own table. Until then every step does
// nothing.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/error_codes.h"
#include "objects/color_style.h"

struct DocumentWindowHooks {
    // The rulers' fonts: made with the first document window, freed with the
    // options at the end of the run.
    void (*makeRulerFonts)();
    void (*freeRulerFonts)();
    // The rulers take the view's origin.
    void (*syncRulerOrigins)(HWND view);
    // Puts the view on a zoom; mode 0 fixed, 1 or 2 the fit modes.
    void (*applyZoom)(HWND view, int zoom, int mode);
    // Places the rulers, the view and its scroll bars in the document window.
    ErrorCode (*relayout)(HWND document);
    // Ends in-place text editing in the view (selectMode as EndTextEdit's).
    ErrorCode (*endTextEdit)(HWND view, int selectMode);
};

extern DocumentWindowHooks DocumentWindowCalls;

// What the documents and the views ask of the frame above them.
// The colour state of Shape Sizing: the picture colours follow the Shapes
// menu (may change), are kept, the shapes have no colours to keep, or the
// selected shapes differ. A grow rule of kGrowRuleMixed means the shapes
// differ; it comes back so when the user chose none.
const int kColoursMayChange = 0;
const int kColoursKept = 1;
const int kColoursDoNotApply = -1;
const int kColoursMixed = -2;
const int kGrowRuleMixed = -1;

struct FrameHooks {
    // The menus take their look for the document window (none: no document).
    void (*activateView)(HWND document, int activating);
    // The right-button menu of a drawing view at a point of its client area.
    void (*trackRightMenu)(HWND view, POINT point);
    // The tool-bar slot dialog; TRUE when the user confirmed.
    BOOL (*editToolSlot)(int slot);
    // The property dialogs the view's commands open; each returns 1 for OK,
    // with the value edited in place, and 0 when cancelled or refused.
    int (*editAngle)(int* angle);
    int (*editScale)(int* zoom);
    int (*editTextSizing)(int* rule);
    int (*editShapeSizing)(int* growRule, int* colourState);
    // A document window is up: the libraries it names or that are to be
    // reopened come with it.
    void (*documentOpened)(HWND document);
    // The Insert Symbol dialog: the chosen character (0 none), its font, and
    // whether that is other than the normal text font.
    int (*chooseSymbol)(LOGFONTA* font, int* notDefault);
    // Set Rulers And Grids for the view's drawing; 1 when applied.
    int (*editRulers)(HWND view);
    // Arrowheads: the common size, start and end words of the selected lines,
    // parts the lines differ in marked mixed; 1 for OK.
    int (*editArrowheads)(HGLOBAL drawing, int32_t* size, int32_t* start, int32_t* end);
    // Colors and Shadows: the drawing's style in and out, and whether the
    // colours go to the fills and to the lines; 1 for OK.
    int (*editColorStyle)(HGLOBAL drawing, ColorStyle* style, HPALETTE palette, int* toFills, int* toLines);
    // The library symbol chosen as the placing tool: its preferred size
    // (false when none is chosen), its placing into a rectangle of the view's
    // drawing, and giving up the choice when another tool is picked.
    bool (*placingSymbolSize)(SIZE* size);
    ErrorCode (*placeSymbol)(HWND view, const RECT* rect);
    void (*deselectSymbol)();
    // The template chooser (none: New goes on without one) for File > New on a path buffer of the options'
    // size (the template to start from; the choice, empty for a blank
    // drawing); 0 when cancelled.
    int (*chooseTemplate)(char* path);
};

extern FrameHooks FrameCalls;

// Save As with a picture type (101 to 106) writes the view's drawing through
// the picture writers above the documents; they show their own messages.
extern void (*ExportPictureCall)(HWND view, const char* path, int type);

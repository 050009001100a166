// The text editor's state: one movable block per editor window (window long
// 0), and the record a creator passes to CreateWindowEx for class "TENClass".
// These live in memory only; nothing here is stored.
#pragma once
#include <windows.h>

#include <cstdint>

#include "text/text_background.h"
#include "objects/text_block.h"

struct CaretPos {
    int32_t position;      // 0 .. text length
    int32_t line;
    int32_t format;
    int32_t x;             // editor's logical units
    int32_t atLineStart;   // 1 when the position is its line's first
};
static_assert(sizeof(CaretPos) == 20, "caret position");

// The part of the state one undo step saves and restores as a unit.
struct TenTextState {
    uint32_t options;          // TenOptions
    int32_t boxWidth;          // logical units, 32000 unbounded
    int32_t boxHeight;
    int32_t ownerObjectIndex;
    int32_t verticalAlignment; // 6 centre, 8 bottom, else top
    int32_t neededHeight;
    TextFormat typingFormat;
    int32_t typingFormatIndex; // -1 when set since and in no format yet
    CaretPos selectionStart;
    CaretPos selectionEnd;
    CaretPos anchor;
    int32_t textLength;
    int32_t formatCount;
    int32_t lineCount;
    int32_t runCount;
    HGLOBAL text;              // capacity at least length + 1
    HGLOBAL formats;           // TextFormat array
    HGLOBAL lines;             // TextLine array
    HGLOBAL paragraphs;        // i32 count, then TextParagraph records
    HGLOBAL runs;              // TextRun array
};

enum TenStateFlags : uint32_t {
    kTenShowsFocus = 0x01,
    kTenFitWidth = 0x02,
    kTenFitHeight = 0x04,
    kTenUndoIsRedo = 0x08,
    kTenUndoFontsStale = 0x10,
    kTenRelayoutAfterUndo = 0x20,
    kTenScrollNotify1 = 0x40,
    kTenScrollNotify2 = 0x80,
    kTenWordDrag = 0x100,
    kTenPastePlainOnly = 0x200,
    kTenAskBeforeGrowing = 0x400,
    kTenRepaintWholeBox = 0x800,
    kTenOwnerHasShadow = 0x1000,
    kTenOwnerRotated = 0x2000,
    kTenFieldMode = 0x4000,
    kTenTextOverflows = 0x8000,   // the parent was last told the text runs past its end
    kTenQuiet = 0x10000,          // lays text out unseen: its caret's format concerns nobody
};

// A creation flag: the editor only lays text out and posts its parent no
// format or selection news (each post is a trip to the window system).
const int kTenCreateQuiet = 4;

struct TenState {
    uint32_t stateFlags;       // TenStateFlags
    RECT visibleArea;
    int32_t originX;
    int32_t originY;
    RECT margins;
    int32_t maximumWidth;
    int32_t maximumHeight;
    int32_t minimumHeight;
    int32_t minimumWidth;
    int32_t heightStep;
    int32_t widthStep;
    int32_t bitmapWidth;
    int32_t bitmapHeight;
    int32_t zoom;              // per mille, 0 = 100 per cent
    TenTextState live;
    TenTextState undo;
    int32_t undoKind;
    int32_t paintedTextBottom;
    int32_t paintedBarBottom;
    int32_t breakAreaCount;
    HDC windowDC;
    HDC measuringDC;           // the creator's
    HDC offscreenDC;
    HBITMAP offscreenBitmap;
    TextBackgroundPainter backgroundCallback;
    HGLOBAL fontTable;         // the document's
    HGLOBAL fontList;          // the document's
    HGLOBAL breakAreaList;     // owned
    int32_t lastWidthChange;
    COLORREF backgroundColor;
    int32_t caretX;
    int32_t caretTop;
    int32_t caretHeight;
    int32_t labelReference;
    int32_t editorRole;
    int32_t characterFilter;
    int32_t maximumLength;
    int32_t unitsPerInch;
    int32_t defaultFace;
    HPALETTE palette;
    RECT ownerFrame;
    TextEffect effect;
    double textInsets[4];
};

struct TenCreateParams {
    HGLOBAL fontList;
    HGLOBAL fontTable;
    int32_t originX;
    int32_t originY;
    int32_t maximumWidth;
    int32_t maximumHeight;
    int32_t minimumHeight;
    int32_t minimumWidth;
    int32_t heightStep;
    int32_t widthStep;
    RECT margins;
    int32_t zoom;
    TextBackgroundPainter backgroundCallback;
    const char* initialText;   // taken only with creation flag 1
    int32_t face;
    int32_t size;
    int32_t style;
    COLORREF color;
    COLORREF backgroundColor;
    int32_t script;
    int32_t hyphenation;
    int32_t alignment;
    int32_t breakAreaCount;
    HGLOBAL breakAreaList;
    int32_t editorRole;        // 1 the in-place text of a drawing object
    int32_t characterFilter;
    int32_t maximumLength;     // 0 no limit beyond 32767
    int32_t ownerObjectIndex;
    int32_t options;
    int32_t stateFlags;
    int32_t creationFlags;     // 1 take the initial text, 2 stay hidden, kTenCreateQuiet
    HDC measuringDC;
    int32_t labelReference;
    int32_t unitsPerInch;
    int32_t verticalAlignment;
    HPALETTE palette;
    RECT ownerFrame;
    TextEffect effect;
    double textInsets[4];
};

// Text-block message flags: the whole text rather than the selection.
const uint32_t kTextBlockWholeText = 0x400;

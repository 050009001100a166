// Break areas: an optional list of stacked regions an editor's text flows
// through, with a bar between each two. The list is a movable block of
// `TextBreakArea` entries the editor owns (message 1179).
#pragma once
#include <windows.h>

#include <cstdint>

#include "text/ten_state.h"

#pragma pack(push, 4)
struct TextBreakArea {
    int32_t top;
    int32_t height;
    int32_t bottomReached;
    int32_t firstLine;
    int32_t unused1;
    int32_t unused2;
    int32_t width;            // 0: the editor's text width
};
#pragma pack(pop)
static_assert(sizeof(TextBreakArea) == 28, "break area");

// Locks the editor's break-area list for one operation; the count is
// clamped to what the block holds.
class BreakAreaView {
public:
    explicit BreakAreaView(const TenState* state);
    ~BreakAreaView();
    BreakAreaView(const BreakAreaView&) = delete;
    BreakAreaView& operator=(const BreakAreaView&) = delete;
    TextBreakArea* areas() const { return areas_; }
    int count() const { return count_; }
    explicit operator bool() const { return areas_ != nullptr && count_ > 0; }

private:
    HGLOBAL handle_ = nullptr;
    TextBreakArea* areas_ = nullptr;
    int count_ = 0;
};

// Stacks laid-out lines one by one over the areas.
class BreakAreaStacker {
public:
    // Starts in area `startArea`; its first line gets the flags of a line
    // that begins a later area.
    BreakAreaStacker(TextBreakArea* areas, int count, int barHeight, int startArea);
    int Area() const { return index_; }
    // The text width of the area the next line goes to.
    int NextWidth(bool breakBefore, int editorWidth) const;
    int WidthOf(int area, int editorWidth) const;
    // Places line `lineIndex` (its top proposed by the line before); true
    // when it went into another area than the line before.
    bool Place(TextLine* line, int lineIndex, bool breakBefore, int proposedTop);
    // Grows the current area by a placed line.
    void Grow(const TextLine& line);
    // The areas the text did not reach stand empty below it.
    void Finish(int lineCount);

private:
    void Enter(int area, int firstLine);
    int NominalBottom(int area) const { return areas_[area].top + areas_[area].height; }

    TextBreakArea* areas_;
    int count_;
    int bar_;
    int index_;
    bool hasLines_ = false;
    bool advance_ = false;      // the area ended at its nominal bottom
    bool startFlags_ = false;
};

// The top of the line after `line` within its paragraph flow: its height,
// the paragraph's spacing and the room of a rule below a paragraph.
int FollowingLineTop(const TextLine& line, const TextFormat* formats, int formatCount, int textLength,
                     const TextParagraph* paragraphs, int paragraphCount, int unitsPerInch);
// True when the line begins a paragraph whose format asks for a new area.
bool LineBreaksBefore(const TextLine* lines, int lineIndex, const TextFormat* formats, int formatCount);

// Re-stacks lines from the first line of area `areaIndex` to `lastLine`
// over the areas without breaking them again.
void PlaceBreakAreas(TenState* state, int areaIndex, TextBreakArea* areas, TextLine* lines, int lastLine,
                     const TextFormat* formats, const TextParagraph* paragraphs, int paragraphCount);

// What the text's bottom means for the parent: the end of the last area
// (0x7fff without areas) and whether the text has run more than 200 units
// past the areas.
int BreakAreasEnd(const TextBreakArea* areas, int count);
bool TextRanPastAreas(const TextBreakArea* areas, int count, const TextLine& lastLine);

#include "text/break_areas.h"

#include "text/ten_startup.h"
#include "text/text_measure.h"

BreakAreaView::BreakAreaView(const TenState* state)
{
    if (!state->breakAreaList || state->breakAreaCount <= 0)
        return;
    handle_ = state->breakAreaList;
    areas_ = static_cast<TextBreakArea*>(GlobalLock(handle_));
    if (!areas_)
        return;
    const SIZE_T capacity = GlobalSize(handle_) / sizeof(TextBreakArea);
    count_ = static_cast<SIZE_T>(state->breakAreaCount) > capacity ? static_cast<int>(capacity)
                                                                     : state->breakAreaCount;
}

BreakAreaView::~BreakAreaView()
{
    if (areas_)
        GlobalUnlock(handle_);
}

BreakAreaStacker::BreakAreaStacker(TextBreakArea* areas, int count, int barHeight, int startArea)
    : areas_(areas), count_(count), bar_(barHeight), index_(startArea)
{
    if (index_ < 0 || index_ >= count_)
        index_ = 0;
    startFlags_ = index_ > 0;
    if (index_ == 0)
        areas_[0].firstLine = 0;
    TextBreakArea& area = areas_[index_];
    if (index_ > 0)
        area.top = areas_[index_ - 1].bottomReached + bar_;
    area.bottomReached = area.top;
}

int BreakAreaStacker::WidthOf(int area, int editorWidth) const
{
    if (area < 0 || area >= count_ || areas_[area].width <= 0)
        return editorWidth;
    return areas_[area].width;
}

int BreakAreaStacker::NextWidth(bool breakBefore, int editorWidth) const
{
    const bool next = index_ + 1 < count_ && (advance_ || (breakBefore && hasLines_));
    return WidthOf(next ? index_ + 1 : index_, editorWidth);
}

void BreakAreaStacker::Enter(int area, int firstLine)
{
    areas_[area].top = areas_[index_].bottomReached + bar_;
    areas_[area].bottomReached = areas_[area].top;
    areas_[area].firstLine = firstLine;
    index_ = area;
    hasLines_ = false;
}

bool BreakAreaStacker::Place(TextLine* line, int lineIndex, bool breakBefore, int proposedTop)
{
    line->flags &= ~static_cast<uint32_t>(kLineBeginsBreakArea | kLineFirstOfLaterArea);
    bool moved = false;
    if (startFlags_) {
        // The first line of a later area keeps its place at the area's top.
        startFlags_ = false;
        areas_[index_].firstLine = lineIndex;
        line->top = areas_[index_].top;
        line->flags |= kLineFirstOfLaterArea | (breakBefore ? static_cast<uint32_t>(kLineBeginsBreakArea) : 0u);
    } else if (index_ + 1 < count_ && (advance_ || (breakBefore && hasLines_))) {
        Enter(index_ + 1, lineIndex);
        line->top = areas_[index_].top;
        line->flags |= kLineFirstOfLaterArea | (breakBefore ? static_cast<uint32_t>(kLineBeginsBreakArea) : 0u);
        moved = true;
    } else {
        line->top = proposedTop;
    }
    advance_ = false;
    if (index_ + 1 < count_ && line->top + line->height > NominalBottom(index_)) {
        if (hasLines_) {
            // The line opens the next area, one bar lower.
            areas_[index_].bottomReached = line->top;
            Enter(index_ + 1, lineIndex);
            line->top = areas_[index_].top;
            line->flags |= kLineFirstOfLaterArea;
            moved = true;
        }
        // A line that opens its area stays; the area ends after it.
        if (line->top + line->height > NominalBottom(index_) && index_ + 1 < count_) {
            if (areas_[index_].bottomReached < NominalBottom(index_))
                areas_[index_].bottomReached = NominalBottom(index_);
            advance_ = true;
        }
    }
    hasLines_ = true;
    return moved;
}

void BreakAreaStacker::Grow(const TextLine& line)
{
    TextBreakArea& area = areas_[index_];
    int bottom = line.top + line.height;
    // Text past the last area overflows it: the area itself ends where it ends.
    if (index_ == count_ - 1 && bottom > NominalBottom(index_))
        bottom = NominalBottom(index_) > area.top ? NominalBottom(index_) : area.top;
    if (bottom > area.bottomReached)
        area.bottomReached = bottom;
}

void BreakAreaStacker::Finish(int lineCount)
{
    while (index_ + 1 < count_)
        Enter(index_ + 1, lineCount);
}

int FollowingLineTop(const TextLine& line, const TextFormat* formats, int formatCount, int textLength,
                     const TextParagraph* paragraphs, int paragraphCount, int unitsPerInch)
{
    int top = line.top + line.height;
    if (!formats || formatCount <= 0)
        return top;
    const int position = line.firstPosition + line.length;
    int index = FindFormatAt(position, formats, formatCount);
    if (index < 0)
        index = 0;
    while (index > 0 && position >= textLength && formats[index].length <= 0)
        --index;
    const TextFormat& format = formats[index];
    const TextParagraph& paragraph = GetTextParagraph(paragraphs, paragraphCount, format.paragraphIndex);
    top += paragraph.spacingPercent * line.height / 100 + paragraph.spacingExtra;
    if ((line.flags & kLineEndsParagraph) && (format.flags & (kFormatRuleBelow1 | kFormatRuleBelow2)))
        top += unitsPerInch * 5 / 100;
    return top;
}

bool LineBreaksBefore(const TextLine* lines, int lineIndex, const TextFormat* formats, int formatCount)
{
    if (lineIndex <= 0 || !(lines[lineIndex - 1].flags & kLineEndsParagraph) || formatCount <= 0)
        return false;
    int index = FindFormatAt(lines[lineIndex].firstPosition, formats, formatCount);
    if (index < 0)
        index = 0;
    return (formats[index].flags & kFormatNewBreakArea) != 0;
}

void PlaceBreakAreas(TenState* state, int areaIndex, TextBreakArea* areas, TextLine* lines, int lastLine,
                     const TextFormat* formats, const TextParagraph* paragraphs, int paragraphCount)
{
    const int count = state->breakAreaCount;
    if (!areas || count <= 0 || !lines || lastLine < 0)
        return;
    if (areaIndex < 0 || areaIndex >= count)
        areaIndex = 0;
    int first = areaIndex == 0 ? 0 : areas[areaIndex].firstLine;
    if (first < 0 || first > lastLine) {
        areaIndex = 0;
        first = 0;
    }
    const int units = state->unitsPerInch > 0 ? state->unitsPerInch : 600;
    const int formatCount = state->live.formatCount;
    const int textLength = state->live.textLength;
    BreakAreaStacker stacker(areas, count, BreakBarHeight, areaIndex);
    int top = first == 0 ? state->margins.top : areas[areaIndex].top;
    for (int i = first; i <= lastLine; ++i) {
        stacker.Place(&lines[i], i, LineBreaksBefore(lines, i, formats, formatCount), top);
        stacker.Grow(lines[i]);
        top = FollowingLineTop(lines[i], formats, formatCount, textLength, paragraphs, paragraphCount, units);
    }
    stacker.Finish(lastLine + 1);
}

int BreakAreasEnd(const TextBreakArea* areas, int count)
{
    if (!areas || count <= 0)
        return 0x7fff;
    return areas[count - 1].top + areas[count - 1].height;
}

bool TextRanPastAreas(const TextBreakArea* areas, int count, const TextLine& lastLine)
{
    if (!areas || count <= 0)
        return false;
    const TextBreakArea& area = areas[count - 1];
    return lastLine.top + lastLine.height > area.top + area.height && lastLine.top > area.bottomReached + 200;
}

// Length labels: the measured length of a straight line or connector written
// into its own text in the drawing's ruler unit, and kept up to date.
#pragma once
#include <windows.h>

#include <string>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

// The fields of a drawing's ruler scale this code reads.
struct RulerScaleView {
    int32_t inchFlag;
    double unitsPerMajor;
    double labelPerMajor;
    int32_t lengthUnit;     // 1 inches, 2 feet, 3 mm, 4 cm, 5 m
};
RulerScaleView ReadRulerScale(const DrawingRecord* drawing);

// The number text and unit text of a length in drawing units.
void FormatLength(const RulerScaleView& scale, double length, char* numberText, char* unitText);

// The label text after a new length: the first run of digits, full stops
// (and the mark) is replaced, together with the unit that follows it, by the
// number and unit; a unit standing after a blank is replaced too. Without a
// number the length goes in front. `oldUnit` (empty: the same as `unit`) is
// the unit text the label carried before.
std::string ReplaceLengthInText(const std::string& text, const std::string& number, const std::string& unit,
                                char mark, const std::string& oldUnit = std::string());

// A text block holding only `text` in the drawing's default text format, one
// paragraph of the alignment; null when out of memory.
HGLOBAL NewPlainTextBlock(const DrawingRecord* drawing, const std::string& text, int alignment);

// Writes the object's length into its text in FormatLength's number and
// unit. Unit mode -1: the label carries that unit already; 0..5: the label was
// written in that unit, whose text gives way to the new one. 1 without a view
// record.
ErrorCode UpdateLengthLabel(DrawingRecord* drawing, void* table, int index, int unitMode);
// Message 82 of straight lines and connectors: the second word nonzero
// switches the label off, else on with the unit mode of the first word.
ErrorCode ShowLineLength(DrawingRecord* drawing, void* table, int index, const int32_t* value);

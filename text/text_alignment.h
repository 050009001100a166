// Alignment codes of paragraphs (across) and of a text in its box (down);
// the values are the stored ones.
#pragma once

const int kTextAlignLeft = 0;
const int kTextAlignRight = 2;
const int kTextAlignCentre = 6;
const int kTextAlignJustify = 32;

const int kTextPlaceTop = 0;
const int kTextPlaceMiddle = 6;
const int kTextPlaceBottom = 8;

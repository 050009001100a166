// How an object's text and its frame size each other (DrawingObject::textBoxWord).
#pragma once

// The text wraps inside the frame; the frame grows when the text overflows.
const int kTextSizingInFrame = 0;
// The frame fits the text's lines, which do not wrap.
const int kTextSizingFitsLines = 1;
// The frame's width stays; its height fits the wrapped text.
const int kTextSizingFitsHeight = 2;

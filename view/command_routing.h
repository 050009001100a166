// Text format commands sent to the open text editor or to the selection.
#pragma once

int SetTypeface();
// horizontal 20..23 (left, right, centre, flush), vertical 18..20 (top, middle, bottom).
int SetTextAlignment(int horizontal, int vertical);
int SetBulletStyle(int bullet);
int InsertSymbol();
// Tenths of a degree; -1 asks for the angle.
int RotateSelection(int angle);
int SetTextColorFromList(int index);

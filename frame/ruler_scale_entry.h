// The number typed after "Show:" in the rulers dialog, brought into range and
// turned into the spacing and label step of the rulers' major divisions.
#pragma once

struct TypedRulerScale {
    double shown;           // the field's value, 0.01 .. 100, two decimals
    double unitsPerMajor;   // spacing of the major divisions
    double labelStep;       // label value per major division
};

TypedRulerScale ScaleFromTyped(double typed);
// The scale the field shows for stored settings: label step x spacing / 100.
double ShownRulerScale(double labelStep, double unitsPerMajor);

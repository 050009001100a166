// The adjustable parameter of each shape type: default and range.
#pragma once

struct ShapeParameterRange {
    double defaultValue;
    double minimum;
    double maximum;
};
static_assert(sizeof(ShapeParameterRange) == 24, "three doubles");

// Fills the range of a shape type (kind message 52); returns 0.
int GetShapeParameterDefaults(int shapeType, ShapeParameterRange* range);

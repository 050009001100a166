// The drawing fixture of the objects tests, built into this program too.
#include "objects/drawing_fixture.cpp"

#pragma once

// The value at X of the straight line through (X1, Y1) and (X2, Y2), in single precision.
// When X1 and X2 are equal there is no line: the user is told "Division durch Null!" and the result is 0.
// One function for the evaluation's crossings and the drawing toolkit's clipped segments.
float LININT(float X1, float X2, float X, float Y1, float Y2);

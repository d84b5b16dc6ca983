#pragma once

// r(angle) = 120 * sqrt((0.559 - 0.111 cos angle) (1 - cos angle)), angle in degrees.
double FormulaValue(double angle);

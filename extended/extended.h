#pragma once

// The one extended type the core computes in: 64-bit significand, rounding to
// nearest with ties to even, the 15-bit exponent range with its subnormals.
// The build picks the backend (x87 or mpfr) by the folder it puts on the
// include path; both give the same bits for every operation.
#include "extended_backend.h"

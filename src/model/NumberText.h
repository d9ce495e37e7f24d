#pragma once

// The text of a number stored as a double in a spreadsheet cell.
//
// Integral values below 1e15 in magnitude are plain integers ("1", "-12", "0"
// also for -0.0). Every other value is the shortest text that reads back as
// the same double: exponent form ("1e-05", "1.5e+20", at least two exponent
// digits) when the decimal exponent is below -4 or at least 15, positional
// otherwise ("0.1", "123.456"). Infinities and NaN are "inf", "-inf", "nan".

#include <string>

namespace tamsel {

std::string numberText(double value);

}  // namespace tamsel

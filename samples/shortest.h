#pragma once

// For C++ libraries without std::to_chars for double (Emscripten's): the text
// std::to_chars(first, last, number) writes, into at least 25 characters at
// out; returns its end. That is the shortest text that reads back to the very
// double, the nearest to it of those, ties to an even last digit, in fixed
// form unless the exponent form is shorter; "inf", "nan", a sign if negative.
char* WriteShortest(char* out, double number);

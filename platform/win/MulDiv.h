#pragma once

namespace win {

// a * b / c with a 64-bit product, rounded to the nearest integer (halves away from zero). A zero
// divisor or a result beyond 32 bits gives -1.
int MulDiv(int a, int b, int c);

} // namespace win

// The preview's arithmetic: rounding of reported positions and the play bar's scale. Plain
// functions so a table of cases can check them without a player or a window.
#pragma once

#include <QtGlobal>

namespace preview {

// A position in seconds rounded to the nearest whole second, halves to even (2.5 -> 2,
// 3.5 -> 4); values beyond the 32-bit range are clamped, NaN gives 0.
qint32 RoundSeconds(double seconds);

// a * b / c with a 64-bit intermediate, rounded to the nearest integer (halves away from zero);
// -1 when c is 0 or the result does not fit 32 bits.
qint32 MulDiv(qint32 a, qint32 b, qint32 c);

} // namespace preview

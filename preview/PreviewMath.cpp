#include "preview/PreviewMath.h"

#include <cmath>
#include <limits>

namespace preview {

qint32 RoundSeconds(double seconds)
{
    if (std::isnan(seconds))
        return 0;
    // nearbyint rounds halves to even under the default rounding mode.
    const double r = std::nearbyint(seconds);
    if (r >= double(std::numeric_limits<qint32>::max()))
        return std::numeric_limits<qint32>::max();
    if (r <= double(std::numeric_limits<qint32>::min()))
        return std::numeric_limits<qint32>::min();
    return qint32(r);
}

qint32 MulDiv(qint32 a, qint32 b, qint32 c)
{
    if (c == 0)
        return -1;
    const qint64 product = qint64(a) * qint64(b);
    const bool negative = (product < 0) != (c < 0);
    const quint64 num = quint64(product < 0 ? -product : product);
    const quint64 den = quint64(c < 0 ? -qint64(c) : qint64(c));
    const quint64 q = (num + den / 2) / den;
    if (q > quint64(std::numeric_limits<qint32>::max()) + (negative ? 1 : 0))
        return -1;
    return negative ? qint32(-qint64(q)) : qint32(q);
}

} // namespace preview

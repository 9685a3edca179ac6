// Comparing pictures in tests: how many pixels two pictures of one size differ in.
#pragma once

#include <QImage>

inline int differingPixels(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

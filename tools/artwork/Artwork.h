// The artwork generator's parts. Each draws its pictures below the program directory `out`
// (with a trailing "/") and returns false after printing what went wrong.
#pragma once

#include <QString>

namespace artwork {

bool drawCategoryIcons(const QString& out); // images/main/1.bmp .. 14.bmp
bool drawSkin(const QString& out);          // skn.skn and the face's pictures
bool drawPicker(const QString& out);        // images/main/general|move, images/sub/general|move
bool drawIcons(const QString& out);         // desktop icons at several sizes

} // namespace artwork

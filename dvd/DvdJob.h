// What a DVD job adds to the conversion core's pieces: its output name, made from the row's
// caption with the conversion's numbering rule.
#pragma once

#include <QString>

#include <functional>

namespace dvd {

// folder + the caption without its leading blanks + extension; while that is taken,
// folder + the caption as shown + "_" + n + extension for n = 1, 2, ...
QString DvdOutputPath(const QString& folder, const QString& caption, const QString& extension,
                      const std::function<bool(const QString&)>& exists);

} // namespace dvd

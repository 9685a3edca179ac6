// The "DeepBlue" style sheet: drop-down lists, popup menus (items 21 px, separators 5 px), the
// list, edit box, progress bar and the dialogs in the colours of the skin's dark-blue face.
#pragma once

#include <QString>

namespace deepblue {

inline constexpr int MenuItemHeight = 21;
inline constexpr int MenuSeparatorHeight = 5;

// The sheet; its arrow pictures are read from `programDir` + "skin/".
QString styleSheet(const QString& programDir);

} // namespace deepblue

// The dark-blue theme every picture of the program is drawn in.
#pragma once

#include <QColor>

namespace theme {

inline const QColor Background(0x14, 0x22, 0x3d);      // window face
inline const QColor Panel(0x1c, 0x2f, 0x52);           // raised areas, picker panels
inline const QColor PanelLight(0x27, 0x40, 0x6d);      // gradients' light end
inline const QColor Border(0x3a, 0x5a, 0x92);
inline const QColor Accent(0x3d, 0x9b, 0xff);          // highlights, hover
inline const QColor AccentDark(0x1f, 0x5f, 0xb0);      // pressed
inline const QColor Text(0xe8, 0xf0, 0xff);
inline const QColor TextDim(0x9d, 0xb2, 0xd6);
inline const QColor Disabled(0x5b, 0x6b, 0x88);
inline const QColor Well(0x0c, 0x16, 0x2a);            // recessed fields: list, edit box, tracks
inline const QColor WellAlt(0x10, 0x1d, 0x36);         // alternate rows in wells
inline const QColor Warm(0xff, 0xb3, 0x40);            // the convert button's glow

} // namespace theme

// The profile picker's pictures: category images, button pictures (normal and highlighted),
// page links and fillers. Each text is laid out against its rectangle first, so a test can
// check that every label is drawn whole.
#pragma once

#include "profiles/PickerLayout.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>

namespace pickerart {

// One line of text as drawn: the text after fitting, its font and its rectangle in the picture.
struct TextLine {
    QString wanted;  // the text meant to be shown
    QString text;    // what is drawn (differs from `wanted` only when it had to be elided)
    QFont font;
    QRect rect;
    QColor colour;
};

// The lines of button n's picture (none for the unnamed fill pieces).
QList<TextLine> buttonLines(int n, bool highlighted);
QList<TextLine> categoryLines(int c, bool highlighted);
QList<TextLine> linkLines(picker::PageLink link);
QList<TextLine> stripLines(int panel);
QList<TextLine> fillerLines();

QImage buttonPicture(int n, bool highlighted);
QImage categoryPicture(int c, bool highlighted);
QImage linkPicture(picker::PageLink link);
QImage stripPicture(int panel);
QImage fillerPicture();

} // namespace pickerart

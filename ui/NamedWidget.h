// Creating a control the way the forms do: a child under its object name at its designed place.
#pragma once

#include <QLatin1String>
#include <QWidget>

template <typename W>
W* makeNamed(QWidget* parent, const char* name, int x, int y, int w, int h)
{
    auto* widget = new W(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(x, y, w, h);
    return widget;
}

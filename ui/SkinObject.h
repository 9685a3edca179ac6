// A named object of the skin with the facets the system uses: text, redraw and slider.
#pragma once

#include <QString>

class SkinObject {
public:
    virtual ~SkinObject() = default;
    virtual QString name() const = 0;
    virtual void setText(const QString& text) = 0;  // text facet
    virtual void redraw() = 0;                      // redraw facet
    virtual void setPosition(int position) = 0;     // slider facet, 0..10000
    virtual int position() const = 0;
};

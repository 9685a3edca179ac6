// A snapshot of the three option boxes, taken by the window and handed to the arithmetic and
// the command builder, which never touch a widget.
#pragma once

#include <QString>

struct BoxState {
    bool enabled = true;
    int index = -1;  // selected item, -1 when none
    int count = 0;   // number of items
    QString text;    // text of the selected item
    // "The last item is selected": a test by position, whatever the item's text.
    bool lastSelected() const { return index >= 0 && index == count - 1; }
};

struct OptionBoxes {
    BoxState size;   // cb_size
    BoxState video;  // cb_videobitrate
    BoxState audio;  // cb_audiobitrate
};

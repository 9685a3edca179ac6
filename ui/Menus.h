// The three popup menus of the main window: their items in menu order (a separator is "-"),
// the named command each item runs, and where each menu opens for each brand.
#pragma once

#include <QPoint>
#include <QString>

#include <array>
#include <span>

class QMenu;
class QWidget;

namespace menus {

struct Item {
    const char* text;     // "-" for a separator
    const char* command;  // a name of the command table
};

inline constexpr std::array<Item, 10> PopFile = {{
    {"Add Files", "openfiles"}, {"Add Folder", "openfolder"}, {"-", nullptr},
    {"Remove", "remove"}, {"Clear", "clear"}, {"-", nullptr},
    {"Convert", "converter"}, {"Stop", "stopconverter"}, {"-", nullptr},
    {"Exit", "exit"},
}};

inline constexpr std::array<Item, 10> PopDvd = {{
    {"Add DVD", "dvdopen"}, {"Add IFO", "ifoopen"}, {"-", nullptr},
    {"Select All", "selectall"}, {"Unselect ALL", "unselectall"}, {"-", nullptr},
    {"Convert", "converter"}, {"Stop", "stopconverter"}, {"-", nullptr},
    {"Exit", "exit"},
}};

inline constexpr std::array<Item, 6> PopHelp = {{
    {"Help", "website"}, {"Our Website", "website"}, {"Support", "support"},
    {"Contact us", "support"}, {"-", nullptr}, {"About", "about"},
}};

struct Popup {
    const char* object;  // the skin object that opens it
    const char* menu;    // the menu's object name
    std::span<const Item> items;
    QPoint defaultOffset; // from the main window's top-left corner
    QPoint vemraOffset;
};

inline const std::array<Popup, 3> Popups = {{
    {"help", "pop_help", PopHelp, {362, 54}, {366, 64}},
    {"file", "pop_file", PopFile, {76, 54}, {85, 64}},
    {"dvdfile", "pop_dvd", PopDvd, {76, 54}, {85, 64}},
}};

// Builds a menu with `parent`'s style; each item's data is its command name.
QMenu* build(const Popup& popup, QWidget* parent);

} // namespace menus

// The skin file "skn.skn": a JSON text naming skin forms, each with one or more layouts (a
// background picture and named objects with rectangles). Reading reports the first fault with
// the file's line, and loads every picture the form refers to. docs/skin-format.md has the format.
#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <optional>

namespace skin {

enum class ObjectType { Button, Text, Slider, Area };

// What the host does itself when the object is used; None hands the events to the listeners.
enum class WindowAction { None, Drag, Minimize, Close };

enum ButtonState { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };

struct ObjectDef {
    QString name;
    ObjectType type = ObjectType::Area;
    QRect rect;
    WindowAction action = WindowAction::None;
    int line = 0;  // where the object is defined, for messages

    std::array<QImage, 4> pictures;  // button: by ButtonState
    QImage track, thumb, thumbHover; // slider
    QString text;                    // text: initial text
    QString fontFamily = QStringLiteral("DejaVu Sans");
    double fontSize = 9;
    bool bold = false;
    QColor color = Qt::white;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
};

struct LayoutDef {
    QString name;
    QImage background;
    QList<ObjectDef> objects;  // in drawing order: later objects lie on top
};

struct FormDef {
    QString name;
    QSize size;
    QList<LayoutDef> layouts;  // the first one is the fallback
};

// Reads `formName` from the skin file at `path`. Pictures are named relative to the file's
// folder. On failure returns nothing and sets `error` to one message naming the file and,
// where there is one, the line.
std::optional<FormDef> readSkinForm(const QString& path, const QString& formName, QString* error);

} // namespace skin

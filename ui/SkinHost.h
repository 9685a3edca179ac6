// The skin host: draws the face of the frameless main window from "skn.skn" and reports mouse
// events per named skin object. It also offers the display objects' facets (SkinObject) and
// what a frameless window needs: a strip to drag it, minimise and close.
#pragma once

#include "ui/SkinFile.h"
#include "ui/SkinObject.h"

#include <QWidget>

#include <map>
#include <memory>
#include <optional>

class SkinHost : public QWidget {
    Q_OBJECT
public:
    explicit SkinHost(QWidget* window);
    ~SkinHost() override;

    // Loads the skin file and applies the named form to the window. On failure returns false
    // with one message naming the file (and line); the window keeps a plain face.
    bool loadSkin(const QString& path, const QString& formName, QString* error);
    bool isLoaded() const { return loaded_; }

    // Shows the form's layout of that name, or its first layout when it has none of that name.
    void applyLayout(const QString& layoutName);
    QString layoutName() const;

    // The named object, or nullptr when the skin has none of that name. The handle stays valid
    // for the host's lifetime, across layout changes.
    SkinObject* findObject(const QString& name);

    // The active layout's objects, in drawing order, and their rectangles (empty when absent).
    QStringList objectNames() const;
    QRect objectRect(const QString& name) const;
    // What a text object shows (its text facet's last value).
    QString objectText(const QString& name) const;

    // A disabled button shows its disabled picture and reports no click.
    void setObjectEnabled(const QString& name, bool enabled);
    bool isObjectEnabled(const QString& name) const;

    // Called while a mouse-down on a slider is being reported: the slider then follows the
    // mouse until the button is released (the mouse-up is reported after the last move).
    void trackSlider();

signals:
    void clicked(const QString& name);
    void mouseDown(const QString& name, Qt::MouseButton button, int x, int y);
    void mouseUp(const QString& name, Qt::MouseButton button, int x, int y);
    // An empty name: the mouse is over no object (the bare face).
    void mouseMoved(const QString& name, int x, int y);
    void closeRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    class Handle;

    const skin::LayoutDef& layout() const;
    int objectAt(QPoint p) const;  // index in the active layout, or -1
    const skin::ObjectDef* objectDef(const QString& name) const;
    Handle* handle(const QString& name) const;
    void repaintObject(int index);
    void setHovered(int index);
    void followSlider(int x);
    void usePlainFace();

    bool loaded_ = false;
    skin::FormDef form_;
    int layoutIndex_ = 0;
    std::map<QString, std::unique_ptr<Handle>> handles_;
    int hovered_ = -1;
    int pressed_ = -1;
    bool trackRequested_ = false;
    bool trackingSlider_ = false;
    std::optional<QPoint> dragOffset_;  // set while the window is moved by hand
};

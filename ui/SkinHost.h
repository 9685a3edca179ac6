// The skin host: draws the face of the frameless main window from "skn.skn" and reports mouse
// events per named skin object. It also offers the display objects' facets (SkinObject).
#pragma once

#include "ui/SkinObject.h"

#include <QWidget>

class SkinHost : public QWidget {
    Q_OBJECT
public:
    explicit SkinHost(QWidget* window);
    ~SkinHost() override;

    // Loads the skin file and applies the named form to the window. On failure returns false
    // with one message naming the file (and line); the window keeps a plain face.
    bool loadSkin(const QString& path, const QString& formName, QString* error);

    // The named object, or nullptr when the skin has none of that name.
    SkinObject* findObject(const QString& name);

signals:
    void clicked(const QString& name);
    void mouseDown(const QString& name, Qt::MouseButton button, int x, int y);
    void mouseUp(const QString& name, Qt::MouseButton button, int x, int y);
    void mouseMoved(const QString& name, int x, int y);
    void closeRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
};

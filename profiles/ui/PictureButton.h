// A picture that acts as a button: it shows whatever picture it is given, reports mouse moves
// over it (with mouse tracking, as a hover) and a left click released inside it.
#pragma once

#include <QPixmap>
#include <QWidget>

class PictureButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool highlighted READ highlighted)
public:
    // A button that does not react shows its picture and lets the mouse pass to its panel.
    PictureButton(QWidget* parent, const QString& objectName, const QRect& geometry, bool reacts);

    // A null picture leaves the button blank (its panel shows through).
    void setPicture(const QPixmap& picture, bool highlighted);
    const QPixmap& picture() const { return picture_; }
    bool highlighted() const { return highlighted_; }

signals:
    void hovered();
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap picture_;
    bool highlighted_ = false;
    bool reacts_;
    bool pressed_ = false;
};

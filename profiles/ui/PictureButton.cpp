#include "profiles/ui/PictureButton.h"

#include <QMouseEvent>
#include <QPainter>

PictureButton::PictureButton(QWidget* parent, const QString& objectName, const QRect& geometry, bool reacts)
    : QWidget(parent), reacts_(reacts)
{
    setObjectName(objectName);
    setGeometry(geometry);
    setMouseTracking(reacts);
    if (!reacts)
        setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PictureButton::setPicture(const QPixmap& picture, bool highlighted)
{
    picture_ = picture;
    highlighted_ = highlighted;
    update();
}

void PictureButton::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

void PictureButton::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    emit hovered();
}

void PictureButton::mousePressEvent(QMouseEvent* event)
{
    // Accepted so that the press closes nothing behind the picker.
    event->accept();
    if (event->button() == Qt::LeftButton)
        pressed_ = true;
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        emit clicked();
}

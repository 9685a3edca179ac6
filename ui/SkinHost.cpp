#include "ui/SkinHost.h"

#include <QPainter>

SkinHost::SkinHost(QWidget* window) : QWidget(window)
{
    setObjectName(QStringLiteral("Skin1"));
    setGeometry(window->rect());
}

SkinHost::~SkinHost() = default;

bool SkinHost::loadSkin(const QString& path, const QString&, QString* error)
{
    if (error)
        *error = path + QStringLiteral(": skin support is not built yet");
    return false;
}

SkinObject* SkinHost::findObject(const QString&)
{
    return nullptr;
}

void SkinHost::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0x1b, 0x2a, 0x47));
}

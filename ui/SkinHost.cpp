#include "ui/SkinHost.h"

#include <QPainter>

SkinHost::SkinHost(QWidget* window) : QWidget(window)
{
    setObjectName(QStringLiteral("Skin1"));
    setGeometry(window->rect());
}

SkinHost::~SkinHost() = default;

bool SkinHost::loadSkin(const QString&, const QString&, QString*)
{
    return true;  // plain face until the skin engine lands
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

#include "ui/Menus.h"

#include <QMenu>

namespace menus {

QMenu* build(const Popup& popup, QWidget* parent)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(QLatin1String(popup.menu));
    for (const Item& item : popup.items) {
        if (QLatin1String(item.text) == QLatin1String("-")) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QLatin1String(item.text));
        action->setData(QLatin1String(item.command));
    }
    return menu;
}

} // namespace menus

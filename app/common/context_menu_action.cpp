#include "common/context_menu_action.h"

#include <QAction>
#include <QWidget>

QAction* addContextMenuAction(QWidget* widget, const char* name, const QString& text)
{
    widget->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* action = new QAction(text, widget);
    action->setObjectName(QString::fromLatin1(name));
    widget->addAction(action);
    return action;
}

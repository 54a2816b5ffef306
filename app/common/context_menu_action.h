#pragma once

#include <QString>

class QAction;
class QWidget;

/// Adds an item to `widget`'s context menu (its actions, shown on a right click) and returns it,
/// named `name` for tests and for the items that follow to find it.
QAction* addContextMenuAction(QWidget* widget, const char* name, const QString& text);

#include "shell/tool_window_registry.h"

#include <utility>

ToolWindowRegistry::ToolWindowRegistry(QWidget* owner) : QObject(owner), owner_(owner) {}

void ToolWindowRegistry::registerFactory(const QString& key, Factory factory)
{
    factories_.insert(key, std::move(factory));
    emit factoriesChanged();
}

bool ToolWindowRegistry::has(const QString& key) const
{
    return factories_.contains(key);
}

QWidget* ToolWindowRegistry::ensure(const QString& key)
{
    if (QWidget* existing = window(key))
        return existing;
    const auto factory = factories_.constFind(key);
    if (factory == factories_.constEnd())
        return nullptr;
    QWidget* created = (*factory)(owner_);
    // A tool window is a window of its own that stays with the main window, not a child view.
    created->setWindowFlag(Qt::Window);
    windows_.insert(key, created);
    return created;
}

QWidget* ToolWindowRegistry::show(const QString& key)
{
    QWidget* w = ensure(key);
    if (w) {
        w->show();
        w->raise();
        w->activateWindow();
    }
    return w;
}

QWidget* ToolWindowRegistry::window(const QString& key) const
{
    return windows_.value(key).data();
}

void ToolWindowRegistry::closeAll()
{
    const auto windows = std::exchange(windows_, {});
    for (const QPointer<QWidget>& w : windows) {
        if (w) {
            w->close();
            delete w.data();
        }
    }
}

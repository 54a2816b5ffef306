#include "shell/tool_window_registry.h"

#include "common/app_settings.h"
#include "common/unsaved_result.h"

#include <QCloseEvent>
#include <QKeyEvent>

#include <algorithm>
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
    AppSettings::restoreGeometry(*created, key);
    created->installEventFilter(this);
    windows_.insert(key, created);
    return created;
}

QWidget* ToolWindowRegistry::show(const QString& key)
{
    QWidget* w = ensure(key);
    if (w) {
        w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
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

bool ToolWindowRegistry::anyShown() const
{
    return std::any_of(windows_.cbegin(), windows_.cend(),
                       [](const QPointer<QWidget>& w) { return w && w->isVisible(); });
}

QStringList ToolWindowRegistry::unsavedResults() const
{
    QStringList results;
    for (const QPointer<QWidget>& w : windows_)
        if (const auto* holder = dynamic_cast<const UnsavedResult*>(w.data());
            holder && !holder->unsavedResult().isEmpty())
            results.append(holder->unsavedResult());
    return results;
}

void ToolWindowRegistry::closeAll()
{
    const auto windows = std::exchange(windows_, {});
    for (auto entry = windows.cbegin(); entry != windows.cend(); ++entry) {
        QWidget* w = entry.value().data();
        if (!w)
            continue;
        if (w->isVisible())
            AppSettings::saveGeometry(*w, entry.key());
        // Closed for good this time: the window may stop its work and let go.
        w->removeEventFilter(this);
        w->close();
        delete w;
    }
}

bool ToolWindowRegistry::eventFilter(QObject* watched, QEvent* event)
{
    // A window closed by the window system would lose its native window with the close (and could
    // not always be shown again); Escape not taken by a control closes a window as its 关闭 does.
    const bool closing = event->type() == QEvent::Close;
    const bool escape = event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
                        static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier;
    if ((closing || escape) && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        if (w->isVisible())
            AppSettings::saveGeometry(*w, windows_.key(w));
        w->hide();
        // An ignored close leaves the native window as it is; the key goes no further.
        event->setAccepted(escape);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

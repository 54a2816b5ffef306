#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

/// The tool windows of the main window: each is created on first use, shown without blocking the
/// main window, brought back by the next use, and destroyed when the lottery is closed. However the
/// user closes one (the title bar's ✕, its 关闭, Escape), it is only hidden with its content, and
/// the next use shows it again, also when it was minimized. A window's size and place are kept in
/// the settings when it is closed and given back when it is created again, also after a restart.
class ToolWindowRegistry : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<QWidget*(QWidget* parent)>;

    /// The windows are created as children of `owner`.
    explicit ToolWindowRegistry(QWidget* owner);

    /// Makes the window of `key` available; the menu items that open it become usable.
    void registerFactory(const QString& key, Factory factory);
    bool has(const QString& key) const;

    /// Creates the window of `key` if it does not exist yet, without showing it; null for an unknown key.
    QWidget* ensure(const QString& key);
    /// Creates the window of `key` on first use, then shows and raises it.
    QWidget* show(const QString& key);
    /// The window of `key` if it exists.
    QWidget* window(const QString& key) const;
    /// Whether any of the windows is shown now.
    bool anyShown() const;
    /// What the windows, shown or hidden, hold unsaved (UnsavedResult), closing them would lose.
    QStringList unsavedResults() const;
    /// Closes and destroys every window and forgets it, so the next use creates a fresh one.
    void closeAll();

signals:
    void factoriesChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* owner_;
    QHash<QString, Factory> factories_;
    QHash<QString, QPointer<QWidget>> windows_;
};

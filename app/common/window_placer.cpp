#include "common/window_placer.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

// Set on a window once it has been placed: later shows keep where the user put it.
constexpr const char* kPlacedProperty = "quorlinPlaced";

bool placeable(const QWidget& widget)
{
    if (!widget.isWindow() || widget.isMaximized() || widget.isFullScreen())
        return false;
    const Qt::WindowType type = widget.windowType();
    return type != Qt::Popup && type != Qt::ToolTip && type != Qt::Desktop;
}

// The frame a window manager usually puts around a window: a title bar and thin edges. Assumed
// while no frame is known, so that a window never opens with its title bar above the screen.
constexpr QMargins kAssumedFrame(6, 36, 6, 6);

QMargins marginsOf(const QWidget& window)
{
    const QRect frame = window.frameGeometry();
    const QRect inner = window.geometry();
    return QMargins(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                    frame.bottom() - inner.bottom());
}

} // namespace

QMargins WindowPlacer::frameOf(const QWidget& window)
{
    if (window.windowFlags().testFlag(Qt::FramelessWindowHint))
        return {};
    // A window's frame is known only once the window manager has framed it, which may be after it
    // is shown: until then take that of the window it belongs to, or of the active one. A maximized
    // or full-screen window's frame says nothing of a normal one's.
    const QWidget* parent = window.parentWidget() ? window.parentWidget()->window() : nullptr;
    for (const QWidget* shown : {&window, parent, static_cast<const QWidget*>(QApplication::activeWindow())}) {
        if (!shown || !shown->isVisible() || shown->isMaximized() || shown->isFullScreen())
            continue;
        if (const QMargins margins = marginsOf(*shown); !margins.isNull())
            return margins;
    }
    return kAssumedFrame;
}

QRect WindowPlacer::fitted(QRect geometry, const QMargins& frame, const QRect& area, bool centre, const QSize& minimum)
{
    const QRect room = area.marginsRemoved(frame);
    geometry.setWidth(std::max(std::min(geometry.width(), room.width()), minimum.width()));
    geometry.setHeight(std::max(std::min(geometry.height(), room.height()), minimum.height()));
    if (centre)
        geometry.moveCenter(room.center());
    // Right and bottom first, so that a window larger than the room keeps its title bar on screen.
    geometry.moveRight(std::min(geometry.right(), room.right()));
    geometry.moveBottom(std::min(geometry.bottom(), room.bottom()));
    geometry.moveLeft(std::max(geometry.left(), room.left()));
    geometry.moveTop(std::max(geometry.top(), room.top()));
    return geometry;
}

bool WindowPlacer::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (placeable(*widget))
            place(*widget);
    }
    return QObject::eventFilter(watched, event);
}

void WindowPlacer::place(QWidget& window)
{
    const QWidget* anchor = window.parentWidget() ? window.parentWidget()->window() : &window;
    const QScreen* screen = anchor->screen() ? anchor->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const bool first = !window.property(kPlacedProperty).toBool();
    window.setProperty(kPlacedProperty, true);
    // A window the program put somewhere keeps its place unless it sticks out; one shown again
    // keeps the place the user gave it.
    const bool centre = first && !window.testAttribute(Qt::WA_Moved);
    const QRect target =
        fitted(window.geometry(), frameOf(window), screen->availableGeometry(), centre, window.minimumSize());
    if (target != window.geometry())
        window.setGeometry(target);
}

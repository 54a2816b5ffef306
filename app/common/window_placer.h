#pragma once

#include <QMargins>
#include <QObject>
#include <QRect>

class QWidget;

/// Opens every window inside its screen's free area, for the whole application: on its first show
/// a window that was given no position is centred there, and any window that would stick out (its
/// frame included) is moved in, and made smaller when it is larger than the area. Maximized and
/// full-screen windows, menus and tooltips are left to the window system.
class WindowPlacer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    /// The geometry (without frame) a window of `geometry` gets in `area` with a frame of `frame`
    /// around it, centred when `centre`, else moved only as far as needed; it is not made smaller
    /// than `minimum`.
    static QRect fitted(QRect geometry, const QMargins& frame, const QRect& area, bool centre, const QSize& minimum);
    /// The frame `window` has or will have: its own once known, else that of a normal window shown
    /// (its parent's or the active one), else the frame a window manager usually draws; none for a
    /// frameless window.
    static QMargins frameOf(const QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static void place(QWidget& window);
};

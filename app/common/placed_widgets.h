#pragma once

class QLabel;
class QPushButton;
class QRect;
class QWidget;

/// A label at a fixed place in a dialog, named by its component name.
QLabel* addLabel(QWidget* parent, const char* name, const char* caption, const QRect& geometry);

/// A push button at a fixed place, named by its component name. It does not become the default
/// button when focused: Enter presses only the one button a dialog makes its default.
QPushButton* addButton(QWidget* parent, const char* name, const char* caption, const QRect& geometry);

/// Moves a window to the centre of its screen's free area.
void centreOnScreen(QWidget& window);

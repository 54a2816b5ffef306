#pragma once

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QRect;
class QWidget;

/// Builders for windows laid out at fixed positions, as the program's windows are: each widget
/// gets its place and its objectName, the component name by which tests and users know it.
namespace FormWidgets {

QLabel* label(QWidget* parent, const QString& caption, const QRect& geometry);
QLineEdit* lineEdit(QWidget* parent, const char* name, const QRect& geometry, const QString& text = {});
/// A button that Enter does not press unless it is made the window's default.
QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QRect& geometry);

} // namespace FormWidgets

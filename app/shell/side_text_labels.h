#pragma once

#include <QList>

class QLabel;
class QString;
class QWidget;

/// Shows the lines of an enciphered side file ("附属/about.txt", "附属/flash.txt") in `labels`,
/// line k in label k; a null label skips its line. A missing file or an unreadable line is
/// reported, and the labels it did not reach stay blank: the window still shows.
void showSideText(QWidget* window, const QString& path, const QList<QLabel*>& labels);

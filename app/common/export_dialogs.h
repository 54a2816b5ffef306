#pragma once

#include <QString>

class QWidget;

/// The save dialogs of everything the windows export (tables, pictures, bet lists): the proposed
/// name in the user's Desktop folder, where players keep their spreadsheets.
namespace ExportDialogs {

QString excelFiles();
QString csvFiles();
/// PNG first: a name typed without suffix becomes a PNG picture.
QString pictureFiles();

/// Asks where to save, offering a file named after `title` (with the filter's suffix) in the
/// Desktop folder; the filter's suffix is added to a name typed without one. Empty when cancelled.
QString askSaveName(QWidget* parent, const QString& caption, const QString& title, const QString& filter);

} // namespace ExportDialogs

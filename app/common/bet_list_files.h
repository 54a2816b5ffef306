#pragma once

#include <QString>

class QWidget;

/// The open and save dialogs of the windows that save and load bet lists: text files, starting in
/// the user's Desktop folder.
namespace BetListFiles {

/// Asks where to save; `proposedName` is offered in the Desktop folder. A name without extension
/// gets ".txt". Empty when cancelled.
QString askSaveName(QWidget* parent, const QString& proposedName);
/// Asks which list to load. Empty when cancelled.
QString askOpenName(QWidget* parent);

} // namespace BetListFiles

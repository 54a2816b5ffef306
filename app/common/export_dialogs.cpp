#include "common/export_dialogs.h"

#include "common/file_dialog.h"
#include "common/shell_folder.h"

#include <QDir>
#include <QRegularExpression>

namespace ExportDialogs {

QString excelFiles()
{
    return QStringLiteral("Excel 工作簿(*.xlsx)|*.xlsx");
}

QString csvFiles()
{
    return QStringLiteral("CSV 文件(*.csv)|*.csv");
}

QString pictureFiles()
{
    return QStringLiteral("PNG 图片(*.png)|*.png|SVG 图片(*.svg)|*.svg");
}

QString askSaveName(QWidget* parent, const QString& caption, const QString& title, const QString& filter)
{
    // A window's title may hold characters no file name may.
    static const QRegularExpression forbidden(QStringLiteral("[\\\\/:*?\"<>|\\s]+"));
    QString name = title.trimmed().replace(forbidden, QStringLiteral("_"));
    const QString proposedName = FileDialog::withDefaultSuffix(name.isEmpty() ? QStringLiteral("导出") : name, filter);
    const QString folder = QString::fromStdString(quorlin::getshellfolder("Desktop"));
    const QString start = folder.isEmpty() ? proposedName : QDir(folder).filePath(proposedName);
    return FileDialog::getSaveFileName(parent, caption, start, filter);
}

} // namespace ExportDialogs

#include "common/file_dialog.h"

#include "common/app_settings.h"
#include "common/localized_file_model.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QPointer>
#include <QRegularExpression>
#include <QTreeView>

#include <utility>

namespace {

// The file type column of the dialog's detail view.
constexpr int kTypeColumn = 2;

struct TestState {
    bool on = false;
    QStringList nextNames;
    QList<FileDialog::Record> recorded;
};

TestState& testState()
{
    static TestState state;
    return state;
}

// Records the call and hands out (and uses up) the scripted names.
QStringList answerInTestMode(FileDialog::Kind kind, const QString& caption, const QString& dir, const QString& filter)
{
    TestState& state = testState();
    state.recorded.append({kind, caption, dir, FileDialog::qtFilter(filter)});
    return std::exchange(state.nextNames, {});
}

// Shows the dialog and returns the chosen files; none when cancelled.
QStringList chosenFiles(QFileDialog* made)
{
    // The parent may go while the dialog runs its own event loop, and the dialog with it.
    const QPointer<QFileDialog> dialog(made);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (!dialog)
        return {};
    const QStringList files = accepted ? dialog->selectedFiles() : QStringList{};
    delete dialog.data();
    return files;
}

// The suffix of the filter's first pattern ("*.txt" gives ".txt"); empty for every file.
QString firstSuffix(const QString& filter)
{
    // The first filter in Qt's form "描述 (*.txt *.csv)".
    static const QRegularExpression firstPattern(QStringLiteral("\\(\\s*\\*(\\.[^*?\\s()]+)[\\s)]"));
    return firstPattern.match(FileDialog::qtFilter(filter).section(QStringLiteral(";;"), 0, 0)).captured(1);
}

// The kind of file a dialog is for, which keeps its own last folder: the filter's first suffix
// without its dot ("txt"), or "all" for every file.
QString fileKind(const QString& filter)
{
    const QString suffix = firstSuffix(filter);
    return suffix.isEmpty() ? QStringLiteral("all") : suffix.mid(1).toLower();
}

// Where a dialog of `kind` opens: in the folder that kind used last, keeping the file name `dir`
// proposes; `dir` itself when none was used yet or it is gone.
QString startIn(const QString& dir, const QString& kind)
{
    const QString folder = AppSettings::lastFolder(kind);
    if (folder.isEmpty())
        return dir;
    const QFileInfo proposed(dir);
    if (dir.isEmpty() || dir.endsWith('/') || proposed.isDir())
        return folder;
    return QDir(folder).filePath(proposed.fileName());
}

QStringList remembered(const QString& kind, const QStringList& chosen)
{
    if (!chosen.isEmpty())
        AppSettings::setLastFolder(kind, QFileInfo(chosen.first()).absolutePath());
    return chosen;
}

// One dialog: started where its kind was last, its folder kept for the next one.
QStringList ask(QWidget* parent, FileDialog::Kind kind, const QString& caption, const QString& dir,
                const QString& filter)
{
    const QString fileType = fileKind(filter);
    const QString start = startIn(dir, fileType);
    if (testState().on)
        return remembered(fileType, answerInTestMode(kind, caption, start, filter));
    return remembered(fileType, chosenFiles(FileDialog::makeDialog(parent, kind, caption, start, filter)));
}

} // namespace

QFileDialog* FileDialog::makeDialog(QWidget* parent, Kind kind, const QString& caption, const QString& dir,
                                    const QString& filter)
{
    auto* dialog = new QFileDialog(parent, caption, dir, qtFilter(filter));
    dialog->setFileMode(kind == Kind::Open       ? QFileDialog::ExistingFile
                        : kind == Kind::OpenMany ? QFileDialog::ExistingFiles
                                                 : QFileDialog::AnyFile);
    dialog->setAcceptMode(kind == Kind::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setProxyModel(new LocalizedFileModel(dialog));
    // File types in Chinese are longer than the column Qt gives them ("纯…档").
    if (auto* details = dialog->findChild<QTreeView*>(QStringLiteral("treeView")))
        details->header()->setSectionResizeMode(kTypeColumn, QHeaderView::ResizeToContents);
    return dialog;
}

QString FileDialog::textFiles()
{
    return QStringLiteral("文本文件(*.txt)|*.txt");
}

QString FileDialog::qtFilter(const QString& filter)
{
    const QStringList parts = filter.split('|');
    if (parts.size() < 2)
        return filter;
    static const QRegularExpression bracketedEnd(QStringLiteral("\\s*[(（][^()（）]*[)）]\\s*$"));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            pattern = pattern.trimmed() == QLatin1String("*.*") ? QStringLiteral("*") : pattern.trimmed();
        const QString description = QString(parts[i]).remove(bracketedEnd).trimmed();
        filters << QStringLiteral("%1 (%2)").arg(description, patterns.join(' '));
    }
    return filters.join(QStringLiteral(";;"));
}

QString FileDialog::withDefaultSuffix(const QString& name, const QString& filter)
{
    if (name.isEmpty() || !QFileInfo(name).suffix().isEmpty())
        return name;
    return name + firstSuffix(filter);
}

QString FileDialog::getOpenFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    return ask(parent, Kind::Open, caption, dir, filter).value(0);
}

QStringList FileDialog::getOpenFileNames(QWidget* parent, const QString& caption, const QString& dir,
                                         const QString& filter)
{
    return ask(parent, Kind::OpenMany, caption, dir, filter);
}

QString FileDialog::getSaveFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    return withDefaultSuffix(ask(parent, Kind::Save, caption, dir, filter).value(0), filter);
}

void FileDialog::setTestMode(bool on)
{
    testState().on = on;
    testState().nextNames.clear();
}

void FileDialog::setNextFileName(const QString& fileName)
{
    testState().nextNames = fileName.isEmpty() ? QStringList{} : QStringList{fileName};
}

void FileDialog::setNextFileNames(const QStringList& fileNames)
{
    testState().nextNames = fileNames;
}

QList<FileDialog::Record> FileDialog::recorded()
{
    return testState().recorded;
}

void FileDialog::clearRecorded()
{
    testState().recorded.clear();
}

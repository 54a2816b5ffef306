#include "common/file_dialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

#include <utility>

namespace {

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

} // namespace

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
    // The first pattern of the first filter, in Qt's form "描述 (*.txt *.csv)".
    static const QRegularExpression firstPattern(QStringLiteral("\\(\\s*\\*(\\.[^*?\\s()]+)[\\s)]"));
    const QRegularExpressionMatch match = firstPattern.match(qtFilter(filter).section(QStringLiteral(";;"), 0, 0));
    return match.hasMatch() ? name + match.captured(1) : name;
}

QString FileDialog::getOpenFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    if (testState().on)
        return answerInTestMode(Kind::Open, caption, dir, filter).value(0);
    return QFileDialog::getOpenFileName(parent, caption, dir, qtFilter(filter));
}

QStringList FileDialog::getOpenFileNames(QWidget* parent, const QString& caption, const QString& dir,
                                         const QString& filter)
{
    if (testState().on)
        return answerInTestMode(Kind::OpenMany, caption, dir, filter);
    return QFileDialog::getOpenFileNames(parent, caption, dir, qtFilter(filter));
}

QString FileDialog::getSaveFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    const QString name = testState().on ? answerInTestMode(Kind::Save, caption, dir, filter).value(0)
                                        : QFileDialog::getSaveFileName(parent, caption, dir, qtFilter(filter));
    return withDefaultSuffix(name, filter);
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

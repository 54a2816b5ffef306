#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QFileDialog;
class QWidget;

/// Every open and save dialog of the program; in test mode no window is shown, each call is
/// recorded and answered with the scripted file name(s) — none scripted means the user cancelled.
/// Filters are written as "描述|模式" pairs ("文本文件(*.txt)|*.txt", patterns separated by ';')
/// and given to the dialog in Qt's form. Each kind of file (the filter's first suffix) keeps the
/// folder it was last chosen in (AppSettings): its next dialog opens there, with the proposed name.
class FileDialog {
public:
    enum class Kind { Open, OpenMany, Save };

    /// One dialog as asked for in test mode; `dir` and `filter` as the dialog is given them.
    struct Record {
        Kind kind;
        QString caption;
        QString dir;
        QString filter;
    };

    /// The filter of the program's text files.
    static QString textFiles();
    /// `filter` in Qt's form: each "描述|模式" pair becomes "描述 (模式)" with the patterns separated by
    /// blanks, a bracketed list ending the description dropped (it repeats the patterns) and "*.*"
    /// read as every file; pairs are joined by ";;". A filter without '|' is taken as Qt's already.
    static QString qtFilter(const QString& filter);
    /// `name` with the suffix of the filter's first pattern ("*.txt" gives ".txt") when it has none,
    /// as the filter promises; a filter of every file adds nothing, and so does an empty name.
    static QString withDefaultSuffix(const QString& name, const QString& filter);

    /// The dialog the calls below show (not shown yet): Qt's own, unless the desktop offers a native
    /// one, with its file list in the program's locale (LocalizedFileModel).
    static QFileDialog* makeDialog(QWidget* parent, Kind kind, const QString& caption, const QString& dir,
                                   const QString& filter);

    static QString getOpenFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter);
    static QStringList getOpenFileNames(QWidget* parent, const QString& caption, const QString& dir,
                                        const QString& filter);
    /// The chosen name, given the filter's suffix when typed without one (withDefaultSuffix).
    static QString getSaveFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter);

    static void setTestMode(bool on);
    /// The answer of the next open or save dialog in test mode; empty = cancelled.
    static void setNextFileName(const QString& fileName);
    /// The answer of the next multiple-selection open dialog in test mode; empty = cancelled.
    static void setNextFileNames(const QStringList& fileNames);
    static QList<Record> recorded();
    static void clearRecorded();
};

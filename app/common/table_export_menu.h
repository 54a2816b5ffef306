#pragma once

#include <QObject>
#include <QString>

class QAbstractItemView;

/// The context menu of a table view: 复制 (the selection, or the whole table when nothing is
/// selected, as tab-separated text with its header line), 导出为 Excel… and 导出为 CSV… (the
/// whole table as shown). It belongs to the view and reads the view's model when used, so a table
/// refilled later exports what it shows then.
class TableExportMenu : public QObject {
    Q_OBJECT
public:
    /// Gives `view` the menu. `title` names the sheet and the proposed file; empty takes the
    /// title of the view's window at the time of use.
    static TableExportMenu* install(QAbstractItemView* view, const QString& title = {});

    void copy() const;
    void exportExcel() const;
    void exportCsv() const;

private:
    TableExportMenu(QAbstractItemView* view, QString title);

    QString title() const;
    /// Asks for a file and writes the table there with `write` (a core writer).
    template <class Writer> void exportTo(const QString& caption, const QString& filter, Writer write) const;

    QAbstractItemView* view_;
    QString title_;
};

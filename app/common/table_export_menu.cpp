#include "common/table_export_menu.h"

#include "common/context_menu_action.h"
#include "common/export_dialogs.h"
#include "common/message_box.h"
#include "common/view_table.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>

TableExportMenu* TableExportMenu::install(QAbstractItemView* view, const QString& title)
{
    return new TableExportMenu(view, title);
}

TableExportMenu::TableExportMenu(QAbstractItemView* view, QString title)
    : QObject(view), view_(view), title_(std::move(title))
{
    setObjectName(QStringLiteral("tableExportMenu"));
    connect(addContextMenuAction(view, "actcopy", QStringLiteral("复制")), &QAction::triggered, this,
            &TableExportMenu::copy);
    connect(addContextMenuAction(view, "actexcel", QStringLiteral("导出为 Excel…")), &QAction::triggered, this,
            &TableExportMenu::exportExcel);
    connect(addContextMenuAction(view, "actcsv", QStringLiteral("导出为 CSV…")), &QAction::triggered, this,
            &TableExportMenu::exportCsv);
}

QString TableExportMenu::title() const
{
    return title_.isEmpty() ? view_->window()->windowTitle() : title_;
}

void TableExportMenu::copy() const
{
    QApplication::clipboard()->setText(ViewTable::tabText(ViewTable::read(*view_, true, title())));
}

void TableExportMenu::exportExcel() const
{
    exportTo(QStringLiteral("导出为 Excel"), ExportDialogs::excelFiles(), quorlin::writeXlsx);
}

void TableExportMenu::exportCsv() const
{
    exportTo(QStringLiteral("导出为 CSV"), ExportDialogs::csvFiles(), quorlin::writeCsv);
}

template <class Writer>
void TableExportMenu::exportTo(const QString& caption, const QString& filter, Writer write) const
{
    const QString name = ExportDialogs::askSaveName(view_, caption, title(), filter);
    if (name.isEmpty())
        return;
    std::string error;
    if (write(ViewTable::read(*view_, false, title()), name.toStdString(), error))
        MessageBox::information(view_, QStringLiteral("提示"), QStringLiteral("成功导出！"));
    else
        refuse(view_, QString::fromStdString(error));
}

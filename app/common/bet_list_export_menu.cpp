#include "common/bet_list_export_menu.h"

#include "common/bet_list_model.h"
#include "common/context_menu_action.h"
#include "common/export_dialogs.h"
#include "common/message_box.h"
#include "common/progress.h"
#include "export/bet_list_xlsx.h"
#include "filter/bet_list.h"

#include <QAbstractItemView>
#include <QAction>
#include <QPointer>

#include <stdexcept>

BetListExportMenu* BetListExportMenu::install(QAbstractItemView* view, Start start)
{
    return new BetListExportMenu(view, std::move(start));
}

BetListExportMenu::BetListExportMenu(QAbstractItemView* view, Start start)
    : QObject(view), view_(view), start_(std::move(start))
{
    setObjectName(QStringLiteral("betListExportMenu"));
    connect(addContextMenuAction(view, "actcsv", QStringLiteral("导出为 CSV…")), &QAction::triggered, this,
            &BetListExportMenu::exportCsv);
    connect(addContextMenuAction(view, "actexcel", QStringLiteral("导出为 Excel…")), &QAction::triggered, this,
            &BetListExportMenu::exportExcel);
}

void BetListExportMenu::exportCsv() const
{
    exportTo(QStringLiteral("导出为 CSV"), ExportDialogs::csvFiles(),
             [](const quorlin::BetList& list, const std::string& path, quorlin::Progress* progress,
                std::string& error) { return list.writeCsv(path, progress, error); });
}

void BetListExportMenu::exportExcel() const
{
    exportTo(QStringLiteral("导出为 Excel"), ExportDialogs::excelFiles(), quorlin::writeBetListXlsx);
}

template <class Writer>
void BetListExportMenu::exportTo(const QString& caption, const QString& filter, Writer write) const
{
    // The view of the intersection shows a loaded file's lines at times: no bet list to export.
    const auto* model = qobject_cast<const BetListModel*>(view_->model());
    if (model == nullptr || model->bets()->empty()) {
        refuse(view_, QStringLiteral("没有可导出的投注号码！"));
        return;
    }
    const QString name = ExportDialogs::askSaveName(view_, caption, view_->window()->windowTitle(), filter);
    if (name.isEmpty())
        return;
    QPointer<QAbstractItemView> view = view_;
    start_(
        [bets = model->bets(), path = name.toStdString(), write](quorlin::Progress& progress) {
            std::string error;
            if (write(*bets, path, &progress, error))
                return true;
            if (progress.cancelled())
                return false;
            throw std::runtime_error(error);
        },
        [view](bool written) {
            if (written && view)
                MessageBox::information(view, QStringLiteral("提示"), QStringLiteral("成功导出！"));
        });
}

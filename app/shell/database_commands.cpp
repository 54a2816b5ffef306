#include "shell/database_commands.h"

#include "common/file_dialog.h"
#include "common/message_box.h"
#include "common/shell_folder.h"
#include "shell/lottery_document.h"
#include "shell/main_status_bar.h"
#include "shell/u_main.h"
#include "store/database_backup.h"
#include "store/schema.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kFilter = QStringLiteral("数据库(*.mdb)|*.mdb");

// The dialogs start on the user's desktop, or in the home folder where there is none.
QString desktopFolder()
{
    const QString desktop = QString::fromStdString(quorlin::getshellfolder("Desktop"));
    return desktop.isEmpty() ? QDir::homePath() : desktop;
}

std::string databasePath(Tfrmmain& frmmain)
{
    return frmmain.document().state().apppath + quorlin::kDatabaseRelativePath;
}

void mnubackupdataClick(Tfrmmain& frmmain)
{
    const QString chosen = FileDialog::getSaveFileName(&frmmain, QStringLiteral("数据备份"),
                                                       QDir(desktopFolder()).filePath("彩票数据.mdb"), kFilter);
    if (chosen.isEmpty())
        return;
    const quorlin::DatabaseCopyResult result = quorlin::backupDatabase(databasePath(frmmain), chosen.toStdString());
    if (result.ok)
        MessageBox::information(&frmmain, QStringLiteral("数据备份"), QStringLiteral("成功备份！"));
    else
        refuse(&frmmain, "数据备份失败：" + QString::fromStdString(result.error));
}

void restoreDatabase(Tfrmmain& frmmain)
{
    QString chosen = FileDialog::getOpenFileName(&frmmain, QStringLiteral("数据恢复"), desktopFolder(), kFilter);
    if (chosen.isEmpty())
        return;
    if (!QFileInfo::exists(chosen))
        chosen = FileDialog::withDefaultSuffix(chosen, kFilter);
    const QString database = QString::fromStdString(databasePath(frmmain));
    // Every lottery and draw of the program is replaced: the user confirms, knowing which file goes.
    if (MessageBox::question(&frmmain, QStringLiteral("数据恢复"),
                             QStringLiteral("将用“%1”替换数据库“%2”，其中全部彩票和开奖号码将被替换"
                                            "（原数据库另存为“%2.bak”）。是否继续？")
                                 .arg(QDir::toNativeSeparators(chosen), QDir::toNativeSeparators(database)),
                             QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    const quorlin::DatabaseCopyResult result = quorlin::restoreDatabase(chosen.toStdString(), database.toStdString());
    if (result.ok) {
        // The status line tells whether the restored database holds draws.
        if (auto* status = frmmain.findChild<MainStatusBar*>())
            status->refresh();
        MessageBox::information(&frmmain, QStringLiteral("数据恢复"), QStringLiteral("成功恢复！"));
    } else {
        refuse(&frmmain, "数据恢复失败，原数据库未改动：" + QString::fromStdString(result.error));
    }
}

void mnustoredataClick(Tfrmmain& frmmain)
{
    // The restored database must not be read by anything still open on the old one; the lottery
    // opens again afterwards on what the database then holds.
    frmmain.runWithLotteryClosed([&frmmain] { restoreDatabase(frmmain); });
}

} // namespace

void installDatabaseCommands(Tfrmmain& frmmain)
{
    frmmain.installHandler("mnubackupdata", [&frmmain] { mnubackupdataClick(frmmain); });
    frmmain.installHandler("mnustoredata", [&frmmain] { mnustoredataClick(frmmain); });
}

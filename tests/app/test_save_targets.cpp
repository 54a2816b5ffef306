// Every way the program writes a file, pointed at the program's database: each is refused with a
// message and the database stays byte for byte.
#include "total_filter_window_test.h"

#include "check/u_jisuanqi.h"
#include "common/bar_chart.h"
#include "common/file_dialog.h"
#include "common/input_dialog.h"
#include "common/message_box.h"
#include "common/text_grid.h"
#include "filter/filter_scheme.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>

#include <filesystem>
#include <functional>

namespace {

QAction* menuItem(QWidget& widget, const char* name)
{
    for (QAction* action : widget.actions())
        if (action->objectName() == QLatin1String(name))
            return action;
    return nullptr;
}

} // namespace

class TestSaveTargets : public TotalFilterWindowTest {
    Q_OBJECT
private slots:
    void everySavePathRefusesTheDatabase();

private:
    QString database() const { return QString::fromStdString(program_->databasePath()); }
    /// Runs `save` (which answers its dialogs with the database) and waits for its message; the
    /// message must say why (the database folder, or the database itself) and the database must be
    /// as it was.
    void refused(const char* what, const std::function<void()>& save)
    {
        const QByteArray stored = fileBytes(database());
        MessageBox::clearRecorded();
        save();
        while (MessageBox::recorded().isEmpty())
            QTest::qWait(10);
        const QString said = MessageBox::recorded().last().text;
        QVERIFY2(said.contains(QStringLiteral("数据库文件夹")) || said.contains(QStringLiteral("数据库文件本身")),
                 qPrintable(QStringLiteral("%1: %2").arg(what, said)));
        QVERIFY2(fileBytes(database()) == stored, what);
    }
    void trigger(QWidget& widget, const char* action)
    {
        QAction* item = menuItem(widget, action);
        QVERIFY2(item, action);
        FileDialog::setNextFileName(database());
        item->trigger();
    }
};

void TestSaveTargets::everySavePathRefusesTheDatabase()
{
    // A list of six bets in the total filter.
    child<QCheckBox>("chkhongqiu")->setChecked(true);
    clickNumbers("btnhong", {1, 2, 3, 4, 5, 6});
    clickNumbers("btnlan", {6, 7});
    filter();
    QCOMPARE(memoLines(), 6);

    refused("list", [&] {
        FileDialog::setNextFileName(database());
        click("btnsave");
    });
    refused("PDF", [&] {
        FileDialog::setNextFileName(database());
        click("btnprint");
    });
    auto* memo = child<QAbstractItemView>("memcode");
    refused("bets as CSV", [&] { trigger(*memo, "actcsv"); });
    refused("bets as Excel", [&] { trigger(*memo, "actexcel"); });

    TextGrid grid;
    grid.table().reset({QStringLiteral("期号")}, 1, [](int, int) { return QStringLiteral("26001"); });
    refused("table as CSV", [&] { trigger(grid, "actcsv"); });
    refused("table as Excel", [&] { trigger(grid, "actexcel"); });

    BarChart chart(QStringLiteral("和值分布"));
    chart.addSeries(QStringLiteral("出现次数"), Qt::red);
    chart.setBars(0, {{QStringLiteral("60"), 3}});
    chart.resize(200, 100);
    refused("picture", [&] { trigger(chart, "actpicture"); });

    refused("backup", [&] {
        FileDialog::setNextFileName(database());
        triggerAction("mnubackupdata");
    });

    // Files the program names itself, led into the database by a link.
    namespace fs = std::filesystem;
    const fs::path schemes = program_->path() / quorlin::kSchemeFolder;
    fs::create_directories(schemes);
    fs::create_symlink(program_->databasePath(), schemes / "稳健.txt");
    refused("scheme", [&] {
        InputDialog::setNextText(QStringLiteral("稳健"));
        MessageBox::setNextAnswer(QMessageBox::Yes); // it exists: replace it
        click("btnsavefangan");
    });

    triggerAction("mnujisuanqi");
    auto* calculator = qobject_cast<Tfrmjisuanqi*>(mainWindow_->tools().window("Tfrmjisuanqi"));
    QVERIFY(calculator);
    requireChild<QLineEdit>(calculator, "edtpiaomian")->setText(QStringLiteral("01 02 03 04 05 06+07 08"));
    requireChild<QPushButton>(calculator, "btnshuru")->click();
    QCOMPARE(calculator->tickets().size(), 1u);
    refused("tickets", [&] {
        FileDialog::setNextFileName(database());
        requireChild<QPushButton>(calculator, "btnbaocun")->click();
    });
    refused("tickets expanded", [&] {
        FileDialog::setNextFileName(database());
        requireChild<QPushButton>(calculator, "btnzhankai")->click();
    });
    const fs::path kept = program_->path() / "投注计算器未保存.txt";
    fs::create_symlink(program_->databasePath(), kept);
    refused("the calculator's unsaved list", [&] {
        MessageBox::setNextAnswer(QMessageBox::Yes); // the filter's list was never saved: close anyway
        mainWindow_->runWithLotteryClosed([] {});
    });
    QVERIFY(fs::is_symlink(kept));
}

QTEST_MAIN(TestSaveTargets)
#include "test_save_targets.moc"

// The settings file: values kept across a restart, a damaged file set aside, a window's option and
// the file dialogs' folders remembered. The settings live in a folder of the test's own.
#include "gui_test_base.h"

#include "common/app_settings.h"
#include "common/file_dialog.h"
#include "common/message_box.h"
#include "filter/filter_scheme.h"
#include "shell/tool_window_registry.h"
#include "shell/u_main.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

class TestAppSettings : public GuiTestBase {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> folder_;

    QString settingsPath() const { return QDir(folder_->path()).filePath(AppSettings::fileName()); }

    /// The files of the settings folder other than the settings file.
    QStringList setAside() const
    {
        return QDir(folder_->path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).filter(".损坏-");
    }

    void writeSettingsFile(const QByteArray& bytes) const
    {
        QFile file(settingsPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private:
    QWidget* tool(const char* name) const
    {
        QWidget* window = mainWindow_->tools().window(name);
        if (!window)
            qFatal("no window %s", name);
        return window;
    }

private slots:
    void init()
    {
        folder_ = std::make_unique<QTemporaryDir>();
        setUpProgram();
    }

    void cleanup()
    {
        tearDownProgram();
        AppSettings::close();
        folder_.reset();
    }

    void valuesSurviveARestartAndHostileFlagsAreDefaults()
    {
        AppSettings::open(settingsPath());
        QVERIFY(AppSettings::isOpen());
        AppSettings::setValue(AppSettings::kLastLottery, "中国体彩超级大乐透");
        AppSettings::setValue(AppSettings::kAutoDownload, false);
        AppSettings::setValue("trend/showOmission", "maybe");
        AppSettings::close();
        QCOMPARE(AppSettings::value(AppSettings::kLastLottery, "none").toString(), "none");

        AppSettings::open(settingsPath());
        QCOMPARE(AppSettings::value(AppSettings::kLastLottery).toString(), "中国体彩超级大乐透");
        QCOMPARE(AppSettings::flag(AppSettings::kAutoDownload, true), false);
        QCOMPARE(AppSettings::flag(AppSettings::kOpenLastLottery, true), true);
        QCOMPARE(AppSettings::flag("trend/showOmission", true), true);
        QCOMPARE(AppSettings::flag("trend/showOmission", false), false);
        QVERIFY(MessageBox::recorded().isEmpty());
    }

    void aDamagedFileIsSetAsideAndTheDefaultsApply_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("folder");
        QTest::newRow("unclosed section") << QByteArray("[start\nlastLottery=双色球\n") << false;
        QTest::newRow("a folder in its place") << QByteArray() << true;
    }

    void aDamagedFileIsSetAsideAndTheDefaultsApply()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, folder);
        if (folder)
            QVERIFY(QDir(folder_->path()).mkdir(AppSettings::fileName()));
        else
            writeSettingsFile(content);

        AppSettings::open(settingsPath());

        QCOMPARE(MessageBox::recorded().size(), 1);
        QVERIFY2(messageTexts().first().contains("已改名为"), qPrintable(messageTexts().first()));
        const QStringList aside = setAside();
        QCOMPARE(aside.size(), 1);
        if (!folder)
            QCOMPARE(fileBytes(QDir(folder_->path()).filePath(aside.first())), content);
        QCOMPARE(AppSettings::value(AppSettings::kLastLottery, "none").toString(), "none");
        // The program goes on with a fresh file.
        AppSettings::setValue(AppSettings::kLastLottery, "中国体彩超级大乐透");
        AppSettings::close();
        AppSettings::open(settingsPath());
        QCOMPARE(AppSettings::value(AppSettings::kLastLottery).toString(), "中国体彩超级大乐透");
        QCOMPARE(MessageBox::recorded().size(), 1);
    }

    void theTrendGridKeepsShowOmission()
    {
        AppSettings::open(settingsPath());
        AppSettings::setValue("trend/showOmission", false);
        openShippedLottery();
        auto* chkyilou = requireChild<QCheckBox>(mainWindow_.get(), "chkyilou");
        QVERIFY(!chkyilou->isChecked());
        chkyilou->click();
        QCOMPARE(AppSettings::flag("trend/showOmission", false), true);
    }

    void theTrendGridKeepsItsSummaryDraws()
    {
        AppSettings::open(settingsPath());
        AppSettings::setValue("trend/summaryDraws", 50);
        openShippedLottery();
        auto* draws = requireChild<QComboBox>(mainWindow_.get(), "comtongjiqishu");
        QCOMPARE(draws->currentText(), QStringLiteral("最近50期"));
        draws->setCurrentIndex(draws->findText(QStringLiteral("全部")));
        QCOMPARE(AppSettings::value("trend/summaryDraws").toInt(), 0);
        // A value no choice offers is every draw.
        AppSettings::setValue("trend/summaryDraws", 45);
        triggerAction("mnuclose");
        openShippedLottery();
        QCOMPARE(requireChild<QComboBox>(mainWindow_.get(), "comtongjiqishu")->currentText(), QStringLiteral("全部"));
    }

    void windowOptionsComeBackInTheNextWindows()
    {
        AppSettings::open(settingsPath());
        const QString schemes = QString::fromStdString(program_->apppath()) + QString::fromUtf8(quorlin::kSchemeFolder);
        QVERIFY(QDir().mkpath(schemes));
        QFile scheme(schemes + QStringLiteral("/稳健.txt"));
        QVERIFY(scheme.open(QIODevice::WriteOnly) && scheme.write("sum = 70-110\nback = 01 02\n") > 0);
        scheme.close();
        openShippedLottery();
        triggerAction("mnuduijiang");
        requireChild<QCheckBox>(tool("Tfrmduijiang"), "chkzhuijia")->click();
        triggerAction("mnujuzheng");
        requireChild<QLineEdit>(tool("Tfrmjuzheng"), "edtmiao")->setText("37");
        triggerAction("mnutotalfilt");
        auto* box = requireChild<QComboBox>(tool("Tfrmtotalfilt"), "cbbfangan");
        box->setCurrentIndex(box->findText(QStringLiteral("稳健")));
        emit box->activated(box->currentIndex());

        // New windows of the next lottery session open as they were left.
        triggerAction("mnuclose");
        openShippedLottery();
        for (const char* window : {"Tfrmduijiang", "Tfrmjisuanqi"}) {
            triggerAction(window == QStringLiteral("Tfrmduijiang") ? "mnuduijiang" : "mnujisuanqi");
            QVERIFY2(requireChild<QCheckBox>(tool(window), "chkzhuijia")->isChecked(), window);
        }
        triggerAction("mnujuzheng");
        QCOMPARE(requireChild<QLineEdit>(tool("Tfrmjuzheng"), "edtmiao")->text(), QStringLiteral("37"));
        triggerAction("mnutotalfilt");
        QCOMPARE(requireChild<QComboBox>(tool("Tfrmtotalfilt"), "cbbfangan")->currentText(), QStringLiteral("稳健"));
        QVERIFY(requireChild<QCheckBox>(tool("Tfrmtotalfilt"), "chkhei")->isChecked());
    }

    void eachKindOfFileDialogStartsInItsLastFolder()
    {
        AppSettings::open(settingsPath());
        QTemporaryDir chosen;
        const QString xlsx = QStringLiteral("Excel 工作簿(*.xlsx)|*.xlsx");
        // Nothing chosen yet: the dialog starts where it was asked to.
        FileDialog::setNextFileName(QDir(chosen.path()).filePath("号码.txt"));
        FileDialog::getSaveFileName(nullptr, "保存", "/nowhere/号码.txt", FileDialog::textFiles());
        FileDialog::getOpenFileName(nullptr, "载入", "/nowhere/其他.txt", FileDialog::textFiles());
        FileDialog::getOpenFileName(nullptr, "载入", "/nowhere/", FileDialog::textFiles());
        FileDialog::getSaveFileName(nullptr, "导出", "/nowhere/表.xlsx", xlsx);
        QStringList dirs;
        for (const FileDialog::Record& record : FileDialog::recorded())
            dirs.append(record.dir);
        QCOMPARE(dirs, (QStringList{"/nowhere/号码.txt", QDir(chosen.path()).filePath("其他.txt"), chosen.path(),
                                    "/nowhere/表.xlsx"}));

        // A folder that is gone no longer counts.
        FileDialog::clearRecorded();
        QVERIFY(QDir(chosen.path()).removeRecursively());
        FileDialog::getOpenFileName(nullptr, "载入", "/nowhere/其他.txt", FileDialog::textFiles());
        QCOMPARE(FileDialog::recorded().first().dir, "/nowhere/其他.txt");
    }
};

QTEST_MAIN(TestAppSettings)
#include "test_app_settings.moc"

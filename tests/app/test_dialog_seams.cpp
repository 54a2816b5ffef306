// The message-box and file-dialog seams in test mode: scripted answers are used up, unscripted
// boxes get the answer of Enter, unscripted file dialogs are cancelled, and every call is recorded.
#include "common/file_dialog.h"
#include "common/message_box.h"
#include "common/print_dialog.h"
#include "common/print_job.h"
#include "untimed_waits.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <optional>

class TestDialogSeams : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        MessageBox::setTestMode(true);
        MessageBox::clearRecorded();
        FileDialog::setTestMode(true);
        FileDialog::clearRecorded();
    }

    void unscriptedBoxAnswersLikeEnter_data();
    void unscriptedBoxAnswersLikeEnter();
    void scriptedAnswerIsUsedOnce();
    void fileDialogsAnswerWithTheScriptedNamesOnce();
    void saveNamesWithoutSuffixGetTheFilters_data();
    void saveNamesWithoutSuffixGetTheFilters();
    void filtersListTheirFilesInQtsDialog_data();
    void filtersListTheirFilesInQtsDialog();
    void longPrintJobsAskFirstAndEveryPrintReports_data();
    void longPrintJobsAskFirstAndEveryPrintReports();
};

void TestDialogSeams::unscriptedBoxAnswersLikeEnter_data()
{
    QTest::addColumn<QMessageBox::StandardButtons>("buttons");
    QTest::addColumn<QMessageBox::StandardButton>("defaultButton");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::newRow("first button") << QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No)
                                  << QMessageBox::NoButton << QMessageBox::Yes;
    QTest::newRow("default button") << QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No)
                                    << QMessageBox::No << QMessageBox::No;
    QTest::newRow("single OK") << QMessageBox::StandardButtons(QMessageBox::Ok) << QMessageBox::NoButton
                               << QMessageBox::Ok;
}

void TestDialogSeams::unscriptedBoxAnswersLikeEnter()
{
    QFETCH(QMessageBox::StandardButtons, buttons);
    QFETCH(QMessageBox::StandardButton, defaultButton);
    QFETCH(QMessageBox::StandardButton, answer);
    QCOMPARE(MessageBox::question(nullptr, "提示", "确定吗？", buttons, defaultButton), answer);
    QCOMPARE(MessageBox::recorded().size(), 1);
    QCOMPARE(MessageBox::recorded().first().kind, MessageBox::Kind::Question);
    QCOMPARE(MessageBox::recorded().first().text, QString("确定吗？"));
}

void TestDialogSeams::scriptedAnswerIsUsedOnce()
{
    MessageBox::setNextAnswer(QMessageBox::No);
    QCOMPARE(MessageBox::question(nullptr, "提示", "第一次"), QMessageBox::No);
    QCOMPARE(MessageBox::question(nullptr, "提示", "第二次"), QMessageBox::Yes);
    QCOMPARE(MessageBox::information(nullptr, "提示", "成功保存！"), QMessageBox::Ok);
    QCOMPARE(MessageBox::recorded().size(), 3);
    QCOMPARE(MessageBox::recorded().last().kind, MessageBox::Kind::Information);
}

void TestDialogSeams::fileDialogsAnswerWithTheScriptedNamesOnce()
{
    FileDialog::setNextFileName("/tmp/甲.txt");
    QCOMPARE(FileDialog::getSaveFileName(nullptr, "保存", "/tmp", FileDialog::textFiles()), QString("/tmp/甲.txt"));
    QCOMPARE(FileDialog::getOpenFileName(nullptr, "打开", "/tmp", "文本文件(*.txt)"), QString());
    FileDialog::setNextFileNames({"/tmp/a.txt", "/tmp/b.txt"});
    QCOMPARE(FileDialog::getOpenFileNames(nullptr, "打开", "/tmp", "文本文件(*.txt)"),
             (QStringList{"/tmp/a.txt", "/tmp/b.txt"}));
    QCOMPARE(FileDialog::recorded().size(), 3);
    QCOMPARE(FileDialog::recorded().first().kind, FileDialog::Kind::Save);
    QCOMPARE(FileDialog::recorded().first().caption, QString("保存"));
    // Recorded as the dialog is given it.
    QCOMPARE(FileDialog::recorded().first().filter, QString("文本文件 (*.txt)"));
}

void TestDialogSeams::saveNamesWithoutSuffixGetTheFilters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("saved");
    QTest::newRow("text file") << FileDialog::textFiles() << "/tmp/号码"
                               << "/tmp/号码.txt";
    QTest::newRow("own suffix kept") << FileDialog::textFiles() << "/tmp/号码.csv"
                                     << "/tmp/号码.csv";
    QTest::newRow("dot in the folder") << FileDialog::textFiles() << "/tmp/a.b/号码"
                                       << "/tmp/a.b/号码.txt";
    QTest::newRow("pdf") << "PDF 文件(*.pdf)|*.pdf"
                         << "/tmp/打印"
                         << "/tmp/打印.pdf";
    QTest::newRow("database") << "数据库(*.mdb)|*.mdb"
                              << "/tmp/备份"
                              << "/tmp/备份.mdb";
    QTest::newRow("first of two") << "文本文件(*.txt;*.csv)|*.txt;*.csv|所有文件(*.*)|*.*"
                                  << "/tmp/开奖"
                                  << "/tmp/开奖.txt";
    QTest::newRow("already Qt's") << "文本文件 (*.txt)"
                                  << "/tmp/号码"
                                  << "/tmp/号码.txt";
    QTest::newRow("every file") << "所有文件(*.*)|*.*"
                                << "/tmp/说明"
                                << "/tmp/说明";
    QTest::newRow("cancelled") << FileDialog::textFiles() << ""
                               << "";
}

// A save dialog keeps the promise of its filter: a name typed without a suffix gets the filter's.
void TestDialogSeams::saveNamesWithoutSuffixGetTheFilters()
{
    QFETCH(QString, filter);
    QFETCH(QString, chosen);
    QFETCH(QString, saved);
    FileDialog::setNextFileName(chosen);
    QCOMPARE(FileDialog::getSaveFileName(nullptr, "保存", "/tmp", filter), saved);
    // An open dialog hands back what was chosen.
    FileDialog::setNextFileName(chosen);
    QCOMPARE(FileDialog::getOpenFileName(nullptr, "打开", "/tmp", filter), chosen);
}

void TestDialogSeams::filtersListTheirFilesInQtsDialog_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("qtFilter");
    QTest::addColumn<QStringList>("listed");
    // The filters of the program's dialogs.
    QTest::newRow("text files") << FileDialog::textFiles() << "文本文件 (*.txt)" << QStringList{"号码.txt"};
    QTest::newRow("database") << "数据库(*.mdb)|*.mdb"
                              << "数据库 (*.mdb)" << QStringList{"彩票数据.mdb"};
    QTest::newRow("pdf") << "PDF 文件(*.pdf)|*.pdf"
                         << "PDF 文件 (*.pdf)" << QStringList{"打印.pdf"};
    QTest::newRow("draw import, first of two")
        << "文本文件(*.txt;*.csv)|*.txt;*.csv|所有文件(*.*)|*.*"
        << "文本文件 (*.txt *.csv);;所有文件 (*)" << QStringList{"号码.txt", "开奖.csv"};
    QTest::newRow("description without patterns") << "数据库|*.mdb"
                                                  << "数据库 (*.mdb)" << QStringList{"彩票数据.mdb"};
    QTest::newRow("already Qt's") << "所有文件 (*)"
                                  << "所有文件 (*)"
                                  << QStringList{"号码.txt", "开奖.csv", "彩票数据.mdb", "打印.pdf", "说明"};
}

// Each filter, converted, lists in Qt's own dialog the files it names and no other.
void TestDialogSeams::filtersListTheirFilesInQtsDialog()
{
    QFETCH(QString, filter);
    QFETCH(QString, qtFilter);
    QFETCH(QStringList, listed);

    QTemporaryDir folder;
    for (const char* name : {"号码.txt", "开奖.csv", "彩票数据.mdb", "打印.pdf", "说明"})
        std::ofstream(QDir(folder.path()).filePath(QString::fromUtf8(name)).toStdString()) << "x";
    QFileDialog dialog(nullptr, QString(), folder.path(), FileDialog::qtFilter(filter));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* model = dialog.findChild<QFileSystemModel*>("qt_filesystem_model");
    QVERIFY(model);
    const auto shown = [&] {
        QStringList names;
        const QModelIndex root = model->index(folder.path());
        for (int row = 0; row < model->rowCount(root); ++row)
            names << model->index(row, 0, root).data().toString();
        names.sort();
        return names;
    };
    listed.sort();
    QTRY_COMPARE(shown(), listed);
    QCOMPARE(FileDialog::qtFilter(filter), qtFilter);
}

void TestDialogSeams::longPrintJobsAskFirstAndEveryPrintReports_data()
{
    QTest::addColumn<int>("pages");
    QTest::addColumn<std::optional<QMessageBox::StandardButton>>("answer"); // none: no question
    QTest::newRow("20 pages print at once") << 20 << std::optional<QMessageBox::StandardButton>();
    QTest::newRow("21 pages, Yes") << 21 << std::optional(QMessageBox::Yes);
    QTest::newRow("21 pages, No") << 21 << std::optional(QMessageBox::No);
}

void TestDialogSeams::longPrintJobsAskFirstAndEveryPrintReports()
{
    QFETCH(int, pages);
    QFETCH(std::optional<QMessageBox::StandardButton>, answer);
    PrintDialog::setTestMode(true);
    QTemporaryDir folder;
    const QString pdf = folder.filePath("bets.pdf");
    FileDialog::setNextFileName(pdf);
    if (answer)
        MessageBox::setNextAnswer(*answer);
    int painted = 0;
    runPrintJob(nullptr, pages, "bets.pdf", PagePrinter([&](QPrinter& printer, int, int) {
                    QPainter painter(&printer);
                    for (painted = 1; painted < pages; ++painted)
                        printer.newPage();
                    return true;
                }));

    const QList<MessageBox::Record> boxes = MessageBox::recorded();
    const bool printed = answer != QMessageBox::No;
    QCOMPARE(boxes.size(), (answer ? 1 : 0) + (printed ? 1 : 0));
    if (answer) {
        QCOMPARE(boxes.first().kind, MessageBox::Kind::Question);
        QCOMPARE(boxes.first().text, QStringLiteral("将打印21页，是否继续？"));
    }
    QCOMPARE(painted, printed ? pages : 0);
    QCOMPARE(QFile::exists(pdf), printed);
    if (printed)
        QCOMPARE(boxes.last().text, QStringLiteral("打印完成：共%1页，已存为“%2”。").arg(pages).arg(pdf));
}

QTEST_MAIN(TestDialogSeams)
#include "test_dialog_seams.moc"

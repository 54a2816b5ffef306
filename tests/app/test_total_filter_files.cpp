// The total filter window's files: save, load (narrowed and paired anew, refused), and print.
#include "text_recorder.h"
#include "total_filter_window_test.h"

#include "common/bet_list_printer.h"
#include "common/file_dialog.h"
#include "common/message_box.h"
#include "filter/bet_list.h"
#include "shell/lottery_document.h"
#include "store/schema.h"

#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPaintEngine>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

// Sets an environment variable for the life of the object.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnvironment()
    {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

} // namespace

class TestTotalFilterFiles : public TotalFilterWindowTest {
    Q_OBJECT
private slots:
    void saveWritesTheBetsAlone();
    void loadedListIsNarrowedAndPairedAnew();
    void loadThenSaveKeepsEveryBet();
    void refusedFileChangesNothing();
    void printerPutsAHundredBetsOnAPage();
    void printGoesToAPdfWithoutAPrinter();
    void anUnsavedRunIsNotThrownAwayWithoutAsking();
};

void TestTotalFilterFiles::saveWritesTheBetsAlone()
{
    child<QCheckBox>("chkhongqiu")->setChecked(true);
    clickNumbers("btnhong", {1, 2, 3, 4, 5, 6});
    clickNumbers("btnlan", {6, 7});
    filter();
    QCOMPARE(memoLine(5), QString("0000006    02 03 04 05 06+06 07"));

    // The dialog starts on the user's Desktop.
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir("Desktop"));
    const ScopedEnvironment home("HOME", folder.path().toUtf8());
    const ScopedEnvironment config("XDG_CONFIG_HOME", folder.filePath("config").toUtf8());
    FileDialog::setNextFileName(folder.filePath("bets"));
    click("btnsave");
    waitIdle();
    QCOMPARE(fileBytes(folder.filePath("bets.txt")), QByteArray("01 02 03 04 05+06 07\r\n"
                                                                "01 02 03 04 06+06 07\r\n"
                                                                "01 02 03 05 06+06 07\r\n"
                                                                "01 02 04 05 06+06 07\r\n"
                                                                "01 03 04 05 06+06 07\r\n"
                                                                "02 03 04 05 06+06 07\r\n"));
    QCOMPARE(messageTexts(), QStringList{"成功保存！"});
    const FileDialog::Record dialog = FileDialog::recorded().last();
    QCOMPARE(dialog.kind, FileDialog::Kind::Save);
    QCOMPARE(dialog.filter, QString("文本文件 (*.txt)"));
    // The latest fixture draw is 2020005.
    QCOMPARE(dialog.dir, folder.filePath("Desktop/") + quorlin::kShippedLottery + "2020006期总体过滤投注号码.txt");

    // 关闭 only hides the window: opened again, it shows the same list.
    click("btnclose");
    QVERIFY(!window()->isVisible());
    triggerAction("mnutotalfilt");
    QCOMPARE(mainWindow_->tools().window("Tfrmtotalfilt"), window());
    QVERIFY(window()->isVisible());
    QCOMPARE(memoLines(), 6);
}

void TestTotalFilterFiles::loadedListIsNarrowedAndPairedAnew()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("list.txt");
    QVERIFY(writeFile(path, "01 02 03 04 05+01 02\r\n01 02 03 04 05+01 03\r\n"));
    child<QCheckBox>("chkhei")->setChecked(true);
    setCombo("comhei1", "60");
    child<QCheckBox>("chkdanma")->setChecked(true);

    FileDialog::setNextFileName(path);
    click("btnload");
    waitIdle();
    QCOMPARE(memoLines(), 2);
    QCOMPARE(memoLine(1), QString("0000002    01 02 03 04 05+01 03"));
    QCOMPARE(child<QLabel>("lblcode")->text(), QString("过滤结果：2注"));
    QCOMPARE(child<QLabel>("lblcost")->text(), QString("共2注，金额4元"));
    QCOMPARE(fileBytes(tempPath()),
             QByteArray("0000001    01 02 03 04 05+01 02\r\n0000002    01 02 03 04 05+01 03\r\n"));
    QVERIFY(child<QCheckBox>("chkhongqiu")->isChecked());
    QCOMPARE(grid("GroupBox2")->selectedNumbers(), (std::vector<int>{1, 2, 3, 4, 5}));
    QCOMPARE(grid("GroupBox3")->selectedNumbers(), (std::vector<int>{1, 2, 3}));
    // The indicator boxes and their values are cleared; the banker box is not.
    QVERIFY(!child<QCheckBox>("chkhei")->isChecked());
    QVERIFY(child<QComboBox>("comhei1")->currentText().isEmpty());
    QVERIFY(child<QCheckBox>("chkdanma")->isChecked());
    QCOMPARE(document_->state().allcode.rows(), std::size_t{1});

    child<QCheckBox>("chkdanma")->setChecked(false);
    filter();
    QCOMPARE(memoLines(), 3);
    QCOMPARE(memoLine(0), QString("0000001    01 02 03 04 05+01 02"));
    QCOMPARE(memoLine(1), QString("0000002    01 02 03 04 05+01 03"));
    QCOMPARE(memoLine(2), QString("0000003    01 02 03 04 05+02 03"));
}

void TestTotalFilterFiles::loadThenSaveKeepsEveryBet()
{
    // Lines with and without back part, and blank lines, which are passed over.
    QTemporaryDir folder;
    const QString path = folder.filePath("mixed.txt");
    QVERIFY(writeFile(path, "\r\n01 02 03 04 05+11 12\r\n01 02 03 04 06\r\n\r\n01 02 03 04 06+01 02\r\n"));
    FileDialog::setNextFileName(path);
    click("btnload");
    waitIdle();
    QCOMPARE(fileBytes(tempPath()), QByteArray("0000001    01 02 03 04 05+11 12\r\n0000002    01 02 03 04 06\r\n"
                                               "0000003    01 02 03 04 06+01 02\r\n"));
    QCOMPARE(grid("GroupBox3")->selectedNumbers(), (std::vector<int>{11, 12}));

    FileDialog::setNextFileName(folder.filePath("saved.txt"));
    click("btnsave");
    waitIdle();
    QCOMPARE(fileBytes(folder.filePath("saved.txt")),
             QByteArray("01 02 03 04 05+11 12\r\n01 02 03 04 06\r\n01 02 03 04 06+01 02\r\n"));
}

void TestTotalFilterFiles::refusedFileChangesNothing()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("bad.txt");
    QVERIFY(writeFile(path, "01 02 03 04 05+01 02\r\n01 02 03 04 36+01 02\r\n"));
    FileDialog::setNextFileName(path);
    click("btnload");
    waitIdle();
    QCOMPARE(messageTexts().size(), 1);
    QVERIFY2(messageTexts().first().contains("第 2 行"), qPrintable(messageTexts().first()));
    QCOMPARE(memoLines(), 0);
    QVERIFY(!child<QCheckBox>("chkhongqiu")->isChecked());
    QVERIFY(document_->state().allcode.empty());
    QVERIFY(!QFile::exists(tempPath()));
}

void TestTotalFilterFiles::printerPutsAHundredBetsOnAPage()
{
    quorlin::CombinationTable table;
    table.buildAll(35, 5);
    std::vector<std::uint8_t> fronts;
    for (std::size_t r = 0; r < 125; ++r)
        fronts.insert(fronts.end(), table.row(r).begin(), table.row(r).end());
    const quorlin::BetList bets = quorlin::BetList::paired(5, fronts, 2, {1, 2, 1, 3});
    QCOMPARE(bets.size(), std::size_t{250});
    const BetListPrinter printer(bets, "总体过滤投注号码");
    QCOMPARE(printer.pageCount(), 3);

    TextRecorder lastPage;
    {
        QPainter painter(&lastPage);
        printer.paintPage(painter, QRect(0, 0, lastPage.width(), lastPage.height()), 3);
    }
    QStringList lines;
    for (const TextRecorder::Text& t : lastPage.texts())
        if (t.text.startsWith("00"))
            lines.append(t.text);
    QCOMPARE(lines.size(), 50);
    QCOMPARE(lines.first(), QString::fromStdString(bets.numbered(200)));
    QCOMPARE(lines.last(), QString("0000250    01 02 03 08 15+01 03"));
    QVERIFY2(lastPage.allText().contains("共3页\\第3页"), qPrintable(lastPage.allText()));
    QVERIFY(lastPage.allText().contains("总体过滤投注号码"));

    // A full page fills two columns of fifty; the last page's fifty bets fill the first one only.
    QImage full(1240, 1754, QImage::Format_RGB32);
    QImage last(full.size(), QImage::Format_RGB32);
    for (auto [image, page] : {std::pair{&full, 1}, std::pair{&last, 3}}) {
        image->fill(Qt::white);
        QPainter painter(image);
        printer.paintPage(painter, image->rect(), page);
    }
    const QRect secondColumn(full.width() / 2 + 10, full.height() / 5, full.width() / 3, full.height() / 2);
    auto inked = [](const QImage& image, const QRect& area) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255))
                    return true;
        return false;
    };
    QVERIFY(inked(full, secondColumn));
    QVERIFY(!inked(last, secondColumn));
}

void TestTotalFilterFiles::printGoesToAPdfWithoutAPrinter()
{
    click("btnprint");
    QCOMPARE(messageTexts(), QStringList{"没有可以打印的投注号码！"});
    MessageBox::clearRecorded();

    // 56 fronts with three back pairs: 168 bets, two pages.
    child<QCheckBox>("chkhongqiu")->setChecked(true);
    clickNumbers("btnhong", {1, 2, 3, 4, 5, 6, 7, 8});
    clickNumbers("btnlan", {1, 2, 3});
    filter();
    QCOMPARE(memoLines(), 168);
    QTemporaryDir folder;
    FileDialog::setNextFileName(folder.filePath("bets"));
    click("btnprint");
    const QByteArray pdf = fileBytes(folder.filePath("bets.pdf"));
    QVERIFY(pdf.startsWith("%PDF"));
    QCOMPARE(QString::fromLatin1(pdf).count(QRegularExpression(R"(/Type\s*/Page[^s])")), 2);
    QCOMPARE(messageTexts(),
             QStringList{QStringLiteral("打印完成：共2页，已存为“%1”。").arg(folder.filePath("bets.pdf"))});
    MessageBox::clearRecorded();

    // The program's database is never printed over.
    const QString database = QString::fromStdString(program_->databasePath());
    const QByteArray stored = fileBytes(database);
    FileDialog::setNextFileName(database);
    click("btnprint");
    QCOMPARE(fileBytes(database), stored);
    QCOMPARE(messageTexts().size(), 1);
    QVERIFY(messageTexts().first().contains(QStringLiteral("数据库文件夹")));
}

QTEST_MAIN(TestTotalFilterFiles)
#include "test_total_filter_files.moc"

void TestTotalFilterFiles::anUnsavedRunIsNotThrownAwayWithoutAsking()
{
    const QString question = QStringLiteral("总体过滤的过滤结果还没有保存，继续将丢失。确定不保存而继续吗？");
    const auto asked = [] {
        const QList<MessageBox::Record> boxes = MessageBox::recorded();
        MessageBox::clearRecorded();
        return boxes.size() == 1 && boxes.first().kind == MessageBox::Kind::Question ? boxes.first().text : QString();
    };
    child<QCheckBox>("chkhongqiu")->setChecked(true);
    clickNumbers("btnhong", {1, 2, 3, 4, 5, 6});
    clickNumbers("btnlan", {6, 7});
    filter();
    QCOMPARE(memoLines(), 6);
    MessageBox::clearRecorded();

    // 否, the default, keeps the list: for 清空, 关闭彩票, 打开彩票, 数据添加 and quitting, also with the
    // window hidden.
    click("btnclear");
    QCOMPARE(asked(), question);
    QCOMPARE(memoLines(), 6);
    click("btnclose");
    for (const char* command : {"mnuclose", "mnuopen", "mnumoddata", "mnuexit"}) {
        triggerAction(command);
        QCOMPARE(asked(), question);
        QVERIFY2(document_->state().caiopen, command);
        QCOMPARE(mainWindow_->tools().window("Tfrmtotalfilt"), window());
    }
    QCOMPARE(memoLines(), 6);

    // 是 lets 清空 go on.
    triggerAction("mnutotalfilt");
    MessageBox::setNextAnswer(QMessageBox::Yes);
    click("btnclear");
    QCOMPARE(asked(), question);
    QCOMPARE(memoLines(), 0);

    // A saved list goes without a question.
    child<QCheckBox>("chkhongqiu")->setChecked(true);
    clickNumbers("btnhong", {1, 2, 3, 4, 5, 6});
    clickNumbers("btnlan", {6, 7});
    filter();
    QCOMPARE(memoLines(), 6);
    QTemporaryDir folder;
    FileDialog::setNextFileName(folder.filePath("bets.txt"));
    click("btnsave");
    waitIdle();
    QCOMPARE(messageTexts(), QStringList{"成功保存！"});
    MessageBox::clearRecorded();
    triggerAction("mnuclose");
    QVERIFY(MessageBox::recorded().isEmpty());
    QVERIFY(!document_->state().caiopen);
    window_ = nullptr;
}

// 投资模式分析: drawing and loading codes against the open lottery, the analysis of a rule, the
// search on its worker thread with its stop, the files and the printouts.
#include "gui_test_base.h"

#include "common/file_dialog.h"
#include "common/message_box.h"
#include "common/plain_text_role.h"
#include "common/print_dialog.h"
#include "common/progress.h"
#include "common/random_source.h"
#include "invest/hit_marks.h"
#include "invest/mode_printout.h"
#include "invest/mode_replay.h"
#include "invest/mode_search.h"
#include "invest/u_tozi.h"
#include "scripted_random.h"
#include "shell/lottery_document.h"
#include "shell/tool_window_registry.h"
#include "shell/u_main.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

namespace {

/// Draws 2, 3, 5 and 8 of ten are 01 02 03 04 05: the hits of the straight code 12345.
std::vector<std::vector<int>> hitDraws()
{
    std::vector<std::vector<int>> draws;
    for (int i = 1; i <= 10; ++i) {
        const bool hit = i == 2 || i == 3 || i == 5 || i == 8;
        draws.push_back(hit ? std::vector<int>{2020000 + i, 1, 2, 3, 4, 5, 1, 2}
                            : std::vector<int>{2020000 + i, 1, 2, 3, 4, 6 + i, 1, 2});
    }
    return draws;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

} // namespace

class TestToziWindow : public GuiTestBase {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void withoutALotteryItSaysSo();
    void drawingChecksTheRangeAndMarksTheHits();
    void analysisShowsTheWorkedBlock();
    void aCodeFileSelectsItsPlayTypeAndEmptiesTheResults();
    void searchShowsTheBestSettingAndStops();
    void settingsGoToAFileAndComeBack();
    void printoutsHoldTheCodesAndTheSettings();

private:
    Tfrmtozi* open();
    template <typename T> T* child(const char* name) const { return requireChild<T>(window_, name); }
    void click(const char* button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
    void trigger(const char* action) { child<QAction>(action)->trigger(); }
    QAbstractItemModel* table(const char* name) const { return child<QTableView>(name)->model(); }
    QString cell(const char* name, int row, int column) const
    {
        return table(name)->data(table(name)->index(row, column)).toString();
    }
    // A row of the result as copies and exports write it.
    QStringList resultRow(int row) const
    {
        QStringList cells;
        for (int c = 0; c < 7; ++c)
            cells.append(table("grdtozi")->data(table("grdtozi")->index(row, c), kPlainTextRole).toString());
        return cells;
    }
    QString lastMessage() const { return messageTexts().value(messageTexts().size() - 1); }
    QString file(const char* name) const { return QString::fromStdString(program_->apppath()) + name; }
    void loadCodes(const QByteArray& bytes)
    {
        writeFile(file("号码.txt"), bytes);
        FileDialog::setNextFileName(file("号码.txt"));
        trigger("mnuloadcode");
    }

    Tfrmtozi* window_ = nullptr;
};

void TestToziWindow::init()
{
    setUpProgram(hitDraws());
    PrintDialog::setTestMode(true);
}

void TestToziWindow::cleanup()
{
    window_ = nullptr;
    tearDownProgram();
}

Tfrmtozi* TestToziWindow::open()
{
    triggerAction("mnutozi");
    window_ = qobject_cast<Tfrmtozi*>(mainWindow_->tools().window("Tfrmtozi"));
    if (!window_)
        qFatal("no window Tfrmtozi");
    return window_;
}

void TestToziWindow::withoutALotteryItSaysSo()
{
    open();
    QCOMPARE(window_->windowTitle(), QStringLiteral("投资模式分析"));
    click("btnfilt");
    QCOMPARE(lastMessage(), QStringLiteral("请先打开彩票！"));
    click("btnala");
    QCOMPARE(lastMessage(), QStringLiteral("请生成号码！"));
    click("btnyouhua");
    QCOMPARE(lastMessage(), QStringLiteral("请生成号码！"));
    QCOMPARE(child<QPushButton>("btnyouhua")->text(), QStringLiteral("搜索"));
    trigger("mnusavecode");
    QCOMPARE(lastMessage(), QStringLiteral("请生成号码！"));
    trigger("mnuprintcode");
    QCOMPARE(lastMessage(), QStringLiteral("请先生成表格！"));
}

void TestToziWindow::drawingChecksTheRangeAndMarksTheHits()
{
    openShippedLottery();
    open();
    child<QRadioButton>("optzuxuan6")->setChecked(true);
    for (const char* count : {"121", "0"}) {
        child<QLineEdit>("edtjushu")->setText(count);
        click("btnfilt");
        QCOMPARE(lastMessage(), QStringLiteral("请输入1到120的组选6注数！"));
    }
    QCOMPARE(table("grdcode")->rowCount(), 0);

    // One straight code, 12345.
    child<QRadioButton>("optzhixuan")->setChecked(true);
    child<QLineEdit>("edtjushu")->setText("1");
    window_->setRandomSource(std::make_unique<quorlin::test::ScriptedRandom>(
        std::vector<int>{1, 2, 3, 4, 5}, quorlin::test::ScriptedRandom::Mode::CycleFromReseed));
    click("btnfilt");
    QCOMPARE(table("grdcode")->rowCount(), 1);
    QCOMPARE(table("grdcode")->headerData(5, Qt::Horizontal).toString(), QStringLiteral("号码5"));
    QCOMPARE(cell("grdcode", 0, 0), QStringLiteral("1"));
    QCOMPARE(cell("grdcode", 0, 5), QStringLiteral("5"));
    QStringList marks;
    for (int r = 0; r < table("grdsep")->rowCount(); ++r)
        marks.append(cell("grdsep", r, 1));
    QCOMPARE(marks, (QStringList{"1", "●", "●", "1", "●", "1", "2", "●", "1", "2"}));
    QCOMPARE(cell("grdsep", 0, 0), QStringLiteral("2020001"));
    // Gaps 2 1 2 3 and the open gap 10 − 7 + 1 = 4.
    QCOMPARE(table("grdsepmode")->rowCount() > 0, true);
    QCOMPARE(cell("grdsepmode", 0, 0), QStringLiteral("2"));
}

void TestToziWindow::analysisShowsTheWorkedBlock()
{
    openShippedLottery();
    open();
    loadCodes("0\r\n1\r\n12345\r\n");
    QCOMPARE(child<QLineEdit>("edtjushu")->text(), QStringLiteral("1"));
    child<QLineEdit>("edtjushu")->setText("100");
    click("btnala");
    // Hit at 2, then bet on 3 — a hit: the worked block of one draw.
    QCOMPARE(resultRow(0), (QStringList{"1", "1", "200", "200", "1000", "800", "400"}));
    // On screen the money columns read in 元.
    QCOMPARE(cell("grdtozi", 0, 1), QStringLiteral("1"));
    QCOMPARE(cell("grdtozi", 0, 4), QStringLiteral("1,000元"));
    QCOMPARE(cell("grdtozi", 0, 6), QStringLiteral("400"));
    QCOMPARE(table("grdtozi")->rowCount(), 3);
    // The loss at 8 is carried into the last block, whose own loss ends the history: both left out.
    QCOMPARE(child<QLineEdit>("edtallwin")->text(), QStringLiteral("800"));

    // Clearing 间隔模式 puts its lists on their first items and locks them.
    child<QComboBox>("comsepindex")->setCurrentIndex(5);
    child<QCheckBox>("chksepmode")->setChecked(false);
    QCOMPARE(child<QComboBox>("comsepindex")->currentIndex(), 0);
    QVERIFY(!child<QComboBox>("comsepindex")->isEnabled());

    // A first draw beyond 单期最大投入 stops the replay; the message only once a block was done.
    child<QLineEdit>("edtsinmax")->setText("100");
    const auto boxes = MessageBox::recorded().size();
    click("btnala");
    QCOMPARE(MessageBox::recorded().size(), boxes);
    QCOMPARE(table("grdtozi")->rowCount(), 0);
    child<QLineEdit>("edtsinmax")->setText("1000000");
    child<QLineEdit>("edtoutofsin")->setText("200");
    click("btnala");
    QCOMPARE(lastMessage(), QStringLiteral("所需倍数太大，无法投注！"));
    child<QLineEdit>("edtjushu")->setText("0");
    click("btnala");
    QCOMPARE(lastMessage(), QStringLiteral("请输入1到1000的直选注数！"));
    child<QLineEdit>("edtjushu")->setText("x");
    click("btnala");
    QVERIFY2(lastMessage().contains("“x”"), qPrintable(lastMessage()));

    click("btnclear");
    QCOMPARE(child<QLineEdit>("edtsinmax")->text(), QStringLiteral("10000"));
    QCOMPARE(child<QLineEdit>("edtallmax")->text(), QStringLiteral("100000"));
    QCOMPARE(child<QLineEdit>("edtjushu")->text(), QStringLiteral("100"));
    QVERIFY(child<QCheckBox>("chksepmode")->isChecked());
    QVERIFY(child<QComboBox>("comsepindex")->isEnabled());
}

void TestToziWindow::aCodeFileSelectsItsPlayTypeAndEmptiesTheResults()
{
    openShippedLottery();
    open();
    loadCodes("0\r\n1\r\n12345\r\n");
    click("btnala");
    QVERIFY(table("grdtozi")->rowCount() > 0);
    loadCodes("2\r\n1\r\n11234\r\n");
    QVERIFY(child<QRadioButton>("optzuxuan3")->isChecked());
    QCOMPARE(table("grdtozi")->rowCount(), 0);
    // 1 1 2 as first three numbers never came: no hit, and the statistics of 12345 stay.
    QCOMPARE(cell("grdsep", 1, 1), QStringLiteral("2"));
    QVERIFY(table("grdsepmode")->rowCount() > 0);

    writeFile(file("坏.txt"), "0\r\n2\r\n12345\r\n");
    FileDialog::setNextFileName(file("坏.txt"));
    trigger("mnuloadcode");
    QVERIFY2(lastMessage().contains(QStringLiteral("第4行")), qPrintable(lastMessage()));
}

void TestToziWindow::searchShowsTheBestSettingAndStops()
{
    openShippedLottery();
    open();
    loadCodes("0\r\n1\r\n12345\r\n");
    const quorlin::CodeList codes = [] {
        quorlin::CodeList c(1, 5);
        for (std::size_t p = 0; p < 5; ++p)
            c.at(0, p) = static_cast<std::uint8_t>(p + 1);
        return c;
    }();
    const quorlin::ModeReplay history(markHits(codes, quorlin::PlayType::Zhixuan, document_->state().hisfull));
    quorlin::Progress progress;
    const quorlin::ModeRule rule = modeRuleOf(window_->form());
    const quorlin::ModeSearchResult expected = searchModes(history, rule, progress);

    click("btnyouhua");
    QCOMPARE(child<QPushButton>("btnyouhua")->text(), QStringLiteral("停止搜索"));
    QVERIFY(!child<QPushButton>("btnala")->isEnabled());
    QVERIFY(!child<QGroupBox>("grptozi")->isEnabled());
    QTRY_COMPARE(child<QPushButton>("btnyouhua")->text(), QStringLiteral("搜索"));
    QVERIFY(child<QPushButton>("btnala")->isEnabled());
    const quorlin::ModeForm found = window_->form();
    QCOMPARE(found.sepnum, expected.best.sepnum);
    QCOMPARE(found.tozisep, expected.best.tozisep);
    QCOMPARE(found.tozirep, expected.best.tozirep);
    QCOMPARE(child<QLineEdit>("edtallwin")->text(), QString::number(expected.surplus));

    // Stopped at once, the search still shows the best setting it reached, analysed.
    click("btnyouhua");
    click("btnyouhua");
    QTRY_COMPARE(child<QPushButton>("btnyouhua")->text(), QStringLiteral("搜索"));
    const quorlin::ModeResult shown = history.analyse(modeRuleOf(window_->form()));
    QCOMPARE(child<QLineEdit>("edtallwin")->text(), QString::number(shown.surplus));
    QCOMPARE(table("grdtozi")->rowCount(), static_cast<int>(shown.blocks.size()));
    QVERIFY(child<QGroupBox>("grptozi")->isEnabled());
}

void TestToziWindow::settingsGoToAFileAndComeBack()
{
    open();
    quorlin::ModeForm form = window_->form();
    form.playType = quorlin::PlayType::Quanzuxuan;
    form.tozisep = 7;
    form.tozirep = 3;
    form.sepindex = 12;
    form.sepnum = 4;
    form.lirun = "25";
    form.yuji = false;
    window_->setForm(form);
    FileDialog::setNextFileName(file("设置"));
    trigger("mnusaveset");
    QCOMPARE(lastMessage(), QStringLiteral("成功保存！"));
    QVERIFY(FileDialog::recorded().last().dir.endsWith(QStringLiteral("附属/全组选投资模式设置.txt")));

    click("btnclear");
    child<QRadioButton>("optzhixuan")->setChecked(true);
    QVERIFY(window_->form() != form);
    FileDialog::setNextFileName(file("设置.txt"));
    trigger("mnuloadset");
    QCOMPARE(window_->form(), form);
}

void TestToziWindow::printoutsHoldTheCodesAndTheSettings()
{
    openShippedLottery();
    open();
    loadCodes("0\r\n1\r\n12345\r\n");
    FileDialog::setNextFileName(file("号码.pdf"));
    trigger("mnuprintcode");
    FileDialog::setNextFileName(file("设置.pdf"));
    trigger("mnuprintset");
    for (const char* pdf : {"号码.pdf", "设置.pdf"}) {
        QFile printed(file(pdf));
        QVERIFY2(printed.open(QIODevice::ReadOnly), pdf);
        QCOMPARE(printed.readAll().count("/Type /Page\n"), 1);
    }

    // 76 codes: 75 on the first page in three blocks, the last alone in place 1 of the second.
    quorlin::CodeList codes(76, 5);
    for (std::size_t r = 0; r < 76; ++r)
        codes.at(r, 4) = static_cast<std::uint8_t>(r % 10);
    QImage page(4960, 7016, QImage::Format_Grayscale8);
    page.setDotsPerMeterX(23622);
    page.setDotsPerMeterY(23622);
    const std::vector<PrintedPage> pages = codePages("标题", "2026-3-7", codes, page);
    QCOMPARE(pages.size(), std::size_t(2));
    const int h = page.height();
    const int w = page.width();
    auto textsAt = [](const PrintedPage& p, int y) {
        QStringList texts;
        for (const PrintedPage::Text& t : p.texts)
            if (t.at.y() == y && !t.text.isEmpty())
                texts.append(t.text);
        return texts;
    };
    QCOMPARE(textsAt(pages[0], 2 * h / 29 - 20), QStringList{QStringLiteral("共76注 打印日期:2026-3-7")});
    QCOMPARE(textsAt(pages[0], 4 * h / 29), (QStringList{"1", "00000", "26", "00005", "51", "00000"}));
    QCOMPARE(textsAt(pages[1], 4 * h / 29), (QStringList{"76", "00005"}));
    QCOMPARE(pages[1].texts.back().text, QStringLiteral("共2页\\第2页"));
    QCOMPARE(pages[1].texts.back().at, QPoint(8 * w / 10 + 330, 28 * h / 29 + 130));
}

QTEST_MAIN(TestToziWindow)
#include "test_tozi_window.moc"

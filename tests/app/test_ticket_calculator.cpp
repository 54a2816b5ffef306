// 投注计算器: tickets built on the buttons or typed, the list saved, loaded and expanded, and its prizes.
#include "gui_test_base.h"

#include "check/check_report.h"
#include "check/prize_rules.h"
#include "check/ticket_number_pad.h"
#include "check/ticket_prize.h"
#include "check/u_jisuanqi.h"
#include "common/file_dialog.h"
#include "common/message_box.h"
#include "common/text_grid.h"
#include "common/view_table.h"
#include "shell/tool_window_registry.h"
#include "shell/u_main.h"
#include "store/schema.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <filesystem>
#include <fstream>

namespace {

const QString kBankerTicket = "05 18#02 09 13 21 27 30+04#01 08 11";
// 7+3 复式 holding all of the draw 2020003 (03 09 17 25 33 + 04 11).
const QString kCompound = "01 02 03 09 17 25 33+04 05 11";
const QString kSingle = "01 02 03 04 05+06 07";

} // namespace

class TestTicketCalculator : public GuiTestBase {
    Q_OBJECT
private slots:
    void init()
    {
        setUpProgram();
        // One draw older than every prize table.
        quorlin::test::insertDraws(program_->databasePath(), quorlin::kShippedLottery, {{2006001, 1, 2, 3, 4, 5, 1, 2}},
                                   "2006-05-01");
        openShippedLottery();
        std::filesystem::create_directories(program_->path() / "附属");
        std::filesystem::copy_file(std::string(quorlin::test::distFilesDir()) + "/附属/大乐透奖级.txt",
                                   program_->path() / "附属" / "大乐透奖级.txt");
        triggerAction("mnujisuanqi");
        window_ = qobject_cast<Tfrmjisuanqi*>(mainWindow_->tools().window("Tfrmjisuanqi"));
        QVERIFY(window_ && window_->isVisible());
    }
    void cleanup() { tearDownProgram(); }

    void buttonsBuildTheBankerTicketWithItsCost();
    void listGoesThroughSaveClearAndLoadUnchanged();
    void refusedFileAndLineChangeNothing();
    void prizesOfADrawMatchTheCoreCount();
    void aStoredDrawPaysItsPublishedAmountsAndExtra();
    void expansionWritesEveryBetAndAStopKeepsTheOldFile();
    void unsavedListOutlivesTheLotteryReopening();
    void unsavedListThatCannotBeKeptOrReadBackIsSaidAndItsFileKept();

private:
    template <typename T> T* child(const char* name) const { return requireChild<T>(window_, name); }
    void click(const char* name) const { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
    void clickNumber(const char* prefix, int n, Qt::KeyboardModifiers modifiers = {}) const
    {
        QTest::mouseClick(child<QPushButton>(qPrintable(QString::asprintf("%s%.2d", prefix, n))), Qt::LeftButton,
                          modifiers);
    }
    void addTyped(const QString& line) const
    {
        child<QLineEdit>("edtpiaomian")->setText(line);
        click("btnshuru");
    }
    QStringList listed() const
    {
        QStringList lines;
        for (const quorlin::Ticket& ticket : window_->tickets())
            lines << QString::fromStdString(ticket.text());
        return lines;
    }
    static QString cell(const TextGrid* grid, int row, int column)
    {
        return grid->model()->index(row, column).data().toString();
    }
    // The cell as a copy or an export writes it.
    static QString plain(const TextGrid* grid, int row, int column)
    {
        const quorlin::ExportTable table = ViewTable::read(*grid, false, QString());
        return QString::fromStdString(
            table.rows.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column)));
    }
    static quorlin::Ticket ticketOf(const QString& line)
    {
        std::string problem;
        return *quorlin::parseTicket(line.toStdString(), quorlin::TicketShape{}, problem);
    }
    QString path(const char* name) const { return QString::fromStdString(program_->apppath() + name); }

    Tfrmjisuanqi* window_ = nullptr;
};

void TestTicketCalculator::buttonsBuildTheBankerTicketWithItsCost()
{
    QCOMPARE(window_->windowTitle(), QString("投注计算器"));
    // Too few numbers stand for no bet: said live, and refused by 添加.
    for (const int n : {2, 9, 13})
        clickNumber("btnqian", n);
    QCOMPARE(child<QLabel>("lblpiaomian")->text(), QString("02 09 13　还不成一注：前区号码只有 3 个，至少要 5 个"));
    QCOMPARE(child<QLabel>("lblzhushu")->text(), QString());
    click("btntianjia");
    QCOMPARE(messageTexts(), QStringList{"所选号码还不成一注：前区号码只有 3 个，至少要 5 个"});
    QVERIFY(window_->tickets().empty());

    // Bankers by the 选胆 mode in front and by Ctrl+click in the back.
    child<QRadioButton>("optxuandan")->setChecked(true);
    for (const int n : {5, 18})
        clickNumber("btnqian", n);
    child<QRadioButton>("optxuanhao")->setChecked(true);
    for (const int n : {21, 27, 30})
        clickNumber("btnqian", n);
    clickNumber("btnhou", 4, Qt::ControlModifier);
    for (const int n : {1, 8, 11})
        clickNumber("btnhou", n);
    QCOMPARE(child<QLabel>("lblpiaomian")->text(), kBankerTicket + "（胆拖）");
    QCOMPARE(child<QLabel>("lblzhushu")->text(), QString("共60注，金额120元"));
    auto* front = child<TicketNumberPad>("grpqian");
    QVERIFY(front->isBanker(5) && !front->isBanker(9));
    QVERIFY(front->button(5)->styleSheet() != front->button(9)->styleSheet());

    // A plain click on a banker makes it a drag; a second one clears it; a Ctrl+click makes it a banker again.
    clickNumber("btnqian", 18);
    QCOMPARE(child<QLabel>("lblpiaomian")->text(), QString("05#02 09 13 18 21 27 30+04#01 08 11（胆拖）"));
    clickNumber("btnqian", 18);
    QCOMPARE(child<QLabel>("lblpiaomian")->text(), QString("05#02 09 13 21 27 30+04#01 08 11（胆拖）"));
    clickNumber("btnqian", 18, Qt::ControlModifier);
    QCOMPARE(child<QLabel>("lblpiaomian")->text(), kBankerTicket + "（胆拖）");

    child<QCheckBox>("chkzhuijia")->setChecked(true);
    QCOMPARE(child<QLabel>("lblzhushu")->text(), QString("共60注，金额180元"));
    click("btntianjia");
    QCOMPARE(listed(), QStringList{kBankerTicket});
    auto* list = child<TextGrid>("tabpiao");
    QCOMPARE(cell(list, 0, 1), QString("胆拖"));
    QCOMPARE(cell(list, 0, 2), QString("60"));
    QCOMPARE(cell(list, 0, 3), QString("180元"));
    QCOMPARE(child<QLabel>("lblcost")->text(), QString("共60注，金额180元"));
    // The buttons are free for the next ticket.
    QVERIFY(front->selectedNumbers().empty() && !front->isBanker(5));
}

void TestTicketCalculator::listGoesThroughSaveClearAndLoadUnchanged()
{
    addTyped(kSingle);
    addTyped("3,7，11 19 24 28 33+9 2 5"); // 复式 typed in any order, with both kinds of comma
    addTyped(kBankerTicket);
    const QStringList lines{kSingle, "03 07 11 19 24 28 33+02 05 09", kBankerTicket};
    QCOMPARE(listed(), lines);
    QCOMPARE(cell(child<TextGrid>("tabpiao"), 1, 1), QString("复式"));
    QCOMPARE(child<QLabel>("lblcost")->text(), QString("共124注，金额248元"));

    FileDialog::setNextFileName(path("list.txt"));
    click("btnbaocun");
    QCOMPARE(fileBytes(path("list.txt")), (lines.join("\r\n") + "\r\n").toUtf8());

    MessageBox::setNextAnswer(QMessageBox::No);
    click("btnqingkong");
    QCOMPARE(MessageBox::recorded().last().kind, MessageBox::Kind::Question);
    QCOMPARE(listed(), lines);
    MessageBox::setNextAnswer(QMessageBox::Yes);
    click("btnqingkong");
    QVERIFY(window_->tickets().empty());
    QCOMPARE(child<QLabel>("lblcost")->text(), QString());

    // A list not saved yet is replaced only when the user agrees.
    addTyped(kSingle);
    const qsizetype boxes = MessageBox::recorded().size();
    const qsizetype dialogs = FileDialog::recorded().size();
    MessageBox::setNextAnswer(QMessageBox::No);
    click("btnzairu");
    QCOMPARE(MessageBox::recorded().size(), boxes + 1);
    QCOMPARE(FileDialog::recorded().size(), dialogs);
    QCOMPARE(listed(), QStringList{kSingle});

    MessageBox::setNextAnswer(QMessageBox::Yes);
    FileDialog::setNextFileName(path("list.txt"));
    click("btnzairu");
    QCOMPARE(listed(), lines);
    QCOMPARE(child<QLabel>("lblcost")->text(), QString("共124注，金额248元"));
    // Just loaded: loading again asks nothing.
    FileDialog::setNextFileName(path("list.txt"));
    click("btnzairu");
    QCOMPARE(MessageBox::recorded().size(), boxes + 2);
}

void TestTicketCalculator::refusedFileAndLineChangeNothing()
{
    addTyped(kSingle);
    std::ofstream(path("bad.txt").toStdString(), std::ios::binary) << kCompound.toStdString() << "\r\n"
                                                                   << "01 02 03 04 36+01 02\r\n";
    MessageBox::setNextAnswer(QMessageBox::Yes);
    FileDialog::setNextFileName(path("bad.txt"));
    click("btnzairu");
    QVERIFY2(messageTexts().last().contains("第 2 行") && messageTexts().last().contains("36"),
             qPrintable(messageTexts().last()));
    QCOMPARE(listed(), QStringList{kSingle});

    addTyped("01 02 03 04 05 06#07+01 02");
    QCOMPARE(messageTexts().last(), QString("票面“01 02 03 04 05 06#07+01 02”有误：前区胆码有 6 个，最多 4 个"));
    QCOMPARE(listed(), QStringList{kSingle});
}

void TestTicketCalculator::aStoredDrawPaysItsPublishedAmountsAndExtra()
{
    // Two real draws; the first open stores their published results from the copies beside the program.
    tearDownProgram();
    setUpProgram({});
    quorlin::test::insertDraws(program_->databasePath(), quorlin::kShippedLottery,
                               {{2026086, 10, 11, 18, 22, 35, 6, 12}}, "2026-08-01");
    quorlin::test::insertDraws(program_->databasePath(), quorlin::kShippedLottery,
                               {{2026087, 5, 10, 16, 24, 27, 4, 10}}, "2026-08-03");
    std::filesystem::create_directories(program_->path() / "附属");
    for (const char* name : {"dlt_prizes.csv", "dlt_pool_sales.csv"})
        std::filesystem::copy_file(std::string(quorlin::test::dataDir()) + "/" + name,
                                   program_->path() / "附属" / name);
    std::filesystem::copy_file(std::string(quorlin::test::distFilesDir()) + "/附属/大乐透奖级.txt",
                               program_->path() / "附属" / "大乐透奖级.txt");
    openShippedLottery();
    triggerAction("mnujisuanqi");
    window_ = qobject_cast<Tfrmjisuanqi*>(mainWindow_->tools().window("Tfrmjisuanqi"));
    QVERIFY(window_);

    // The drawn numbers and a 复式 around them: 一等奖 9 winners × 6,547,013, 三等奖 at the published 6666.
    addTyped("05 10 16 24 27+04 10");
    addTyped("05 10 16 24 27 33+04 10 12");
    child<QComboBox>("comqihao")->setCurrentIndex(0);
    click("btnjisuan");
    QVERIFY2(child<QLabel>("lblguize")->text().contains("按当期公布的单注奖金"),
             qPrintable(child<QLabel>("lblguize")->text()));
    auto* table = child<TextGrid>("tabjiang");
    QCOMPARE(table->model()->rowCount(), 3);
    const int money = table->model()->columnCount() - 1;
    // On screen in 万元; copied or exported as the plain number.
    QCOMPARE(cell(table, 0, money), QString("654.70万元"));
    QCOMPARE(plain(table, 0, money), QString("6547013"));
    // 5+2 once, 5+1 twice, 4+2 five times, 4+1 ten times: every level published.
    QCOMPARE(plain(table, 1, money), QString::number(6547013 + 2 * 82652 + 5 * 6666 + 10 * 380));
    // 追加 adds the published 一等奖(追加) and 二等奖(追加).
    child<QCheckBox>("chkzhuijia")->setChecked(true);
    QCOMPARE(plain(table, 0, money), QString::number(6547013 + 5237610));
    QCOMPARE(cell(table, 0, money), QString("1,178.46万元"));
    QCOMPARE(plain(table, 1, money), QString::number(6547013 + 5237610 + 2 * (82652 + 66122) + 5 * 6666 + 10 * 380));
}

void TestTicketCalculator::prizesOfADrawMatchTheCoreCount()
{
    for (const QString& line : {kBankerTicket, kCompound, kSingle})
        addTyped(line);
    auto* issues = child<QComboBox>("comqihao");
    QVERIFY(issues->itemText(0).startsWith("2020005期")); // newest first
    issues->setCurrentIndex(issues->findText("2020003", Qt::MatchStartsWith));
    click("btnjisuan");
    QVERIFY2(child<QLabel>("lblguize")->text().contains("九个奖级"), qPrintable(child<QLabel>("lblguize")->text()));

    std::string error;
    const auto rules = quorlin::readPrizeRules(program_->apppath() + quorlin::kPrizeRulesFile, error);
    QVERIFY(rules);
    const quorlin::CheckDraw draw{"2020003", 20200101, {3, 9, 17, 25, 33}, {4, 11}};
    const quorlin::PrizeRuleSetRef set = rules->forDate(draw.date);
    auto* table = child<TextGrid>("tabjiang");
    QCOMPARE(table->model()->columnCount(), 1 + 9 + 1);
    QCOMPARE(table->model()->headerData(1, Qt::Horizontal).toString(), QString("一等奖"));
    QCOMPARE(table->model()->rowCount(), 4);
    const auto rowOf = [&](const quorlin::DrawCheck& c, const QString& name) {
        QStringList row{name};
        for (const std::uint64_t count : c.levelCounts)
            row << QString::number(count);
        return row << QString::fromStdString(quorlin::moneyShortText(c.money, c.unknownWon));
    };
    const auto shownRow = [&](int row) {
        QStringList cells;
        for (int column = 0; column < table->model()->columnCount(); ++column)
            cells << cell(table, row, column);
        return cells;
    };
    for (int row = 0; row < 3; ++row)
        QCOMPARE(shownRow(row),
                 rowOf(quorlin::checkTicket(window_->tickets()[static_cast<std::size_t>(row)], draw, set),
                       QString::fromStdString(window_->tickets()[static_cast<std::size_t>(row)].text())));
    QCOMPARE(shownRow(3), rowOf(quorlin::checkTickets(window_->tickets(), draw, set), "合计"));
    // By hand: C(7,5) fronts hold 5 hits once, 4 hits 10 times and 3 hits 10 times; C(3,2) backs
    // hold 2 hits once and 1 hit twice.
    QCOMPARE(shownRow(1), (QStringList{kCompound, "1", "2", "0", "10", "20", "10", "0", "20", "0", "3.83万元+浮动"}));

    // The result follows the list.
    child<TextGrid>("tabpiao")->selectRow(1);
    click("btnshanchu");
    QCOMPARE(listed(), (QStringList{kBankerTicket, kSingle}));
    QCOMPARE(table->model()->rowCount(), 3);
    QCOMPARE(cell(table, 1, 0), kSingle);

    // A typed draw takes the newest table; a wrong one is refused and leaves the result.
    child<QRadioButton>("optshuru")->setChecked(true);
    child<QLineEdit>("edtkaijiang")->setText("03 09 17 25+04 11");
    click("btnjisuan");
    QVERIFY2(messageTexts().last().startsWith("开奖号码“03 09 17 25+04 11”有误："), qPrintable(messageTexts().last()));
    QCOMPARE(table->model()->rowCount(), 3);
    child<QLineEdit>("edtkaijiang")->setText("1 2 3 4 5+6 7");
    click("btnjisuan");
    QVERIFY(child<QLabel>("lblguize")->text().contains("七个奖级"));
    QCOMPARE(table->model()->columnCount(), 1 + 7 + 1);
    QCOMPARE(cell(table, 1, 1), QString("1"));
    QCOMPARE(cell(table, 2, 0), QString("合计"));

    // A draw before every prize table is said so, with no money shown.
    child<QRadioButton>("optqihao")->setChecked(true);
    issues->setCurrentIndex(issues->count() - 1);
    click("btnjisuan");
    QVERIFY2(child<QLabel>("lblguize")->text().contains("早于所有奖级表"),
             qPrintable(child<QLabel>("lblguize")->text()));
    QCOMPARE(table->model()->rowCount(), 0);
}

void TestTicketCalculator::expansionWritesEveryBetAndAStopKeepsTheOldFile()
{
    addTyped(kCompound);
    addTyped(kBankerTicket);
    FileDialog::setNextFileName(path("bets.txt"));
    click("btnzhankai");
    QTRY_VERIFY(!window_->isBusy());
    QCOMPARE(messageTexts().last(), QString("已把投注单展开为123注单式，写入 bets.txt。"));
    const QStringList lines = QString::fromUtf8(fileBytes(path("bets.txt"))).split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 123);
    QCOMPARE(QSet<QString>(lines.begin(), lines.end()).size(), 123);
    const QRegularExpression single("^\\d\\d( \\d\\d){4}\\+\\d\\d \\d\\d$");
    for (const QString& line : lines)
        QVERIFY2(single.match(line).hasMatch(), qPrintable(line));
    // Each bet is one the tickets stand for: 63 within the 复式, 60 holding the bankers 05 18 and 04.
    QVERIFY(lines.first().startsWith("01 02 03 09 17+04 05"));
    QVERIFY(lines[63].startsWith("02 05 09 13 18+01 04"));

    // Every front and back number: 21,425,712 bets, stopped at once.
    addTyped("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 32 33 34 35+"
             "1 2 3 4 5 6 7 8 9 10 11 12");
    std::ofstream(path("old.txt").toStdString(), std::ios::binary) << "old";
    FileDialog::setNextFileName(path("old.txt"));
    click("btnzhankai");
    QVERIFY(window_->isBusy());
    QVERIFY(!child<QPushButton>("btnqingkong")->isEnabled());
    QTest::mouseClick(child<QPushButton>("btnstop"), Qt::LeftButton);
    QTRY_VERIFY(!window_->isBusy());
    QCOMPARE(messageTexts().last(), QString("已停止展开，old.txt 未改变。"));
    QCOMPARE(fileBytes(path("old.txt")), QByteArray("old"));
    QVERIFY(child<QPushButton>("btnqingkong")->isEnabled());
}

void TestTicketCalculator::unsavedListOutlivesTheLotteryReopening()
{
    // Data commands close and reopen the lottery, and its tool windows with it.
    addTyped(kBankerTicket);
    addTyped(kSingle);
    mainWindow_->runWithLotteryClosed([] {});
    QVERIFY(!mainWindow_->tools().window("Tfrmjisuanqi"));
    triggerAction("mnujisuanqi");
    window_ = qobject_cast<Tfrmjisuanqi*>(mainWindow_->tools().window("Tfrmjisuanqi"));
    QVERIFY(window_);
    QCOMPARE(listed(), (QStringList{kBankerTicket, kSingle}));
    QCOMPARE(child<QLabel>("lblcost")->text(), QString("共61注，金额122元"));
    // Still unsaved: loading over it asks first.
    MessageBox::clearRecorded();
    MessageBox::setNextAnswer(QMessageBox::No);
    click("btnzairu");
    QCOMPARE(MessageBox::recorded().size(), 1);
    QCOMPARE(MessageBox::recorded().last().kind, MessageBox::Kind::Question);

    // A saved list is not kept: the next window starts empty.
    FileDialog::setNextFileName(QString::fromStdString(program_->apppath() + "saved.txt"));
    click("btnbaocun");
    mainWindow_->runWithLotteryClosed([] {});
    triggerAction("mnujisuanqi");
    window_ = qobject_cast<Tfrmjisuanqi*>(mainWindow_->tools().window("Tfrmjisuanqi"));
    QVERIFY(window_);
    QVERIFY(window_->tickets().empty());
    QVERIFY(!std::filesystem::exists(program_->path() / "投注计算器未保存.txt"));
}

void TestTicketCalculator::unsavedListThatCannotBeKeptOrReadBackIsSaidAndItsFileKept()
{
    const std::filesystem::path kept = program_->path() / "投注计算器未保存.txt";
    const auto open = [this] {
        triggerAction("mnujisuanqi");
        window_ = qobject_cast<Tfrmjisuanqi*>(mainWindow_->tools().window("Tfrmjisuanqi"));
    };

    // Writing it fails: a link there leads into the database folder.
    std::filesystem::create_symlink(program_->databasePath(), kept);
    addTyped(kSingle);
    MessageBox::clearRecorded();
    mainWindow_->runWithLotteryClosed([] {});
    QCOMPARE(MessageBox::recorded().size(), 1);
    QVERIFY2(MessageBox::recorded()[0].text.startsWith("未保存的投注单无法保留：不能保存到 "),
             qPrintable(MessageBox::recorded()[0].text));
    QVERIFY(std::filesystem::is_symlink(kept));
    std::filesystem::remove(kept);

    // Reading it back fails: said, and the file stays as it is, however the window goes.
    std::ofstream(kept, std::ios::binary) << "01 02 03 04 05+06 07\r\nnot a ticket\r\n";
    const QByteArray unreadable = fileBytes(QString::fromStdString(kept.string()));
    MessageBox::clearRecorded();
    open();
    QVERIFY(window_ && window_->tickets().empty());
    QCOMPARE(MessageBox::recorded().size(), 1);
    QVERIFY2(MessageBox::recorded()[0].text.contains("无法读回：第 2 行"), qPrintable(MessageBox::recorded()[0].text));
    addTyped(kSingle);
    MessageBox::clearRecorded();
    mainWindow_->runWithLotteryClosed([] {});
    QCOMPARE(MessageBox::recorded().size(), 1);
    QVERIFY(MessageBox::recorded()[0].text.contains("没有被覆盖"));
    QCOMPARE(fileBytes(QString::fromStdString(kept.string())), unreadable);
}

QTEST_MAIN(TestTicketCalculator)
#include "test_ticket_calculator.moc"

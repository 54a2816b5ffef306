// 旋转矩阵组号缩水's page 按需生成: a wheel searched for the chosen pool, stopped or ending by
// itself, paired with back numbers, saved as a bet list and as a wheel file the first page reads,
// and a loaded list checked and repaired.
#include "gui_test_base.h"

#include "betset/wheel_maker_page.h"
#include "common/file_dialog.h"
#include "common/message_box.h"
#include "shell/tool_window_registry.h"
#include "shell/u_main.h"
#include "wheel/wheel_guarantee.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>

#include <filesystem>
#include <fstream>

class TestWheelMakerPage : public GuiTestBase {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void searchStoppedKeepsTheBestVerifiedWheel();
    void shortSearchEndsByItselfWithTheBankersOnEveryBet();
    void typedPoolFollowsTheButtonsAndRefusalsStartNothing();
    void backPairsCountAndSaveWithEveryBet();
    void savedWheelFileGivesTheSameBetsOnTheFilesPage();
    void checkListsTheHolesAndRepairGivesAVerifiedWheel();
    void repairAndSearchEndWhenStoppedOrTheWindowCloses();

private:
    template <typename T> T* child(const char* name) const { return requireChild<T>(window_, name); }
    void click(const char* button, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton, modifiers);
    }
    void choosePool(const QList<int>& numbers, const QList<int>& bankers = {});
    void setGuarantee(int ok, int hit);
    /// Starts a search of `seconds` and waits until it has ended by itself.
    void makeWheel(int seconds);
    QString lastMessage() const { return messageTexts().value(messageTexts().size() - 1); }
    QString path(const char* name) const { return QString::fromStdString(program_->apppath()) + name; }
    /// The bets of the result grid (or of the first page's grid), as numbers.
    std::vector<quorlin::WheelBet> shownBets(const char* grid = "tabjieguo") const;
    bool holds(const QList<int>& pool, const QList<int>& bankers, int ok, int hit) const;

    QWidget* window_ = nullptr;
    WheelMakerPage* page_ = nullptr;
};

void TestWheelMakerPage::init()
{
    setUpProgram();
    std::filesystem::copy(std::filesystem::path(quorlin::test::distFilesDir()) / "旋转矩阵",
                          program_->path() / "旋转矩阵");
    openShippedLottery();
    triggerAction("mnujuzheng");
    window_ = mainWindow_->tools().window("Tfrmjuzheng");
    if (!window_)
        qFatal("no wheel window");
    page_ = child<WheelMakerPage>("tshanxu");
    child<QTabWidget>("pgcjuzheng")->setCurrentWidget(page_);
}

void TestWheelMakerPage::cleanup()
{
    window_ = nullptr;
    page_ = nullptr;
    tearDownProgram();
}

void TestWheelMakerPage::choosePool(const QList<int>& numbers, const QList<int>& bankers)
{
    for (const int n : numbers)
        click(qPrintable(QString::asprintf("btnchi%.2d", n)),
              bankers.contains(n) ? Qt::ControlModifier : Qt::NoModifier);
}

void TestWheelMakerPage::setGuarantee(int ok, int hit)
{
    child<QComboBox>("comzhong")->setCurrentText(QString::number(ok));
    child<QComboBox>("combao")->setCurrentText(QString::number(hit));
}

void TestWheelMakerPage::makeWheel(int seconds)
{
    child<QLineEdit>("edtmiao")->setText(QString::number(seconds));
    click("btnkaishi");
    QVERIFY(page_->isBusy());
    QTRY_VERIFY(!page_->isBusy());
    // Its time is up, or a covering reached the least size any wheel can have.
    const QString ended = child<QLabel>("lblshengyu")->text();
    QVERIFY2(ended == QStringLiteral("已到时") || ended == QStringLiteral("已是最少注数"), qPrintable(ended));
}

std::vector<quorlin::WheelBet> TestWheelMakerPage::shownBets(const char* grid) const
{
    const QAbstractItemModel* table = child<QAbstractItemView>(grid)->model();
    std::vector<quorlin::WheelBet> bets;
    for (int r = 0; r < table->rowCount(); ++r) {
        quorlin::WheelBet bet;
        for (int c = 1; c < table->columnCount(); ++c)
            bet.push_back(table->index(r, c).data().toInt());
        bets.push_back(bet);
    }
    return bets;
}

bool TestWheelMakerPage::holds(const QList<int>& pool, const QList<int>& bankers, int ok, int hit) const
{
    quorlin::WheelGuarantee g{{pool.begin(), pool.end()}, {bankers.begin(), bankers.end()}, ok, hit};
    std::sort(g.pool.begin(), g.pool.end());
    std::sort(g.bankers.begin(), g.bankers.end());
    const auto bets = shownBets();
    return !bets.empty() && quorlin::verifyWheel(g, bets);
}

void TestWheelMakerPage::searchStoppedKeepsTheBestVerifiedWheel()
{
    // 22 numbers 中5保4 cannot end early: only the stop ends this search.
    QList<int> pool;
    for (int n = 1; n <= 22; ++n)
        pool << n;
    choosePool(pool);
    setGuarantee(5, 4);
    child<QLineEdit>("edtmiao")->setText("3600");
    click("btnkaishi");
    QVERIFY(!child<QPushButton>("btnkaishi")->isEnabled());
    QVERIFY(child<QLabel>("lblshengyu")->text().startsWith(QStringLiteral("剩余：")));
    const QRegularExpression best(QStringLiteral("^最佳：(\\d+)注$"));
    QTRY_VERIFY(best.match(child<QLabel>("lblzuijia")->text()).hasMatch());
    click("btntingzhi");
    QTRY_VERIFY(!page_->isBusy());
    QCOMPARE(child<QLabel>("lblshengyu")->text(), QStringLiteral("已停止"));
    QVERIFY(child<QPushButton>("btnkaishi")->isEnabled());
    QVERIFY(!child<QPushButton>("btntingzhi")->isEnabled());
    QVERIFY(holds(pool, {}, 5, 4));
    const int rows = child<QAbstractItemView>("tabjieguo")->model()->rowCount();
    QCOMPARE(best.match(child<QLabel>("lblzuijia")->text()).captured(1).toInt(), rows);
    QCOMPARE(child<QLabel>("lbltouzhu")->text(), QStringLiteral("投注号码：共%1注").arg(rows));
    QCOMPARE(child<QLabel>("lblbaozheng")->text(), QStringLiteral("保证 中5保4 已验证"));
}

void TestWheelMakerPage::shortSearchEndsByItselfWithTheBankersOnEveryBet()
{
    const QList<int> pool{1, 2, 3, 4, 5, 6, 7, 8, 9}, bankers{2, 5};
    choosePool(pool, bankers);
    QCOMPARE(child<QLineEdit>("edtchi")->text(), QStringLiteral("02 05#01 03 04 06 07 08 09"));
    // Two bankers leave three numbers of a bet: M offers 1..3.
    QCOMPARE(child<QComboBox>("comzhong")->count(), 3);
    QCOMPARE(child<QComboBox>("comzhong")->currentText(), QStringLiteral("3"));
    setGuarantee(3, 2);
    makeWheel(1);
    QVERIFY(holds(pool, bankers, 3, 2));
    for (const quorlin::WheelBet& bet : shownBets())
        QVERIFY(std::count(bet.begin(), bet.end(), 2) && std::count(bet.begin(), bet.end(), 5));
    QCOMPARE(child<QLabel>("lblbaozheng")->text(), QStringLiteral("保证 胆码 02 05 中3保2 已验证"));
    // A third banker is taken, a fourth refused.
    click("btnchi03", Qt::ControlModifier);
    click("btnchi04", Qt::ControlModifier);
    QCOMPARE(lastMessage(), QStringLiteral("胆码最多3个"));
    QCOMPARE(child<QLineEdit>("edtchi")->text(), QStringLiteral("02 03 05#01 04 06 07 08 09"));
}

void TestWheelMakerPage::typedPoolFollowsTheButtonsAndRefusalsStartNothing()
{
    auto* typed = child<QLineEdit>("edtchi");
    QTest::keyClicks(typed, "7 8#9 10");
    QVERIFY(child<QPushButton>("btnchi09")->styleSheet().contains("background-color: #ff3232"));
    QVERIFY(child<QPushButton>("btnchi08")->styleSheet().contains("border: 3px")); // a banker
    QCOMPARE(typed->text(), QStringLiteral("7 8#9 10"));
    QTest::keyClick(typed, Qt::Key_Return);
    QCOMPARE(typed->text(), QStringLiteral("07 08#09 10"));
    click("btnkaishi");
    QCOMPARE(lastMessage(), QStringLiteral("号码池至少要有5个号码"));
    QVERIFY(!page_->isBusy());
    QCOMPARE(child<QAbstractItemView>("tabjieguo")->model()->rowCount(), 0);

    typed->setText("07 08 09 10 11 36");
    QTest::keyClick(typed, Qt::Key_Return);
    QCOMPARE(lastMessage(), QStringLiteral("号码池中的号码 36 不在1到35之间"));
    QTest::keyClick(typed, Qt::Key_Backspace);
    QTest::keyClick(typed, Qt::Key_Backspace);
    QTest::keyClick(typed, Qt::Key_Backspace);
    QVERIFY(child<QPushButton>("btnchi11")->styleSheet().contains("#ff3232"));
    QVERIFY(!child<QPushButton>("btnchi08")->styleSheet().contains("border: 3px"));
    typed->setText("07 0x");
    click("btnkaishi");
    QCOMPARE(lastMessage(), QStringLiteral("号码池 中的 \"0x\" 不是号码"));
    QVERIFY(!page_->isBusy());
    QVERIFY(child<QPushButton>("btnchi11")->styleSheet().contains("#ff3232"));
}

void TestWheelMakerPage::backPairsCountAndSaveWithEveryBet()
{
    // Six numbers 中5保5 need every five of them: six bets, ascending.
    choosePool({1, 2, 3, 4, 5, 6});
    setGuarantee(5, 5);
    makeWheel(1);
    QCOMPARE(shownBets().size(), 6u);
    QCOMPARE(shownBets().front(), (quorlin::WheelBet{1, 2, 3, 4, 5}));
    // Without a pair of back numbers the fronts are no bets yet.
    QCOMPARE(child<QLabel>("lblzhushu")->text(), QStringLiteral("共6个前区组合，配后区后每注2元"));
    click("btnhou03");
    QCOMPARE(child<QLabel>("lblzhushu")->text(), QStringLiteral("共6个前区组合，配后区后每注2元")); // one pairs nothing
    click("btnhou07");
    click("btnhou11");
    QCOMPARE(child<QLabel>("lblzhushu")->text(), QStringLiteral("共18注，金额36元"));

    FileDialog::setNextFileName(path("paired.txt"));
    click("btnbaocun");
    QCOMPARE(lastMessage(), QStringLiteral("成功保存！"));
    QVERIFY(FileDialog::recorded().last().dir.endsWith(QStringLiteral("选五型6码中5保5投注号码.txt")));
    const QByteArray paired = fileBytes(path("paired.txt"));
    QVERIFY2(paired.startsWith("01 02 03 04 05+03 07\r\n01 02 03 04 05+03 11\r\n01 02 03 04 05+07 11\r\n"
                               "01 02 03 04 06+03 07\r\n"),
             paired.constData());
    QCOMPARE(paired.count("\r\n"), 18);

    click("btnhou07");
    click("btnhou11");
    QCOMPARE(child<QLabel>("lblzhushu")->text(), QStringLiteral("共6个前区组合，配后区后每注2元"));
    FileDialog::setNextFileName(path("fronts.txt"));
    click("btnbaocun");
    QVERIFY2(fileBytes(path("fronts.txt")).startsWith("01 02 03 04 05\r\n01 02 03 04 06\r\n"),
             fileBytes(path("fronts.txt")).constData());
    QCOMPARE(fileBytes(path("fronts.txt")).count("\r\n"), 6);
}

void TestWheelMakerPage::savedWheelFileGivesTheSameBetsOnTheFilesPage()
{
    const QList<int> pool{3, 6, 9, 12, 15, 18, 21, 24, 27, 30, 33}, bankers{18};
    choosePool(pool, bankers);
    setGuarantee(4, 3);
    makeWheel(1);
    const std::vector<quorlin::WheelBet> made = shownBets();
    click("btnbaocunjz");
    QVERIFY2(lastMessage().startsWith(QStringLiteral("成功保存矩阵文件选四型10码中4保3.txt（%1注）").arg(made.size())),
             qPrintable(lastMessage()));
    QVERIFY(lastMessage().contains(QStringLiteral("胆拖式1个胆码、选对号码数5、保中号码数4")));

    // The first page, as the message says: 选5型, one banker, the others in the basic boxes.
    child<QTabWidget>("pgcjuzheng")->setCurrentIndex(0);
    QTest::mouseClick(child<QRadioButton>("optdrag"), Qt::LeftButton);
    child<QComboBox>("commainnum")->setCurrentText("10");
    child<QComboBox>("comoknum")->setCurrentText("5");
    child<QComboBox>("combaonum")->setCurrentText("4");
    const QList<int> boxes{3, 6, 9, 12, 15, 21, 24, 27, 30, 33, 18};
    for (int b = 0; b < boxes.size(); ++b)
        child<QLineEdit>(qPrintable(QStringLiteral("box%1").arg(b)))->setText(QString::number(boxes[b]));
    const int messages = static_cast<int>(messageTexts().size());
    QTest::mouseClick(child<QPushButton>("btngen"), Qt::LeftButton);
    QCOMPARE(messageTexts().size(), messages);
    QCOMPARE(shownBets("tabcode"), made);

    // Saved again: the file is there, and 否 keeps it.
    const std::string file = path("旋转矩阵/选四型10码中4保3.txt").toStdString();
    std::ofstream(file, std::ios::binary) << "1 2 3 4\r\n";
    MessageBox::setNextAnswer(QMessageBox::No);
    click("btnbaocunjz");
    QCOMPARE(lastMessage(), QStringLiteral("已有矩阵文件选四型10码中4保3.txt，要替换它吗？"));
    QCOMPARE(fileBytes(QString::fromStdString(file)), QByteArray("1 2 3 4\r\n"));

    // 22 numbers besides the bankers are more than the first page takes: saved, and said so.
    QList<int> wide;
    for (int n = 1; n <= 22; ++n)
        wide << n;
    child<QTabWidget>("pgcjuzheng")->setCurrentWidget(page_);
    QStringList typed;
    for (const int n : wide)
        typed << QString::number(n);
    child<QLineEdit>("edtchi")->setText(typed.join(' '));
    QTest::keyClick(child<QLineEdit>("edtchi"), Qt::Key_Return);
    setGuarantee(2, 2);
    makeWheel(1);
    click("btnbaocunjz");
    QVERIFY2(lastMessage().endsWith(QStringLiteral("《矩阵文件》页最多用21个基本号码和2个胆码，不能使用这个矩阵。")),
             qPrintable(lastMessage()));
    QVERIFY(std::filesystem::exists(program_->path() / "旋转矩阵" / "选五型22码中2保2.txt"));
}

void TestWheelMakerPage::checkListsTheHolesAndRepairGivesAVerifiedWheel()
{
    // Every five of six numbers but one: 中5保5 has exactly that bet as its hole.
    const QString list = path("five.txt");
    std::ofstream(list.toStdString(), std::ios::binary)
        << "01 02 03 04 05+01 02\r\n01 02 03 04 06\r\n01 02 03 05 06\r\n01 02 04 05 06\r\n02 03 04 05 06\r\n";
    choosePool({1, 2, 3, 4, 5, 6});
    setGuarantee(5, 5);
    FileDialog::setNextFileName(list);
    click("btnzairu");
    QTRY_VERIFY(!page_->isBusy());
    QCOMPARE(child<QLabel>("lblfile")->text(), QStringLiteral("five.txt：5注"));
    click("btnjiancha");
    QTRY_VERIFY(!page_->isBusy());
    QCOMPARE(child<QLabel>("lblfugai")->text(), QStringLiteral("覆盖 5/6 83.3%"));
    auto* holes = child<QListWidget>("lstkong");
    QCOMPARE(holes->count(), 1);
    QCOMPARE(holes->item(0)->text(), QStringLiteral("01 03 04 05 06"));

    child<QLineEdit>("edtmiao")->setText("1");
    click("btnxiubu");
    QTRY_VERIFY(!page_->isBusy());
    QVERIFY(holds({1, 2, 3, 4, 5, 6}, {}, 5, 5));
    QCOMPARE(shownBets().size(), 6u);
    QCOMPARE(child<QLabel>("lblbaozheng")->text(), QStringLiteral("保证 中5保5 已验证"));

    // A bet outside the pool, and a list that is no bet list, are refused with the core's words.
    choosePool({6}); // 6 leaves the pool
    click("btnjiancha");
    QTRY_VERIFY(!page_->isBusy());
    QCOMPARE(lastMessage(), QStringLiteral("第2注的号码 06 不在号码池中"));
    std::ofstream(list.toStdString(), std::ios::binary) << "01 02 03 04 05\r\n01 02 03 04 36\r\n";
    FileDialog::setNextFileName(list);
    click("btnzairu");
    QTRY_VERIFY(!page_->isBusy());
    QVERIFY2(lastMessage().contains(QStringLiteral("第 2 行")), qPrintable(lastMessage()));
    QCOMPARE(child<QLabel>("lblfile")->text(), QStringLiteral("five.txt：5注"));
}

void TestWheelMakerPage::repairAndSearchEndWhenStoppedOrTheWindowCloses()
{
    // One bet of 22 numbers 中5保4: the repair covers 26,000 holes and would then shrink for an hour.
    QList<int> pool;
    for (int n = 1; n <= 22; ++n)
        pool << n;
    const QString list = path("one.txt");
    std::ofstream(list.toStdString(), std::ios::binary) << "01 02 03 04 05\r\n";
    choosePool(pool);
    setGuarantee(5, 4);
    FileDialog::setNextFileName(list);
    click("btnzairu");
    QTRY_VERIFY(!page_->isBusy());
    child<QLineEdit>("edtmiao")->setText("3600");
    click("btnxiubu");
    QVERIFY(page_->isBusy());
    QVERIFY(child<QPushButton>("btntingzhi")->isEnabled());
    click("btntingzhi");
    QTRY_VERIFY(!page_->isBusy());
    QVERIFY(holds(pool, {}, 5, 4));

    // Closing the window ends a search; the best wheel so far stays.
    click("btnkaishi");
    QVERIFY(page_->isBusy());
    window_->close();
    QTRY_VERIFY(!page_->isBusy());
    QCOMPARE(child<QLabel>("lblshengyu")->text(), QStringLiteral("已停止"));
    QVERIFY(holds(pool, {}, 5, 4));
}

QTEST_MAIN(TestWheelMakerPage)
#include "test_wheel_maker_page.moc"

// The bet-set tools: the rotation matrix (旋转矩阵组号缩水), the compound search (自动复式搜索) and
// the big-base intersection (多重大底交集), driven as the user drives them.
#include "gui_test_base.h"

#include "betset/u_fushi.h"
#include "check/bet_price.h"
#include "common/file_dialog.h"
#include "common/message_box.h"
#include "shell/lottery_document.h"
#include "shell/tool_window_registry.h"
#include "shell/u_main.h"
#include "store/lottery_state.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <functional>

namespace {

/// Saves a picture of the window into $QUORLIN_SHOTS when that is set, for looking at by eye.
void shoot(QWidget* window, const QString& name)
{
    const QString folder = qEnvironmentVariable("QUORLIN_SHOTS");
    if (!folder.isEmpty())
        window->grab().save(folder + "/" + name + ".png");
}

} // namespace

class TestBetSetWindows : public GuiTestBase {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void wheelDefaultsMapTheShippedWheelAndSaveTheBets();
    void wheelBankerAndDragAddsTheBankersAndProposesItsName();
    void wheelValidationsComeInOrderAndLeaveTheGrid();
    void wheelFileStopsAtTheThirdLineOrIsRefused();
    void wheelCheckShowsTheGuaranteeOrTheHoles();
    void compoundSearchEndsWithTheCountAndTheStandardMapping();
    void compoundSearchWithAnUnreachableThresholdOnlyStops();
    void compoundSearchStopsWhenTheWindowIsHiddenOrClosed();
    void intersectionListsTheSharedCombinationsAndSavesThemNumbered();
    void intersectionRefusesALineWithoutACombination();

private:
    QWidget* open(const char* menuItem, const char* key);
    template <typename T> T* child(const char* name) const { return requireChild<T>(window_, name); }
    void click(const char* button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
    QString lastMessage() const { return messageTexts().value(messageTexts().size() - 1); }
    QString path(const char* name) const { return QString::fromStdString(program_->apppath()) + name; }
    void writeFile(const QString& file, const std::string& text)
    {
        std::ofstream(file.toStdString(), std::ios::binary) << text;
    }

    // The rotation matrix.
    void typeNumbers(const QList<int>& numbers);
    QStringList betRow(int row) const;
    int betRows() const { return child<QTableWidget>("tabcode")->rowCount(); }

    QWidget* window_ = nullptr;
};

void TestBetSetWindows::init()
{
    setUpProgram();
    std::filesystem::copy(std::filesystem::path(quorlin::test::distFilesDir()) / "旋转矩阵",
                          program_->path() / "旋转矩阵");
    openShippedLottery();
}

void TestBetSetWindows::cleanup()
{
    window_ = nullptr;
    tearDownProgram();
}

QWidget* TestBetSetWindows::open(const char* menuItem, const char* key)
{
    triggerAction(menuItem);
    window_ = mainWindow_->tools().window(key);
    if (!window_)
        qFatal("no window %s", key);
    return window_;
}

void TestBetSetWindows::typeNumbers(const QList<int>& numbers)
{
    for (int b = 0; b < numbers.size(); ++b)
        child<QLineEdit>(qPrintable(QStringLiteral("box%1").arg(b)))->setText(QString::number(numbers[b]));
}

QStringList TestBetSetWindows::betRow(int row) const
{
    auto* grid = child<QTableWidget>("tabcode");
    QStringList cells;
    for (int c = 0; c < grid->columnCount(); ++c)
        cells << grid->item(row, c)->text();
    return cells;
}

void TestBetSetWindows::wheelDefaultsMapTheShippedWheelAndSaveTheBets()
{
    open("mnujuzheng", "Tfrmjuzheng");
    QCOMPARE(window_->windowTitle(), QStringLiteral("旋转矩阵组号缩水"));
    // The shipped wheels' page keeps the window's former size; the window grows by the tab bar.
    QCOMPARE(child<QWidget>("tshwenjian")->size(), QSize(737, 563));
    QCOMPARE(window_->width(), 737);
    // The defaults make bets of this game's five front numbers: 选5型, 10 basic numbers, 中5保4.
    QCOMPARE(child<QComboBox>("comcainum")->currentText(), QStringLiteral("选5型"));
    QCOMPARE(child<QComboBox>("commainnum")->currentText(), QStringLiteral("10"));
    QCOMPARE(child<QComboBox>("comoknum")->currentText(), QStringLiteral("5"));
    QCOMPARE(child<QComboBox>("combaonum")->currentText(), QStringLiteral("4"));
    // Ten white boxes shown, the rest hidden.
    QVERIFY(child<QLineEdit>("box9")->isVisible());
    QVERIFY(!child<QLineEdit>("box10")->isVisible());
    QVERIFY(!child<QComboBox>("comdannum")->isEnabled());
    typeNumbers({33, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    click("btngen");
    QCOMPARE(betRows(), 14);
    QCOMPARE(child<QLineEdit>("edtjushu")->text(), QStringLiteral("14"));
    QCOMPARE(child<QLabel>("Label1")->text(), QStringLiteral("投注号码：共14 注"));
    // The row number and five front numbers a line; no back numbers, so no price yet.
    QCOMPARE(child<QLabel>("lblcost")->text(), QStringLiteral("共14个前区组合，配后区后每注2元"));
    QCOMPARE(child<QTableWidget>("tabcode")->columnCount(), 6);
    QCOMPARE(child<QTableWidget>("tabcode")->horizontalHeaderItem(5)->text(), QStringLiteral("号码5"));
    for (int r = 0; r < betRows(); ++r)
        QCOMPARE(betRow(r).mid(1).size(), 5);
    // Wheel line 1 2 3 4 8 with 33 in box 0: sorted to the last column.
    QCOMPARE(betRow(0), (QStringList{"1", "02", "03", "04", "08", "33"}));
    shoot(window_, "juzheng-balanced");

    FileDialog::setNextFileName(path("bets"));
    click("btnsave");
    QCOMPARE(FileDialog::recorded().last().dir, path("附属/选五型10码中5保4投注号码.txt"));
    QCOMPARE(lastMessage(), QStringLiteral("成功保存！"));
    const QByteArray saved = fileBytes(path("bets.txt"));
    QVERIFY(saved.startsWith("02 03 04 08 33 \r\n"));
    QCOMPARE(saved.count("\r\n"), 14);
}

void TestBetSetWindows::wheelBankerAndDragAddsTheBankersAndProposesItsName()
{
    open("mnujuzheng", "Tfrmjuzheng");
    // 选6型 with one banker uses a shipped 选五型 wheel for its drag part.
    child<QComboBox>("comcainum")->setCurrentIndex(5);
    child<QComboBox>("comoknum")->setCurrentText("6");
    child<QComboBox>("combaonum")->setCurrentText("5");
    QTest::mouseClick(child<QRadioButton>("optdrag"), Qt::LeftButton);
    QCOMPARE(child<QComboBox>("commainnum")->currentText(), QStringLiteral("9"));
    QCOMPARE(child<QComboBox>("comdannum")->currentText(), QStringLiteral("1"));
    QVERIFY(child<QLineEdit>("box9")->isVisible()); // the banker box, red
    QVERIFY(child<QLineEdit>("box9")->styleSheet().contains("red"));
    QVERIFY(!child<QLineEdit>("box10")->isVisible());
    typeNumbers({2, 3, 4, 5, 6, 7, 8, 9, 10, 35});
    click("btngen"); // 选五型09码中5保4.txt, 35 on every bet
    QCOMPARE(betRows(), 9);
    for (int r = 0; r < betRows(); ++r)
        QCOMPARE(betRow(r).last(), QStringLiteral("35"));
    QCOMPARE(child<QLabel>("lblcost")->text(), QStringLiteral("共54个前区组合，配后区后每注2元"));
    shoot(window_, "juzheng-drag");
    FileDialog::setNextFileName({});
    click("btnsave");
    QCOMPARE(FileDialog::recorded().last().dir, path("附属/选六型1胆9拖中6保5投注号码.txt"));

    // Two bankers for 选2型 leave no drag part.
    child<QComboBox>("comcainum")->setCurrentIndex(1);
    child<QComboBox>("comdannum")->setCurrentText("2");
    click("btngen");
    QCOMPARE(lastMessage(), QStringLiteral("胆码个数必须小于彩票类型的选号个数！"));
    QCOMPARE(betRows(), 9);
}

void TestBetSetWindows::wheelValidationsComeInOrderAndLeaveTheGrid()
{
    open("mnujuzheng", "Tfrmjuzheng");
    click("btnsave");
    QCOMPARE(lastMessage(), QStringLiteral("号码表格为空，无法保存！"));
    typeNumbers({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    child<QComboBox>("comoknum")->setCurrentText("8");
    child<QLineEdit>("box3")->clear();
    click("btngen"); // no 中8保4 wheel: the file is looked for first
    QCOMPARE(lastMessage(), QStringLiteral("没有该类型的矩阵！"));
    child<QComboBox>("comoknum")->setCurrentText("5");
    click("btngen");
    QCOMPARE(lastMessage(), QStringLiteral("请在下面号码框中输入正确的号码数字！"));
    child<QLineEdit>("box3")->setText("7");
    click("btngen");
    QCOMPARE(lastMessage(), QStringLiteral("请不要输入重复的号码数字！"));
    QCOMPARE(betRows(), 0);
}

void TestBetSetWindows::wheelFileStopsAtTheThirdLineOrIsRefused()
{
    open("mnujuzheng", "Tfrmjuzheng");
    const QString wheel = path("旋转矩阵/选五型10码中5保4.txt");
    writeFile(wheel, "1 3 5 7 10\r\n2 4 6 8 9\r\n说明\r\n1 2 3 4 5\r\n");
    typeNumbers({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    click("btngen");
    QCOMPARE(betRows(), 2);
    QCOMPARE(betRow(0), (QStringList{"1", "01", "03", "05", "07", "10"}));
    writeFile(wheel, "1 3 5 7 11\r\n");
    click("btngen");
    QCOMPARE(lastMessage(), QStringLiteral("矩阵文件第1行的位置11超出1到10的范围"));
    QCOMPARE(betRows(), 2);
}

void TestBetSetWindows::wheelCheckShowsTheGuaranteeOrTheHoles()
{
    open("mnujuzheng", "Tfrmjuzheng");
    click("btncheck");
    QCOMPARE(lastMessage(), QStringLiteral("选五型10码中5保4.txt共14注，已对全部252种开奖逐一验证：中5保4成立。"));
    // Two disjoint bets cannot hold 中5保4: a draw of 1 2 3 6 7 has at most three on one bet.
    writeFile(path("旋转矩阵/选五型10码中5保4.txt"), "1 2 3 4 5\r\n6 7 8 9 10\r\n");
    click("btncheck");
    QVERIFY2(lastMessage().startsWith(QStringLiteral("选五型10码中5保4.txt不成立中5保4：全部252种开奖中有")),
             qPrintable(lastMessage()));
    QVERIFY(lastMessage().contains(QStringLiteral("没有一注中4个号码，例如（位置）：\n")));
}

void TestBetSetWindows::compoundSearchEndsWithTheCountAndTheStandardMapping()
{
    open("mnufushi", "Tfrmfushi");
    QCOMPARE(window_->windowTitle(), QStringLiteral("自动复式搜索"));
    QCOMPARE(child<QLineEdit>("edtnum")->text(), QStringLiteral("30"));
    child<QCheckBox>("chkyilou")->setChecked(false);
    child<QLineEdit>("edtnum")->setText("33");
    click("btnsou");
    QCOMPARE(child<QPushButton>("btnsou")->text(), QStringLiteral("停止"));
    QTRY_COMPARE(child<QPushButton>("btnsou")->text(), QStringLiteral("开始搜索"));
    const QString result = child<QLineEdit>("edtfushicode")->text();
    const QStringList numbers = result.split(' ', Qt::SkipEmptyParts);
    QVERIFY2(numbers.size() <= 33 && numbers.size() >= 31, qPrintable(result));
    QVERIFY(result.endsWith(' '));
    for (int i = 0; i < numbers.size(); ++i) {
        QCOMPARE(numbers[i].size(), 2);
        QVERIFY(i == 0 || numbers[i].toInt() > numbers[i - 1].toInt());
    }
    QVERIFY(!document_->state().bianhuan);
    // The compound of n front numbers holds C(n, 5) front combinations, no bets until backs are added.
    qint64 bets = 1;
    for (int i = 0; i < 5; ++i)
        bets = bets * (numbers.size() - i) / (i + 1);
    QCOMPARE(child<QLabel>("lblcost")->text(),
             QString::fromStdString(quorlin::frontOnlyCostText(static_cast<std::uint64_t>(bets))));
    shoot(window_, "fushi-result");
    click("btncopy");
    QCOMPARE(QApplication::clipboard()->text(), result);
    // Numbers typed over the result are not the search's: no cost is claimed for them.
    QTest::keyClick(child<QLineEdit>("edtfushicode"), Qt::Key_Delete);
    QVERIFY(child<QLabel>("lblcost")->text().isEmpty());
}

void TestBetSetWindows::compoundSearchWithAnUnreachableThresholdOnlyStops()
{
    open("mnufushi", "Tfrmfushi");
    child<QLineEdit>("edtfushicode")->setText("old");
    child<QLineEdit>("edtyilouqishu")->setText("1000");
    QSignalSpy mappings(document_.get(), &LotteryDocument::mappingChanged);
    click("btnsou");
    QTRY_VERIFY(document_->state().bianhuan); // searching in transformed mappings
    // The main window follows the mappings the search draws, one after another.
    const std::vector<std::int32_t> shown = document_->state().bianperm;
    QTRY_VERIFY(mappings.count() >= 3 && document_->state().bianperm != shown);
    QCOMPARE(child<QPushButton>("btnsou")->text(), QStringLiteral("停止"));
    // Only 停止 answers while searching, under the busy cursor.
    shoot(window_, "fushi-searching");
    QCOMPARE(window_->cursor().shape(), Qt::BusyCursor);
    for (const char* name : {"btncopy", "edtfushicode", "chkyilou", "edtyilouqishu", "edtnum"})
        QVERIFY2(!child<QWidget>(name)->isEnabled(), name);
    QVERIFY(child<QPushButton>("btnsou")->isEnabled());
    click("btnsou");
    QCOMPARE(child<QPushButton>("btnsou")->text(), QStringLiteral("开始搜索"));
    QCOMPARE(child<QLineEdit>("edtfushicode")->text(), QStringLiteral("old"));
    QVERIFY(!document_->state().bianhuan);
    QCOMPARE(window_->cursor().shape(), Qt::ArrowCursor);
    for (const char* name : {"btncopy", "edtfushicode", "chkyilou", "edtyilouqishu", "edtnum"})
        QVERIFY2(child<QWidget>(name)->isEnabled(), name);
    child<QLineEdit>("edtnum")->setText("x");
    click("btnsou");
    QVERIFY(lastMessage().contains("x"));
    QCOMPARE(child<QPushButton>("btnsou")->text(), QStringLiteral("开始搜索"));
}

void TestBetSetWindows::compoundSearchStopsWhenTheWindowIsHiddenOrClosed()
{
    auto* window = qobject_cast<Tfrmfushi*>(open("mnufushi", "Tfrmfushi"));
    QVERIFY(window);
    child<QLineEdit>("edtyilouqishu")->setText("1000");
    for (const auto& leave :
         {std::function<void()>([window] { window->hide(); }), std::function<void()>([window] { window->close(); })}) {
        window->show();
        click("btnsou");
        QTRY_VERIFY(document_->state().bianhuan);
        leave();
        QVERIFY(!window->searching());
        QVERIFY(!document_->state().bianhuan);
        QCOMPARE(child<QPushButton>("btnsou")->text(), QStringLiteral("开始搜索"));
        QVERIFY(child<QPushButton>("btncopy")->isEnabled());
    }
}

void TestBetSetWindows::intersectionListsTheSharedCombinationsAndSavesThemNumbered()
{
    open("mnujiaoqi", "Tfrmjiaoqi");
    QCOMPARE(window_->windowTitle(), QStringLiteral("多重大底交集"));
    click("btnjiaoqi");
    QCOMPARE(lastMessage(), QStringLiteral("请先导入大底文件！"));
    const QString a = path("甲.txt"), b = path("乙.txt");
    writeFile(a, "01 02 03 04 05+06 07\r\n01 02 03 04 06+06 07\r\n03 09 17 25 33+01 12\r\n");
    writeFile(b, "01 02 03 04 06+02 03\r\n01 02 03 04 05+06 07\r\n");
    FileDialog::setNextFileNames({a, b});
    click("btndaoru");
    QCOMPARE(child<QListWidget>("lstdadi")->count(), 2);
    QCOMPARE(child<QListWidget>("lstdadi")->item(1)->text(), QStringLiteral("乙.txt"));
    QCOMPARE(child<QListWidget>("lstdadi")->selectedItems().size(), 2);
    child<QRadioButton>("optteima1")->click(); // 不选特码
    click("btnjiaoqi");
    QTRY_COMPARE(child<QLabel>("lbldadi")->text(), QStringLiteral("最终交集：2注"));
    QCOMPARE(child<QLabel>("lblcost")->text(), QStringLiteral("共2个前区组合，配后区后每注2元"));
    QCOMPARE(fileBytes(path("temp.txt")), QByteArray("0000001    01 02 03 04 05 \r\n0000002    01 02 03 04 06 \r\n"));
    // 导入特码 with a tolerance of one file: three combinations, each with the 15 pairs of the back
    // numbers seen in both files (01 02 03 06 07 12).
    child<QRadioButton>("optteima0")->click();
    child<QLineEdit>("edtnum2")->setText("1");
    click("btnjiaoqi");
    QTRY_COMPARE(child<QLabel>("lbldadi")->text(), QStringLiteral("最终交集：45注"));
    QCOMPARE(child<QLabel>("lblcost")->text(), QStringLiteral("共45注，金额90元"));
    shoot(window_, "jiaoqi-result");
    // Not saved yet: 清空所有 and a double-clicked base ask first, and 否 keeps the result.
    const std::function<void()> discards[] = {
        [this] { click("btncls"); },
        [this] { emit child<QListWidget>("lstdadi")->itemDoubleClicked(child<QListWidget>("lstdadi")->item(1)); }};
    for (const auto& discard : discards) {
        const int asked = static_cast<int>(messageTexts().size());
        discard();
        QCOMPARE(messageTexts().size(), asked + 1);
        QCOMPARE(lastMessage(), QStringLiteral("大底交集的结果还没有保存，继续将丢失。确定不保存而继续吗？"));
        QCOMPARE(child<QLabel>("lbldadi")->text(), QStringLiteral("最终交集：45注"));
    }
    FileDialog::setNextFileName(path("交集"));
    click("btnsave");
    QTRY_COMPARE(lastMessage(), QStringLiteral("成功保存！"));
    QVERIFY(fileBytes(path("交集.txt")).startsWith("0000001    01 02 03 04 05+01 02 \r\n"));

    // A double-clicked base is shown as it is, and saved so.
    auto* bases = child<QListWidget>("lstdadi");
    emit bases->itemDoubleClicked(bases->item(1));
    QTRY_COMPARE(child<QLabel>("lbldadi")->text(), QStringLiteral("最终交集：2注"));
    const QAbstractItemModel* shown = child<QAbstractItemView>("memdadi")->model();
    QCOMPARE(shown->rowCount(), 2);
    QCOMPARE(shown->index(1, 0).data().toString(), QStringLiteral("01 02 03 04 05+06 07"));
    QTRY_VERIFY(child<QPushButton>("btnsave")->isEnabled());
    FileDialog::setNextFileName(path("乙副本"));
    const int messages = static_cast<int>(messageTexts().size());
    click("btnsave");
    QTRY_COMPARE(messageTexts().size(), messages + 1);
    QCOMPARE(lastMessage(), QStringLiteral("成功保存！"));
    QCOMPARE(fileBytes(path("乙副本.txt")), QByteArray("01 02 03 04 06+02 03 \r\n01 02 03 04 05+06 07 \r\n"));

    click("btncls");
    QCOMPARE(child<QListWidget>("lstdadi")->count(), 0);
    QCOMPARE(child<QLineEdit>("edtnum2")->text(), QStringLiteral("0"));
    QVERIFY(child<QLabel>("lblcost")->text().isEmpty());
}

void TestBetSetWindows::intersectionRefusesALineWithoutACombination()
{
    open("mnujiaoqi", "Tfrmjiaoqi");
    writeFile(path("temp.txt"), "before\r\n");
    const QString a = path("a.txt"), numbered = path("numbered.txt");
    writeFile(a, "01 02 03 04 05\r\n");
    writeFile(numbered, "0000001    01 02 03 04 05 \r\n0000002    01 02 03 04 36 \r\n");
    FileDialog::setNextFileNames({a, numbered});
    click("btndaoru");
    click("btnjiaoqi");
    QTRY_VERIFY(child<QPushButton>("btnjiaoqi")->isEnabled());
    QVERIFY2(lastMessage().startsWith(QStringLiteral("numbered.txt：第 2 行：前区号码“36”不在 01-35 之内")),
             qPrintable(lastMessage()));
    QCOMPARE(fileBytes(path("temp.txt")), QByteArray("before\r\n"));
    QCOMPARE(child<QLabel>("lbldadi")->text(), QStringLiteral("最终交集："));

    // A double-clicked list is shown as it is; one gone meanwhile is refused and the memo stays.
    auto* list = child<QListWidget>("lstdadi");
    emit list->itemDoubleClicked(list->item(1));
    QTRY_COMPARE(child<QLabel>("lbldadi")->text(), QStringLiteral("最终交集：2注"));
    QCOMPARE(child<QAbstractItemView>("memdadi")->model()->index(1, 0).data().toString(),
             QStringLiteral("0000002    01 02 03 04 36 "));
    const qsizetype shown = messageTexts().size();
    QVERIFY(QFile::remove(a));
    emit list->itemDoubleClicked(list->item(0));
    QTRY_COMPARE(messageTexts().size(), shown + 1);
    QVERIFY2(lastMessage().contains("a.txt"), qPrintable(lastMessage()));
    QCOMPARE(child<QLabel>("lbldadi")->text(), QStringLiteral("最终交集：2注"));
}

QTEST_MAIN(TestBetSetWindows)
#include "test_bet_set_windows.moc"

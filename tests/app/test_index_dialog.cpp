// The registry dialog 彩票操作: the lottery list, the shown definition, and opening a lottery.
#include "gui_test_base.h"

#include "common/message_box.h"
#include "shell/lottery_document.h"
#include "shell/u_main.h"
#include "store/database.h"
#include "store/schema.h"
#include "store/u_index.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

#include <filesystem>

namespace {

const QString kWeekdaysTwoFive = QStringLiteral("乙彩票");
const QString kDigitType = QStringLiteral("数字彩票");
const QString kMissingColumn = QStringLiteral("缺列彩票");
const QString kNoDefinition = QStringLiteral("无选项彩票");
const QString kUnknownType = QStringLiteral("类型二彩票");

// Beside the shipped lottery: a lotto drawn on days 2 and 5, a digit-type lottery, one whose draw
// table lacks the last number column, one without a definition table and one of an unknown type.
void addFixtureLotteries(const std::string& databasePath)
{
    quorlin::Database db;
    db.open(databasePath);
    quorlin::createLottery(db, {kWeekdaysTwoFive.toStdString(), 0, 35, 7, "20:30", "25"});
    quorlin::createLottery(db, {kDigitType.toStdString(), 1, 10, 3, "20:30", "1234567"});
    quorlin::createLottery(db, {kMissingColumn.toStdString(), 0, 35, 6, "20:30", "1"});
    quorlin::createLottery(db, {kUnknownType.toStdString(), 2, 35, 7, "20:30", "1"});
    db.exec(quorlin::drawTableStatement(kNoDefinition.toStdString(), 7));
}

QList<int> checkedWeekdays(const Tfrmindex& dialog)
{
    QList<int> days;
    for (const QCheckBox* box : dialog.findChild<QGroupBox*>("grpweek")->findChildren<QCheckBox*>()) {
        if (box->isChecked())
            days.append(box->text().toInt());
    }
    std::sort(days.begin(), days.end());
    return days;
}

} // namespace

class TestIndexDialog : public GuiTestBase {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void listsEveryLotteryAndShowsTheDesignValues();
    void selectingShowsTheDefinition();
    void openingWithoutASelectionAsksForOne();
    void doubleClickOpensTheLottery();
    void failedOpenLeavesNoLotteryOpen_data();
    void failedOpenLeavesNoLotteryOpen();
    void unreadableDefinitionIsReportedAndNotOpened();
    void missingDatabaseIsReported();
    void clickOnTheSelectedLotteryReadsItAgain();
    void singleLotteryIsPreselectedAndEnterOpensIt();

private:
    void select(const QString& lottery);
    QString nameShown() const { return dialog_->findChild<QLineEdit*>("edtcainame")->text(); }
    void pressOpen() { QTest::mouseClick(dialog_->findChild<QPushButton*>("btnopen"), Qt::LeftButton); }
    void verifyNothingOpen();

    std::unique_ptr<Tfrmindex> dialog_;
};

void TestIndexDialog::init()
{
    setUpProgram();
    addFixtureLotteries(program_->databasePath());
    dialog_ = std::make_unique<Tfrmindex>(*document_, mainWindow_.get());
    dialog_->show();
}

void TestIndexDialog::cleanup()
{
    dialog_.reset();
    tearDownProgram();
}

void TestIndexDialog::select(const QString& lottery)
{
    auto* list = dialog_->findChild<QListWidget*>("lstcaipiao");
    const QList<QListWidgetItem*> items = list->findItems(lottery, Qt::MatchExactly);
    QCOMPARE(items.size(), 1);
    list->setCurrentItem(items.first());
}

void TestIndexDialog::verifyNothingOpen()
{
    QVERIFY(!document_->state().caiopen);
    QVERIFY(dialog_->isVisible());
    QCOMPARE(mainWindow_->windowTitle(), QString("Quorlin"));
    QVERIFY(!mainWindow_->findChild<QTabBar*>("tabmain")->isVisible());
    QVERIFY(!mainWindow_->currentView());
    QVERIFY(!mainWindow_->findChild<QAction*>("mnucode")->isEnabled());
}

void TestIndexDialog::listsEveryLotteryAndShowsTheDesignValues()
{
    QStringList listed;
    auto* list = dialog_->findChild<QListWidget*>("lstcaipiao");
    for (int row = 0; row < list->count(); ++row)
        listed.append(list->item(row)->text());
    listed.sort();
    QStringList expected{quorlin::kShippedLottery, kWeekdaysTwoFive, kDigitType,
                         kMissingColumn,           kNoDefinition,    kUnknownType};
    expected.sort();
    QCOMPARE(listed, expected);

    QCOMPARE(dialog_->windowTitle(), QString("彩票操作"));
    QCOMPARE(dialog_->size(), QSize(295, 332));
    QCOMPARE(dialog_->findChild<QLineEdit*>("edtcaisum")->text(), QString("10"));
    QCOMPARE(dialog_->findChild<QLineEdit*>("edtcaisel")->text(), QString("3"));
    QVERIFY(dialog_->findChildren<QRadioButton*>().at(1)->isChecked());
    for (const char* name :
         {"edtcainame", "edtcaisum", "edtcaisel", "edtcaitime", "optcaitype", "grpweek", "btnadd", "btndel"})
        QVERIFY2(!dialog_->findChild<QWidget*>(name)->isEnabled(), name);
}

void TestIndexDialog::selectingShowsTheDefinition()
{
    select(quorlin::kShippedLottery);
    QCOMPARE(nameShown(), QString(quorlin::kShippedLottery));
    QVERIFY(dialog_->findChildren<QRadioButton*>().at(0)->isChecked());
    QCOMPARE(dialog_->findChild<QLineEdit*>("edtcaisum")->text(), QString("35"));
    QCOMPARE(dialog_->findChild<QLineEdit*>("edtcaisel")->text(), QString("7"));
    QCOMPARE(dialog_->findChild<QLineEdit*>("edtcaitime")->text(), QString("21:25"));
    QCOMPARE(checkedWeekdays(*dialog_), (QList<int>{1, 3, 6}));

    select(kWeekdaysTwoFive);
    QCOMPARE(checkedWeekdays(*dialog_), (QList<int>{2, 5}));
    QVERIFY(MessageBox::recorded().isEmpty());
}

void TestIndexDialog::openingWithoutASelectionAsksForOne()
{
    pressOpen();
    QCOMPARE(MessageBox::recorded().size(), 1);
    const MessageBox::Record box = MessageBox::recorded().first();
    QCOMPARE(box.title, QString("错误"));
    QCOMPARE(box.text, QString("请选择彩票！"));
    QCOMPARE(box.kind, MessageBox::Kind::Critical);
    verifyNothingOpen();
}

void TestIndexDialog::doubleClickOpensTheLottery()
{
    auto* list = dialog_->findChild<QListWidget*>("lstcaipiao");
    QListWidgetItem* item = list->findItems(quorlin::kShippedLottery, Qt::MatchExactly).value(0);
    QVERIFY(item);
    const QPoint centre = list->visualItemRect(item).center();
    // A real double click: the first press selects (shows the definition), the double click opens.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);

    QVERIFY2(document_->state().caiopen, qPrintable(messageTexts().join('\n')));
    QCOMPARE(document_->state().cainame, std::string(quorlin::kShippedLottery));
    QCOMPARE(document_->state().recnum, 5);
    QCOMPARE(dialog_->result(), int(QDialog::Accepted));
    QVERIFY(!dialog_->isVisible());
    QCOMPARE(mainWindow_->windowTitle(), QString("Quorlin《中国体彩超级大乐透》"));
    QVERIFY(mainWindow_->findChild<QTabBar*>("tabmain")->isVisible());
    QCOMPARE(mainWindow_->currentView()->objectName(), QString("frmcode"));
}

void TestIndexDialog::failedOpenLeavesNoLotteryOpen_data()
{
    QTest::addColumn<QString>("lottery");
    QTest::addColumn<QString>("reason");
    QTest::newRow("digit type") << kDigitType << QString("数字型");
    QTest::newRow("unknown type") << kUnknownType << QString("未知类型");
    QTest::newRow("draw table lacks a number column") << kMissingColumn << QString("缺少列“7”");
}

void TestIndexDialog::failedOpenLeavesNoLotteryOpen()
{
    QFETCH(QString, lottery);
    QFETCH(QString, reason);
    select(lottery);
    QCOMPARE(nameShown(), lottery);
    pressOpen();
    QCOMPARE(MessageBox::recorded().size(), 1);
    QCOMPARE(MessageBox::recorded().first().title, QString("错误"));
    QVERIFY2(MessageBox::recorded().first().text.contains(reason), qPrintable(MessageBox::recorded().first().text));
    verifyNothingOpen();
    QVERIFY(!document_->datamod().t_con.connected());

    // The dialog stays usable: the shipped lottery still opens from it.
    select(quorlin::kShippedLottery);
    pressOpen();
    QVERIFY(document_->state().caiopen);
    QCOMPARE(mainWindow_->currentView()->objectName(), QString("frmcode"));
}

void TestIndexDialog::unreadableDefinitionIsReportedAndNotOpened()
{
    select(quorlin::kShippedLottery);
    select(kNoDefinition);
    QCOMPARE(MessageBox::recorded().size(), 1);
    QVERIFY(MessageBox::recorded().first().text.contains("选项表"));
    // Nothing of the lottery shown before stays: it must not be opened in place of the one selected.
    QCOMPARE(nameShown(), QString());
    for (const char* field : {"edtcaisum", "edtcaisel", "edtcaitime"})
        QVERIFY2(dialog_->findChild<QLineEdit*>(field)->text().isEmpty(), field);
    for (const QRadioButton* type : dialog_->findChildren<QRadioButton*>())
        QVERIFY(!type->isChecked());
    QCOMPARE(checkedWeekdays(*dialog_), QList<int>());
    pressOpen();
    QCOMPARE(MessageBox::recorded().last().text, QString("请选择彩票！"));
    verifyNothingOpen();
}

void TestIndexDialog::missingDatabaseIsReported()
{
    dialog_.reset();
    std::filesystem::remove(std::filesystem::u8path(program_->databasePath()));
    dialog_ = std::make_unique<Tfrmindex>(*document_, mainWindow_.get());
    dialog_->show();
    QCOMPARE(MessageBox::recorded().size(), 1);
    QVERIFY(MessageBox::recorded().first().text.contains("数据库"));
    QCOMPARE(dialog_->findChild<QListWidget*>("lstcaipiao")->count(), 0);
    QTest::mouseClick(dialog_->findChild<QPushButton*>("btnext"), Qt::LeftButton);
    QVERIFY(!dialog_->isVisible());
}

void TestIndexDialog::clickOnTheSelectedLotteryReadsItAgain()
{
    auto* list = dialog_->findChild<QListWidget*>("lstcaipiao");
    QListWidgetItem* item = list->findItems(kWeekdaysTwoFive, Qt::MatchExactly).value(0);
    const QPoint centre = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QCOMPARE(checkedWeekdays(*dialog_), (QList<int>{2, 5}));

    // Another program changes the definition; a click on the same lottery shows the change.
    {
        quorlin::Database db;
        db.open(program_->databasePath());
        db.exec("update " + quorlin::quoteIdentifier(quorlin::definitionTableName(kWeekdaysTwoFive.toStdString())) +
                " set 开奖星期 = '7'");
    }
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QCOMPARE(checkedWeekdays(*dialog_), (QList<int>{7}));
    QVERIFY(MessageBox::recorded().isEmpty());

    // A click that selects a broken lottery reports it once, not once per signal.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->findItems(kNoDefinition, Qt::MatchExactly).value(0)).center());
    QCOMPARE(MessageBox::recorded().size(), 1);
}

void TestIndexDialog::singleLotteryIsPreselectedAndEnterOpensIt()
{
    dialog_.reset();
    tearDownProgram();
    setUpProgram();
    dialog_ = std::make_unique<Tfrmindex>(*document_, mainWindow_.get());
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog_.get()));
    QCOMPARE(nameShown(), QString(quorlin::kShippedLottery));
    QCOMPARE(checkedWeekdays(*dialog_), (QList<int>{1, 3, 6}));

    auto* list = dialog_->findChild<QListWidget*>("lstcaipiao");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    QVERIFY2(document_->state().caiopen, qPrintable(messageTexts().join('\n')));
    QCOMPARE(dialog_->result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestIndexDialog)
#include "test_index_dialog.moc"

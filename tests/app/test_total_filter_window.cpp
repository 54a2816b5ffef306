// The total filter window: its controls, the order of its messages, whole runs checked against the
// core, cumulative runs, the transformed mapping, save, load, clear, stop and print.
#include "gui_test_base.h"

#include "common/bet_list_printer.h"
#include "common/file_dialog.h"
#include "common/message_box.h"
#include "common/number_button_grid.h"
#include "common/print_dialog.h"
#include "common/random_source.h"
#include "common/uniform_list_view.h"
#include "filter/bet_list.h"
#include "filter/combination_table.h"
#include "filter/total_filter.h"
#include "filter/u_totalfilt.h"
#include "shell/lottery_document.h"
#include "shell/tool_window_registry.h"
#include "shell/u_main.h"
#include "store/display_tables.h"
#include "store/schema.h"

#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEngine>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace {

// Hands out the given values over and over, so a random selection draws what the test expects.
class CyclingRandom final : public quorlin::RandomSource {
public:
    explicit CyclingRandom(std::vector<int> values) : values_(std::move(values)) {}
    void reseed() override {}
    int random(int) override { return values_[next_++ % values_.size()]; }

private:
    std::vector<int> values_;
    std::size_t next_ = 0;
};

// A paint device that keeps the text drawn on it, with where it was drawn.
class TextRecorder final : public QPaintDevice {
public:
    struct Text {
        QString text;
        QPointF at;
    };

    QPaintEngine* paintEngine() const override { return &engine_; }
    const QList<Text>& texts() const { return engine_.texts; }
    QString allText() const
    {
        QString all;
        for (const Text& t : engine_.texts)
            all += t.text;
        return all;
    }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return 2480;
        case PdmHeight:
            return 3508;
        case PdmWidthMM:
            return 210;
        case PdmHeightMM:
            return 297;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 300;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return 0x7fffffff;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    struct Engine final : QPaintEngine {
        Engine() : QPaintEngine(AllFeatures) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawTextItem(const QPointF& p, const QTextItem& item) override { texts.append({item.text(), p}); }
        Type type() const override { return User; }
        QList<Text> texts;
    };
    mutable Engine engine_;
};

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

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

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The colour a button shows inside its border.
QColor fillOf(QWidget* button)
{
    return button->grab().toImage().pixelColor(4, 4);
}

// Rows left after one core run over every combination.
std::size_t coreSurvivors(const quorlin::TotalFilterSettings& settings)
{
    quorlin::CombinationTable table;
    table.buildAll(35, 5);
    quorlin::FilterSpace space;
    return *quorlin::runTotalFilter(table, settings, space);
}

} // namespace

class TestTotalFilterWindow : public GuiTestBase {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void windowAsOpened();
    void comboBoxesOfferTheGamesValues_data();
    void comboBoxesOfferTheGamesValues();
    void runKeepsWhatTheCoreKeepsAndNarrowsFurther();
    void messagesComeInTheRunsOrder_data();
    void messagesComeInTheRunsOrder();
    void frontButtonsWaitForTheRedBallBox();
    void randomSelectionDrawsTheAskedCount();
    void settingsRoundTrip();
    void saveWritesTheBetsAlone();
    void loadedListIsNarrowedAndPairedAnew();
    void loadThenSaveKeepsEveryBet();
    void refusedFileChangesNothing();
    void transformedModeTakesAwayTheRedBallChoice();
    void clearStartsOverInTheStandardMapping();
    void stopLeavesEverythingAsItWas();
    void printerPutsAHundredBetsOnAPage();
    void printGoesToAPdfWithoutAPrinter();

private:
    Tfrmtotalfilt* window() const;
    template <class T> T* child(const char* name) const;
    void click(const char* name);
    void clickNumbers(const char* prefix, const QList<int>& numbers);
    void setCombo(const char* name, const QString& text);
    void waitIdle();
    void filter();
    NumberButtonGrid* grid(const char* name) const { return child<NumberButtonGrid>(name); }
    QString memoLine(int row) const;
    int memoLines() const;
    QString tempPath() const;

    Tfrmtotalfilt* window_ = nullptr;
};

void TestTotalFilterWindow::init()
{
    setUpProgram();
    PrintDialog::setTestMode(true);
    openShippedLottery();
    triggerAction("mnutotalfilt");
    window_ = qobject_cast<Tfrmtotalfilt*>(mainWindow_->tools().window("Tfrmtotalfilt"));
    QVERIFY(window_ && window_->isVisible());
}

void TestTotalFilterWindow::cleanup()
{
    window_ = nullptr;
    tearDownProgram();
}

Tfrmtotalfilt* TestTotalFilterWindow::window() const
{
    return window_;
}

template <class T> T* TestTotalFilterWindow::child(const char* name) const
{
    T* found = window_->findChild<T*>(name);
    if (!found)
        qWarning("no widget %s", name);
    return found;
}

void TestTotalFilterWindow::click(const char* name)
{
    auto* button = child<QPushButton>(name);
    QVERIFY(button);
    QVERIFY2(button->isEnabled(), name);
    QTest::mouseClick(button, Qt::LeftButton);
}

void TestTotalFilterWindow::clickNumbers(const char* prefix, const QList<int>& numbers)
{
    for (int n : numbers)
        QTest::mouseClick(child<QPushButton>(qPrintable(QString::asprintf("%s%.2d", prefix, n))), Qt::LeftButton);
}

void TestTotalFilterWindow::setCombo(const char* name, const QString& text)
{
    child<QComboBox>(name)->setEditText(text);
}

void TestTotalFilterWindow::waitIdle()
{
    QTRY_VERIFY_WITH_TIMEOUT(!window_->isBusy(), 60000);
}

void TestTotalFilterWindow::filter()
{
    click("btnfilt");
    waitIdle();
}

QString TestTotalFilterWindow::memoLine(int row) const
{
    const QAbstractItemModel* model = child<QAbstractItemView>("memcode")->model();
    return model->data(model->index(row, 0)).toString();
}

int TestTotalFilterWindow::memoLines() const
{
    return child<QAbstractItemView>("memcode")->model()->rowCount();
}

QString TestTotalFilterWindow::tempPath() const
{
    return QString::fromStdString(program_->apppath()) + "temp.txt";
}

void TestTotalFilterWindow::windowAsOpened()
{
    QCOMPARE(window()->windowTitle(), QString("总体过滤"));
    const Qt::WindowFlags flags = window()->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(window()->minimumSize(), window()->maximumSize());

    QVERIFY(child<QPushButton>("btnfilt")->isDefault());
    QVERIFY(!child<QPushButton>("btnsuiji1")->isEnabled());
    QVERIFY(child<QCheckBox>("chklanqiu")->isChecked() && !child<QCheckBox>("chklanqiu")->isEnabled());
    QVERIFY(!child<QProgressBar>("pb")->isVisible());
    QVERIFY(!child<QPushButton>("btnstop")->isVisible());
    QCOMPARE(child<QLabel>("lblcode")->text(), QString("过滤结果："));
    for (const char* name : {"edtzhong1", "edtzhong2", "edtsuiji1"})
        QCOMPARE(child<QLineEdit>(name)->text(), QString("5"));
    QCOMPARE(child<QLineEdit>("edtsuiji2")->text(), QString("2"));
    QCOMPARE(child<QLineEdit>("edtnum1")->text(), QString("1"));

    // 50 red and 30 blue buttons, blank and disabled past the game's numbers, laid out by the
    // group's formula: left (W−15)·column/10 + 5, top row·(H−15)/R + 15.
    NumberButtonGrid* front = grid("GroupBox2");
    QCOMPARE(front->buttonCount(), 50);
    QCOMPARE(front->button(35)->text(), QString("35"));
    QVERIFY(front->button(36)->text().isEmpty() && !front->button(36)->isEnabled());
    QCOMPARE(front->size(), QSize(415, 165));
    QCOMPARE(front->button(12)->geometry(), QRect(45, 45, 35, 25));
    NumberButtonGrid* back = grid("GroupBox3");
    QCOMPARE(back->buttonCount(), 30);
    QVERIFY(back->button(12)->isEnabled() && !back->button(13)->isEnabled() && back->button(13)->text().isEmpty());
    QCOMPARE(back->button(30)->geometry(), QRect(365, 75, 35, 25));
}

void TestTotalFilterWindow::comboBoxesOfferTheGamesValues_data()
{
    QTest::addColumn<QString>("combo");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::newRow("大数") << "comdaxiao1" << 0 << 5;
    QTest::newRow("奇数") << "comjiou2" << 0 << 5;
    QTest::newRow("和值") << "comhei1" << 15 << 165;
    QTest::newRow("跨度") << "comkuadu2" << 4 << 34;
    QTest::newRow("散度") << "comsandu1" << 4 << 30;
    QTest::newRow("偏度") << "compiandu2" << 0 << 30;
    QTest::newRow("AC值") << "comac1" << 4 << 10;
}

void TestTotalFilterWindow::comboBoxesOfferTheGamesValues()
{
    QFETCH(QString, combo);
    QFETCH(int, first);
    QFETCH(int, last);
    auto* box = child<QComboBox>(qPrintable(combo));
    QVERIFY(box->isEditable());
    QCOMPARE(box->count(), last - first + 1);
    QCOMPARE(box->itemText(0).toInt(), first);
    QCOMPARE(box->itemText(box->count() - 1).toInt(), last);
    QVERIFY(box->currentText().isEmpty());
}

void TestTotalFilterWindow::runKeepsWhatTheCoreKeepsAndNarrowsFurther()
{
    QAbstractItemModelTester tester(child<QAbstractItemView>("memcode")->model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    child<QCheckBox>("chkhei")->setChecked(true);
    setCombo("comhei1", "60");
    setCombo("comhei2", "100");
    clickNumbers("btnlan", {1, 2});
    filter();

    quorlin::TotalFilterSettings sum60to100;
    sum60to100.sum = quorlin::FilterRange{60, 100};
    const std::size_t expected = coreSurvivors(sum60to100);
    QVERIFY(expected > 1000);
    QCOMPARE(child<QLabel>("lblcode")->text(), QString("过滤结果：%1注").arg(expected));
    QCOMPARE(memoLines(), static_cast<int>(expected));
    // The first combination in table order whose sum reaches 60.
    QCOMPARE(memoLine(0), QString("0000001    01 02 03 19 35+01 02"));
    const QByteArray temp = fileBytes(tempPath());
    QVERIFY(temp.startsWith("0000001    01 02 03 19 35+01 02\r\n"));
    QCOMPARE(temp.count("\r\n"), static_cast<qsizetype>(expected));
    // The eight condition boxes are unchecked after a run; the chosen values stay.
    QVERIFY(!child<QCheckBox>("chkhei")->isChecked());
    QCOMPARE(child<QComboBox>("comhei2")->currentText(), QString("100"));
    QVERIFY(messageTexts().isEmpty());

    // The whole list can be scrolled through, to its last line and back.
    auto* memo = child<UniformListView>("memcode");
    const QModelIndex last = memo->model()->index(memoLines() - 1, 0);
    memo->scrollTo(last);
    QVERIFY(memo->viewport()->rect().contains(memo->visualRect(last)));
    QCOMPARE(memo->indexAt(memo->visualRect(last).center()), last);
    // The last combination in table order whose sum stays within 100.
    QCOMPARE(last.data().toString(), QString("%1    18 19 20 21 22+01 02").arg(expected, 7, 10, QChar('0')));
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_Home);
    QCOMPARE(memo->currentIndex().row(), 0);
    QCOMPARE(memo->firstVisibleRow(), 0);

    // The next run starts from what the first one kept.
    child<QCheckBox>("chkhei")->setChecked(true);
    setCombo("comhei1", "80");
    setCombo("comhei2", "120");
    filter();
    quorlin::TotalFilterSettings sum80to100;
    sum80to100.sum = quorlin::FilterRange{80, 100};
    QCOMPARE(memoLines(), static_cast<int>(coreSurvivors(sum80to100)));
    QCOMPARE(document_->state().allcode.unmarked(), coreSurvivors(sum80to100));
}

void TestTotalFilterWindow::messagesComeInTheRunsOrder_data()
{
    // Each row sets up the controls ("name=value"; front/back click number buttons) and names the
    // one message the run shows. No back number is chosen unless a row says so, so every row also
    // carries the last check's fault: the message shown proves the order.
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<QString>("message");
    const QStringList sum{"chkhei=1", "comhei1=60", "comhei2=100"};
    QTest::newRow("no condition") << QStringList{"comkuadu1=20", "comkuadu2=10"} << "请选择过滤条件！";
    QTest::newRow("checked range with an empty field")
        << QStringList{"chkhei=1", "comhei1=60", "edtnum1=x"} << "请选择组合框中的数值！";
    QTest::newRow("banker box without bankers")
        << QStringList{"chkdanma=1", "comkuadu1=20", "comkuadu2=10"} << "请输入胆码以及最少中奖个数和最多中奖个数！";
    QTest::newRow("range value not a number, before the order check")
        << QStringList{"chkhei=1", "comhei1=abc", "comhei2=100", "comkuadu1=20", "comkuadu2=10"}
        << "“和值下限”中的“abc”不是有效的整数！";
    QTest::newRow("banker item not a number")
        << QStringList{"chkdanma=1", "edtdanma=1,2"} << "“胆码”中的“1,2”不是有效的整数！";
    QTest::newRow("hit count read even without bankers")
        << (sum + QStringList{"edtnum1=x"}) << "“胆码最少中奖个数”中的“x”不是有效的整数！";
    QTest::newRow("red-ball hits read when the box is checked")
        << QStringList{"chkhongqiu=1", "edtzhong2="} << "“红球最多中奖个数”中没有填写整数！";
    QTest::newRow("checked range upside down") << QStringList{"chkhei=1", "comhei1=100", "comhei2=60"}
                                               << "请前面组合框中的数值应该小于等于后面组合框中的数值！";
    QTest::newRow("unchecked range upside down") << (sum + QStringList{"comkuadu1=20", "comkuadu2=10"})
                                                 << "请前面组合框中的数值应该小于等于后面组合框中的数值！";
    QTest::newRow("banker hits upside down, banker box unchecked")
        << (sum + QStringList{"edtnum1=2"}) << "胆码前面的中奖个数应该小于等于后面的中奖个数！";
    QTest::newRow("red balls without a number") << QStringList{"chkhongqiu=1"} << "请点击你要选择的前区号！";
    QTest::newRow("four red balls") << QStringList{"chkhongqiu=1", "front=1 2 3 4"} << "请至少选择5前区号！";
    QTest::newRow("no blue ball") << sum << "请点击你要选择的后区号！";
    QTest::newRow("one blue ball") << (sum + QStringList{"back=1"}) << "请至少选择2个后区号！";
}

void TestTotalFilterWindow::messagesComeInTheRunsOrder()
{
    QFETCH(QStringList, setup);
    QFETCH(QString, message);
    for (const QString& step : setup) {
        const QString name = step.section('=', 0, 0);
        const QString value = step.section('=', 1);
        if (name == "front" || name == "back") {
            QList<int> numbers;
            for (const QString& n : value.split(' '))
                numbers.append(n.toInt());
            clickNumbers(name == "front" ? "btnhong" : "btnlan", numbers);
        } else if (auto* box = window()->findChild<QCheckBox*>(name)) {
            box->setChecked(value == "1");
        } else if (auto* combo = window()->findChild<QComboBox*>(name)) {
            combo->setEditText(value);
        } else {
            QVERIFY2(window()->findChild<QLineEdit*>(name), qPrintable(name));
            window()->findChild<QLineEdit*>(name)->setText(value);
        }
    }
    QVERIFY(messageTexts().isEmpty());
    click("btnfilt");
    QCOMPARE(messageTexts(), QStringList{message});
    QCOMPARE(MessageBox::recorded().first().kind, MessageBox::Kind::Critical);
    // Refused before anything ran: no task, no table, no list.
    QVERIFY(!window()->isBusy());
    QVERIFY(document_->state().allcode.empty());
    QCOMPARE(child<QLabel>("lblcode")->text(), QString("过滤结果："));
    QVERIFY(!QFile::exists(tempPath()));
}

void TestTotalFilterWindow::frontButtonsWaitForTheRedBallBox()
{
    NumberButtonGrid* front = grid("GroupBox2");
    clickNumbers("btnhong", {1});
    QCOMPARE(messageTexts(), QStringList{"请先在《选择红球》框上打勾！"});
    QVERIFY(!front->isSelected(1));

    child<QCheckBox>("chkhongqiu")->setChecked(true);
    QVERIFY(child<QPushButton>("btnsuiji1")->isEnabled());
    clickNumbers("btnhong", {1, 7, 7, 9});
    QCOMPARE(front->selectedNumbers(), (std::vector<int>{1, 9}));
    QCOMPARE(child<QLineEdit>("edtsuiji1")->text(), QString("2"));
    QCOMPARE(fillOf(front->button(1)), QColor(255, 50, 50));
    QVERIFY(fillOf(front->button(7)) != QColor(255, 50, 50));

    // Unchecking keeps the choice but takes the random button away.
    child<QCheckBox>("chkhongqiu")->setChecked(false);
    QVERIFY(!child<QPushButton>("btnsuiji1")->isEnabled());
    QCOMPARE(front->selectedCount(), 2);

    clickNumbers("btnlan", {12});
    QVERIFY(grid("GroupBox3")->isSelected(12));
    QCOMPARE(fillOf(grid("GroupBox3")->button(12)), QColor(50, 50, 255));
    QCOMPARE(child<QLineEdit>("edtsuiji2")->text(), QString("1"));
}

void TestTotalFilterWindow::randomSelectionDrawsTheAskedCount()
{
    // A number drawn twice is drawn again for the same place.
    window()->setRandomSource(std::make_unique<CyclingRandom>(std::vector<int>{3, 3, 0, 34}));
    child<QCheckBox>("chkhongqiu")->setChecked(true);
    clickNumbers("btnhong", {20});
    child<QLineEdit>("edtsuiji1")->setText("3");
    click("btnsuiji1");
    QCOMPARE(grid("GroupBox2")->selectedNumbers(), (std::vector<int>{1, 4, 35}));
    QCOMPARE(child<QLineEdit>("edtsuiji1")->text(), QString("3"));

    window()->setRandomSource(std::make_unique<quorlin::ClockRandomSource>());
    child<QLineEdit>("edtsuiji2")->setText("12");
    click("btnsuiji2");
    QCOMPARE(grid("GroupBox3")->selectedCount(), 12);
    child<QLineEdit>("edtsuiji1")->setText("7");
    click("btnsuiji1");
    QCOMPARE(grid("GroupBox2")->selectedCount(), 7);
    QVERIFY(messageTexts().isEmpty());

    // Counts that cannot be drawn are refused and change nothing.
    const std::vector<int> before = grid("GroupBox2")->selectedNumbers();
    child<QLineEdit>("edtsuiji1")->setText("36");
    click("btnsuiji1");
    child<QLineEdit>("edtsuiji2")->setText("-1");
    click("btnsuiji2");
    child<QLineEdit>("edtsuiji1")->setText("五");
    click("btnsuiji1");
    QCOMPARE(messageTexts(),
             (QStringList{"随机选择红球的个数应在 0 到 35 之间！", "随机选择蓝球的个数应在 0 到 12 之间！",
                          "“随机选择红球的个数”中的“五”不是有效的整数！"}));
    QCOMPARE(grid("GroupBox2")->selectedNumbers(), before);
    QCOMPARE(grid("GroupBox3")->selectedCount(), 12);
}

void TestTotalFilterWindow::settingsRoundTrip()
{
    quorlin::TotalFilterSettings s;
    s.big = quorlin::FilterRange{1, 3};
    s.sum = quorlin::FilterRange{70, 110};
    s.ac = quorlin::FilterRange{6, 10};
    s.bankersOn = true;
    s.bankers = {3, 17};
    s.bankerHits = {1, 2};
    s.frontOn = true;
    s.front = {1, 2, 3, 4, 5, 6, 30};
    s.frontHits = {4, 5};
    s.back = {2, 5, 11};
    window()->setSettings(s);
    QString message;
    const auto read = window()->settings(message);
    QVERIFY2(read, qPrintable(message));
    QVERIFY(*read == s);
}

void TestTotalFilterWindow::saveWritesTheBetsAlone()
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

void TestTotalFilterWindow::loadedListIsNarrowedAndPairedAnew()
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

void TestTotalFilterWindow::loadThenSaveKeepsEveryBet()
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

void TestTotalFilterWindow::refusedFileChangesNothing()
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

void TestTotalFilterWindow::transformedModeTakesAwayTheRedBallChoice()
{
    child<QCheckBox>("chkhongqiu")->setChecked(true);
    document_->setTransformed();
    QVERIFY(!child<QCheckBox>("chkhongqiu")->isChecked());
    QVERIFY(!child<QCheckBox>("chkhongqiu")->isEnabled());
    QVERIFY(!grid("GroupBox2")->isEnabled());
    QVERIFY(!child<QPushButton>("btnsuiji1")->isEnabled());

    // The conditions see the numbers of the coming draw's mapping: the one combination whose
    // transformed numbers are 1..5 is the only one with sum 15; the list shows its real numbers.
    child<QCheckBox>("chkhei")->setChecked(true);
    setCombo("comhei1", "15");
    setCombo("comhei2", "15");
    clickNumbers("btnlan", {1, 2});
    filter();
    QStringList real;
    std::vector<int> numbers;
    for (int t = 1; t <= 5; ++t)
        numbers.push_back(quorlin::unmapcoming(document_->state(), t));
    std::sort(numbers.begin(), numbers.end());
    for (int n : numbers)
        real.append(QString::asprintf("%.2d", n));
    QCOMPARE(memoLines(), 1);
    QCOMPARE(memoLine(0), "0000001    " + real.join(' ') + "+01 02");

    document_->setStandard();
    QVERIFY(child<QCheckBox>("chkhongqiu")->isEnabled());
    QVERIFY(grid("GroupBox2")->isEnabled());
}

void TestTotalFilterWindow::clearStartsOverInTheStandardMapping()
{
    child<QCheckBox>("chkhei")->setChecked(true);
    setCombo("comhei1", "15");
    setCombo("comhei2", "15");
    clickNumbers("btnlan", {1, 2});
    filter();
    QCOMPARE(memoLines(), 1);
    document_->setTransformed();
    child<QCheckBox>("chkdanma")->setChecked(true);
    child<QLineEdit>("edtdanma")->setText("1 2");
    child<QLineEdit>("edtnum2")->setText("3");
    child<QLineEdit>("edtsuiji1")->setText("9");

    click("btnclear");
    QVERIFY(!document_->state().bianhuan);
    QVERIFY(mainWindow_->findChild<QAction*>("tlbbiaozhun")->isChecked());
    QVERIFY(child<QCheckBox>("chkhongqiu")->isEnabled());
    QVERIFY(grid("GroupBox2")->isEnabled());
    QVERIFY(!child<QCheckBox>("chkdanma")->isChecked());
    QVERIFY(child<QComboBox>("comhei1")->currentText().isEmpty());
    QVERIFY(child<QLineEdit>("edtdanma")->text().isEmpty());
    QCOMPARE(child<QLineEdit>("edtnum2")->text(), QString("1"));
    QCOMPARE(child<QLineEdit>("edtsuiji1")->text(), QString("5"));
    QCOMPARE(grid("GroupBox3")->selectedCount(), 0);
    QCOMPARE(memoLines(), 0);
    QCOMPARE(child<QLabel>("lblcode")->text(), QString("过滤结果："));
    QVERIFY(messageTexts().isEmpty());

    // The next run starts again from every combination.
    child<QCheckBox>("chkhei")->setChecked(true);
    setCombo("comhei1", "16");
    setCombo("comhei2", "16");
    clickNumbers("btnlan", {1, 2});
    filter();
    QCOMPARE(memoLines(), 1);
    QCOMPARE(memoLine(0), QString("0000001    01 02 03 04 06+01 02"));
}

void TestTotalFilterWindow::stopLeavesEverythingAsItWas()
{
    // First every front combination with one back pair, then all twelve back numbers: 21 million
    // lines, stopped at once.
    child<QCheckBox>("chkhongqiu")->setChecked(true);
    for (int n = 1; n <= 35; ++n)
        clickNumbers("btnhong", {n});
    clickNumbers("btnlan", {1, 2});
    filter();
    QCOMPARE(memoLines(), 324632);
    const QByteArray temp = fileBytes(tempPath());
    const QString label = child<QLabel>("lblcode")->text();

    // A run that would narrow the table a little, were it not stopped.
    child<QCheckBox>("chkhei")->setChecked(true);
    setCombo("comhei1", "20");
    setCombo("comhei2", "160");
    clickNumbers("btnlan", {3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    click("btnfilt");
    QVERIFY(window()->isBusy());
    QVERIFY(child<QPushButton>("btnstop")->isVisible());
    QVERIFY(child<QProgressBar>("pb")->isVisible());
    for (const char* name : {"btnfilt", "btnclear", "btnsave", "btnload", "btnprint", "btnclose", "btnsuiji2"})
        QVERIFY2(!child<QPushButton>(name)->isEnabled(), name);
    QVERIFY(!child<QWidget>("GroupBox1")->isEnabled());
    QVERIFY(!grid("GroupBox2")->isEnabled() && !grid("GroupBox3")->isEnabled());
    // The mapping cannot change under the run.
    QVERIFY(!mainWindow_->findChild<QAction*>("tlbbianwan")->isEnabled());
    click("btnstop");
    waitIdle();

    QCOMPARE(memoLines(), 324632);
    QCOMPARE(child<QLabel>("lblcode")->text(), label);
    QCOMPARE(document_->state().allcode.unmarked(), std::size_t{324632});
    QVERIFY(fileBytes(tempPath()) == temp);
    QVERIFY(messageTexts().isEmpty());
    QVERIFY(!child<QPushButton>("btnstop")->isVisible());
    QVERIFY(child<QPushButton>("btnfilt")->isEnabled());
    QVERIFY(child<QPushButton>("btnsuiji1")->isEnabled());
}

void TestTotalFilterWindow::printerPutsAHundredBetsOnAPage()
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

void TestTotalFilterWindow::printGoesToAPdfWithoutAPrinter()
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
    QVERIFY(messageTexts().isEmpty());

    // The program's database is never printed over.
    const QString database = QString::fromStdString(program_->databasePath());
    const QByteArray stored = fileBytes(database);
    FileDialog::setNextFileName(database);
    click("btnprint");
    QCOMPARE(fileBytes(database), stored);
    QCOMPARE(messageTexts().size(), 1);
    QVERIFY(messageTexts().first().contains(QStringLiteral("数据库文件夹")));
}

QTEST_MAIN(TestTotalFilterWindow)
#include "test_total_filter_window.moc"

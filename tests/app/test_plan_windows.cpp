// The three stake-plan windows: generating, the variable plan's draws and modes, saving and loading,
// and printing with the page layout of the printouts.
#include "gui_test_base.h"

#include "common/file_dialog.h"
#include "common/message_box.h"
#include "common/plain_text_role.h"
#include "common/print_dialog.h"
#include "invest/plan_printout.h"
#include "shell/tool_window_registry.h"
#include "shell/u_main.h"

#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <algorithm>

namespace {

QString fileText(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QString::fromLatin1(file.readAll());
}

/// The texts of a laid-out page that start at `y`, left to right.
QStringList textsAt(const PrintedPage& page, int y)
{
    std::vector<PrintedPage::Text> row;
    std::copy_if(page.texts.begin(), page.texts.end(), std::back_inserter(row),
                 [y](const PrintedPage::Text& t) { return t.at.y() == y; });
    std::sort(row.begin(), row.end(), [](const auto& a, const auto& b) { return a.at.x() < b.at.x(); });
    QStringList texts;
    for (const auto& t : row)
        texts.append(t.text);
    return texts;
}

/// A page of A4 at 600 dots an inch, as the printers are set up.
QImage a4Page()
{
    QImage image(4960, 7016, QImage::Format_Grayscale8);
    image.setDotsPerMeterX(23622);
    image.setDotsPerMeterY(23622);
    image.fill(Qt::white);
    return image;
}

} // namespace

class TestPlanWindows : public GuiTestBase {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void fixedPlanGeneratesTheWorkedFigures();
    void fixedPlanRefusesWhatItCannotPlan();
    void fixedPlanSavedAndLoadedShowsTheSameCells();
    void stagedPlanGeneratesTheWorkedFigures();
    void variablePlanGrowsOneDrawAtATime();
    void variablePlanLoadedGoesOnFromItsLastRow();
    void printingNeedsATableAndReportsAFailedPrinter();
    void twentySixRowsPrintOnTwoPages();

private:
    QWidget* open(const char* menuItem, const char* key);
    template <typename T> T* child(const char* name) const { return requireChild<T>(window_, name); }
    void click(const char* button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
    void setField(const char* name, const QString& text) { child<QLineEdit>(name)->setText(text); }
    // A cell as copies, exports and the saved plan write it.
    QString cell(int row, int column) const
    {
        const QAbstractItemModel* model = child<QTableView>("grdjihua")->model();
        return model->data(model->index(row, column), kPlainTextRole).toString();
    }
    // A cell as the table shows it.
    QString shown(int row, int column) const
    {
        const QAbstractItemModel* model = child<QTableView>("grdjihua")->model();
        return model->data(model->index(row, column)).toString();
    }
    QStringList row(int r) const
    {
        QStringList cells;
        for (int c = 0; c < columns(); ++c)
            cells.append(cell(r, c));
        return cells;
    }
    int rows() const { return child<QTableView>("grdjihua")->model()->rowCount(); }
    int columns() const { return child<QTableView>("grdjihua")->model()->columnCount(); }
    QString header(int column) const
    {
        return child<QTableView>("grdjihua")->model()->headerData(column, Qt::Horizontal).toString();
    }
    QString lastMessage() const { return messageTexts().value(messageTexts().size() - 1); }
    QString planFile(const char* name) const { return QString::fromStdString(program_->apppath()) + name; }

    QWidget* window_ = nullptr;
};

void TestPlanWindows::init()
{
    setUpProgram();
    PrintDialog::setTestMode(true);
}

void TestPlanWindows::cleanup()
{
    window_ = nullptr;
    tearDownProgram();
}

QWidget* TestPlanWindows::open(const char* menuItem, const char* key)
{
    // The investment menu works without an open lottery.
    triggerAction(menuItem);
    window_ = mainWindow_->tools().window(key);
    if (!window_)
        qFatal("no window %s", key);
    return window_;
}

void TestPlanWindows::fixedPlanGeneratesTheWorkedFigures()
{
    open("mnugudingjihua", "Tfrmgudingjihua");
    QVERIFY(window_->isVisible());
    QCOMPARE(window_->windowTitle(), QStringLiteral("固定计划投资"));
    QVERIFY(window_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(rows(), 0);
    click("btnala");
    QCOMPARE(rows(), 80);
    QCOMPARE(row(60), (QStringList{"61", "1", "16", "976", "1000", "24", "2"}));
    QCOMPARE(row(61), (QStringList{"62", "2", "32", "1008", "2000", "992", "98"}));
    QCOMPARE(row(79), (QStringList{"80", "2", "32", "1584", "2000", "416", "26"}));
    // On screen the money columns read in 元, grouped; the multiple and the rate stay numbers.
    QCOMPARE(shown(79, 1), QStringLiteral("2"));
    QCOMPARE(shown(79, 3), QStringLiteral("1,584元"));
    QCOMPARE(shown(79, 6), QStringLiteral("26"));
    QCOMPARE(lastMessage(), QStringLiteral("平均每期净利润为:551元"));
    QCOMPARE(header(0), QStringLiteral("投注期号"));

    // 关闭 hides the window; the next use shows it again with its plan.
    click("btnclose");
    QVERIFY(!window_->isVisible());
    triggerAction("mnugudingjihua");
    QCOMPARE(mainWindow_->tools().window("Tfrmgudingjihua"), window_);
    QCOMPARE(rows(), 80);
}

void TestPlanWindows::fixedPlanRefusesWhatItCannotPlan()
{
    open("mnugudingjihua", "Tfrmgudingjihua");
    click("btnala");
    // A prize no larger than the stake: the message, and the table keeps the plan before.
    setField("edtoutofsin", "16");
    click("btnala");
    QCOMPARE(lastMessage(), QStringLiteral("所需倍数太大，无法投注！"));
    QCOMPARE(cell(79, 3), QStringLiteral("1584"));

    setField("edtoutofsin", "1000");
    setField("edtdays", "0");
    click("btnala");
    QCOMPARE(lastMessage(), QStringLiteral("投注期数必须大于0！"));
    setField("edtdays", "八十");
    click("btnala");
    QCOMPARE(MessageBox::recorded().last().kind, MessageBox::Kind::Critical);
    QVERIFY2(lastMessage().contains(QStringLiteral("八十")), qPrintable(lastMessage()));
    QCOMPARE(rows(), 80);
}

void TestPlanWindows::fixedPlanSavedAndLoadedShowsTheSameCells()
{
    open("mnugudingjihua", "Tfrmgudingjihua");
    setField("edtlirun", "20");
    click("btnala");
    const QString average = lastMessage();
    QList<QStringList> shown;
    for (int r = 0; r < rows(); ++r)
        shown.append(row(r));

    const QString path = planFile("固定.txt");
    FileDialog::setNextFileName(path);
    click("btnsave");
    QCOMPARE(lastMessage(), QStringLiteral("成功保存！"));
    QCOMPARE(FileDialog::recorded().last().dir, planFile("附属/固定投资计划表.txt"));
    const QString bytes = fileText(path);
    QVERIFY(bytes.startsWith("0\r\n20\r\n16\r\n1000\r\n80\r\n1\r\n1\r\n16\r\n"));
    QCOMPARE(bytes.count("\r\n"), 5 + 7 * 80);

    setField("edtlirun", "999");
    setField("edtdays", "3");
    click("btnala");
    FileDialog::setNextFileName(path);
    click("btnload");
    QCOMPARE(child<QLineEdit>("edtlirun")->text(), QStringLiteral("20"));
    QCOMPARE(child<QLineEdit>("edtdays")->text(), QStringLiteral("80"));
    QCOMPARE(rows(), 80);
    for (int r = 0; r < rows(); ++r)
        QCOMPARE(row(r), shown[r]);
    QCOMPARE(header(0), QStringLiteral("投注时间"));
    QCOMPARE(lastMessage(), average);

    // A cancelled dialog changes nothing.
    const int boxes = static_cast<int>(MessageBox::recorded().size());
    click("btnload");
    QCOMPARE(static_cast<int>(MessageBox::recorded().size()), boxes);
}

void TestPlanWindows::stagedPlanGeneratesTheWorkedFigures()
{
    open("mnujieduanjihua", "Tfrmjieduanjihua");
    QCOMPARE(window_->windowTitle(), QStringLiteral("阶段计划投资"));
    click("btnala");
    QCOMPARE(row(79), (QStringList{"80", "2", "32", "1664", "2000", "336", "20"}));
    QCOMPARE(lastMessage(), QStringLiteral("平均每期净利润为:592元"));

    setField("edtjieduan", "0");
    click("btnala");
    QCOMPARE(lastMessage(), QStringLiteral("阶段次数必须大于0！"));
    QCOMPARE(rows(), 80);
}

void TestPlanWindows::variablePlanGrowsOneDrawAtATime()
{
    open("mnukeibianjihua", "Tfrmkeibianjihua");
    QCOMPARE(window_->windowTitle(), QStringLiteral("可变投资计划"));
    QCOMPARE(columns(), 8);
    QVERIFY(!child<QPushButton>("btnjisuan")->isEnabled());

    click("btnnew");
    QCOMPARE(child<QPushButton>("btnnew")->text(), QStringLiteral("取消保存"));
    QVERIFY(child<QPushButton>("btnjisuan")->isEnabled());
    for (const char* name : {"btnload", "btnprint", "btnclose"})
        QVERIFY2(!child<QPushButton>(name)->isEnabled(), name);

    setField("edtdays", "2");
    click("btnjisuan");
    setField("edtjushu", "10");
    click("btnjisuan");
    QCOMPARE(row(0), (QStringList{"1", "1", "8", "16", "16", "1000", "984", "6150"}));
    QCOMPARE(row(1), (QStringList{"2", "1", "10", "20", "36", "1000", "964", "2677"}));
    QCOMPARE(lastMessage(), QStringLiteral("平均每期净利润为:974元"));

    click("btnjisuan");
    QCOMPARE(lastMessage(), QStringLiteral("投资期限已满2天!"));
    QCOMPARE(rows(), 2);

    // A draw no multiple can pay for is withdrawn: the plan can go on after the inputs change.
    setField("edtdays", "5");
    setField("edtjushu", "600");
    click("btnjisuan");
    QCOMPARE(lastMessage(), QStringLiteral("所需倍数太大，无法投注！"));
    QCOMPARE(rows(), 2);
    setField("edtjushu", "8");
    click("btnjisuan");
    QCOMPARE(row(2), (QStringList{"3", "1", "8", "16", "52", "1000", "948", "1823"}));

    FileDialog::setNextFileName(planFile("可变.txt"));
    click("btnsave");
    QCOMPARE(child<QPushButton>("btnnew")->text(), QStringLiteral("新建"));
    for (const char* name : {"btnload", "btnprint", "btnclose", "btnjisuan"})
        QVERIFY2(child<QPushButton>(name)->isEnabled(), name);
    QCOMPARE(fileText(planFile("可变.txt")).count("\r\n"), 6 + 8 * 3);

    // 取消保存 throws the plan being built away, once the user agrees to lose its unsaved rows.
    click("btnnew");
    click("btnjisuan");
    click("btnjisuan");
    QCOMPARE(rows(), 2);
    const auto boxes = MessageBox::recorded().size();
    MessageBox::setNextAnswer(QMessageBox::No);
    click("btnnew");
    QCOMPARE(MessageBox::recorded().size(), boxes + 1);
    QCOMPARE(MessageBox::recorded().last().kind, MessageBox::Kind::Question);
    QCOMPARE(lastMessage(), QStringLiteral("将丢弃未保存的2期计划，是否继续？"));
    QCOMPARE(rows(), 2);
    QCOMPARE(child<QPushButton>("btnnew")->text(), QStringLiteral("取消保存"));
    QVERIFY(child<QPushButton>("btnjisuan")->isEnabled());
    MessageBox::setNextAnswer(QMessageBox::Yes);
    click("btnnew");
    QCOMPARE(rows(), 0);
    QVERIFY(!child<QPushButton>("btnjisuan")->isEnabled());
    QVERIFY(child<QPushButton>("btnload")->isEnabled());
}

void TestPlanWindows::variablePlanLoadedGoesOnFromItsLastRow()
{
    const QString path = planFile("可变.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("100\r\n10\r\n16\r\n1000\r\n5\r\n8\r\n"
               "1\r\n1\r\n8\r\n16\r\n116\r\n1000\r\n884\r\n762\r\n"
               "2\r\n1\r\n20\r\n40\r\n156\r\n1000\r\n844\r\n541\r\n");
    file.close();

    open("mnukeibianjihua", "Tfrmkeibianjihua");
    FileDialog::setNextFileName(path);
    click("btnload");
    QCOMPARE(rows(), 2);
    QCOMPARE(lastMessage(), QStringLiteral("平均每期净利润为:864元"));
    QCOMPARE(child<QPushButton>("btnnew")->text(), QStringLiteral("取消保存"));
    QVERIFY(child<QPushButton>("btnjisuan")->isEnabled());
    QVERIFY(child<QPushButton>("btnprint")->isEnabled());

    // The next draw is number 3 and starts from the 156 invested so far.
    click("btnjisuan");
    QCOMPARE(row(2), (QStringList{"3", "1", "8", "16", "172", "1000", "828", "481"}));

    // A file holding more rows than its 投注期数 is refused, naming the line.
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("0\r\n10\r\n16\r\n1000\r\n1\r\n8\r\n"
               "1\r\n1\r\n8\r\n16\r\n16\r\n1000\r\n984\r\n6150\r\n"
               "2\r\n1\r\n8\r\n16\r\n32\r\n1000\r\n968\r\n3025\r\n");
    file.close();
    FileDialog::setNextFileName(path);
    click("btnload");
    QVERIFY2(lastMessage().contains(QStringLiteral("第15行")), qPrintable(lastMessage()));
    QCOMPARE(rows(), 3);

    // Only the row added since the load is unsaved; a plan just loaded is dropped without a question.
    MessageBox::setNextAnswer(QMessageBox::No);
    click("btnnew");
    QCOMPARE(lastMessage(), QStringLiteral("将丢弃未保存的1期计划，是否继续？"));
    QCOMPARE(rows(), 3);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("100\r\n10\r\n16\r\n1000\r\n5\r\n8\r\n1\r\n1\r\n8\r\n16\r\n116\r\n1000\r\n884\r\n762\r\n");
    file.close();
    FileDialog::setNextFileName(path);
    click("btnload");
    QCOMPARE(rows(), 1);
    const auto boxes = MessageBox::recorded().size();
    click("btnnew");
    QCOMPARE(MessageBox::recorded().size(), boxes);
    QCOMPARE(rows(), 0);
}

void TestPlanWindows::printingNeedsATableAndReportsAFailedPrinter()
{
    open("mnujieduanjihua", "Tfrmjieduanjihua");
    click("btnprint");
    QCOMPARE(lastMessage(), QStringLiteral("请先生成表格！"));

    click("btnala");
    FileDialog::setNextFileName(planFile("没有这个文件夹/计划.pdf"));
    click("btnprint");
    QCOMPARE(lastMessage(), QStringLiteral("请安装打印机！"));

    const QString pdf = planFile("阶段.pdf");
    FileDialog::setNextFileName(pdf);
    click("btnprint");
    QCOMPARE(lastMessage(), QStringLiteral("打印完成：共4页，已存为“%1”。").arg(pdf));
    // 80 rows: four pages.
    QCOMPARE(fileText(pdf).count("/Type /Page\n"), 4);
}

void TestPlanWindows::twentySixRowsPrintOnTwoPages()
{
    PlanPrintout plan;
    plan.kind = quorlin::PlanKind::Fixed;
    plan.parameters = planParameterLine(quorlin::PlanKind::Fixed, {"0", "10", "16", "1000", "26"}, "2026-3-7");
    QCOMPARE(plan.parameters,
             QStringLiteral("前期亏损:0  预测利润:10  单倍投入:16  单注奖金:1000  投注天数:26  打印日期:2026-3-7"));
    plan.headers =
        QStringList{"投注期号", "投注倍数", "当期投注", "当期总投入", "当期中奖", "当期净利润", "当期利润率(%)"};
    for (int r = 1; r <= 26; ++r)
        plan.rows.push_back(QStringList{QString::number(r), "1", "16", "16", "1000", "984", "6150"});

    QImage image = a4Page();
    const int w = image.width();
    const int h = image.height();
    const std::vector<PrintedPage> pages = planPages(plan, image);
    QCOMPARE(pages.size(), std::size_t(2));
    QCOMPARE(textsAt(pages[0], 28 * h / 29 + 130), QStringList{QStringLiteral("共2页\\第1页")});
    QCOMPARE(textsAt(pages[1], 28 * h / 29 + 130), QStringList{QStringLiteral("共2页\\第2页")});
    QCOMPARE(pages[0].texts.back().at.x(), 7 * w / 10 + 800);
    // Page 1 has the title and rows 1..25; page 2 row 26 in place 1 and nothing below.
    QCOMPARE(textsAt(pages[0], h / 29 - 50), QStringList{QStringLiteral("固定投资计划表")});
    QCOMPARE(textsAt(pages[0], (25 + 3) * h / 29).value(0), QStringLiteral("25"));
    QCOMPARE(textsAt(pages[1], (1 + 3) * h / 29).value(0), QStringLiteral("26"));
    QVERIFY(textsAt(pages[1], (2 + 3) * h / 29).isEmpty());
    QVERIFY(textsAt(pages[1], h / 29 - 50).isEmpty());
    QCOMPARE(textsAt(pages[1], 3 * h / 30).size(), 7);
    // Every page is ruled in full: 27 rules across, 8 down.
    for (const PrintedPage& page : pages)
        QCOMPARE(page.rules.size(), std::size_t(27 + 8));
    QCOMPARE(pages[1].rules.front(), QLine(w / 13, 3 * h / 29 - 120, w / 13 + 9 * 7 * w / 70, 3 * h / 29 - 120));

    // Painted, the rules are where the layout puts them.
    QPainter painter(&image);
    paintPage(painter, pages[1]);
    painter.end();
    QVERIFY(qGray(image.pixel(w / 2, 3 * h / 29 - 120)) < 128);
    QVERIFY(qGray(image.pixel(w / 2, 3 * h / 29 - 100)) > 128);
    QVERIFY(qGray(image.pixel(w / 13, h / 2)) < 128);

    // The variable plan's eight columns sit closer and its footer further right.
    plan.kind = quorlin::PlanKind::Variable;
    plan.headers.insert(2, QStringLiteral("当期注数"));
    const std::vector<PrintedPage> wide = planPages(plan, image);
    QCOMPARE(wide[0].texts.back().at.x(), 8 * w / 10 + 350);
    QCOMPARE(textsAt(wide[0], 3 * h / 30).size(), 8);
}

QTEST_MAIN(TestPlanWindows)
#include "test_plan_windows.moc"

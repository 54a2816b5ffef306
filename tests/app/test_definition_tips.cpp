// Every indicator, condition and statistic a window shows carries its definition from the core's
// glossary as a tooltip: the analysis tabs and grids, the total filter's conditions, the omission
// windows' columns, the exclusion windows' settings and statistics, the selection windows' hits.
#include "gui_test_base.h"

#include "analysis/indicator_glossary.h"
#include "analysis/indicator_texts.h"
#include "common/text_grid.h"
#include "filter/extra_conditions.h"
#include "shell/tool_window_registry.h"
#include "shell/u_main.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTableView>
#include <QTest>

namespace {

QString tip(quorlin::Term term)
{
    return QString::fromStdString(quorlin::definitionOf(term));
}

QString headerTip(const QTableView& grid, int column)
{
    return grid.model()->headerData(column, Qt::Horizontal, Qt::ToolTipRole).toString();
}

} // namespace

class TestDefinitionTips : public GuiTestBase {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void analysisTabsAndGridsDefineTheirIndicator();
    void everyTotalFilterConditionIsDefined();
    void omissionColumnsAndOptionsAreDefined();
    void exclusionSettingsAndStatisticsAreDefined();
    void selectionHitsAreDefined();

private:
    QWidget* openTool(const char* action, const char* key);
};

void TestDefinitionTips::init()
{
    setUpProgram();
    openShippedLottery();
}

void TestDefinitionTips::cleanup()
{
    tearDownProgram();
}

QWidget* TestDefinitionTips::openTool(const char* action, const char* key)
{
    triggerAction(action);
    QWidget* window = mainWindow_->tools().window(key);
    if (!window)
        qFatal("no window %s", key);
    return window;
}

void TestDefinitionTips::analysisTabsAndGridsDefineTheirIndicator()
{
    auto* tabs = mainWindow_->findChild<QTabBar*>("tabmain");
    QVERIFY(tabs);
    struct Case {
        int tab;
        quorlin::Term term;
    };
    QList<Case> cases;
    for (const quorlin::IndicatorTexts& texts : quorlin::indicatorWindows())
        cases.append({texts.tab, quorlin::termOf(texts.indicator)});
    cases.append({9, quorlin::Term::ZoneCount});
    QCOMPARE(cases.size(), 9);
    for (const Case& c : cases) {
        tabs->setCurrentIndex(c.tab);
        // The tab keeps its full caption and adds the definition.
        QVERIFY(tabs->tabToolTip(c.tab).endsWith('\n' + tip(c.term)));
        auto* grid = mainWindow_->currentView()->findChild<TextGrid*>("tabhistory");
        QVERIFY(grid);
        QVERIFY2(headerTip(*grid, 0).isEmpty(), "the issue needs no definition");
        for (int column = 2; column < grid->model()->columnCount(); ++column)
            QCOMPARE(headerTip(*grid, column), tip(c.term));
    }
    // The big numbers of the analysis windows start above 17, those of the filter at 17.
    QVERIFY(tip(quorlin::Term::Big).contains(QStringLiteral("18–35")));
}

void TestDefinitionTips::everyTotalFilterConditionIsDefined()
{
    QWidget* window = openTool("mnutotalfilt", "Tfrmtotalfilt");
    auto* conditions = window->findChild<QGroupBox*>("GroupBox1");
    QVERIFY(conditions);
    const QList<QCheckBox*> boxes = conditions->findChildren<QCheckBox*>();
    QCOMPARE(boxes.size(), 8); // seven ranges and 胆码
    QStringList tips;
    for (QCheckBox* box : boxes) {
        QVERIFY2(!box->toolTip().isEmpty(), qPrintable(box->objectName()));
        tips.append(box->toolTip());
    }
    tips.removeDuplicates();
    QCOMPARE(tips.size(), 8);
    // The boxes of a range say what the check box says.
    for (const QComboBox* combo : conditions->findChildren<QComboBox*>())
        QVERIFY2(tips.contains(combo->toolTip()), qPrintable(combo->objectName()));
    const auto* ac = conditions->findChild<QCheckBox*>("chkac");
    QCOMPARE(ac->toolTip(), tip(quorlin::Term::AC));
    QVERIFY(ac->toolTip().contains(QStringLiteral("范围4–10")));
    QCOMPARE(conditions->findChild<QCheckBox*>("chkdashu")->toolTip(), tip(quorlin::Term::BigFilter));
    QCOMPARE(conditions->findChild<QComboBox*>("comsandu1")->toolTip(), tip(quorlin::Term::Dispersion));

    // 更多条件: each row says what it counts and the values it takes.
    auto* more = window->findChild<QWidget*>("tabmore");
    QVERIFY(more);
    const QList<QCheckBox*> extra = more->findChildren<QCheckBox*>();
    QCOMPARE(extra.size(), static_cast<qsizetype>(quorlin::kExtraConditionCount));
    tips.clear();
    for (QCheckBox* box : extra) {
        QVERIFY2(box->toolTip().startsWith(box->text() + QStringLiteral("：")), qPrintable(box->objectName()));
        tips.append(box->toolTip());
    }
    tips.removeDuplicates();
    QCOMPARE(tips.size(), extra.size());
    QCOMPARE(more->findChild<QCheckBox*>("chkconsecutive")->toolTip(),
             QStringLiteral("连号对数：前区号码中相邻两个号码相差1的对数（05 06 07为2对），范围0–4。"));
    QCOMPARE(more->findChild<QComboBox*>("cbbhot2")->toolTip(), more->findChild<QCheckBox*>("chkhot")->toolTip());
}

void TestDefinitionTips::omissionColumnsAndOptionsAreDefined()
{
    for (const auto& [action, key, omission] :
         {std::tuple{"mnuyilou", "Tfrmyilou", quorlin::Term::ReturnOmission},
          std::tuple{"mnupiantai", "Tfrmpiantai", quorlin::Term::CurrentOmission}}) {
        QWidget* window = openTool(action, key);
        auto* grid = window->findChild<TextGrid*>("tabhistory");
        QCOMPARE(grid->model()->columnCount(), 8);
        for (int column = 1; column < 8; ++column)
            QVERIFY2(!headerTip(*grid, column).isEmpty(), key);
        QCOMPARE(headerTip(*grid, 5), tip(omission));
        QCOMPARE(headerTip(*grid, 7), tip(quorlin::Term::Chase));
        QCOMPARE(window->findChild<QCheckBox*>("chk1")->toolTip(), tip(omission));
        for (int i = 0; i < 4; ++i)
            QVERIFY(!window->findChild<QCheckBox*>(QStringLiteral("chk%1").arg(i))->toolTip().isEmpty());
    }
}

void TestDefinitionTips::exclusionSettingsAndStatisticsAreDefined()
{
    struct Case {
        const char* action;
        const char* key;
        quorlin::Term term;
        int statisticsColumn; ///< the value column of the statistics grid
    };
    for (const Case& c : {Case{"mnuallhei", "Tfrmallhei", quorlin::Term::Sum, 2},
                          Case{"mnuallcongma", "Tfrmallcongma", quorlin::Term::RepeatAcross, 5},
                          Case{"mnuallgensui", "Tfrmallgensui", quorlin::Term::Follow, 2}}) {
        QWidget* window = openTool(c.action, c.key);
        int defined = 0;
        for (const QWidget* widget : window->findChildren<QWidget*>())
            defined += widget->toolTip() == tip(c.term);
        QVERIFY2(defined > 0, c.key);
        auto* grid = window->findChild<TextGrid*>("tabhistory");
        QCOMPARE(headerTip(*grid, c.statisticsColumn), tip(c.term));
    }

    // The bias window defines what its mode counts.
    QWidget* bias = openTool("mnuallpiantai", "Tfrmallpiantai");
    auto* high = bias->findChild<QCheckBox*>("chkda");
    QCOMPARE(high->toolTip(), tip(quorlin::Term::BigFilter));
    bias->findChildren<QRadioButton*>().at(1)->setChecked(true); // 奇偶模式
    QCOMPARE(high->text(), QStringLiteral("奇数个数>="));
    QCOMPARE(high->toolTip(), tip(quorlin::Term::Odd));
}

void TestDefinitionTips::selectionHitsAreDefined()
{
    QWidget* window = openTool("mnusep", "Tfrmsep");
    QTest::mouseClick(window->findChild<QPushButton*>("btntongji"), Qt::LeftButton);
    auto* grid = window->findChild<QTableView*>("tabhistory");
    QVERIFY(grid);
    QCOMPARE(grid->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("中奖个数"));
    QCOMPARE(headerTip(*grid, 3), tip(quorlin::Term::HitCount));
}

QTEST_MAIN(TestDefinitionTips)
#include "test_definition_tips.moc"

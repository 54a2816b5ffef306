// Tfrmhuice: 过滤条件回测, the total filter's conditions tried on past draws.
#include "check/u_huice.h"

#include "check/condition_value_chart.h"
#include "common/bar_chart.h"
#include "common/binomial.h"
#include "common/text_grid.h"
#include "filter/filter_scheme.h"
#include "shell/lottery_document.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

Tfrmhuice::Tfrmhuice(LotteryDocument& document, ConditionSource source, QWidget* parent)
    : ConditionRunWindow(
          document, std::move(source), QStringLiteral("回测"), "btnhuice",
          QStringLiteral("期（取总体过滤窗口的条件，按真实号码；偏度、重号、邻号、冷热对各期之前的开奖）"), parent)
{
    setObjectName("frmhuice");
    setWindowTitle(QStringLiteral("过滤条件回测"));
    resize(980, 780);

    tabsummary_ = new TextGrid;
    tabsummary_->setObjectName("tabsummary");
    tabsummary_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tabhistory_ = new TextGrid;
    tabhistory_->setObjectName("tabhistory");
    tabhistory_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    chthuice_ = new BarChart(QStringLiteral("各条件的命中率与保留比例（%）"));
    chthuice_->setObjectName("chthuice");
    chthuice_->addSeries(QStringLiteral("命中率"), QColor("red"));
    chthuice_->addSeries(QStringLiteral("平均保留比例"), QColor("blue"));
    chthuice_->setValueLabelsVisible(true);
    lblsuiji_ = new QLabel;
    lblsuiji_->setObjectName("lblsuiji");
    lblsuiji_->setWordWrap(true);
    chtzhi_ = new ConditionValueChart;
    chtzhi_->setObjectName("chtzhi");
    chtzhi_->clearValues(QStringLiteral("点击汇总表中的条件或明细表的条件列，查看各期开奖号码的值"));

    auto* summary = new QVBoxLayout;
    summary->addWidget(tabsummary_, 1);
    summary->addWidget(lblsuiji_);
    auto* middle = new QHBoxLayout;
    middle->addLayout(summary, 1);
    middle->addWidget(chthuice_, 1);
    body()->addLayout(middle, 2);
    body()->addWidget(chtzhi_, 2);
    body()->addWidget(tabhistory_, 2);

    connect(tabsummary_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    showCondition(current.row());
            });
    // A condition's column of the draws (after the issue and the numbers) picks it too.
    connect(tabhistory_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        if (result_ && column >= 2 && column - 2 < static_cast<int>(result_->summaries.size()))
            tabsummary_->selectRow(column - 2);
    });
    updateCommandStates();
}

Tfrmhuice::~Tfrmhuice() = default;

void Tfrmhuice::runOn(const quorlin::TotalFilterSettings& settings)
{
    const auto count = drawCount();
    if (!count)
        return;
    const quorlin::LotteryState& state = document_.state();
    lbltiaojian_->setText(QStringLiteral("条件：") + QString::fromStdString(quorlin::filterSettingsText(settings)));
    const quorlin::BacktestHistory history{&state.hisfull, state.caisum, state.caisel};
    start(
        [lease = document_.lease(), history, settings, count = *count](quorlin::Progress& progress) {
            (void)lease; // the draws stay as they are until the run ends
            return quorlin::runBacktest(history, settings, count, &progress);
        },
        [this](std::optional<quorlin::BacktestResult> result) {
            if (!result)
                return; // stopped: the last result stays
            result_ = std::move(result);
            showResult();
        });
}

void Tfrmhuice::showResult()
{
    const quorlin::BacktestResult& r = *result_;
    // Every front combination of the game: the kept share's whole.
    const quorlin::LotteryState& state = document_.state();
    const auto all = static_cast<double>(quorlin::binomial(state.caisum, state.caisel));
    const int draws = static_cast<int>(r.rows.size());
    tabsummary_->table().reset(
        {QStringLiteral("条件"), QStringLiteral("保留开奖号码"), QStringLiteral("命中率"), QStringLiteral("随机命中率"),
         QStringLiteral("p值"), QStringLiteral("平均保留注数")},
        static_cast<int>(r.summaries.size()),
        [this, draws](int row, int column) {
            const auto& s = result_->summaries[static_cast<std::size_t>(row)];
            switch (column) {
            case 0:
                return QString::fromStdString(s.name);
            case 1:
                return QString::fromStdString(quorlin::keptDrawsText(s, static_cast<std::size_t>(draws)));
            case 2:
                return QString::fromStdString(quorlin::hitRateText(s));
            case 3:
                return QString::fromStdString(quorlin::chanceText(s));
            case 4:
                return QString::fromStdString(quorlin::chancePValueText(s));
            default:
                return QString::fromStdString(quorlin::meanKeptText(s));
            }
        },
        {{},
         {},
         {},
         QStringLiteral("随机选号的命中率：各期条件保留的注数占全部前区组合的比例，取各期的平均"),
         QStringLiteral("各期开奖独立、每期命中机会如随机选号时，出现不比实际命中次数更可能的次数的概率"
                        "（精确的双侧检验）；低于 5% 即与随机选号有显著差异")});
    QStringList headers{QStringLiteral("期号"), QStringLiteral("前区号码")};
    for (const std::string& c : r.conditions)
        headers << QString::fromStdString(c);
    headers << QStringLiteral("全部条件") << QStringLiteral("保留注数");
    const int conditions = static_cast<int>(r.conditions.size());
    // Newest first, as the player reads a history.
    tabhistory_->table().reset(headers, draws, [this, draws, conditions](int row, int column) {
        const auto& d = result_->rows[static_cast<std::size_t>(draws - 1 - row)];
        if (column == 0)
            return QString::fromStdString(d.issue);
        if (column == 1) {
            QStringList numbers;
            for (const int n : d.front)
                numbers << QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
            return numbers.join(' ');
        }
        if (column - 2 < conditions)
            return d.kept[static_cast<std::size_t>(column - 2)] ? QStringLiteral("√") : QStringLiteral("×");
        if (column - 2 == conditions)
            return d.keptAll ? QStringLiteral("√") : QStringLiteral("×");
        return QString::number(d.keptCount);
    });
    QList<BarChart::Bar> hit, kept;
    for (const auto& s : r.summaries) {
        const QString name = QString::fromStdString(s.name);
        hit.append({name, std::round(s.hitRate * 1000.0) / 10.0});
        kept.append({name, std::round(s.meanKept / all * 1000.0) / 10.0});
    }
    chthuice_->setBars(0, hit);
    chthuice_->setBars(1, kept);
    chthuice_->draw();
    tabsummary_->selectRow(0);
    showCondition(0);
}

void Tfrmhuice::showCondition(int index)
{
    if (!result_ || index < 0 || index >= static_cast<int>(result_->summaries.size()))
        return;
    const quorlin::BacktestResult& r = *result_;
    const auto k = static_cast<std::size_t>(index);
    const quorlin::BacktestSummary& summary = r.summaries[k];
    lblsuiji_->setText(
        QStringLiteral("%1：%2。（显著性水平 %3%：p值低于它才算与随机选号有显著差异）")
            .arg(QString::fromStdString(summary.name), QString::fromStdString(quorlin::chanceVerdictText(summary)))
            .arg(quorlin::kChanceSignificance * 100));
    QStringList issues;
    QList<int> values;
    for (const quorlin::ConditionBacktestRow& row : r.rows) {
        issues << QString::fromStdString(row.issue);
        // 全部条件: how many conditions the winner failed, against the 容错.
        values << (k < r.conditions.size() ? row.values[k]
                                           : static_cast<int>(std::count(row.kept.begin(), row.kept.end(), false)));
    }
    if (k < r.conditions.size()) {
        const quorlin::FilterRange& range = r.ranges[k];
        chtzhi_->setValues(QStringLiteral("%1：各期开奖号码的值（范围 %2-%3）")
                               .arg(QString::fromStdString(r.conditions[k]))
                               .arg(range.lo)
                               .arg(range.hi),
                           issues, values, range.lo, range.hi);
    } else {
        chtzhi_->setValues(QStringLiteral("全部条件：各期开奖号码未满足的条件数（容错 %1）").arg(r.tolerance), issues,
                           values, 0, r.tolerance);
    }
}

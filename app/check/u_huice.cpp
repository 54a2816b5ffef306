// Tfrmhuice: 过滤条件回测, the total filter's conditions tried on past draws.
#include "check/u_huice.h"

#include "check/condition_value_chart.h"
#include "common/bar_chart.h"
#include "common/error_handler.h"
#include "common/message_box.h"
#include "common/task_progress_strip.h"
#include "common/task_runner.h"
#include "common/text_grid.h"
#include "filter/filter_scheme.h"
#include "shell/lottery_document.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

QString percent(double rate)
{
    return QString::number(rate * 100.0, 'f', 1) + "%";
}

} // namespace

Tfrmhuice::Tfrmhuice(LotteryDocument& document, ConditionSource source, QWidget* parent)
    : QWidget(parent), document_(document), source_(std::move(source)), runner_(new TaskRunner(this))
{
    setObjectName("frmhuice");
    setWindowTitle(QStringLiteral("过滤条件回测"));
    setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint);
    resize(980, 780);

    edtqishu_ = new QLineEdit(QStringLiteral("100"));
    edtqishu_->setObjectName("edtqishu");
    edtqishu_->setMaximumWidth(60);
    btnhuice_ = new QPushButton(QStringLiteral("回测"));
    btnhuice_->setObjectName("btnhuice");
    btnhuice_->setDefault(true);
    auto* btnclose = new QPushButton(QStringLiteral("关闭"));
    btnclose->setObjectName("btnclose");
    strip_ = new TaskProgressStrip(runner_, this);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("回测最近")));
    top->addWidget(edtqishu_);
    top->addWidget(
        new QLabel(QStringLiteral("期（取总体过滤窗口的条件，按真实号码；偏度、重号、邻号、冷热对各期之前的开奖）")));
    top->addStretch(1);
    top->addWidget(strip_);
    top->addWidget(btnhuice_);
    top->addWidget(btnclose);

    lbltiaojian_ = new QLabel(QStringLiteral("条件：请在总体过滤窗口中设置条件后点击“回测”。"));
    lbltiaojian_->setObjectName("lbltiaojian");
    lbltiaojian_->setWordWrap(true);

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
    chtzhi_ = new ConditionValueChart;
    chtzhi_->setObjectName("chtzhi");
    chtzhi_->clearValues(QStringLiteral("点击汇总表中的条件或明细表的条件列，查看各期开奖号码的值"));

    auto* middle = new QHBoxLayout;
    middle->addWidget(tabsummary_, 1);
    middle->addWidget(chthuice_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(lbltiaojian_);
    layout->addLayout(middle, 2);
    layout->addWidget(chtzhi_, 2);
    layout->addWidget(tabhistory_, 2);

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

    connect(btnhuice_, &QPushButton::clicked, this, [this] { runGuarded(this, [this] { btnhuiceClick(); }); });
    connect(btnclose, &QPushButton::clicked, this, &QWidget::hide);
    connect(strip_, &TaskProgressStrip::ended, this, &Tfrmhuice::updateCommandStates);
    updateCommandStates();
}

Tfrmhuice::~Tfrmhuice() = default;

bool Tfrmhuice::isBusy() const
{
    return runner_->isRunning();
}

void Tfrmhuice::btnhuiceClick()
{
    if (isBusy())
        return;
    // Under the transformed mapping the conditions speak of the coming draw's labels, which the
    // past draws never had.
    if (document_.state().bianhuan) {
        refuse(this, QStringLiteral("回测按真实号码进行，请先切换到标准走势！"));
        return;
    }
    QString message = QStringLiteral("请先打开总体过滤窗口并设置过滤条件！");
    const auto settings = source_ ? source_(message) : std::nullopt;
    if (!settings) {
        refuse(this, message);
        return;
    }
    runOn(*settings);
}

void Tfrmhuice::runOn(const quorlin::TotalFilterSettings& settings)
{
    if (isBusy())
        return;
    bool ok = false;
    const int count = edtqishu_->text().trimmed().toInt(&ok);
    if (!ok || count < 1) {
        refuse(this, QStringLiteral("回测期数应为正整数！"));
        return;
    }
    const quorlin::LotteryState& state = document_.state();
    lbltiaojian_->setText(QStringLiteral("条件：") + QString::fromStdString(quorlin::filterSettingsText(settings)));
    const quorlin::BacktestHistory history{&state.hisfull, state.caisum, state.caisel};
    runner_->run(
        this,
        [lease = document_.lease(), history, settings, count](quorlin::Progress& progress) {
            (void)lease; // the draws stay as they are until the run ends
            return quorlin::runBacktest(history, settings, static_cast<std::size_t>(count), &progress);
        },
        [this](std::optional<quorlin::BacktestResult> result) {
            if (!result)
                return; // stopped: the last result stays
            result_ = std::move(result);
            showResult();
        });
    strip_->started();
    updateCommandStates();
}

void Tfrmhuice::showResult()
{
    const quorlin::BacktestResult& r = *result_;
    // Every front combination of the game: the kept share's whole.
    const quorlin::LotteryState& state = document_.state();
    double all = 1;
    for (int i = 1; i <= state.caisel; ++i)
        all = all * (state.caisum - state.caisel + i) / i;
    const int draws = static_cast<int>(r.rows.size());
    tabsummary_->table().reset({QStringLiteral("条件"), QStringLiteral("保留开奖号码"), QStringLiteral("命中率"),
                                QStringLiteral("平均保留注数")},
                               static_cast<int>(r.summaries.size()), [this, draws](int row, int column) {
                                   const auto& s = result_->summaries[static_cast<std::size_t>(row)];
                                   switch (column) {
                                   case 0:
                                       return QString::fromStdString(s.name);
                                   case 1:
                                       return QStringLiteral("%1/%2").arg(s.hits).arg(draws);
                                   case 2:
                                       return percent(s.hitRate);
                                   default:
                                       return QString::number(s.meanKept, 'f', 1);
                                   }
                               });
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

void Tfrmhuice::updateCommandStates()
{
    const bool idle = !isBusy();
    btnhuice_->setEnabled(idle);
    edtqishu_->setEnabled(idle);
}

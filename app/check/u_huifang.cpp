// Tfrmhuifang: 方案回放, the total filter's scheme played over past draws and priced.
#include "check/u_huifang.h"

#include "check/balance_chart.h"
#include "check/check_report.h"
#include "common/error_handler.h"
#include "common/message_box.h"
#include "common/task_progress_strip.h"
#include "common/task_runner.h"
#include "common/text_grid.h"
#include "filter/filter_scheme.h"
#include "shell/lottery_document.h"
#include "store/filter_space.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

Tfrmhuifang::Tfrmhuifang(LotteryDocument& document, FilterConditionSource source, QWidget* parent)
    : QWidget(parent), document_(document), source_(std::move(source)), runner_(new TaskRunner(this))
{
    setObjectName("frmhuifang");
    setWindowTitle(QStringLiteral("方案回放"));
    setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint);
    resize(1000, 760);

    edtqishu_ = new QLineEdit(QStringLiteral("100"));
    edtqishu_->setObjectName("edtqishu");
    edtqishu_->setMaximumWidth(60);
    chkzhuijia_ = new QCheckBox(QStringLiteral("追加"));
    chkzhuijia_->setObjectName("chkzhuijia");
    btnhuifang_ = new QPushButton(QStringLiteral("回放"));
    btnhuifang_->setObjectName("btnhuifang");
    btnhuifang_->setDefault(true);
    auto* btnclose = new QPushButton(QStringLiteral("关闭"));
    btnclose->setObjectName("btnclose");
    strip_ = new TaskProgressStrip(runner_, this);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("回放最近")));
    top->addWidget(edtqishu_);
    top->addWidget(new QLabel(QStringLiteral(
        "期（取总体过滤窗口的条件，每期按其之前的开奖过滤，按开奖日期的奖级表兑奖，每注2元，追加3元）")));
    top->addWidget(chkzhuijia_);
    top->addStretch(1);
    top->addWidget(strip_);
    top->addWidget(btnhuifang_);
    top->addWidget(btnclose);

    lbltiaojian_ = new QLabel(QStringLiteral("条件：请在总体过滤窗口中设置条件后点击“回放”。"));
    lbltiaojian_->setObjectName("lbltiaojian");
    lbltiaojian_->setWordWrap(true);
    lblheji_ = new QLabel;
    lblheji_->setObjectName("lblheji");
    lblheji_->setWordWrap(true);

    lbljiangji_ = new QLabel;
    lbljiangji_->setObjectName("lbljiangji");
    lbljiangji_->setWordWrap(true);

    chtyingkui_ = new BalanceChart;
    chtyingkui_->setObjectName("chtyingkui");
    tabdraws_ = new TextGrid;
    tabdraws_->setObjectName("tabdraws");
    tabdraws_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(lbltiaojian_);
    layout->addWidget(lblheji_);
    layout->addWidget(lbljiangji_);
    layout->addWidget(chtyingkui_, 2);
    layout->addWidget(tabdraws_, 3);

    connect(btnhuifang_, &QPushButton::clicked, this, [this] { runGuarded(this, [this] { btnhuifangClick(); }); });
    connect(btnclose, &QPushButton::clicked, this, &QWidget::hide);
    connect(strip_, &TaskProgressStrip::ended, this, &Tfrmhuifang::updateCommandStates);
    updateCommandStates();
}

Tfrmhuifang::~Tfrmhuifang() = default;

bool Tfrmhuifang::isBusy() const
{
    return runner_->isRunning();
}

bool Tfrmhuifang::refusedUnderMapping()
{
    // Under the transformed mapping the conditions speak of the coming draw's labels, which the
    // past draws never had.
    if (!document_.state().bianhuan)
        return false;
    refuse(this, QStringLiteral("回放按真实号码进行，请先切换到标准走势！"));
    return true;
}

void Tfrmhuifang::btnhuifangClick()
{
    if (isBusy() || refusedUnderMapping())
        return;
    QString message = QStringLiteral("请先打开总体过滤窗口并设置过滤条件！");
    const auto settings = source_ ? source_(message) : std::nullopt;
    if (!settings) {
        refuse(this, message);
        return;
    }
    runOn(*settings);
}

void Tfrmhuifang::runOn(const quorlin::TotalFilterSettings& settings)
{
    if (isBusy() || refusedUnderMapping())
        return;
    bool ok = false;
    const int count = edtqishu_->text().trimmed().toInt(&ok);
    if (!ok || count < 1) {
        refuse(this, QStringLiteral("回放期数应为正整数！"));
        return;
    }
    const quorlin::LotteryState& state = document_.state();
    // No back number chosen plays them all; the filter's own checks decide the rest.
    quorlin::TotalFilterSettings checked = settings;
    if (checked.back.empty())
        for (int b = 1; b <= state.housum; ++b)
            checked.back.push_back(b);
    if (const auto refusal = quorlin::validateTotalFilter(checked, quorlin::filterspace(state))) {
        refuse(this, QString::fromStdString(*refusal));
        return;
    }
    std::string error;
    auto read = quorlin::readPrizeRules(state.apppath + quorlin::kPrizeRulesFile, error);
    if (!read) {
        refuse(this, QString::fromStdString(error));
        return;
    }
    auto rules = std::make_shared<const quorlin::PrizeRules>(std::move(*read));
    const quorlin::ReplayHistory history{&state.hisfull, &state.hisdate, state.caisum,
                                         state.caisel,   state.housum,   state.housel};
    const bool extra = chkzhuijia_->isChecked();
    const QString caption = QStringLiteral("条件：") + QString::fromStdString(quorlin::filterSettingsText(settings));
    runner_->run(
        this,
        [lease = document_.lease(), history, settings, count, rules, extra](quorlin::Progress& progress) {
            (void)lease; // the draws stay as they are until the run ends
            return quorlin::runReplay(history, settings, static_cast<std::size_t>(count), *rules, extra, &progress);
        },
        [this, rules, caption](std::optional<quorlin::ReplayResult> result) {
            if (!result)
                return; // stopped: the last result stays, with its conditions
            rules_ = rules;
            result_ = std::move(result);
            lbltiaojian_->setText(caption);
            showResult();
        });
    strip_->started();
    updateCommandStates();
}

void Tfrmhuifang::showResult()
{
    const quorlin::ReplayResult& r = *result_;
    lblheji_->setText(
        QStringLiteral("共%1期，投入%2元，固定奖金%3元%4，盈亏%5元，回报率%6；随机投注同样注数的期望奖金%7元，回报率%8")
            .arg(r.draws)
            .arg(r.stake)
            .arg(r.money)
            .arg(r.floatingWon ? QStringLiteral("（另有浮动奖金未计）") : QString())
            .arg(r.balance)
            .arg(QString::fromStdString(quorlin::returnText(static_cast<double>(r.money), r.stake)),
                 QString::fromStdString(quorlin::expectedMoneyText(r.expectedMoney)),
                 QString::fromStdString(quorlin::returnText(r.expectedMoney, r.stake))) +
        (r.unpriced > 0 ? QStringLiteral("。另有%1期早于所有奖级表，未计入。").arg(r.unpriced) : QStringLiteral("。")));

    QStringList sets;
    for (const quorlin::RuleSetTotals& set : r.levelTotals) {
        QStringList levels;
        for (std::size_t k = 0; k < set.bets.size(); ++k)
            levels << QStringLiteral("%1 %2注").arg(QString::fromStdString(set.rules->levels[k].name)).arg(set.bets[k]);
        sets << QString::fromStdString(set.rules->title) + QStringLiteral("：") + levels.join(QStringLiteral("，"));
    }
    lbljiangji_->setText(QStringLiteral("各奖级中奖注数（") + sets.join(QStringLiteral("；")) + QStringLiteral("）"));

    // One column per level position; a position is named after the newest rule set that has it, and
    // a draw of an older set shows its own levels in order.
    std::size_t levels = 0;
    for (const quorlin::ReplayRow& row : r.rows)
        levels = std::max(levels, row.check.levelCounts.size());
    QStringList headers{QStringLiteral("期号"), QStringLiteral("保留注数"), QStringLiteral("注数"),
                        QStringLiteral("投入")};
    QStringList tips{QString(), QStringLiteral("条件按该期之前的开奖保留的前区组合数"),
                     QStringLiteral("保留注数×所选后区号码的组合数"), QStringLiteral("元")};
    for (std::size_t i = 0; i < levels; ++i) {
        QString name;
        for (auto row = r.rows.rbegin(); row != r.rows.rend() && name.isEmpty(); ++row)
            if (row->check.rules && i < row->check.rules->levels.size())
                name = QString::fromStdString(row->check.rules->levels[i].name);
        headers << name;
        tips << QStringLiteral("中奖注数，按该期开奖日期的奖级表");
    }
    headers << QStringLiteral("奖金") << QStringLiteral("累计盈亏");
    tips << QStringLiteral("固定奖金（元），“+浮动”表示另中浮动奖级") << QStringLiteral("奖金减投入，逐期累计（元）");
    const int draws = static_cast<int>(r.rows.size());
    const int levelColumns = static_cast<int>(levels);
    // Newest first, as the player reads a history. The cells own what they show (the rows and the
    // prize tables the rows point into): the grid may still ask for them while the window goes.
    const auto shown = std::make_shared<const quorlin::ReplayResult>(r);
    tabdraws_->table().reset(
        headers, draws,
        [shown, rules = rules_, draws, levelColumns](int row, int column) {
            const quorlin::ReplayRow& d = shown->rows[static_cast<std::size_t>(draws - 1 - row)];
            const bool priced = d.check.rules != nullptr;
            switch (column) {
            case 0:
                return QString::fromStdString(d.check.draw.issue);
            case 1:
                return QString::number(d.keptFronts);
            case 2:
                return QString::number(d.bets);
            case 3:
                return priced ? QString::number(d.stake) : QStringLiteral("-");
            default:
                break;
            }
            const auto level = static_cast<std::size_t>(column - 4);
            if (column - 4 < levelColumns)
                return level < d.check.levelCounts.size() ? QString::number(d.check.levelCounts[level])
                                                          : (priced ? QString() : QStringLiteral("-"));
            if (column - 4 == levelColumns)
                return QString::fromStdString(quorlin::moneyText(d.check));
            return QString::number(d.balance);
        },
        tips);
    // The counts share what room is left; the sums stay whole.
    for (const int column : {1, 2, 3, 4 + levelColumns, 5 + levelColumns})
        tabdraws_->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);

    QStringList issues;
    QList<double> scheme, baseline;
    for (const quorlin::ReplayRow& row : r.rows) {
        issues << QString::fromStdString(row.check.draw.issue);
        scheme << static_cast<double>(row.balance);
        baseline << row.expectedBalance;
    }
    chtyingkui_->setBalances(issues, scheme, baseline);
}

void Tfrmhuifang::updateCommandStates()
{
    const bool idle = !isBusy();
    btnhuifang_->setEnabled(idle);
    edtqishu_->setEnabled(idle);
    chkzhuijia_->setEnabled(idle);
}

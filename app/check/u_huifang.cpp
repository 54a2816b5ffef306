// Tfrmhuifang: 方案回放, the total filter's scheme played over past draws and priced.
#include "check/u_huifang.h"

#include "check/balance_chart.h"
#include "check/bet_price.h"
#include "check/check_report.h"
#include "common/message_box.h"
#include "common/money_text.h"
#include "common/text_grid.h"
#include "filter/filter_scheme.h"
#include "shell/lottery_document.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

Tfrmhuifang::Tfrmhuifang(LotteryDocument& document, FilterConditionSource source, QWidget* parent)
    : ConditionRunWindow(
          document, std::move(source), QStringLiteral("回放"), "btnhuifang",
          QStringLiteral("期（取总体过滤窗口的条件，每期按其之前的开奖过滤，按该期公布的单注奖金兑奖，") +
              QString::fromStdString(quorlin::betPriceText()) + QStringLiteral("）"),
          parent)
{
    setObjectName("frmhuifang");
    setWindowTitle(QStringLiteral("方案回放"));
    resize(1000, 760);

    chkzhuijia_ = new QCheckBox(QStringLiteral("追加"));
    chkzhuijia_->setObjectName("chkzhuijia");
    addToTopRow(chkzhuijia_);

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

    body()->addWidget(lblheji_);
    body()->addWidget(lbljiangji_);
    body()->addWidget(chtyingkui_, 2);
    body()->addWidget(tabdraws_, 3);
    updateCommandStates();
}

Tfrmhuifang::~Tfrmhuifang() = default;

void Tfrmhuifang::runOn(const quorlin::TotalFilterSettings& settings)
{
    const auto count = drawCount();
    if (!count)
        return;
    std::string error;
    auto job = quorlin::prepareReplay(document_.state(), settings, error);
    if (!job) {
        refuse(this, QString::fromStdString(error));
        return;
    }
    const bool extra = chkzhuijia_->isChecked();
    const QString caption = QStringLiteral("条件：") + QString::fromStdString(quorlin::filterSettingsText(settings));
    start(
        [lease = document_.lease(), job = std::move(*job), count = *count, extra](quorlin::Progress& progress) {
            (void)lease; // the draws stay as they are until the run ends
            return quorlin::runReplay(job, count, extra, &progress);
        },
        [this, caption](std::optional<quorlin::ReplayResult> result) {
            if (!result)
                return; // stopped: the last result stays, with its conditions
            result_ = std::move(result);
            lbltiaojian_->setText(caption);
            showResult();
        });
}

void Tfrmhuifang::showResult()
{
    const quorlin::ReplayResult& r = *result_;
    lblheji_->setText(QString::fromStdString(quorlin::replayTotalsSentence(r)));
    lbljiangji_->setText(QString::fromStdString(quorlin::replayLevelsText(r)));

    // One column per level position; a position is named after the newest rule set that has it, and
    // a draw of an older set shows its own levels in order.
    std::size_t levels = 0;
    for (const quorlin::ReplayRow& row : r.rows)
        levels = std::max(levels, row.check.levelCounts.size());
    QStringList headers{QStringLiteral("期号"), QStringLiteral("保留注数"), QStringLiteral("注数"),
                        QStringLiteral("投入")};
    QStringList tips{QString(), QStringLiteral("条件按该期之前的开奖保留的前区组合数"),
                     QStringLiteral("保留注数×所选后区号码的组合数"), QStringLiteral("该期投注的金额")};
    for (std::size_t i = 0; i < levels; ++i) {
        QString name;
        for (auto row = r.rows.rbegin(); row != r.rows.rend() && name.isEmpty(); ++row)
            if (row->check.rules && i < row->check.rules->levels.size())
                name = QString::fromStdString(row->check.rules->levels[i].name);
        headers << name;
        tips << QStringLiteral("中奖注数，按该期的奖级表");
    }
    headers << QStringLiteral("奖金") << QStringLiteral("累计盈亏");
    tips << QStringLiteral("奖金，按该期公布的单注奖金，未公布的按奖级表的固定金额；“+浮动”表示另有金额未知的奖金")
         << QStringLiteral("奖金减投入，逐期累计");
    const int draws = static_cast<int>(r.rows.size());
    const int levelColumns = static_cast<int>(levels);
    // Newest first, as the player reads a history. The cells own what they show (the rows keep
    // their prize tables): the grid may still ask for them while the window goes.
    const auto shown = std::make_shared<const quorlin::ReplayResult>(r);
    tabdraws_->table().reset(
        headers, draws,
        [shown, draws, levelColumns](int row, int column) {
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
                return priced ? QString::fromStdString(quorlin::yuanShortText(d.stake)) : QStringLiteral("-");
            default:
                break;
            }
            const auto level = static_cast<std::size_t>(column - 4);
            if (column - 4 < levelColumns)
                return level < d.check.levelCounts.size() ? QString::number(d.check.levelCounts[level])
                                                          : (priced ? QString() : QStringLiteral("-"));
            if (column - 4 == levelColumns)
                return QString::fromStdString(quorlin::moneyShortText(d.check));
            return QString::fromStdString(quorlin::yuanShortText(d.balance));
        },
        tips);
    // Copies and exports write the money as the command line does.
    tabdraws_->table().setPlainCell([shown, draws, levelColumns](int row, int column) {
        const quorlin::ReplayRow& d = shown->rows[static_cast<std::size_t>(draws - 1 - row)];
        if (column == 3 && d.check.rules)
            return QString::number(d.stake);
        if (column - 4 == levelColumns)
            return QString::fromStdString(quorlin::moneyText(d.check));
        if (column - 4 == levelColumns + 1)
            return QString::number(d.balance);
        return QString();
    });
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
    ConditionRunWindow::updateCommandStates();
    chkzhuijia_->setEnabled(!isBusy());
}

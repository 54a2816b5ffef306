// Tfrmduijiang: 投注中奖核对, the prize check of a bet list against the draws.
#include "check/u_duijiang.h"

#include "check/bet_price.h"
#include "check/check_range.h"
#include "check/check_report.h"
#include "common/app_settings.h"
#include "common/bar_chart.h"
#include "common/bet_cost_line.h"
#include "common/error_handler.h"
#include "common/file_dialog.h"
#include "common/message_box.h"
#include "common/money_text.h"
#include "common/task_progress_strip.h"
#include "common/task_runner.h"
#include "common/text_grid.h"
#include "filter/bet_list.h"
#include "shell/lottery_document.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {

// The winning bets of one draw listed at most; a full list can win millions of small prizes.
constexpr std::size_t kWinnersShown = 5000;

QString numbersText(const std::vector<int>& numbers)
{
    QStringList parts;
    for (const int n : numbers)
        parts << QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
    return parts.join(' ');
}

} // namespace

/// The loaded bet list with its checker, shared with the background work.
struct Tfrmduijiang::Loaded {
    quorlin::LoadedBetList file;
    std::unique_ptr<quorlin::PrizeChecker> checker;
};

/// The outcome of one check with the list and the prize tables it was checked under (each draw
/// keeps its own), so that a list loaded or tables read later do not change what is shown.
struct Tfrmduijiang::Checked {
    std::shared_ptr<const Loaded> list;
    quorlin::PrizeBook book;
    bool extra = false;
    std::vector<quorlin::DrawCheck> checks;
};

Tfrmduijiang::Tfrmduijiang(LotteryDocument& document, QWidget* parent)
    : QWidget(parent), document_(document), runner_(new TaskRunner(this))
{
    setObjectName("frmduijiang");
    setWindowTitle(QStringLiteral("投注中奖核对"));
    setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint);
    resize(1100, 760);

    auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption);
        b->setObjectName(name);
        return b;
    };
    QPushButton* btnfile = button("btnfile", QStringLiteral("选择投注文件"));
    lblfile_ = new QLabel(QStringLiteral("未载入投注号码"));
    lblfile_->setObjectName("lblfile");
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(btnfile);
    fileRow->addWidget(lblfile_, 1);
    lblcost_ = new BetCostLine;
    fileRow->addWidget(lblcost_);

    optzuixin_ = new QRadioButton(QStringLiteral("最新一期"));
    optzuixin_->setObjectName("optzuixin");
    optzuixin_->setChecked(true);
    optqihao_ = new QRadioButton(QStringLiteral("期号"));
    optqihao_->setObjectName("optqihao");
    edtqihao_ = new QLineEdit;
    edtqihao_->setObjectName("edtqihao");
    edtqihao_->setMaximumWidth(90);
    optzuijin_ = new QRadioButton(QStringLiteral("最近"));
    optzuijin_->setObjectName("optzuijin");
    edtqishu_ = new QLineEdit(QStringLiteral("30"));
    edtqishu_->setObjectName("edtqishu");
    edtqishu_->setMaximumWidth(60);
    chkzhuijia_ = new QCheckBox(QStringLiteral("追加投注（每注%1元）").arg(quorlin::kExtraBetPrice));
    chkzhuijia_->setObjectName("chkzhuijia");
    chkzhuijia_->setChecked(AppSettings::flag(QStringLiteral("check/zhuijia"), false));
    connect(chkzhuijia_, &QCheckBox::toggled, this,
            [](bool checked) { AppSettings::setValue(QStringLiteral("check/zhuijia"), checked); });
    connect(chkzhuijia_, &QCheckBox::toggled, this, &Tfrmduijiang::showCost);
    QPushButton* btnduijiang = button("btnduijiang", QStringLiteral("核对"));
    btnduijiang->setDefault(true);
    QPushButton* btnclose = button("btnclose", QStringLiteral("关闭"));
    strip_ = new TaskProgressStrip(runner_, this);
    auto* rangeRow = new QHBoxLayout;
    rangeRow->addWidget(optzuixin_);
    rangeRow->addWidget(optqihao_);
    rangeRow->addWidget(edtqihao_);
    rangeRow->addWidget(optzuijin_);
    rangeRow->addWidget(edtqishu_);
    rangeRow->addWidget(new QLabel(QStringLiteral("期")));
    rangeRow->addWidget(chkzhuijia_);
    rangeRow->addStretch(1);
    rangeRow->addWidget(strip_);
    rangeRow->addWidget(btnduijiang);
    rangeRow->addWidget(btnclose);
    commands_ = {btnfile, btnduijiang};

    tabdraws_ = new TextGrid;
    tabdraws_->setObjectName("tabdraws");
    tabdraws_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tabdraws_->horizontalHeader()->setStretchLastSection(true);
    lblzongji_ = new QLabel;
    lblzongji_->setObjectName("lblzongji");
    lblzongji_->setWordWrap(true);
    chtlevels_ = new BarChart(QStringLiteral("各奖级中奖注数"));
    chtlevels_->setObjectName("chtlevels");
    chtlevels_->addSeries(QStringLiteral("中奖注数"), QColor("red"));
    chtlevels_->setValueLabelsVisible(true);
    lblwinners_ = new QLabel(QStringLiteral("点击一期，列出该期的中奖投注"));
    lblwinners_->setObjectName("lblwinners");
    tabwinners_ = new TextGrid;
    tabwinners_->setObjectName("tabwinners");
    tabwinners_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    auto* winners = new QVBoxLayout;
    winners->addWidget(lblwinners_);
    winners->addWidget(tabwinners_);
    auto* lower = new QHBoxLayout;
    lower->addWidget(chtlevels_, 3);
    lower->addLayout(winners, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fileRow);
    layout->addLayout(rangeRow);
    layout->addWidget(tabdraws_, 3);
    layout->addWidget(lblzongji_);
    layout->addLayout(lower, 3);

    connect(btnfile, &QPushButton::clicked, this, [this] { runGuarded(this, [this] { btnfileClick(); }); });
    connect(btnduijiang, &QPushButton::clicked, this, [this] { runGuarded(this, [this] { btnduijiangClick(); }); });
    connect(btnclose, &QPushButton::clicked, this, &QWidget::hide);
    connect(tabdraws_, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { showWinners(index.row()); });
    connect(strip_, &TaskProgressStrip::ended, this, &Tfrmduijiang::updateCommandStates);
    updateCommandStates();
}

Tfrmduijiang::~Tfrmduijiang() = default;

const std::vector<quorlin::DrawCheck>& Tfrmduijiang::checks() const
{
    static const std::vector<quorlin::DrawCheck> none;
    return checked_ ? checked_->checks : none;
}

bool Tfrmduijiang::isBusy() const
{
    return runner_->isRunning();
}

void Tfrmduijiang::btnfileClick()
{
    const QString path = FileDialog::getOpenFileName(this, QStringLiteral("选择投注号码文件"),
                                                     QStandardPaths::writableLocation(QStandardPaths::DesktopLocation),
                                                     FileDialog::textFiles());
    if (!path.isEmpty())
        load(path);
}

void Tfrmduijiang::load(const QString& path)
{
    if (isBusy())
        return;
    const quorlin::LotteryState& state = document_.state();
    const std::string file = QDir::toNativeSeparators(path).toStdString();
    const int total = state.caisum, width = state.caisel, backTotal = state.housum, backWidth = state.housel;
    runner_->run(
        this,
        [file, total, width, backTotal, backWidth](quorlin::Progress& progress) {
            auto list = std::make_shared<Loaded>();
            // Lists of every front combination hold up to 324,632 entries.
            list->file = quorlin::readBetList(file, total, width, backTotal, backWidth, quorlin::kMaxBetListEntries,
                                              &progress, true, quorlin::TicketLines::Keep);
            if (list->file.ok)
                list->checker = std::make_unique<quorlin::PrizeChecker>(list->file);
            return std::shared_ptr<const Loaded>(std::move(list));
        },
        [this, path](std::shared_ptr<const Loaded> list) { loaded(std::move(list), path); });
    strip_->started();
    updateCommandStates();
}

void Tfrmduijiang::loaded(std::shared_ptr<const Loaded> list, const QString& path)
{
    if (!list->file.ok) {
        refuse(this, QString::fromStdString(list->file.error));
        return;
    }
    list_ = std::move(list);
    QString text = QFileInfo(path).fileName() + QStringLiteral("：") +
                   QString::fromStdString(quorlin::countFullText(list_->file.bets(), "注"));
    if (!list_->file.tickets.empty())
        text += QStringLiteral("（其中%1行复式、胆拖票面）").arg(list_->file.tickets.size());
    if (const std::size_t frontOnly = list_->checker->frontOnlyLines())
        text += QStringLiteral("，其中%1注没有后区号码，只核对前区").arg(frontOnly);
    lblfile_->setText(text);
    showCost();
}

void Tfrmduijiang::showCost()
{
    lblcost_->showBets(list_ ? list_->file.bets() : 0, chkzhuijia_->isChecked());
}

void Tfrmduijiang::btnduijiangClick()
{
    if (isBusy())
        return;
    if (!list_) {
        refuse(this, QStringLiteral("请先选择投注号码文件！"));
        return;
    }
    const quorlin::LotteryState& state = document_.state();
    std::string error;
    auto book = quorlin::prizeBookOf(state, error);
    if (!book) {
        refuse(this, QString::fromStdString(error));
        return;
    }
    quorlin::CheckRange range = quorlin::CheckRange::newest();
    if (optqihao_->isChecked()) {
        range = quorlin::CheckRange::ofIssue(edtqihao_->text().trimmed().toStdString());
    } else if (optzuijin_->isChecked()) {
        bool ok = false;
        const int count = edtqishu_->text().trimmed().toInt(&ok);
        if (!ok || count < 1) {
            refuse(this, QStringLiteral("期数应为正整数！"));
            return;
        }
        range = quorlin::CheckRange::last(static_cast<std::size_t>(count));
    }
    auto draws = quorlin::drawsOf(state, range);
    if (!draws) {
        refuse(this, QStringLiteral("没有第%1期的开奖号码！").arg(QString::fromStdString(range.issue)));
        return;
    }
    auto job = std::make_shared<Checked>();
    job->list = list_;
    job->book = std::move(*book);
    job->extra = chkzhuijia_->isChecked();
    runner_->run(
        this,
        [job, draws = std::move(*draws)](quorlin::Progress& progress) {
            for (std::size_t i = 0; i < draws.size(); ++i) {
                if (progress.cancelled())
                    return std::shared_ptr<const Checked>();
                // One draw reports its own lines; a range reports its draws.
                auto check =
                    job->list->checker->check(draws[i], job->book, job->extra, draws.size() == 1 ? &progress : nullptr);
                if (!check)
                    return std::shared_ptr<const Checked>();
                job->checks.push_back(std::move(*check));
                if (draws.size() > 1)
                    progress.report(static_cast<std::int64_t>(i + 1), static_cast<std::int64_t>(draws.size()));
            }
            return std::shared_ptr<const Checked>(job);
        },
        [this](std::shared_ptr<const Checked> checked) {
            if (!checked)
                return;
            checked_ = std::move(checked);
            showChecks();
        });
    strip_->started();
    updateCommandStates();
}

void Tfrmduijiang::showChecks()
{
    const Checked& shown = *checked_;
    // A column per level of the largest prize table among the draws, titled as the tables name it.
    QStringList headers{QStringLiteral("期号"), QStringLiteral("开奖号码"), QStringLiteral("奖级表")};
    const std::vector<std::string> titles = quorlin::levelColumnTitles(shown.checks);
    for (const std::string& title : titles)
        headers << QString::fromStdString(title);
    headers << QStringLiteral("奖金") << QStringLiteral("最佳投注");
    const int levels = static_cast<int>(titles.size());
    const int rows = static_cast<int>(shown.checks.size());
    // Newest first.
    tabdraws_->table().reset(headers, rows, [checked = checked_, rows, levels](int row, int column) -> QString {
        const quorlin::DrawCheck& c = checked->checks[static_cast<std::size_t>(rows - 1 - row)];
        if (column == 0)
            return QString::fromStdString(c.draw.issue);
        if (column == 1)
            return numbersText(c.draw.front) + " + " + numbersText(c.draw.back);
        if (column == 2)
            return QString::fromStdString(quorlin::ruleSetText(c));
        if (column < 3 + levels) {
            const auto level = static_cast<std::size_t>(column - 3);
            return level < c.levelCounts.size() ? QString::number(c.levelCounts[level]) : QString();
        }
        if (column == 3 + levels)
            return QString::fromStdString(quorlin::moneyShortText(c));
        return QString::fromStdString(quorlin::bestBetText(c));
    });
    // Copies and exports write the money as the command line does.
    tabdraws_->table().setPlainCell([checked = checked_, rows, levels](int row, int column) {
        if (column != 3 + levels)
            return QString();
        return QString::fromStdString(quorlin::moneyText(checked->checks[static_cast<std::size_t>(rows - 1 - row)]));
    });

    const QString total = QString::fromStdString(
        quorlin::totalsSentence(quorlin::totalOf(shown.checks, shown.list->file.bets(), shown.extra)));
    lblzongji_->setText(total);

    // The chart sums the bets of each level name over the draws that have a prize table.
    QList<BarChart::Bar> bars;
    for (const quorlin::LevelTotal& level : quorlin::levelTotals(shown.checks))
        bars.append({QString::fromStdString(level.name), static_cast<double>(level.bets)});
    chtlevels_->setBars(0, bars);
    chtlevels_->draw();
    tabwinners_->table().reset({}, 0, {});
    lblwinners_->setText(QStringLiteral("点击一期，列出该期的中奖投注"));
}

void Tfrmduijiang::showWinners(int row)
{
    const std::vector<quorlin::DrawCheck>& all = checks();
    const int rows = static_cast<int>(all.size());
    if (row < 0 || row >= rows)
        return;
    const quorlin::DrawCheck& c = all[static_cast<std::size_t>(rows - 1 - row)];
    const Loaded& list = *checked_->list;
    const std::vector<quorlin::WinningLine> lines = list.checker->winningLines(c, kWinnersShown);
    // Owned by the grid's cells, like the draws.
    auto winners = std::make_shared<std::vector<std::pair<QString, QString>>>();
    for (const quorlin::WinningLine& line : lines)
        winners->emplace_back(
            QString::fromStdString(line.ticket.empty() ? line.bet : line.bet + "（票面 " + line.ticket + "）"),
            QString::fromStdString(quorlin::winningLineText(c, line)));
    tabwinners_->table().reset({QStringLiteral("中奖投注"), QStringLiteral("中奖情况")},
                               static_cast<int>(winners->size()), [winners](int r, int column) {
                                   const auto& w = (*winners)[static_cast<std::size_t>(r)];
                                   return column == 0 ? w.first : w.second;
                               });
    QString caption =
        QStringLiteral("第%1期的中奖投注：%2注").arg(QString::fromStdString(c.draw.issue)).arg(lines.size());
    if (lines.size() == kWinnersShown)
        caption += QStringLiteral("（只列出前%1注）").arg(kWinnersShown);
    lblwinners_->setText(caption);
}

void Tfrmduijiang::updateCommandStates()
{
    const bool idle = !isBusy();
    for (QPushButton* command : commands_)
        command->setEnabled(idle);
}

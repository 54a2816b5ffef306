#include "check/ticket_prize_pane.h"

#include "check/check_report.h"
#include "check/prize_rules.h"
#include "check/ticket_prize.h"
#include "common/message_box.h"
#include "common/text_grid.h"
#include "store/lottery_state.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The draw's numbers as a ticket line: "03 09 17 25 33+04 11".
QString drawLine(const quorlin::CheckDraw& draw, const quorlin::TicketShape& shape)
{
    quorlin::Ticket ticket;
    ticket.shape = shape;
    for (const int n : draw.front)
        ticket.front.drags |= std::uint64_t{1} << (n & 63);
    for (const int n : draw.back)
        ticket.back.drags |= std::uint64_t{1} << (n & 63);
    return QString::fromStdString(ticket.text());
}

} // namespace

/// The draw and prize table a result is worked out for, kept to work it out again for another list.
struct TicketPrizePane::Basis {
    quorlin::CheckDraw draw;
    QString caption;
    quorlin::DrawCheck priced; ///< the draw's rule set (null before every table) and prices
};

/// What the list won: per ticket and in total, with the list.
struct TicketPrizePane::Result {
    std::shared_ptr<const std::vector<quorlin::Ticket>> tickets;
    std::vector<quorlin::DrawCheck> checks;
    quorlin::DrawCheck total;
};

TicketPrizePane::TicketPrizePane(const quorlin::LotteryState& state, const quorlin::TicketShape& shape, QWidget* parent)
    : QGroupBox(QStringLiteral("中奖计算"), parent), state_(state), shape_(shape)
{
    optqihao_ = new QRadioButton(QStringLiteral("开奖期号"));
    optqihao_->setObjectName("optqihao");
    optqihao_->setChecked(true);
    comqihao_ = new QComboBox;
    comqihao_->setObjectName("comqihao");
    comqihao_->setMinimumContentsLength(36);
    comqihao_->setMaxVisibleItems(20);
    // Newest first.
    for (std::size_t r = state.hisfull.rows(); r-- > 0;) {
        const quorlin::CheckDraw draw = quorlin::drawAt(state, r);
        const QString date = r < state.hisdate.size() ? QString::fromStdString(state.hisdate[r]) : QString();
        comqihao_->addItem(
            QStringLiteral("%1期  %2  %3").arg(QString::fromStdString(draw.issue), date, drawLine(draw, shape_)));
    }
    optshuru_ = new QRadioButton(QStringLiteral("输入开奖号码"));
    optshuru_->setObjectName("optshuru");
    edtkaijiang_ = new QLineEdit;
    edtkaijiang_->setObjectName("edtkaijiang");
    edtkaijiang_->setPlaceholderText(QStringLiteral("如 01 02 03 04 05+06 07"));
    edtkaijiang_->setMinimumWidth(200);
    auto* btnjisuan = new QPushButton(QStringLiteral("计算奖金"));
    btnjisuan->setObjectName("btnjisuan");
    btnjisuan->setAutoDefault(false);
    lblguize_ = new QLabel(QStringLiteral("选择开奖期号或输入开奖号码，再按“计算奖金”"));
    lblguize_->setObjectName("lblguize");
    lblguize_->setWordWrap(true);
    tabjiang_ = new TextGrid;
    tabjiang_->setObjectName("tabjiang");
    tabjiang_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tabjiang_->horizontalHeader()->setMinimumSectionSize(60);
    tabjiang_->setMinimumHeight(160);

    auto* drawRow = new QHBoxLayout;
    drawRow->addWidget(optqihao_);
    drawRow->addWidget(comqihao_, 2);
    drawRow->addSpacing(12);
    drawRow->addWidget(optshuru_);
    drawRow->addWidget(edtkaijiang_, 1);
    drawRow->addWidget(btnjisuan);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(drawRow);
    layout->addWidget(lblguize_);
    layout->addWidget(tabjiang_, 1);

    connect(comqihao_, &QComboBox::activated, optqihao_, [this] { optqihao_->setChecked(true); });
    connect(edtkaijiang_, &QLineEdit::textEdited, optshuru_, [this] { optshuru_->setChecked(true); });
    connect(edtkaijiang_, &QLineEdit::returnPressed, this, &TicketPrizePane::calculate);
    connect(btnjisuan, &QPushButton::clicked, this, &TicketPrizePane::calculate);
}

TicketPrizePane::~TicketPrizePane() = default;

const std::vector<quorlin::DrawCheck>& TicketPrizePane::checks() const
{
    static const std::vector<quorlin::DrawCheck> none;
    return result_ ? result_->checks : none;
}

void TicketPrizePane::setTickets(std::shared_ptr<const std::vector<quorlin::Ticket>> tickets, bool extra)
{
    tickets_ = std::move(tickets);
    extra_ = extra;
    if (basis_)
        showPrizes();
}

void TicketPrizePane::calculate()
{
    if (!tickets_ || tickets_->empty()) {
        refuse(this, QStringLiteral("投注单中还没有票面，请先添加！"));
        return;
    }
    auto basis = std::make_unique<Basis>();
    if (optshuru_->isChecked()) {
        std::string problem;
        auto typed = quorlin::parseDrawText(edtkaijiang_->text().trimmed().toStdString(), shape_, problem);
        if (!typed) {
            refuse(this, QStringLiteral("开奖号码“%1”有误：%2")
                             .arg(edtkaijiang_->text().trimmed(), QString::fromStdString(problem)));
            return;
        }
        basis->draw = std::move(*typed);
        basis->caption = QStringLiteral("输入的开奖号码 %1").arg(drawLine(basis->draw, shape_));
    } else {
        const int index = comqihao_->currentIndex();
        if (index < 0) {
            refuse(this, QStringLiteral("没有开奖号码，请输入开奖号码！"));
            return;
        }
        basis->draw = quorlin::drawAt(state_, state_.hisfull.rows() - 1 - static_cast<std::size_t>(index));
        basis->caption = QStringLiteral("第%1期开奖号码 %2")
                             .arg(QString::fromStdString(basis->draw.issue), drawLine(basis->draw, shape_));
    }
    std::string error;
    const auto book = quorlin::prizeBookOf(state_, error);
    if (!book) {
        refuse(this, QString::fromStdString(error));
        return;
    }
    // A typed draw has no date: it is priced as a draw would be today, after the newest stored one;
    // a stored draw at its published amounts.
    if (optshuru_->isChecked()) {
        if (state_.hisfull.rows() != 0)
            basis->draw.previousIssue = state_.hisfull.at(state_.hisfull.rows() - 1, 0);
        basis->priced = quorlin::pricedCheck(basis->draw, *book, false, book->rules.newest());
    } else {
        basis->priced = quorlin::pricedCheck(basis->draw, *book, false);
    }
    basis_ = std::move(basis);
    showPrizes();
}

void TicketPrizePane::showPrizes()
{
    const Basis& basis = *basis_;
    const quorlin::PrizeRuleSetRef& set = basis.priced.rules;
    if (!set) {
        result_.reset();
        tabjiang_->table().reset({}, 0, {});
        lblguize_->setText(QStringLiteral("%1：早于所有奖级表，没有可用的奖级，无法计算奖金。").arg(basis.caption));
        return;
    }
    auto result = std::make_shared<Result>();
    result->tickets = tickets_;
    result->checks.reserve(tickets_->size());
    quorlin::DrawCheck priced = basis.priced;
    priced.extra = extra_;
    for (const quorlin::Ticket& ticket : *tickets_)
        result->checks.push_back(quorlin::checkTicket(ticket, priced));
    result->total = quorlin::checkTickets(*tickets_, priced);
    result_ = result;

    QStringList headers{QStringLiteral("票面")};
    for (const quorlin::PrizeLevel& level : set->levels)
        headers << QString::fromStdString(level.name);
    headers << QStringLiteral("奖金");
    const int levels = static_cast<int>(set->levels.size());
    const int rows = static_cast<int>(result->checks.size());
    // One row per ticket, then the list's total.
    tabjiang_->table().reset(headers, rows + 1, [result, levels, rows](int row, int column) -> QString {
        const quorlin::DrawCheck& c = row < rows ? result->checks[static_cast<std::size_t>(row)] : result->total;
        if (column == 0)
            return row < rows ? QString::fromStdString((*result->tickets)[static_cast<std::size_t>(row)].text())
                              : QStringLiteral("合计");
        if (column <= levels)
            return QString::number(c.levelCounts[static_cast<std::size_t>(column - 1)]);
        return QString::fromStdString(quorlin::moneyShortText(c.money, c.unknownWon));
    });
    // Copies and exports write the money as the command line does.
    tabjiang_->table().setPlainCell([result, levels, rows](int row, int column) {
        if (column <= levels)
            return QString();
        const quorlin::DrawCheck& c = row < rows ? result->checks[static_cast<std::size_t>(row)] : result->total;
        return QString::fromStdString(quorlin::moneyText(c.money, c.unknownWon));
    });
    tabjiang_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    lblguize_->setText(QStringLiteral("%1，奖级表：%2%3")
                           .arg(basis.caption, QString::fromStdString(set->title),
                                basis.priced.prices.published ? QStringLiteral("，按当期公布的单注奖金") : QString()));
}

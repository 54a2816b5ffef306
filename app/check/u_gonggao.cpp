// Tfrmgonggao: 开奖公告, the published results of one draw.
#include "check/u_gonggao.h"

#include "check/check_range.h"
#include "check/draw_results_report.h"
#include "common/text_grid.h"
#include "shell/lottery_document.h"
#include "store/his_text.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>
#include <vector>

Tfrmgonggao::Tfrmgonggao(LotteryDocument& document, QWidget* parent) : QWidget(parent), document_(document)
{
    setObjectName("frmgonggao");
    setWindowTitle(QStringLiteral("开奖公告"));
    setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint);
    resize(600, 680);

    auto label = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(name);
        return l;
    };
    lblqihao_ = label("lblqihao");
    QFont heading = lblqihao_->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.2);
    lblqihao_->setFont(heading);
    lblriqi_ = label("lblriqi");
    lblhaoma_ = label("lblhaoma");
    lblhaoma_->setFont(heading);
    lblhaoma_->setStyleSheet("color: #c00000;");
    auto* drawRow = new QHBoxLayout;
    drawRow->addWidget(lblqihao_);
    drawRow->addSpacing(12);
    drawRow->addWidget(lblriqi_);
    drawRow->addStretch(1);
    drawRow->addWidget(lblhaoma_);

    tabjiangji_ = new TextGrid(this);
    tabjiangji_->setObjectName("tabjiangji");
    tabjiangji_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tabjiangji_->horizontalHeader()->setStretchLastSection(true);

    lblxiaoshou_ = label("lblxiaoshou");
    lbljiangchi_ = label("lbljiangchi");
    lbltishi_ = label("lbltishi");
    lbltishi_->setWordWrap(true);
    auto* moneyRow = new QHBoxLayout;
    moneyRow->addWidget(lblxiaoshou_);
    moneyRow->addSpacing(24);
    moneyRow->addWidget(lbljiangchi_);
    moneyRow->addStretch(1);

    auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        return b;
    };
    btnshangyiqi_ = button("btnshangyiqi", QStringLiteral("上一期"));
    btnxiayiqi_ = button("btnxiayiqi", QStringLiteral("下一期"));
    QPushButton* btnclose = button("btnclose", QStringLiteral("关闭"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnshangyiqi_);
    buttons->addWidget(btnxiayiqi_);
    buttons->addStretch(1);
    buttons->addWidget(btnclose);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(drawRow);
    layout->addWidget(tabjiangji_, 1);
    layout->addWidget(lbltishi_);
    layout->addLayout(moneyRow);
    layout->addLayout(buttons);

    connect(btnshangyiqi_, &QPushButton::clicked, this, &Tfrmgonggao::btnshangyiqiClick);
    connect(btnxiayiqi_, &QPushButton::clicked, this, &Tfrmgonggao::btnxiayiqiClick);
    connect(btnclose, &QPushButton::clicked, this, &QWidget::hide);
    connect(&document_, &LotteryDocument::changed, this, &Tfrmgonggao::reload);
    showNewest();
}

bool Tfrmgonggao::showIssue(int issue)
{
    const auto rows = quorlin::rowsOf(document_.state(), quorlin::CheckRange::ofIssue(std::to_string(issue)));
    if (!rows)
        return false;
    showRow(rows->first);
    return true;
}

void Tfrmgonggao::showNewest()
{
    const quorlin::LotteryState& state = document_.state();
    if (state.hisfull.empty()) {
        issue_ = 0;
        lblqihao_->setText(QStringLiteral("还没有开奖号码"));
        for (QLabel* field : {lblriqi_, lblhaoma_, lblxiaoshou_, lbljiangchi_, lbltishi_})
            field->clear();
        tabjiangji_->table().reset({}, 0, {});
        btnshangyiqi_->setEnabled(false);
        btnxiayiqi_->setEnabled(false);
        return;
    }
    showRow(state.hisfull.rows() - 1);
}

void Tfrmgonggao::btnshangyiqiClick()
{
    if (issue_ != 0 && row_ > 0)
        showRow(row_ - 1);
}

void Tfrmgonggao::btnxiayiqiClick()
{
    if (issue_ != 0 && row_ + 1 < document_.state().hisfull.rows())
        showRow(row_ + 1);
}

void Tfrmgonggao::reload()
{
    if (issue_ == 0 || !showIssue(issue_))
        showNewest();
}

void Tfrmgonggao::showRow(std::size_t row)
{
    const quorlin::LotteryState& state = document_.state();
    row_ = row;
    issue_ = state.hisfull.at(row, 0);
    const std::string date = row < state.hisdate.size() ? state.hisdate[row] : std::string();
    lblqihao_->setText(QStringLiteral("第 %1 期").arg(issue_));
    lblriqi_->setText(QStringLiteral("开奖日期：") +
                      (date.empty() ? QStringLiteral("未知") : QString::fromStdString(date)));
    lblhaoma_->setText(QString::fromStdString(
        quorlin::formatDrawText(&state.hisfull.at(row, 1), state.caisel,
                                &state.hisfull.at(row, static_cast<std::size_t>(state.caisel) + 1), state.housel)));

    const quorlin::DrawResults* results = quorlin::storedResults(state, row);
    // Shared with the grid's cells, which the grid may still ask for while the window is destroyed.
    const auto lines = std::make_shared<const std::vector<quorlin::NoticeLine>>(
        results ? quorlin::noticeLines(*results) : std::vector<quorlin::NoticeLine>());
    tabjiangji_->table().reset(
        {QStringLiteral("奖级"), QStringLiteral("中奖注数"), QStringLiteral("单注奖金(元)"), QStringLiteral("备注")},
        static_cast<int>(lines->size()), [lines](int r, int column) {
            const quorlin::NoticeLine& line = (*lines)[static_cast<std::size_t>(r)];
            const std::string* cells[] = {&line.level, &line.winners, &line.amount, &line.note};
            return QString::fromStdString(*cells[column]);
        });
    tabjiangji_->table().setPlainCell([lines](int r, int column) {
        const quorlin::NoticeLine& line = (*lines)[static_cast<std::size_t>(r)];
        return column == 1   ? QString::fromStdString(line.plainWinners)
               : column == 2 ? QString::fromStdString(line.plainAmount)
                             : QString();
    });
    // 派奖 lines in a muted colour: shown with the results, never part of what a bet won.
    tabjiangji_->table().setRowColour([lines, muted = QColor(0x80, 0x80, 0x80)](int r) {
        return (*lines)[static_cast<std::size_t>(r)].bonus ? muted : QColor();
    });
    lbltishi_->setText(results ? QString() : QString::fromUtf8(quorlin::kResultsNotStored));
    lbltishi_->setVisible(!results);
    lblxiaoshou_->setText(
        QString::fromStdString(quorlin::moneyLine("销售额", results ? results->sales : std::nullopt)));
    lbljiangchi_->setText(QString::fromStdString(quorlin::moneyLine("奖池", results ? results->pool : std::nullopt)));
    btnshangyiqi_->setEnabled(row > 0);
    btnxiayiqi_->setEnabled(row + 1 < state.hisfull.rows());
}

// Tfrmganzhi: 最优开奖干支选号, the stem-branch selection.
#include "select/u_ganzhi.h"

#include "common/day_number.h"
#include "common/form_widgets.h"
#include "common/message_box.h"
#include "select/radio_group.h"
#include "select/stem_branch.h"
#include "shell/lottery_document.h"
#include "store/draw_line_parser.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kAdditional = 1; // item of optadd

QLineEdit* shownField(QWidget* parent, const char* name, const QString& caption, const QRect& geometry)
{
    FormWidgets::label(parent, caption, {geometry.x() - 64, geometry.y(), 60, geometry.height()})
        ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QLineEdit* field = FormWidgets::lineEdit(parent, name, geometry);
    field->setEnabled(false);
    return field;
}

} // namespace

Tfrmganzhi::Tfrmganzhi(LotteryDocument& document, QWidget* parent)
    : SelectionWindow(document, "frmganzhi", QStringLiteral("最优开奖干支选号"), {1000, 560}, parent),
      draws_(readDraws(quorlin::Zone::Front))
{
    // The zone is read by each command; choosing it changes nothing else.
    buildZoneChoice({8, 4, 150, 40});
    optadd_ = new RadioGroup("optadd", {QStringLiteral("标准"), QStringLiteral("附加")}, 0, this);
    optadd_->setGeometry(166, 4, 150, 40);
    comcurqi_ = buildTargetList({96, 54, 110, 24}, draws_);
    edtdate_ = shownField(this, "edtdate", QStringLiteral("开奖日期："), {290, 54, 100, 24});
    edttiangan_ = shownField(this, "edttiangan", QStringLiteral("天干："), {460, 54, 40, 24});
    edtdizhi_ = shownField(this, "edtdizhi", QStringLiteral("地支："), {570, 54, 40, 24});
    QPushButton* btngen = addCommand("btngen", QStringLiteral("生成号码"), {630, 52, 96, 28});
    btngen->setDefault(true);
    QPushButton* btntongji = addCommand("btntongji", QStringLiteral("历史统计"), {736, 52, 96, 28});
    QPushButton* btnclose = FormWidgets::button(this, "btnclose", QStringLiteral("关闭"), {842, 52, 96, 28});
    edtcurcode_ = buildResultLine("edtcurcode", QStringLiteral("目前投注号码："), {96, 90, 896, 24});

    BacktestFrame::Style style;
    style.historyTitle = QStringLiteral("最优开奖干支选号历史中奖图表");
    buildFrame(style, {8, 124, 984, 428});

    connect(comcurqi_, &QComboBox::currentIndexChanged, this, &Tfrmganzhi::comcurqiChange);
    connect(btngen, &QPushButton::clicked, this, &Tfrmganzhi::btngenClick);
    connect(btntongji, &QPushButton::clicked, this, &Tfrmganzhi::btntongjiClick);
    connect(btnclose, &QPushButton::clicked, this, &QWidget::hide);
    comcurqiChange();
    btntongjiClick();
}

bool Tfrmganzhi::additional() const
{
    return optadd_->itemIndex() == kAdditional;
}

void Tfrmganzhi::comcurqiChange()
{
    const auto target = static_cast<std::size_t>(comcurqi_->currentIndex());
    const std::optional<std::int32_t> date = quorlin::targetDrawDate(draws_, target, document_.state().cainame);
    // A draw whose date is not a date leaves the fields empty; 生成号码 then asks for a date.
    edtdate_->setText(date ? QString::fromStdString(quorlin::days::shortText(*date)) : QString());
    edttiangan_->clear();
    edtdizhi_->clear();
    if (date)
        showStemBranch(*date);
}

void Tfrmganzhi::showStemBranch(std::int32_t date)
{
    const quorlin::StemBranch day = quorlin::stemBranchOf(date);
    edttiangan_->setText(QString::fromStdString(quorlin::kStems[static_cast<std::size_t>(day.stem)]));
    edtdizhi_->setText(QString::fromStdString(quorlin::kBranches[static_cast<std::size_t>(day.branch)]));
}

void Tfrmganzhi::btngenClick()
{
    std::int32_t date = 0;
    if (edtdate_->text().isEmpty() || !quorlin::parseDrawDate(edtdate_->text().toStdString(), date)) {
        refuse(this, QStringLiteral("请输入正确的开奖日期！"));
        return;
    }
    draws_ = readDraws(zone());
    if (edttiangan_->text().isEmpty() || edtdizhi_->text().isEmpty())
        showStemBranch(date);
    const std::optional<int> stem = quorlin::stemIndex(edttiangan_->text().toStdString());
    const std::optional<int> branch = quorlin::branchIndex(edtdizhi_->text().toStdString());
    // The fields only ever hold the tables' texts; anything else is a date to read again.
    const quorlin::StemBranch day = stem && branch ? quorlin::StemBranch{*stem, *branch} : quorlin::stemBranchOf(date);
    const std::vector<int> numbers = quorlin::chosenNumbers(quorlin::chosenDigits(day, additional()), draws_.zoneSize);
    showRecommendation(quorlin::stemBranchRecommendation(comcurqi_->currentText().toStdString(), numbers),
                       numbers.size(), draws_.perDraw);
}

void Tfrmganzhi::btntongjiClick()
{
    draws_ = readDraws(zone());
    startBacktest([draws = draws_, add = additional()](const quorlin::LotteryState&, quorlin::Progress& p) {
        return quorlin::stemBranchBacktest(draws, add, &p);
    });
}

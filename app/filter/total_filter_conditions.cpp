#include "filter/total_filter_conditions.h"

#include "common/definition_tip.h"
#include "common/form_widgets.h"
#include "common/integer_fields.h"

#include <QCheckBox>
#include <QLineEdit>

namespace {

using RangeField = std::optional<quorlin::FilterRange> quorlin::TotalFilterSettings::*;

struct RangeControl {
    const char* check;
    const char* caption;
    const char* lower;
    const char* upper;
    const char* field; // the condition's name in messages
    RangeField setting;
    quorlin::Term term; // the definition its controls show
};

// In the order the run checks them.
constexpr std::array<RangeControl, 7> kRangeControls{{
    {"chkdashu", "大数", "comdaxiao1", "comdaxiao2", "大数", &quorlin::TotalFilterSettings::big,
     quorlin::Term::BigFilter},
    {"chkjishu", "奇数", "comjiou1", "comjiou2", "奇数", &quorlin::TotalFilterSettings::odd, quorlin::Term::Odd},
    {"chkhei", "和值", "comhei1", "comhei2", "和值", &quorlin::TotalFilterSettings::sum, quorlin::Term::Sum},
    {"chkkuadu", "跨度", "comkuadu1", "comkuadu2", "跨度", &quorlin::TotalFilterSettings::span, quorlin::Term::Span},
    {"chksandu", "散度：", "comsandu1", "comsandu2", "散度", &quorlin::TotalFilterSettings::dispersion,
     quorlin::Term::Dispersion},
    {"chkpiandu", "偏度", "compiandu1", "compiandu2", "偏度", &quorlin::TotalFilterSettings::skew, quorlin::Term::Skew},
    {"chkac", "AC值", "comac1", "comac2", "AC值", &quorlin::TotalFilterSettings::ac, quorlin::Term::AC},
}};

// The values each range offers for a game of `caisel` numbers out of `caisum`.
std::pair<int, int> offered(int range, int caisum, int caisel)
{
    const int spread = (caisum - 1) / (caisel - 1);
    switch (range) {
    case 0:
    case 1:
        return {0, caisel};
    case 2:
        return {caisel * (caisel + 1) / 2, (2 * caisum - caisel + 1) * caisel / 2};
    case 3:
        return {caisel - 1, caisum - 1};
    case 4:
        return {(spread + 1) / 2, caisum - caisel};
    case 5:
        return {0, caisum - caisel};
    default:
        return {caisel - 1, caisel * (caisel - 1) / 2};
    }
}

// Rows of the group: the ranges in two columns, then the banker rows.
constexpr int kRowTop = 22;
constexpr int kRowStep = 28;
constexpr int kColumnLeft[2] = {10, 208};
constexpr int kRowsInFirstColumn = 4;

} // namespace

TotalFilterConditions::TotalFilterConditions(int caisum, int caisel, QWidget* parent)
    : QGroupBox(QStringLiteral("过滤条件"), parent)
{
    setObjectName("GroupBox1");
    ranges_.reserve(kRanges);
    for (int i = 0; i < kRanges; ++i) {
        const RangeControl& control = kRangeControls[static_cast<std::size_t>(i)];
        const int left = kColumnLeft[i / kRowsInFirstColumn];
        const int top = kRowTop + (i % kRowsInFirstColumn) * kRowStep;
        const auto [from, to] = offered(i, caisum, caisel);
        ranges_.emplace_back(this, QString::fromUtf8(control.caption), control.check, control.lower, control.upper,
                             from, to, RangeConditionRow::Place{left, top, 62, 58});
        ranges_.back().setToolTip(definitionTip(control.term));
    }

    const int bankerTop = kRowTop + kRowsInFirstColumn * kRowStep + 6;
    chkdanma_ = new QCheckBox(QStringLiteral("胆码"), this);
    chkdanma_->setObjectName("chkdanma");
    chkdanma_->setGeometry(10, bankerTop, 62, 22);
    chkdanma_->setToolTip(definitionTip(quorlin::Term::Bankers));
    edtdanma_ = FormWidgets::lineEdit(this, "edtdanma", {72, bankerTop, 334, 22});
    const int hitsTop = bankerTop + kRowStep;
    FormWidgets::label(this, QStringLiteral("预计中"), {72, hitsTop, 44, 22});
    edtnum1_ = FormWidgets::lineEdit(this, "edtnum1", {118, hitsTop, 40, 22}, QStringLiteral("1"));
    FormWidgets::label(this, QStringLiteral("到"), {164, hitsTop, 16, 22});
    edtnum2_ = FormWidgets::lineEdit(this, "edtnum2", {182, hitsTop, 40, 22}, QStringLiteral("1"));
    FormWidgets::label(this, QStringLiteral("个"), {228, hitsTop, 16, 22});
}

bool TotalFilterConditions::anyChecked() const
{
    for (const RangeConditionRow& range : ranges_)
        if (range.isChecked())
            return true;
    return chkdanma_->isChecked();
}

QString TotalFilterConditions::emptyFieldMessage() const
{
    for (const RangeConditionRow& range : ranges_) {
        if (range.emptyField())
            return QStringLiteral("请选择组合框中的数值！");
    }
    if (chkdanma_->isChecked() &&
        (edtdanma_->text().isEmpty() || edtnum1_->text().isEmpty() || edtnum2_->text().isEmpty()))
        return QStringLiteral("请输入胆码以及最少中奖个数和最多中奖个数！");
    return {};
}

void TotalFilterConditions::read(quorlin::TotalFilterSettings& settings, IntegerFields& fields) const
{
    for (int i = 0; i < kRanges; ++i) {
        const RangeConditionRow& range = ranges_[static_cast<std::size_t>(i)];
        const RangeControl& control = kRangeControls[static_cast<std::size_t>(i)];
        if (range.isChecked())
            settings.*control.setting = range.read(fields, QString::fromUtf8(control.field));
    }
    settings.bankerHits = {fields.read(edtnum1_->text(), QStringLiteral("胆码最少中奖个数")),
                           fields.read(edtnum2_->text(), QStringLiteral("胆码最多中奖个数"))};
    settings.bankersOn = chkdanma_->isChecked();
    if (settings.bankersOn) {
        const quorlin::BankerParse parsed = quorlin::parseBankers(edtdanma_->text().toStdString());
        if (!parsed.ok())
            fields.refuse(QString::fromStdString(parsed.badItem), QStringLiteral("胆码"));
        settings.bankers = parsed.numbers;
    }
}

bool TotalFilterConditions::uncheckedOrderWrong() const
{
    for (const RangeConditionRow& range : ranges_)
        if (range.uncheckedOrderWrong())
            return true;
    return false;
}

void TotalFilterConditions::show(const quorlin::TotalFilterSettings& settings)
{
    for (int i = 0; i < kRanges; ++i)
        ranges_[static_cast<std::size_t>(i)].show(settings.*kRangeControls[static_cast<std::size_t>(i)].setting);
    chkdanma_->setChecked(settings.bankersOn);
    QStringList bankers;
    for (int n : settings.bankers)
        bankers.append(QString::asprintf("%.2d", n));
    edtdanma_->setText(bankers.join(' '));
    edtnum1_->setText(QString::number(settings.bankerHits.lo));
    edtnum2_->setText(QString::number(settings.bankerHits.hi));
}

void TotalFilterConditions::uncheck(bool bankersToo)
{
    for (const RangeConditionRow& range : ranges_)
        range.setChecked(false);
    if (bankersToo)
        chkdanma_->setChecked(false);
}

void TotalFilterConditions::clearRanges()
{
    for (const RangeConditionRow& range : ranges_)
        range.clear();
}

void TotalFilterConditions::resetBankers()
{
    edtdanma_->clear();
    edtnum1_->setText(QStringLiteral("1"));
    edtnum2_->setText(QStringLiteral("1"));
}

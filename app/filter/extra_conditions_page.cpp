#include "filter/extra_conditions_page.h"

#include "common/form_widgets.h"
#include "common/integer_fields.h"
#include "filter/extra_conditions.h"

#include <QCheckBox>
#include <QSpinBox>

namespace {

constexpr int kRowTop = 10;
constexpr int kRowStep = 28;
constexpr int kColumnLeft[2] = {8, 206};
constexpr int kRowsInColumn = 9;
constexpr int kCheckWidth = 82;
constexpr int kComboWidth = 48;
// Every range condition, the bankers and the chosen front numbers: the most a run can have.
constexpr int kMostConditions = 7 + 2 + static_cast<int>(quorlin::kExtraConditionCount);

// "chk" / "cbb" + the command-line flag without its dashes ("mod3-0" → "mod30") + `suffix`.
QByteArray controlName(const char* prefix, const char* flag, const char* suffix = "")
{
    return QByteArray(prefix) + QByteArray(flag).replace("-", "") + suffix;
}

} // namespace

ExtraConditionsPage::ExtraConditionsPage(QWidget* parent) : QWidget(parent)
{
    setObjectName("tabmore");
    rows_.reserve(quorlin::kExtraConditionCount);
    int i = 0;
    for (const quorlin::ExtraConditionInfo& info : quorlin::extraConditions()) {
        const int left = kColumnLeft[i / kRowsInColumn];
        const int top = kRowTop + (i % kRowsInColumn) * kRowStep;
        rows_.emplace_back(this, QString::fromUtf8(info.name), controlName("chk", info.flag).constData(),
                           controlName("cbb", info.flag, "1").constData(),
                           controlName("cbb", info.flag, "2").constData(), info.low, info.high,
                           RangeConditionRow::Place{left, top, kCheckWidth, kComboWidth});
        rows_.back().setToolTip(QString::fromStdString(quorlin::extraConditionTip(info)));
        ++i;
    }

    const int top = kRowTop + kRowsInColumn * kRowStep + 8;
    FormWidgets::label(this, QStringLiteral("容错："), {kColumnLeft[0] + 4, top, 44, 22});
    spnrongcuo_ = new QSpinBox(this);
    spnrongcuo_->setObjectName("spnrongcuo");
    spnrongcuo_->setRange(0, kMostConditions);
    spnrongcuo_->setGeometry(kColumnLeft[0] + 48, top, 56, 22);
    FormWidgets::label(this, QStringLiteral("个条件不满足也保留（两页的条件一起计数）"),
                       {kColumnLeft[0] + 110, top, 290, 22});
}

bool ExtraConditionsPage::anyChecked() const
{
    for (const RangeConditionRow& row : rows_)
        if (row.isChecked())
            return true;
    return false;
}

bool ExtraConditionsPage::emptyField() const
{
    for (const RangeConditionRow& row : rows_)
        if (row.emptyField())
            return true;
    return false;
}

void ExtraConditionsPage::read(quorlin::TotalFilterSettings& settings, IntegerFields& fields) const
{
    for (std::size_t k = 0; k < rows_.size(); ++k)
        if (rows_[k].isChecked())
            settings.extra[k] = rows_[k].read(fields, QString::fromUtf8(quorlin::extraConditions()[k].name));
    settings.tolerance = spnrongcuo_->value();
}

void ExtraConditionsPage::show(const quorlin::TotalFilterSettings& settings)
{
    for (std::size_t k = 0; k < rows_.size(); ++k)
        rows_[k].show(settings.extra[k]);
    spnrongcuo_->setValue(settings.tolerance);
}

void ExtraConditionsPage::uncheck()
{
    for (const RangeConditionRow& row : rows_)
        row.setChecked(false);
}

void ExtraConditionsPage::clear()
{
    for (const RangeConditionRow& row : rows_)
        row.clear();
    spnrongcuo_->setValue(0);
}

void ExtraConditionsPage::setRealNumbers(bool on)
{
    for (const RangeConditionRow& row : rows_) {
        if (!on)
            row.setChecked(false);
        row.setEnabled(on);
    }
}

#include "filter/range_condition_row.h"

#include "common/form_widgets.h"
#include "common/integer_fields.h"

#include <QCheckBox>
#include <QComboBox>

namespace {

constexpr int kRowHeight = 22;
constexpr int kGap = 4;
constexpr int kToWidth = 16;

QComboBox* addCombo(QWidget* parent, const char* name, int from, int to, const QRect& geometry)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    // Typing a value must not add it to the list.
    combo->setInsertPolicy(QComboBox::NoInsert);
    for (int v = from; v <= to; ++v)
        combo->addItem(QString::number(v));
    combo->setCurrentIndex(-1);
    combo->setGeometry(geometry);
    return combo;
}

// The position of a combo box's text in its list; -1 when the text is no item of it.
int itemIndex(const QComboBox* combo)
{
    return combo->findText(combo->currentText());
}

void showValue(QComboBox* combo, int value)
{
    const QString text = QString::number(value);
    const int index = combo->findText(text);
    if (index >= 0)
        combo->setCurrentIndex(index);
    else
        combo->setEditText(text);
}

} // namespace

RangeConditionRow::RangeConditionRow(QWidget* parent, const QString& caption, const char* checkName,
                                     const char* lowerName, const char* upperName, int from, int to, const Place& place)
{
    const int top = place.top;
    int x = place.left;
    check_ = new QCheckBox(caption, parent);
    check_->setObjectName(checkName);
    check_->setGeometry(x, top, place.checkWidth, kRowHeight);
    x += place.checkWidth;
    lower_ = addCombo(parent, lowerName, from, to, {x, top, place.comboWidth, kRowHeight});
    x += place.comboWidth + kGap;
    FormWidgets::label(parent, QStringLiteral("到"), {x, top, kToWidth, kRowHeight});
    x += kToWidth;
    upper_ = addCombo(parent, upperName, from, to, {x, top, place.comboWidth, kRowHeight});
}

bool RangeConditionRow::isChecked() const
{
    return check_->isChecked();
}

void RangeConditionRow::setChecked(bool on) const
{
    check_->setChecked(on);
}

bool RangeConditionRow::emptyField() const
{
    return check_->isChecked() && (lower_->currentText().isEmpty() || upper_->currentText().isEmpty());
}

quorlin::FilterRange RangeConditionRow::read(IntegerFields& fields, const QString& field) const
{
    return {fields.read(lower_->currentText(), field + "下限"), fields.read(upper_->currentText(), field + "上限")};
}

bool RangeConditionRow::uncheckedOrderWrong() const
{
    return !check_->isChecked() && itemIndex(upper_) < itemIndex(lower_);
}

void RangeConditionRow::show(const std::optional<quorlin::FilterRange>& range) const
{
    check_->setChecked(range.has_value());
    if (range) {
        showValue(lower_, range->lo);
        showValue(upper_, range->hi);
    }
}

void RangeConditionRow::clear() const
{
    for (QComboBox* combo : {lower_, upper_}) {
        combo->setCurrentIndex(-1);
        combo->clearEditText();
    }
}

void RangeConditionRow::setToolTip(const QString& tip) const
{
    for (QWidget* widget :
         {static_cast<QWidget*>(check_), static_cast<QWidget*>(lower_), static_cast<QWidget*>(upper_)})
        widget->setToolTip(tip);
}

void RangeConditionRow::setEnabled(bool on) const
{
    for (QWidget* widget :
         {static_cast<QWidget*>(check_), static_cast<QWidget*>(lower_), static_cast<QWidget*>(upper_)})
        widget->setEnabled(on);
}

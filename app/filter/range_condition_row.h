#pragma once

#include "filter/total_filter.h"

#include <QString>

#include <optional>

class IntegerFields;
class QCheckBox;
class QComboBox;
class QWidget;

/// One range condition of the total filter as its window shows it: a check box and two editable
/// combo boxes offering the values from..to, "from A 到 B".
class RangeConditionRow {
public:
    /// Where the row stands and how wide its check box is (the caption must fit beside the box).
    struct Place {
        int left;
        int top;
        int checkWidth;
        int comboWidth;
    };
    RangeConditionRow(QWidget* parent, const QString& caption, const char* checkName, const char* lowerName,
                      const char* upperName, int from, int to, const Place& place);

    QCheckBox* check() const { return check_; }
    bool isChecked() const;
    void setChecked(bool on) const;
    /// Checked with an empty lower or upper field.
    bool emptyField() const;
    /// The range typed or chosen; `field` names the condition in a refusal of a bad number.
    quorlin::FilterRange read(IntegerFields& fields, const QString& field) const;
    /// Unchecked with the upper choice before the lower one in the list.
    bool uncheckedOrderWrong() const;
    /// Checks the row when `range` is given and shows its values; unchecks it otherwise.
    void show(const std::optional<quorlin::FilterRange>& range) const;
    /// Clears both choices.
    void clear() const;
    void setToolTip(const QString& tip) const;
    /// The check box and the combo boxes together.
    void setEnabled(bool on) const;

private:
    QCheckBox* check_;
    QComboBox* lower_;
    QComboBox* upper_;
};

#pragma once

#include "filter/range_condition_row.h"
#include "filter/total_filter.h"

#include <QGroupBox>

#include <vector>

class IntegerFields;
class QCheckBox;
class QLineEdit;

/// The indicator and banker conditions of the total filter: seven ranges (大数 … AC值), each a
/// check box with a lower and an upper combo box, and the banker numbers (胆码) with the range of
/// their hits.
class TotalFilterConditions : public QGroupBox {
    Q_OBJECT
public:
    /// The combo boxes offer the values the game allows for `caisum` and `caisel`.
    TotalFilterConditions(int caisum, int caisel, QWidget* parent = nullptr);

    /// One of the eight check boxes is checked.
    bool anyChecked() const;
    /// The message for the first checked condition with an empty field, or an empty string.
    QString emptyFieldMessage() const;
    /// Reads the checked ranges, the banker numbers when 胆码 is checked, and the banker hits
    /// (always, as a run compares them even when 胆码 is not checked) into `settings`.
    void read(quorlin::TotalFilterSettings& settings, IntegerFields& fields) const;
    /// An unchecked range whose upper choice stands before its lower one in the list: it blocks a
    /// run too (a checked range is compared by its values).
    bool uncheckedOrderWrong() const;
    /// Shows the ranges and bankers of `settings`.
    void show(const quorlin::TotalFilterSettings& settings);

    /// Unchecks the seven range boxes, and 胆码 with them when `bankersToo`.
    void uncheck(bool bankersToo);
    /// Clears the choice of all fourteen combo boxes.
    void clearRanges();
    /// Empties the banker numbers and sets both hit counts to 1.
    void resetBankers();

private:
    static constexpr int kRanges = 7;

    std::vector<RangeConditionRow> ranges_;
    QCheckBox* chkdanma_;
    QLineEdit* edtdanma_;
    QLineEdit* edtnum1_;
    QLineEdit* edtnum2_;
};

#pragma once

#include "filter/range_condition_row.h"
#include "filter/total_filter.h"

#include <QWidget>

#include <vector>

class IntegerFields;
class QSpinBox;

/// The total filter's second page (更多条件): a range row per extra condition (连号对数 … 冷号),
/// judged on the real numbers, and 容错, the number of active conditions a combination may fail.
class ExtraConditionsPage : public QWidget {
    Q_OBJECT
public:
    explicit ExtraConditionsPage(QWidget* parent = nullptr);

    bool anyChecked() const;
    /// A checked condition with an empty field.
    bool emptyField() const;
    /// Reads the checked ranges into settings.extra and 容错 into settings.tolerance.
    void read(quorlin::TotalFilterSettings& settings, IntegerFields& fields) const;
    /// Shows the extra ranges and the tolerance of `settings`.
    void show(const quorlin::TotalFilterSettings& settings);
    void uncheck();
    /// Clears every choice and sets 容错 back to 0.
    void clear();
    /// The conditions judge the real numbers: under a transformed mapping they are unchecked and
    /// cannot be checked.
    void setRealNumbers(bool on);

private:
    std::vector<RangeConditionRow> rows_;
    QSpinBox* spnrongcuo_;
};

#pragma once

#include "analysis/randomness_tests.h"

#include <QWidget>

#include <optional>

class BarChart;
class LotteryDocument;
class QLabel;
class QLineEdit;
class QRadioButton;
class TextGrid;

/// 随机性检验: whether the draws of a range depart from chance — eight tests of the history against
/// draws uniform over every outcome, each with its statistic, degrees of freedom, p value and a
/// verdict in plain words, the overall conclusion after a Holm correction, and for the row picked
/// the observed counts charted against the counts chance expects.
class Tfrmsuijixing : public QWidget {
    Q_OBJECT
public:
    /// A tool window over the open lottery's draws; tests every stored draw at once.
    explicit Tfrmsuijixing(LotteryDocument& document, QWidget* parent = nullptr);

    /// 检验: tests the draws of the range chosen; a range the core refuses is refused in a message
    /// box and the shown report stays.
    void btnjianyanClick();
    /// Charts the counts of report row `index`.
    void showRow(int index);

    /// The report shown, if any.
    const std::optional<quorlin::RandomnessReport>& report() const { return report_; }
    /// The range the inputs describe now; nothing (and `error` set) when the count of 最近 is no
    /// positive whole number.
    std::optional<quorlin::DrawRange> chosenRange(QString& error) const;

private:
    /// Tests `range`; the core's refusal, if any, is returned and nothing changes.
    QString test(const quorlin::DrawRange& range);
    void showReport();

    LotteryDocument& document_;
    std::optional<quorlin::RandomnessReport> report_;
    QRadioButton* optquanbu_;
    QRadioButton* optqujian_;
    QRadioButton* optzuijin_;
    QLineEdit* edtfrom_;
    QLineEdit* edtto_;
    QLineEdit* edtzuijin_;
    QLabel* lblfanwei_;
    TextGrid* tabjianyan_;
    QLabel* lbljielun_;
    BarChart* chtjianyan_;
};

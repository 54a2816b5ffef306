#pragma once

#include "store/schema.h"

#include <QDialog>

#include <array>
#include <optional>

class LotteryDocument;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QRadioButton;

/// 彩票操作: lists the lotteries of the database, shows the definition of the selected one and
/// opens it — the only way into the lottery-open state.
class Tfrmindex : public QDialog {
    Q_OBJECT
public:
    explicit Tfrmindex(LotteryDocument& document, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildDefinitionFields();
    void buildWeekdayBoxes();
    void listlotteries();
    void lstcaipiaoClick();
    void lstcaipiaoDblClick();
    void btnopenClick();
    void showDefinition(const QString& lottery);
    void clearDefinition();

    LotteryDocument& document_;
    QListWidget* lstcaipiao_;
    QLineEdit* edtcainame_;
    QGroupBox* optcaitype_;
    std::array<QRadioButton*, 2> caitypeItems_{};
    QLineEdit* edtcaisum_;
    QLineEdit* edtcaisel_;
    QLineEdit* edtcaitime_;
    QGroupBox* grpweek_;
    /// Weekday boxes indexed 1..7 (index 0 unused), box k captioned k.
    std::array<QCheckBox*, 8> weekboxes_{};
    /// The definition shown in the fields, the one 打开彩票 opens.
    std::optional<quorlin::LotteryDefinition> shown_;
    /// The press of the click now ending changed the current item, which showed its definition.
    bool shownOnPress_ = false;
};

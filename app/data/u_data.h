#pragma once

#include "store/database.h"

#include <QDialog>

#include <array>
#include <functional>
#include <string>

class DrawTableModel;
class QLabel;
class QListWidget;
class QModelIndex;
class QPushButton;
class QTableView;

namespace quorlin {
struct LotteryState;
}

/// 彩票数据: where the user types new draws, corrects or deletes old ones, imports draws from a file
/// and exports a lottery's whole history as text. It works on the database through its own
/// connection; the main window closes the lottery before showing it, so the analyses read the
/// changes when the lottery is opened again.
class Tfrmdata : public QDialog {
    Q_OBJECT
public:
    explicit Tfrmdata(const quorlin::LotteryState& state, QWidget* parent = nullptr);
    ~Tfrmdata() override;

    /// Closing is refused in add mode: the user finishes adding first.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// The buttons of the record navigator dbv_caipiao, left to right.
    enum NavButton { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh, NavButtonCount };

    void buildNavigator();
    void placeControls();
    void setColumnWidths();
    /// Fills lstcaipiao as the registry dialog does. Throws DatabaseError.
    void listlotteries();
    void selectLottery(const QString& lottery);
    void setAddMode(bool on);
    void btneditClick();
    void btnaddClick();
    void btnsaveClick();
    void btnimportClick();
    void navigatorClick(NavButton button);
    /// Puts the grid on the issue cell of the new row, ready for typing.
    void startTyping();
    /// Runs an operation of the window on the editor, then shows its refusal (if any) and the
    /// editor's current row; false when the operation was refused or failed.
    bool runEditor(const std::function<std::string()>& operation);
    void gridCurrentChanged(const QModelIndex& current);
    /// Shows the editor's current row in the grid and sets the navigator's buttons.
    void showCurrent();
    void updateNavigator();
    /// Posts the row being edited; false (after saying why) when it was refused or failed.
    bool postPending();
    /// Shows why a row was not posted; true when there was no refusal.
    bool accepted(const std::string& refusal);
    /// The selected lottery for an export or import, with the pending draw posted; empty (after
    /// saying why) when no lottery is selected or the draw was refused.
    QString lotteryForTransfer(const QString& noSelection);

    std::string apppath_;
    quorlin::Database con_;
    DrawTableModel* model_;
    QLabel* label1_;
    QLabel* label2_;
    QListWidget* lstcaipiao_;
    QTableView* grdcaipiao_;
    QWidget* dbv_caipiao_;
    std::array<QPushButton*, NavButtonCount> navButtons_{};
    QPushButton* btnadd_;
    QPushButton* btnsave_;
    QPushButton* btnimport_;
    QPushButton* btnedit_;
    QPushButton* btnext_;
    /// Add mode, captioned "完成添加" on btnedit; browse mode otherwise.
    bool addMode_ = false;
    /// The grid's current row changes because of the window, not because the user moved it.
    bool syncing_ = false;
    /// The press of the click now ending changed the list's current item, which selected it.
    bool selectedOnPress_ = false;
};

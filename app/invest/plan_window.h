#pragma once

#include "invest/plan_file.h"
#include "invest/plan_store.h"
#include "invest/stake_plan.h"

#include "invest/invest_window.h"

#include <QStringList>

#include <string>
#include <vector>

class QGridLayout;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QTableView;
class TextTableModel;

/// The design the three stake-plan windows share: the input fields, the plan table over its plan
/// store, and 保存, 载入, 打印 and 关闭. The windows add the commands that build their plans and
/// what differs in loading. A plan window keeps its contents while hidden.
class PlanWindow : public InvestWindow {
    Q_OBJECT
public:
    ~PlanWindow() override;

protected:
    /// `apppath` is the program directory with a trailing "/", where "附属/" holds the plan files.
    PlanWindow(quorlin::PlanKind kind, std::string apppath, const QString& caption, QWidget* parent);

    quorlin::PlanKind kind() const { return store_.kind(); }
    quorlin::PlanStore& store() { return store_; }

    /// Adds a command button in front of 保存; the window's own commands come first.
    QPushButton* addCommand(const char* name, const QString& caption);
    QPushButton* btnsave() const { return btnsave_; }
    QPushButton* btnload() const { return btnload_; }
    QPushButton* btnprint() const { return btnprint_; }
    QPushButton* btnclose() const { return btnclose_; }
    QLineEdit* edtdays() const { return edtdays_; }
    /// 阶段次数 in the staged plan, 本期注数 in the variable plan; null in the fixed plan.
    QLineEdit* extraField() const { return extra_; }

    /// Every input the plans read, converted; throws WholeNumberError naming the text at fault.
    quorlin::PlanInputs readInputs() const;

    /// The plan table: the header row and the rows below it, as texts.
    void setTable(const QStringList& headers, std::vector<QStringList> rows);
    void appendRow(const QStringList& cells);
    int tableRows() const { return static_cast<int>(rows_.size()); }
    QString cell(int row, int column) const;
    /// The rows of the plan store as the table shows them.
    std::vector<QStringList> storeRows(std::size_t count) const;

    /// "平均每期净利润为:" with the average net profit of the store's first `rows` rows.
    void showAverage(std::size_t rows);
    /// Shows a message box of the window, captioned "提示".
    void inform(const QString& text);

    /// Adds 生成计划 of the fixed and staged plans, the window's default button: it builds the whole
    /// plan from the fields and shows it.
    void addGenerateCommand();
    /// A fixed or staged plan read from its file: N rows, the rows read filled in, the first
    /// column headed `firstHeader`. True unless the load ended with an error.
    bool showLoadedWholePlan(const quorlin::PlanLoad& load, const QString& firstHeader);

    /// What a load shows after the fields were set from the file.
    virtual void planLoaded(const quorlin::PlanLoad& load) = 0;
    /// After a plan was written.
    virtual void planSaved() {}

    void setColumnWidths() override;

private:
    /// Shows rows_ under headers_.
    void showRows();
    void generateWholePlan();
    QLineEdit* addField(QGridLayout* grid, int row, int column, const char* name, const QString& label,
                        const QString& text);
    void btnsaveClick();
    void btnloadClick();
    void btnprintClick();
    QString proposedFile() const;
    QStringList fieldTexts() const;

    std::string apppath_;
    quorlin::PlanStore store_;
    QStringList headers_;
    std::vector<QStringList> rows_;
    std::vector<QLineEdit*> fields_;
    QLineEdit* edtdays_ = nullptr;
    QLineEdit* extra_ = nullptr;
    QTableView* grdjihua_ = nullptr;
    TextTableModel* model_ = nullptr;
    QHBoxLayout* commands_ = nullptr;
    QPushButton* btnsave_ = nullptr;
    QPushButton* btnload_ = nullptr;
    QPushButton* btnprint_ = nullptr;
    QPushButton* btnclose_ = nullptr;
};

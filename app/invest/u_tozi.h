#pragma once

#include "invest/code_drawing.h"
#include "invest/hit_marks.h"
#include "invest/mode_files.h"
#include "invest/mode_replay.h"

#include "invest/invest_window.h"

#include <memory>
#include <vector>

class LotteryDocument;
class ModeSettingsBox;
class QButtonGroup;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QTableView;
class TaskRunner;
class TextTableModel;

namespace quorlin {
class RandomSource;
}

/// 投资模式分析: replays a betting rule over the history for a generated code list, shows what each
/// betting block won or lost, and searches the rule's settings on a worker thread for the largest
/// overall surplus. The hit marks are worked out once per code list; the replay only walks them.
class Tfrmtozi : public InvestWindow {
    Q_OBJECT
public:
    Tfrmtozi(LotteryDocument& document, QWidget* parent = nullptr);
    ~Tfrmtozi() override;

    /// The generator of 随机生成; tests hand in a seeded one.
    void setRandomSource(std::unique_ptr<quorlin::RandomSource> source);

    /// The settings as the window shows them, and back.
    quorlin::ModeForm form() const;
    void setForm(const quorlin::ModeForm& form);

protected:
    void setColumnWidths() override;

private:
    QTableView* addTable(const char* name, const QString& caption, TextTableModel*& model, class QGridLayout* grid,
                         int row, int column, int rowSpan, int columnSpan);
    QPushButton* addButton(const char* name, const QString& caption);
    QMenu* addMenu(QPushButton* button, const std::vector<std::pair<const char*, QString>>& items);

    quorlin::PlayType playType() const;
    /// Selects the play type; a change empties the result table.
    void setPlayType(quorlin::PlayType type);

    void btnfiltClick();
    void btnclearClick();
    void btnalaClick();
    void btnyouhuaClick();
    void saveFile(quorlin::ModeFileKind kind);
    void loadFile(quorlin::ModeFileKind kind);
    void printCodes();
    void printSettings();

    /// True when a lottery is open; otherwise says so.
    bool lotteryOpen();
    /// Takes a new code list: marks the history's hits once, shows the codes, marks and intervals.
    void takeCodes(quorlin::CodeList codes, quorlin::PlayType type);
    /// 分析; `quiet` while a search runs: no messages.
    void analyse(bool quiet);
    void showResult(quorlin::ModeResult result);
    void setSearching(bool searching);
    QString proposedFile(quorlin::ModeFileKind kind) const;
    /// cainame + "  " + the last issue + "期" + the play type's caption + `what`.
    QString printTitle(const QString& what) const;

    LotteryDocument& document_;
    std::unique_ptr<quorlin::RandomSource> random_;
    TaskRunner* runner_;

    quorlin::CodeList codes_;
    std::vector<std::int32_t> issues_;
    std::vector<std::int32_t> marks_;
    std::vector<quorlin::IntervalRow> intervals_;
    std::shared_ptr<const quorlin::ModeReplay> replay_;
    quorlin::ModeResult result_;

    ModeSettingsBox* grptozi_;
    QWidget* optzhuzhi_;
    QButtonGroup* playTypes_;
    TextTableModel* codeModel_ = nullptr;
    TextTableModel* sepModel_ = nullptr;
    TextTableModel* sepmodeModel_ = nullptr;
    TextTableModel* toziModel_ = nullptr;
    QTableView* grdcode_;
    QTableView* grdsep_;
    QTableView* grdsepmode_;
    QTableView* grdtozi_;
    QProgressBar* progress_;
    QPushButton* btnfilt_;
    QPushButton* btnclear_;
    QPushButton* btnala_;
    QPushButton* btnyouhua_;
    QPushButton* tlbtnsave_;
    QPushButton* tlbtnload_;
    QPushButton* tlbtnprint_;
    QPushButton* btnclose_;
};

// Tfrmsibu: 最优四步综合选号, the four-step selection.
#include "select/u_sibu.h"

#include "common/form_widgets.h"
#include "shell/lottery_document.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The texts around each step's list read as a sentence.
struct StepLine {
    const char* list;
    const char* field;
    QString before;
    QString after;
};

} // namespace

Tfrmsibu::Tfrmsibu(LotteryDocument& document, QWidget* parent)
    : SelectionWindow(document, "frmsibu", QStringLiteral("最优四步综合选号"), {1000, 640}, parent)
{
    const quorlin::LotteryState& state = document_.state();
    // The standard history: the four steps always count the real numbers.
    const quorlin::ZoneDraws draws = quorlin::historyZoneDraws(state, quorlin::Zone::Front);
    const int recnum = state.recnum;

    const StepLine lines[4] = {
        {"com1", "edtcode1", QStringLiteral("第一步：选出最近"), QStringLiteral("期中出次数最多号码")},
        {"com2", "edtcode2", QStringLiteral("第二步：第一步选号当中"), QStringLiteral("期以上未出号")},
        {"com3", "edtcode3", QStringLiteral("第三步：选出最近"), QStringLiteral("期未出3连号")},
        {"com4", "edtcode4", QStringLiteral("第四步：选出最近"), QStringLiteral("期相对活跃冷码")},
    };
    // 40 draws for step 1, or all of them when the history is shorter; an empty history still
    // offers "1" so that the list always holds a number.
    const QStringList items[4] = {numberItems(1, std::max(recnum, 1)), numberItems(1, 5), numberItems(1, 10),
                                  numberItems(1, 10)};
    const int defaults[4] = {quorlin::defaultRecent(recnum), 1, 10, 10};
    for (int k = 0; k < 4; ++k) {
        const int y = 8 + 32 * k;
        FormWidgets::label(this, lines[k].before, {8, y, 150, 24})->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        steps_[static_cast<std::size_t>(k)] = buildList(lines[k].list, {}, items[k], defaults[k] - 1, {162, y, 70, 24});
        FormWidgets::label(this, lines[k].after, {238, y, 130, 24});
        QLineEdit* field = FormWidgets::lineEdit(this, lines[k].field, {372, y, 620, 24});
        field->setReadOnly(true);
        edtcode_[static_cast<std::size_t>(k)] = field;
    }
    comcurqi_ = buildTargetList({96, 138, 110, 24}, draws);
    QPushButton* btngen = addCommand("btngen", QStringLiteral("生成号码"), {226, 136, 96, 28});
    QPushButton* btntongji = addCommand("btntongji", QStringLiteral("历史统计"), {332, 136, 96, 28});
    QPushButton* btnclose = FormWidgets::button(this, "btnclose", QStringLiteral("关闭"), {438, 136, 96, 28});
    edtcurcode_ = buildResultLine("edtcurcode", QStringLiteral("最终投注号码："), {96, 172, 896, 24});

    BacktestFrame::Style style;
    style.historyTitle = QStringLiteral("最优四步综合选号历史中奖图表");
    style.summaryCaption = QStringLiteral("历史统计：");
    style.frequencyChart = false;
    style.scrollToEnd = true;
    style.tableWidth = 560;
    style.columnWidths = [](int width) { return std::array<int, 4>{60, 100, width - 240, 50}; };
    buildFrame(style, {8, 206, 984, 426});

    connect(btngen, &QPushButton::clicked, this, &Tfrmsibu::btngenClick);
    connect(btntongji, &QPushButton::clicked, this, &Tfrmsibu::btntongjiClick);
    connect(btnclose, &QPushButton::clicked, this, &QWidget::hide);
    btntongjiClick();
}

quorlin::FourStepSettings Tfrmsibu::settings() const
{
    return {steps_[0]->currentText().toInt(), steps_[1]->currentText().toInt(), steps_[2]->currentText().toInt(),
            steps_[3]->currentText().toInt()};
}

void Tfrmsibu::btngenClick()
{
    const quorlin::FourStepSettings s = settings();
    const auto target = static_cast<std::size_t>(comcurqi_->currentIndex());
    if (refused(quorlin::fourStepTargetRefusal(target, s)))
        return;
    const quorlin::ZoneDraws draws = quorlin::historyZoneDraws(document_.state(), quorlin::Zone::Front);
    const quorlin::FourStepSelection selection = quorlin::selectFourStep(draws, target, s);
    const std::vector<int>* steps[4] = {&selection.step1, &selection.step2, &selection.step3, &selection.step4};
    for (std::size_t k = 0; k < 4; ++k)
        edtcode_[k]->setText(QString::fromStdString(quorlin::twoDigitText(*steps[k])));
    showRecommendation(quorlin::fourStepRecommendation(comcurqi_->currentText().toStdString(), selection.numbers),
                       selection.numbers.size(), draws.perDraw);
}

void Tfrmsibu::btntongjiClick()
{
    startBacktest([s = settings()](const quorlin::LotteryState& state, quorlin::Progress& p) {
        return quorlin::fourStepBacktest(quorlin::historyZoneDraws(state, quorlin::Zone::Front), s, &p);
    });
}

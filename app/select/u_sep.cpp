// Tfrmsep: 最优间隔回补选号, the interval back-fill selection.
#include "select/u_sep.h"

#include "select/radio_group.h"
#include "shell/lottery_document.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

Tfrmsep::Tfrmsep(LotteryDocument& document, QWidget* parent)
    : SelectionWindow(document, "frmsep", QStringLiteral("最优间隔回补选号"), {1000, 560}, parent)
{
    const quorlin::ZoneDraws draws = readDraws(quorlin::Zone::Front);

    RadioGroup* optqianhou = buildZoneChoice({8, 4, 150, 40});
    comqishu_ = buildList("comqishu", QStringLiteral("间隔期数："), numberItems(1, 20), 4, {256, 12, 70, 24});
    comcodenum_ =
        buildList("comcodenum", QStringLiteral("选号个数："), numberItems(1, draws.zoneSize), 9, {428, 12, 70, 24});
    comcurqi_ = buildTargetList({96, 54, 110, 24}, draws);
    QPushButton* btngen = addCommand("btngen", QStringLiteral("生成号码"), {226, 52, 96, 28});
    QPushButton* btntongji = addCommand("btntongji", QStringLiteral("历史统计"), {332, 52, 96, 28});
    edtcurcode_ = buildResultLine("edtcurcode", QStringLiteral("目前投注号码："), {96, 90, 896, 24});

    BacktestFrame::Style style;
    style.historyTitle = QStringLiteral("最优间隔回补选号历史中奖图表");
    style.marksAtOnce = false;
    style.tableWidth = 400;
    style.columnWidths = [](int width) { return std::array<int, 4>{60, 100, 130, width - 320}; };
    buildFrame(style, {8, 124, 984, 428});

    connect(btngen, &QPushButton::clicked, this, &Tfrmsep::btngenClick);
    connect(btntongji, &QPushButton::clicked, this, &Tfrmsep::btntongjiClick);
    connect(optqianhou, &RadioGroup::clicked, this, &Tfrmsep::optqianhouClick);
    btntongjiClick();
}

quorlin::IntervalSettings Tfrmsep::settings() const
{
    return {comqishu_->currentText().toInt(), comcodenum_->currentText().toInt()};
}

void Tfrmsep::btngenClick()
{
    const quorlin::ZoneDraws draws = readDraws(zone());
    const auto target = static_cast<std::size_t>(comcurqi_->currentIndex());
    if (refused(quorlin::firstDrawRefusal(target)))
        return;
    const quorlin::IntervalSelection selection = quorlin::selectBackfill(draws, target, settings());
    showRecommendation(quorlin::backfillRecommendation(comcurqi_->currentText().toStdString(),
                                                       zone() == quorlin::Zone::Back, selection.numbers),
                       selection.numbers.size(), draws.perDraw);
}

void Tfrmsep::btntongjiClick()
{
    startBacktest([draws = readDraws(zone()), s = settings()](const quorlin::LotteryState&, quorlin::Progress& p) {
        return quorlin::backfillBacktest(draws, s, &p);
    });
}

void Tfrmsep::optqianhouClick()
{
    const quorlin::LotteryState& state = document_.state();
    const bool back = zone() == quorlin::Zone::Back;
    comcodenum_->clear();
    comcodenum_->addItems(numberItems(1, back ? state.housum : state.caisum));
    comcodenum_->setCurrentText(back ? QStringLiteral("2") : QStringLiteral("10"));
}

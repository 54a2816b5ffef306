// Tfrmqingmi: 最优亲密数字选号, the intimate-number selection.
#include "select/u_qingmi.h"

#include "common/table_export_menu.h"
#include "select/radio_group.h"
#include "shell/lottery_document.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>

namespace {

constexpr int kOverall = 1; // item of optsel
// 阶段次数 opens on 7, or on the last item when the history is shorter (the same count then).
constexpr int kDefaultLimit = 7;

QTableWidgetItem* fixedCell(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    item->setBackground(QColor(236, 233, 216));
    return item;
}

QString countText(const quorlin::TallyEntry& e)
{
    return QString::number(e.key) + ":" + QString::number(e.count) + QStringLiteral("次");
}

} // namespace

Tfrmqingmi::Tfrmqingmi(LotteryDocument& document, QWidget* parent)
    : SelectionWindow(document, "frmqingmi", QStringLiteral("最优亲密数字选号"), {1000, 690}, parent)
{
    const quorlin::ZoneDraws draws = readDraws(quorlin::Zone::Front);
    const int recnum = document_.state().recnum;

    RadioGroup* optqianhou = buildZoneChoice({8, 4, 150, 40});
    optsel_ = new RadioGroup("optsel", {QStringLiteral("各个位置"), QStringLiteral("总体位置")}, kOverall, this);
    optsel_->setGeometry(166, 4, 200, 40);
    comselnum_ = buildList("comselnum", {}, numberItems(1, draws.zoneSize), draws.zoneSize / 2 - 1, {470, 12, 70, 24});
    Label5_ = new QLabel(QStringLiteral("总体号码数："), this);
    Label5_->setObjectName("Label5");
    Label5_->setGeometry(378, 12, 88, 24);
    Label5_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    comcurqi_ = buildTargetList({96, 54, 110, 24}, draws);
    QStringList limits{QStringLiteral("全部期数")};
    limits += numberItems(1, recnum);
    comjieduanqi_ = buildList("comjieduanqi", QStringLiteral("阶段次数："), limits, std::min(kDefaultLimit, recnum),
                              {316, 54, 100, 24});
    QPushButton* btngen = addCommand("btngen", QStringLiteral("生成号码"), {440, 52, 96, 28});
    QPushButton* btntongji = addCommand("btntongji", QStringLiteral("历史统计"), {546, 52, 96, 28});
    edtcurcode_ = buildResultLine("edtcurcode", QStringLiteral("目前投注号码："), {96, 90, 896, 24});

    tabcode_ = new QTableWidget(this);
    TableExportMenu::install(tabcode_);
    tabcode_->setObjectName("tabcode");
    tabcode_->setGeometry(8, 122, 984, 110);
    tabcode_->horizontalHeader()->hide();
    tabcode_->verticalHeader()->hide();
    tabcode_->setEditTriggers(QAbstractItemView::NoEditTriggers);

    BacktestFrame::Style style;
    style.historyTitle = QStringLiteral("最优亲密数字选号历史中奖图表");
    buildFrame(style, {8, 240, 984, 442});

    connect(btngen, &QPushButton::clicked, this, &Tfrmqingmi::btngenClick);
    connect(btntongji, &QPushButton::clicked, this, &Tfrmqingmi::btntongjiClick);
    connect(optsel_, &RadioGroup::clicked, this, &Tfrmqingmi::optselClick);
    connect(optqianhou, &RadioGroup::clicked, this, &Tfrmqingmi::optqianhouClick);
    // The window opens showing the evaluation of the whole history.
    btntongjiClick();
}

quorlin::IntimacySettings Tfrmqingmi::settings() const
{
    quorlin::IntimacySettings s;
    s.take = comselnum_->currentText().toInt();
    s.mode = optsel_->itemIndex() == kOverall ? quorlin::IntimacyMode::Overall : quorlin::IntimacyMode::EachPosition;
    // Item 0, 全部期数, counts every earlier occurrence; item k stops at the k-th.
    s.limit = comjieduanqi_->currentIndex();
    return s;
}

void Tfrmqingmi::btngenClick()
{
    const quorlin::ZoneDraws draws = readDraws(zone());
    const auto target = static_cast<std::size_t>(comcurqi_->currentIndex());
    if (refused(quorlin::firstDrawRefusal(target)))
        return;
    const quorlin::IntimacySelection selection = quorlin::selectIntimate(draws, target, settings());
    showTallies(selection);
    showRecommendation(quorlin::intimacyRecommendation(comcurqi_->currentText().toStdString(),
                                                       zone() == quorlin::Zone::Back, selection.numbers),
                       selection.numbers.size(), draws.perDraw);
}

void Tfrmqingmi::btntongjiClick()
{
    startBacktest([draws = readDraws(zone()), s = settings()](const quorlin::LotteryState&, quorlin::Progress& p) {
        return quorlin::intimacyBacktest(draws, s, &p);
    });
}

void Tfrmqingmi::optselClick()
{
    comselnum_->setCurrentIndex(0);
    Label5_->setText(optsel_->itemIndex() == kOverall ? QStringLiteral("总体号码数：")
                                                      : QStringLiteral("各位号码数："));
}

void Tfrmqingmi::optqianhouClick()
{
    const quorlin::LotteryState& state = document_.state();
    comselnum_->clear();
    if (zone() == quorlin::Zone::Back) {
        optsel_->setItemIndex(0);
        optsel_->setEnabled(false);
        comselnum_->addItems(numberItems(1, state.housum));
        comselnum_->setCurrentText(QString::number(state.housel));
    } else {
        optsel_->setItemIndex(kOverall);
        optsel_->setEnabled(true);
        comselnum_->addItems(numberItems(1, 20));
        comselnum_->setCurrentText(QStringLiteral("18"));
    }
    Label5_->setText(optsel_->itemIndex() == kOverall ? QStringLiteral("总体号码数：")
                                                      : QStringLiteral("各位号码数："));
}

void Tfrmqingmi::showTallies(const quorlin::IntimacySelection& s)
{
    tabcode_->clear();
    const int width = tabcode_->width();
    if (settings().mode == quorlin::IntimacyMode::Overall) {
        QString text = QStringLiteral("各亲密数字总次数");
        for (const quorlin::TallyEntry& e : s.overall)
            text += countText(e) + " ";
        tabcode_->setRowCount(1);
        tabcode_->setColumnCount(1);
        tabcode_->setColumnWidth(0, width - 30);
        tabcode_->setWordWrap(true);
        // The one cell takes the whole table, so the long line wraps instead of being cut.
        tabcode_->setRowHeight(0, tabcode_->viewport()->height());
        auto* item = new QTableWidgetItem(text);
        item->setTextAlignment(Qt::AlignLeft | Qt::AlignTop);
        tabcode_->setItem(0, 0, item);
        return;
    }
    const int K = static_cast<int>(s.references.size());
    const int Z = static_cast<int>(s.overall.size());
    tabcode_->setWordWrap(false);
    tabcode_->setRowCount(Z + 1);
    tabcode_->setColumnCount(K + 1);
    for (int c = 0; c <= K; ++c)
        tabcode_->setColumnWidth(c, (width - 30) / (K + 1));
    for (int r = 0; r <= Z; ++r)
        tabcode_->setRowHeight(r, 20);
    tabcode_->setItem(0, 0, fixedCell(QStringLiteral("参照号码")));
    for (int p = 1; p <= K; ++p)
        tabcode_->setItem(0, p, fixedCell(QString::number(s.references[static_cast<std::size_t>(p - 1)])));
    for (int r = 1; r <= Z; ++r) {
        tabcode_->setItem(r, 0, fixedCell(QStringLiteral("排名") + QString::number(r)));
        for (int p = 1; p <= K; ++p)
            tabcode_->setItem(r, p,
                              new QTableWidgetItem(countText(
                                  s.positions[static_cast<std::size_t>(p - 1)][static_cast<std::size_t>(r - 1)])));
    }
}

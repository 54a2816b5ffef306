// Tfrmqujian: 号码区间分析, the zone view of the main window's tenth tab.
#include "analysis/u_qujian.h"

#include "analysis/recent_count_box.h"
#include "common/bar_chart.h"
#include "common/definition_tip.h"
#include "shell/lottery_document.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

#include <algorithm>

namespace {

constexpr int kGridWidth = 560;
const QColor kZoneColours[7] = {QColor("red"),   QColor("green"), QColor("yellow"), QColor("blue"),
                                QColor("white"), QColor("gray"),  QColor("fuchsia")};

QString zoneSeriesTitle(int zone)
{
    return QString::number(zone + 1) + "区号码数";
}

} // namespace

Tfrmqujian::Tfrmqujian(LotteryDocument& document, QWidget* parent)
    : AnalysisView(document, "frmqujian", "区间分析", "开始统计", parent)
{
    chthistory_->setTitle("最近各期区间图表");
    for (int zone = 0; zone < 7; ++zone)
        chthistory_->addSeries(zoneSeriesTitle(zone), kZoneColours[zone]);

    comqujian_ = new QComboBox;
    comqujian_->setObjectName("comqujian");
    for (int zones = 1; zones <= 7; ++zones)
        comqujian_->addItem(QString::number(zones));
    auto* zoneRow = new QHBoxLayout;
    zoneRow->addWidget(new QLabel("区间数："));
    zoneRow->addWidget(comqujian_);
    zoneRow->addSpacing(12);
    for (int zone = 0; zone < 7; ++zone) {
        chkqu_[zone] = new QCheckBox(QString::number(zone + 1) + "区间");
        chkqu_[zone]->setObjectName(QString("chkqu%1").arg(zone + 1));
        chkqu_[zone]->setChecked(zone == 0);
        zoneRow->addWidget(chkqu_[zone]);
        connect(chkqu_[zone], &QCheckBox::toggled, this, [this] { drawchart(); });
    }
    zoneRow->addStretch(1);
    side_->addLayout(zoneRow);
    setGridWidth(kGridWidth);

    // Z starts at the count of front numbers a draw; choosing another takes effect at the next count.
    comqujian_->setCurrentIndex(std::clamp(document_.state().caisel, 1, 7) - 1);
    comzuijingqishu_->fill(document_.state().recnum);
    computeIn(false);
    drawchart();
}

void Tfrmqujian::compute()
{
    computeIn(document_.state().bianhuan);
}

void Tfrmqujian::btntongjiClick()
{
    computeIn(false);
    drawchart();
}

void Tfrmqujian::computeIn(bool transformed)
{
    table_ = quorlin::buildZoneTable(document_.state(), comqujian_->currentIndex() + 1, transformed);
    QStringList headers;
    for (const std::string& header : table_.headers)
        headers.append(QString::fromStdString(header));
    showTable(
        headers, static_cast<int>(table_.rows.size()),
        [this](int row, int column) {
            const quorlin::ZoneTable::Row& r = table_.rows[static_cast<std::size_t>(row)];
            if (column == 0)
                return QString::fromStdString(r.issue);
            if (column == 1)
                return QString::fromStdString(r.numbers);
            return QString::number(r.counts[static_cast<std::size_t>(column - 2)]);
        },
        definitionTip(quorlin::Term::ZoneCount));
}

void Tfrmqujian::drawchart()
{
    // The chart draws the zones of the table, not those of the box: a new Z shows after 开始统计.
    const int rows = static_cast<int>(table_.rows.size());
    const int first = rows - chartRecent(rows);
    for (int zone = 0; zone < 7; ++zone) {
        QList<BarChart::Bar> bars;
        if (zone < table_.zones) {
            for (int i = first; i < rows; ++i) {
                const quorlin::ZoneTable::Row& r = table_.rows[static_cast<std::size_t>(i)];
                bars.append({QString::fromStdString(r.issue), double(r.counts[static_cast<std::size_t>(zone)])});
            }
        }
        chthistory_->setBars(zone, std::move(bars));
        chthistory_->setSeriesVisible(zone, zone < table_.zones && chkqu_[zone]->isChecked());
    }
    chthistory_->setValueLabelsVisible(chkhistorybiao_->isChecked());
    chthistory_->draw();
}

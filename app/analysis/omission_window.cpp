#include "analysis/omission_window.h"

#include "common/bar_chart.h"
#include "common/definition_tip.h"
#include "common/error_handler.h"
#include "common/text_grid.h"
#include "shell/lottery_document.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

using quorlin::OmissionRule;
using quorlin::OmissionSort;

// The texts in which the two windows differ besides their omission column.
struct RuleTexts {
    const char* objectName;
    const char* caption;
    const char* omission; ///< chk1 and the chart's second series
    const char* omissionSort;
};

quorlin::Term omissionTerm(OmissionRule rule)
{
    return rule == OmissionRule::Return ? quorlin::Term::ReturnOmission : quorlin::Term::CurrentOmission;
}

// The definitions of the eight columns; the number column needs none.
QStringList columnTips(OmissionRule rule)
{
    using quorlin::Term;
    QStringList tips{QString()};
    for (Term term : {Term::TheoryCycle, Term::TheoryHits, Term::Occurrences, Term::LongestAbsence, omissionTerm(rule),
                      Term::ColdRatio, Term::Chase})
        tips.append(definitionTip(term));
    return tips;
}

const RuleTexts& textsOf(OmissionRule rule)
{
    static const RuleTexts returning{"frmyilou", "中奖回补分析选号", "前次遗漏", "前次遗漏排序"};
    static const RuleTexts current{"frmpiantai", "中奖偏态分析选号", "目前遗漏", "目前遗漏排序"};
    return rule == OmissionRule::Return ? returning : current;
}

constexpr int kColumns = 8;
// What the grid's frame and scroll bar take of its width before the eight columns share it.
constexpr int kGridChrome = 30;
// Wide enough for the 35 front numbers under their bars.
constexpr int kWindowWidth = 1120;
constexpr int kWindowHeight = 740;

} // namespace

OmissionWindow::OmissionWindow(LotteryDocument& document, OmissionRule rule, QWidget* parent)
    : QWidget(parent), document_(document), rule_(rule)
{
    const RuleTexts& texts = textsOf(rule);
    setObjectName(texts.objectName);
    setWindowTitle(texts.caption);
    setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint);
    resize(kWindowWidth, kWindowHeight);

    tabhistory_ = new TextGrid;
    tabhistory_->setObjectName("tabhistory");
    tabhistory_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);

    chthistory_ = new BarChart("总体中奖分析图表");
    chthistory_->setObjectName("chthistory");
    chthistory_->addSeries("追号价值", QColor("red"));
    chthistory_->addSeries(texts.omission, QColor("green"));
    chthistory_->addSeries("中奖次数", QColor("yellow"));
    chthistory_->addSeries("历史最大遗漏", QColor("blue"));

    auto* optqianhou = new QGroupBox;
    optqianhou->setObjectName("optqianhou");
    optqian_ = new QRadioButton("前区");
    optqian_->setChecked(true);
    auto* zoneLayout = new QHBoxLayout(optqianhou);
    zoneLayout->addWidget(optqian_);
    zoneLayout->addWidget(new QRadioButton("后区"));

    const char* checkTexts[4] = {"追号价值", texts.omission, "中奖总次数", "历史最大遗漏"};
    const quorlin::Term checkTerms[4] = {quorlin::Term::Chase, omissionTerm(rule), quorlin::Term::Occurrences,
                                         quorlin::Term::LongestAbsence};
    auto* options = new QHBoxLayout;
    options->addWidget(optqianhou);
    for (int i = 0; i < 4; ++i) {
        chk_[i] = new QCheckBox(checkTexts[i]);
        chk_[i]->setObjectName(QString("chk%1").arg(i));
        chk_[i]->setChecked(true);
        chk_[i]->setToolTip(definitionTip(checkTerms[i]));
        options->addWidget(chk_[i]);
        connect(chk_[i], &QCheckBox::toggled, this, &OmissionWindow::drawchart);
    }
    chkhistorybiao_ = new QCheckBox("显示标注");
    chkhistorybiao_->setObjectName("chkhistorybiao");
    connect(chkhistorybiao_, &QCheckBox::toggled, this, &OmissionWindow::drawchart);
    options->addWidget(chkhistorybiao_);
    options->addStretch(1);

    auto* buttons = new QHBoxLayout;
    auto addButton = [&](const char* name, const QString& caption, std::function<void()> click) {
        auto* button = new QPushButton(caption);
        button->setObjectName(name);
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, click = std::move(click)] { runGuarded(this, click); });
        return button;
    };
    addButton("btnala", "分析", [this] { analyse(OmissionSort::Number); })->setDefault(true);
    addButton("Button1", "追号价值排序", [this] { analyse(OmissionSort::Chase); });
    addButton("Button2", texts.omissionSort, [this] { analyse(OmissionSort::Omission); });
    addButton("Button3", "总次数排序", [this] { analyse(OmissionSort::Count); });
    buttons->addStretch(1);
    // 关闭 hides the window with its content; the menu item shows it again as it was.
    addButton("Button4", "关闭", [this] { hide(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabhistory_, 4);
    layout->addWidget(chthistory_, 5);
    layout->addLayout(options);
    layout->addLayout(buttons);

    analyse(OmissionSort::Number);
}

void OmissionWindow::analyse(OmissionSort sort)
{
    // The zone takes effect here, not when the radio button is clicked.
    table_ = quorlin::buildOmissionTable(document_.state(), !optqian_->isChecked(), rule_, sort);
    QStringList headers;
    for (const std::string& header : table_.headers)
        headers.append(QString::fromStdString(header));
    tabhistory_->table().reset(
        headers, static_cast<int>(table_.rows.size()),
        [this](int row, int column) {
            return QString::fromStdString(
                table_.rows[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(column)]);
        },
        columnTips(rule_));
    layoutColumns();
    drawchart();
}

void OmissionWindow::drawchart()
{
    std::array<QList<BarChart::Bar>, 4> bars;
    for (const quorlin::OmissionRow& row : table_.rows) {
        const QString number = QString::fromStdString(row.cells[0]);
        bars[0].append({number, double(row.chase)});
        bars[1].append({number, double(row.omission)});
        bars[2].append({number, double(row.occurrences)});
        bars[3].append({number, double(row.longestAbsence)});
    }
    for (int i = 0; i < 4; ++i) {
        chthistory_->setBars(i, std::move(bars[i]));
        chthistory_->setSeriesVisible(i, chk_[i]->isChecked());
    }
    chthistory_->setValueLabelsVisible(chkhistorybiao_->isChecked());
    chthistory_->draw();
}

void OmissionWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The columns share the grid's width once it has one; after that the user may resize them.
    if (!columnsPlaced_) {
        columnsPlaced_ = true;
        layoutColumns();
    }
}

void OmissionWindow::layoutColumns()
{
    const int width = std::max(1, (tabhistory_->width() - kGridChrome) / kColumns);
    for (int column = 0; column < kColumns; ++column)
        tabhistory_->setColumnWidth(column, width);
}

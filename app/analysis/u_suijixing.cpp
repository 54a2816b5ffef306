// Tfrmsuijixing: 随机性检验, the draw history tested against chance.
#include "analysis/u_suijixing.h"

#include "common/bar_chart.h"
#include "common/definition_tip.h"
#include "common/error_handler.h"
#include "common/integer_fields.h"
#include "common/message_box.h"
#include "common/text_grid.h"
#include "shell/lottery_document.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// The printed columns of the core's table (检验, 统计量, 自由度, p值), then the verdict.
constexpr int kPrintedColumns = 4;
constexpr int kRowHeight = 22;

QLineEdit* issueEdit(const char* name, const QString& placeholder)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    edit->setPlaceholderText(placeholder);
    edit->setMaximumWidth(80);
    return edit;
}

} // namespace

Tfrmsuijixing::Tfrmsuijixing(LotteryDocument& document, QWidget* parent) : QWidget(parent), document_(document)
{
    setObjectName("frmsuijixing");
    setWindowTitle(QStringLiteral("随机性检验"));
    setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint);
    resize(1000, 780);

    optquanbu_ = new QRadioButton(QStringLiteral("全部"));
    optquanbu_->setObjectName("optquanbu");
    optquanbu_->setChecked(true);
    optqujian_ = new QRadioButton(QStringLiteral("从"));
    optqujian_->setObjectName("optqujian");
    edtfrom_ = issueEdit("edtfrom", QStringLiteral("最早"));
    edtto_ = issueEdit("edtto", QStringLiteral("最新"));
    optzuijin_ = new QRadioButton(QStringLiteral("最近"));
    optzuijin_->setObjectName("optzuijin");
    edtzuijin_ = new QLineEdit(QStringLiteral("500"));
    edtzuijin_->setObjectName("edtzuijin");
    edtzuijin_->setMaximumWidth(60);
    // Typing a range picks its button.
    connect(edtfrom_, &QLineEdit::textEdited, optqujian_, [this] { optqujian_->setChecked(true); });
    connect(edtto_, &QLineEdit::textEdited, optqujian_, [this] { optqujian_->setChecked(true); });
    connect(edtzuijin_, &QLineEdit::textEdited, optzuijin_, [this] { optzuijin_->setChecked(true); });

    auto* optfanwei = new QGroupBox(QStringLiteral("检验范围"));
    optfanwei->setObjectName("optfanwei");
    auto* range = new QHBoxLayout(optfanwei);
    range->addWidget(optquanbu_);
    range->addSpacing(16);
    range->addWidget(optqujian_);
    range->addWidget(edtfrom_);
    range->addWidget(new QLabel(QStringLiteral("期到")));
    range->addWidget(edtto_);
    range->addWidget(new QLabel(QStringLiteral("期")));
    range->addSpacing(16);
    range->addWidget(optzuijin_);
    range->addWidget(edtzuijin_);
    range->addWidget(new QLabel(QStringLiteral("期")));

    auto* btnjianyan = new QPushButton(QStringLiteral("检验"));
    btnjianyan->setObjectName("btnjianyan");
    btnjianyan->setDefault(true);
    connect(btnjianyan, &QPushButton::clicked, this, [this] { runGuarded(this, [this] { btnjianyanClick(); }); });
    auto* btnclose = new QPushButton(QStringLiteral("关闭"));
    btnclose->setObjectName("btnclose");
    connect(btnclose, &QPushButton::clicked, this, &QWidget::hide);

    auto* top = new QHBoxLayout;
    top->addWidget(optfanwei);
    top->addStretch(1);
    top->addWidget(btnjianyan);
    top->addWidget(btnclose);

    lblfanwei_ = new QLabel;
    lblfanwei_->setObjectName("lblfanwei");

    tabjianyan_ = new TextGrid;
    tabjianyan_->setObjectName("tabjianyan");
    tabjianyan_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tabjianyan_->horizontalHeader()->setStretchLastSection(true);
    tabjianyan_->setFixedHeight(kRowHeight * (quorlin::kRandomnessTests + 1) + 6);
    tabjianyan_->table().setRowTip([this](int row) {
        return report_ ? QString::fromStdString(report_->rows[static_cast<std::size_t>(row)].nullModel) : QString();
    });

    lbljielun_ = new QLabel;
    lbljielun_->setObjectName("lbljielun");
    lbljielun_->setWordWrap(true);
    lbljielun_->setToolTip(definitionTip(quorlin::Term::RandomConclusion));
    QFont bold = lbljielun_->font();
    bold.setBold(true);
    lbljielun_->setFont(bold);

    chtjianyan_ = new BarChart(QString());
    chtjianyan_->setObjectName("chtjianyan");
    chtjianyan_->addSeries(QStringLiteral("实际"), QColor("red"));
    chtjianyan_->addSeries(QStringLiteral("随机期望"), QColor("blue"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(lblfanwei_);
    layout->addWidget(tabjianyan_);
    layout->addWidget(lbljielun_);
    layout->addWidget(chtjianyan_, 1);

    connect(tabjianyan_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    showRow(current.row());
            });

    // Every stored draw at once; a lottery without draws says so in place of the conclusion.
    const QString refusal = test(quorlin::DrawRange::all());
    if (!refusal.isEmpty())
        lbljielun_->setText(refusal);
}

std::optional<quorlin::DrawRange> Tfrmsuijixing::chosenRange(QString& error) const
{
    if (optqujian_->isChecked())
        return quorlin::DrawRange::issues(edtfrom_->text().trimmed().toStdString(),
                                          edtto_->text().trimmed().toStdString());
    if (!optzuijin_->isChecked())
        return quorlin::DrawRange::all();
    IntegerFields fields;
    const int count = fields.read(edtzuijin_->text(), QStringLiteral("最近期数"));
    if (!fields.ok() || count < 1) {
        error = fields.ok() ? QStringLiteral("最近期数应为正整数！") : fields.error();
        return std::nullopt;
    }
    return quorlin::DrawRange::last(static_cast<std::size_t>(count));
}

void Tfrmsuijixing::btnjianyanClick()
{
    QString error;
    const auto range = chosenRange(error);
    if (range)
        error = test(*range);
    if (!error.isEmpty())
        refuse(this, error);
}

QString Tfrmsuijixing::test(const quorlin::DrawRange& range)
{
    const quorlin::RangeDraws draws = quorlin::drawsInRange(document_.state(), range);
    if (!draws.refusal.empty())
        return QString::fromStdString(draws.refusal);
    report_ = quorlin::testRandomness(draws.shape, draws.draws);
    showReport();
    return {};
}

void Tfrmsuijixing::showReport()
{
    const quorlin::RandomnessReport& report = *report_;
    lblfanwei_->setText(QStringLiteral("检验范围：第%1期至第%2期，共%3期")
                            .arg(report.firstIssue)
                            .arg(report.lastIssue)
                            .arg(report.drawCount));
    // The core's printed table: the header, the eight rows, the 结论 line.
    const auto printed = quorlin::randomnessTable(report);
    QStringList headers;
    for (int column = 0; column < kPrintedColumns; ++column)
        headers << QString::fromStdString(printed.front()[static_cast<std::size_t>(column)]);
    headers << QStringLiteral("结论");
    tabjianyan_->table().reset(headers, static_cast<int>(report.rows.size()),
                               [this, printed](int row, int column) {
                                   const auto r = static_cast<std::size_t>(row);
                                   if (column < kPrintedColumns)
                                       return QString::fromStdString(printed[r + 1][static_cast<std::size_t>(column)]);
                                   return QString::fromStdString(report_->rows[r].verdict);
                               },
                               {QString(), QStringLiteral("X²统计量（号码频率两行已乘不放回校正系数）；和值游程为z值"),
                                QStringLiteral("合并期望次数不足5的格后的格数减1；和值游程不用"),
                                QStringLiteral("随机开奖时出现至少这样大偏离的概率"), QString()});
    lbljielun_->setText(QStringLiteral("结论：") + QString::fromStdString(report.conclusion));
    const int picked = std::max(0, tabjianyan_->currentIndex().row());
    tabjianyan_->selectRow(picked);
    showRow(picked);
}

void Tfrmsuijixing::showRow(int index)
{
    if (!report_ || index < 0 || index >= static_cast<int>(report_->rows.size()))
        return;
    const quorlin::RandomnessRow& row = report_->rows[static_cast<std::size_t>(index)];
    const QString name = QString::fromStdString(row.name);
    QList<BarChart::Bar> observed, expected;
    for (const quorlin::CountCell& cell : row.cells) {
        const QString label = QString::fromStdString(cell.label);
        observed.append({label, cell.observed});
        expected.append({label, std::round(cell.expected * 10.0) / 10.0});
    }
    chtjianyan_->setTitle(row.cells.empty() ? name + QStringLiteral("：游程检验没有分布图")
                                            : name + QStringLiteral("：实际次数与随机期望次数"));
    chtjianyan_->setBars(0, std::move(observed));
    chtjianyan_->setBars(1, std::move(expected));
    chtjianyan_->draw();
}

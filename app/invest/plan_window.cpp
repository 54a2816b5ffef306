#include "invest/plan_window.h"

#include "common/error_handler.h"
#include "common/file_dialog.h"
#include "common/message_box.h"
#include "common/money_text.h"
#include "common/print_job.h"
#include "common/table_export_menu.h"
#include "common/text_table_model.h"
#include "invest/money.h"
#include "invest/plan_printout.h"
#include "invest/plan_store.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

using namespace quorlin;

PlanWindow::PlanWindow(PlanKind kind, std::string apppath, const QString& caption, QWidget* parent)
    : InvestWindow(caption, parent), apppath_(std::move(apppath)), store_(kind)
{
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(6);
    addField(fields, 0, 0, "edtprekui", QStringLiteral("前期亏损："), QStringLiteral("0"));
    addField(fields, 0, 1, "edtlirun", QStringLiteral("预期利润："), QStringLiteral("10"));
    addField(fields, 0, 2, "edtinofsin", QStringLiteral("单倍投入："), QStringLiteral("16"));
    addField(fields, 0, 3, "edtoutofsin", QStringLiteral("单注奖金："), QStringLiteral("1000"));
    edtdays_ = addField(fields, 1, 0, "edtdays", QStringLiteral("投注期数："), QStringLiteral("80"));
    if (kind == PlanKind::Staged)
        extra_ = addField(fields, 1, 1, "edtjieduan", QStringLiteral("阶段次数："), QStringLiteral("10"));
    if (kind == PlanKind::Variable)
        extra_ = addField(fields, 1, 1, "edtjushu", QStringLiteral("本期注数："), QStringLiteral("8"));

    model_ = new TextTableModel(this);
    grdjihua_ = new QTableView(this);
    grdjihua_->setObjectName("grdjihua");
    grdjihua_->setModel(model_);
    TableExportMenu::install(grdjihua_);
    grdjihua_->verticalHeader()->hide();
    grdjihua_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdjihua_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdjihua_->horizontalHeader()->setHighlightSections(false);
    grdjihua_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);

    commands_ = new QHBoxLayout;
    commands_->addStretch();
    auto button = [this](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        commands_->addWidget(b);
        return b;
    };
    btnsave_ = button("btnsave", QStringLiteral("保存"));
    btnload_ = button("btnload", QStringLiteral("载入"));
    btnprint_ = button("btnprint", QStringLiteral("打印"));
    btnclose_ = button("btnclose", QStringLiteral("关闭"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(grdjihua_, 1);
    layout->addLayout(commands_);

    connect(btnsave_, &QPushButton::clicked, this, &PlanWindow::btnsaveClick);
    connect(btnload_, &QPushButton::clicked, this, &PlanWindow::btnloadClick);
    connect(btnprint_, &QPushButton::clicked, this, &PlanWindow::btnprintClick);
    connect(btnclose_, &QPushButton::clicked, this, &QWidget::hide);

    std::vector<QStringList> none;
    QStringList headers;
    for (const char* header : planHeaders(kind))
        headers.append(QString::fromUtf8(header));
    setTable(headers, std::move(none));
    resize(760, 560);
}

PlanWindow::~PlanWindow() = default;

QLineEdit* PlanWindow::addField(QGridLayout* grid, int row, int column, const char* name, const QString& label,
                                const QString& text)
{
    auto* edit = new QLineEdit(text, this);
    edit->setObjectName(name);
    auto* caption = new QLabel(label, this);
    caption->setBuddy(edit);
    grid->addWidget(caption, row, 2 * column, Qt::AlignRight);
    grid->addWidget(edit, row, 2 * column + 1);
    fields_.push_back(edit);
    return edit;
}

QPushButton* PlanWindow::addCommand(const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    // After the stretch, before 保存.
    commands_->insertWidget(commands_->indexOf(btnsave_), b);
    return b;
}

PlanInputs PlanWindow::readInputs() const
{
    PlanInputs in;
    in.days = toInt32(edtdays_->text().toStdString());
    if (kind() == PlanKind::Staged)
        in.jieduan = toInt32(extra_->text().toStdString());
    in.prekui = toInt64(fields_[0]->text().toStdString());
    in.lirun = toInt64(fields_[1]->text().toStdString());
    in.inofsin = toInt64(fields_[2]->text().toStdString());
    in.outofsin = toInt64(fields_[3]->text().toStdString());
    return in;
}

QStringList PlanWindow::fieldTexts() const
{
    QStringList texts;
    for (const QLineEdit* field : fields_)
        texts.append(field->text());
    return texts;
}

void PlanWindow::setTable(const QStringList& headers, std::vector<QStringList> rows)
{
    headers_ = headers;
    rows_ = std::move(rows);
    showRows();
}

void PlanWindow::appendRow(const QStringList& cells)
{
    rows_.push_back(cells);
    showRows();
}

void PlanWindow::showRows()
{
    // The money in short, as a narrow column shows it; copies and exports write the plain rows,
    // like the saved file and the print-out.
    model_->reset(headers_, tableRows(), [this](int row, int column) {
        const QString text = cell(row, column);
        const std::optional<std::int64_t> money =
            isMoneyHeader(headers_.value(column).toStdString()) ? parseWholeNumber(text.toStdString()) : std::nullopt;
        return money ? QString::fromStdString(yuanShortText(*money)) : text;
    });
    model_->setPlainCell([this](int row, int column) { return cell(row, column); });
    setColumnWidths();
}

QString PlanWindow::cell(int row, int column) const
{
    if (row < 0 || row >= tableRows())
        return {};
    return rows_[static_cast<std::size_t>(row)].value(column);
}

std::vector<QStringList> PlanWindow::storeRows(std::size_t count) const
{
    std::vector<QStringList> rows;
    for (std::size_t r = 0; r < count; ++r) {
        QStringList cells;
        for (int c = 0; c < store_.columns(); ++c)
            cells.append(QString::number(store_.row(r)[static_cast<std::size_t>(c)]));
        rows.push_back(cells);
    }
    return rows;
}

void PlanWindow::setColumnWidths()
{
    const int columns = static_cast<int>(headers_.size());
    const int width = std::max(20, (grdjihua_->viewport()->width() - 20) / columns);
    for (int c = 0; c < columns; ++c)
        grdjihua_->setColumnWidth(c, width);
}

void PlanWindow::showAverage(std::size_t rows)
{
    inform(QStringLiteral("平均每期净利润为:") + QString::fromStdString(yuanFullText(store_.averageNet(rows))));
}

void PlanWindow::inform(const QString& text)
{
    MessageBox::information(this, QStringLiteral("提示"), text);
}

void PlanWindow::addGenerateCommand()
{
    QPushButton* btnala = addCommand("btnala", QStringLiteral("生成计划"));
    btnala->setDefault(true);
    connect(btnala, &QPushButton::clicked, this, &PlanWindow::generateWholePlan);
}

void PlanWindow::generateWholePlan()
{
    runGuarded(this, [this] {
        const PlanInputs in = readInputs();
        if (in.days <= 0)
            return refuse(this, QStringLiteral("投注期数必须大于0！"));
        if (kind() == PlanKind::Staged && in.jieduan <= 0)
            return refuse(this, QStringLiteral("阶段次数必须大于0！"));
        const PlanOutcome outcome =
            kind() == PlanKind::Staged ? buildStagedPlan(in, store_) : buildFixedPlan(in, store_);
        if (outcome == PlanOutcome::MultipleTooLarge)
            return inform(QStringLiteral("所需倍数太大，无法投注！"));
        QStringList headers;
        for (const char* header : planHeaders(kind()))
            headers.append(QString::fromUtf8(header));
        setTable(headers, storeRows(static_cast<std::size_t>(in.days)));
        showAverage(static_cast<std::size_t>(in.days));
    });
}

bool PlanWindow::showLoadedWholePlan(const PlanLoad& load, const QString& firstHeader)
{
    QStringList headers;
    for (const char* header : planHeaders(kind()))
        headers.append(QString::fromUtf8(header));
    headers[0] = firstHeader;
    std::vector<QStringList> rows(static_cast<std::size_t>(load.days));
    for (std::size_t r = 0; r < load.rows.size(); ++r) {
        for (const std::string& text : load.rows[r])
            rows[r].append(QString::fromStdString(text));
    }
    setTable(headers, std::move(rows));
    if (!load.error.empty()) {
        refuse(this, QString::fromStdString(load.error));
        return false;
    }
    return true;
}

QString PlanWindow::proposedFile() const
{
    return QString::fromStdString(apppath_) + QStringLiteral("附属/") + QString::fromUtf8(planFileName(kind()));
}

void PlanWindow::btnsaveClick()
{
    const QString path =
        FileDialog::getSaveFileName(this, QStringLiteral("保存"), proposedFile(), FileDialog::textFiles());
    if (path.isEmpty())
        return;
    std::vector<std::string> header;
    for (const QString& text : fieldTexts())
        header.push_back(text.toStdString());
    std::vector<std::vector<std::string>> rows;
    for (const QStringList& row : rows_) {
        rows.emplace_back();
        for (int c = 0; c < headers_.size(); ++c)
            rows.back().push_back(row.value(c).toStdString());
    }
    std::string error;
    if (!writePlanFile(path.toStdString(), header, rows, error))
        return refuse(this, QString::fromStdString(error));
    planSaved();
    inform(QStringLiteral("成功保存！"));
}

void PlanWindow::btnloadClick()
{
    const QString path =
        FileDialog::getOpenFileName(this, QStringLiteral("载入"), proposedFile(), FileDialog::textFiles());
    if (path.isEmpty())
        return;
    runGuarded(this, [&] {
        const PlanLoad load = loadPlanFile(path.toStdString(), store_);
        if (!load.refusal.empty())
            return refuse(this, QString::fromStdString(load.refusal));
        for (std::size_t i = 0; i < fields_.size() && i < load.header.size(); ++i)
            fields_[i]->setText(QString::fromStdString(load.header[i]));
        planLoaded(load);
    });
}

void PlanWindow::btnprintClick()
{
    if (rows_.empty() || cell(0, 1).isEmpty())
        return refuse(this, QStringLiteral("请先生成表格！"));
    PlanPrintout plan{kind(), planParameterLine(kind(), fieldTexts(), printDate()), headers_, rows_};
    const QString pdf =
        QString::fromStdString(apppath_) + QStringLiteral("附属/") + planPrintTitle(kind()) + QStringLiteral(".pdf");
    runPrintJob(this, planPageCount(rows_.size()), pdf,
                [&plan](QPaintDevice& device) { return planPages(plan, device); });
}

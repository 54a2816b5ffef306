// Tfrmkeibianjihua: 可变投资计划, the variable stake plan.
#include "invest/u_keibianjihua.h"

#include "common/error_handler.h"
#include "common/message_box.h"
#include "invest/money.h"

#include <QLineEdit>
#include <QPushButton>

using namespace quorlin;

Tfrmkeibianjihua::Tfrmkeibianjihua(std::string apppath, QWidget* parent)
    : PlanWindow(PlanKind::Variable, std::move(apppath), QStringLiteral("可变投资计划"), parent)
{
    setObjectName("frmkeibianjihua");
    btnnew_ = addCommand("btnnew", QStringLiteral("新建"));
    btnjisuan_ = addCommand("btnjisuan", QStringLiteral("添加本期计划"));
    btnload()->setDefault(true);
    connect(btnnew_, &QPushButton::clicked, this, &Tfrmkeibianjihua::btnnewClick);
    connect(btnjisuan_, &QPushButton::clicked, this, &Tfrmkeibianjihua::btnjisuanClick);
    setBuilding(false, true);
}

void Tfrmkeibianjihua::setBuilding(bool building, bool browsing)
{
    btnnew_->setText(building ? QStringLiteral("取消保存") : QStringLiteral("新建"));
    btnjisuan_->setEnabled(building);
    btnload()->setEnabled(browsing);
    btnprint()->setEnabled(browsing);
    btnclose()->setEnabled(browsing);
}

void Tfrmkeibianjihua::clearTable()
{
    QStringList headers;
    for (const char* header : planHeaders(PlanKind::Variable))
        headers.append(QString::fromUtf8(header));
    setTable(headers, {});
}

void Tfrmkeibianjihua::btnnewClick()
{
    // Rows added since the last load or save exist nowhere else.
    if (unsavedRows_ > 0 &&
        MessageBox::question(this, QStringLiteral("提示"),
                             QStringLiteral("将丢弃未保存的%1期计划，是否继续？").arg(unsavedRows_),
                             QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    unsavedRows_ = 0;
    clearTable();
    const bool starting = btnnew_->text() == QStringLiteral("新建");
    // A new plan is built to its end or thrown away before the window does anything else.
    setBuilding(starting, !starting);
}

void Tfrmkeibianjihua::btnjisuanClick()
{
    runGuarded(this, [this] {
        const PlanInputs in = readInputs();
        const std::int32_t bets = toInt32(extraField()->text().toStdString());
        const int k = tableRows() + 1;
        if (k > in.days)
            return inform(QStringLiteral("投资期限已满") + edtdays()->text() + QStringLiteral("天!"));
        // The running total is the previous row's as the table shows it, so a loaded plan goes on
        // from its own figures.
        const std::int64_t before = k == 1 ? in.prekui : toInt64(cell(k - 2, 4).toStdString());
        const auto row = variableDraw(k, bets, before, in);
        if (!row)
            return inform(QStringLiteral("所需倍数太大，无法投注！"));
        store().resize(static_cast<std::size_t>(in.days));
        store().row(static_cast<std::size_t>(k - 1)) = *row;
        appendRow(storeRows(static_cast<std::size_t>(k)).back());
        ++unsavedRows_;
        showAverage(static_cast<std::size_t>(k));
    });
}

void Tfrmkeibianjihua::planLoaded(const PlanLoad& load)
{
    unsavedRows_ = 0;
    clearTable();
    for (const auto& row : load.rows) {
        QStringList cells;
        for (const std::string& text : row)
            cells.append(QString::fromStdString(text));
        appendRow(cells);
    }
    if (!load.error.empty())
        return refuse(this, QString::fromStdString(load.error));
    if (!load.rows.empty())
        showAverage(load.rows.size());
    setBuilding(true, true);
}

void Tfrmkeibianjihua::planSaved()
{
    unsavedRows_ = 0;
    // A saved plan can still be extended; 新建 then starts afresh.
    btnnew_->setText(QStringLiteral("新建"));
    btnload()->setEnabled(true);
    btnprint()->setEnabled(true);
    btnclose()->setEnabled(true);
}

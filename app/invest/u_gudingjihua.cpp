// Tfrmgudingjihua: 固定投资计划, the fixed stake plan.
#include "invest/u_gudingjihua.h"

Tfrmgudingjihua::Tfrmgudingjihua(std::string apppath, QWidget* parent)
    : PlanWindow(quorlin::PlanKind::Fixed, std::move(apppath), QStringLiteral("固定计划投资"), parent)
{
    setObjectName("frmgudingjihua");
    addGenerateCommand();
}

void Tfrmgudingjihua::planLoaded(const quorlin::PlanLoad& load)
{
    showLoadedWholePlan(load, QStringLiteral("投注时间"));
    // A line that is no number ends the reading; the user learns how many rows came in whole.
    if (load.stoppedAt > 0)
        inform(QString::number(load.completeRows));
    showAverage(static_cast<std::size_t>(load.days));
}

// Tfrmjieduanjihua: 阶段投资计划, the staged stake plan.
#include "invest/u_jieduanjihua.h"

Tfrmjieduanjihua::Tfrmjieduanjihua(std::string apppath, QWidget* parent)
    : PlanWindow(quorlin::PlanKind::Staged, std::move(apppath), QStringLiteral("阶段计划投资"), parent)
{
    setObjectName("frmjieduanjihua");
    addGenerateCommand();
}

void Tfrmjieduanjihua::planLoaded(const quorlin::PlanLoad& load)
{
    if (showLoadedWholePlan(load, QStringLiteral("投注期号")))
        showAverage(static_cast<std::size_t>(load.days));
}

#include "invest/u_jieduanjihua.h"

#include <QPushButton>

Tfrmjieduanjihua::Tfrmjieduanjihua(std::string apppath, QWidget* parent)
    : PlanWindow(quorlin::PlanKind::Staged, std::move(apppath), QStringLiteral("阶段计划投资"), parent)
{
    setObjectName("frmjieduanjihua");
    QPushButton* btnala = addCommand("btnala", QStringLiteral("生成计划"));
    btnala->setDefault(true);
    connect(btnala, &QPushButton::clicked, this, &Tfrmjieduanjihua::generateWholePlan);
}

void Tfrmjieduanjihua::planLoaded(const quorlin::PlanLoad& load)
{
    if (showLoadedWholePlan(load, QStringLiteral("投注期号")))
        showAverage(static_cast<std::size_t>(load.days));
}

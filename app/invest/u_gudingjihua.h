#pragma once

#include "invest/plan_window.h"

/// 固定计划投资: the fixed stake plan, whose multiple is chosen draw by draw.
class Tfrmgudingjihua : public PlanWindow {
    Q_OBJECT
public:
    explicit Tfrmgudingjihua(std::string apppath, QWidget* parent = nullptr);

protected:
    void planLoaded(const quorlin::PlanLoad& load) override;
};

#pragma once

#include "invest/plan_window.h"

/// 阶段计划投资: the staged stake plan, one multiple for each stage of ⌈N/S⌉ draws.
class Tfrmjieduanjihua : public PlanWindow {
    Q_OBJECT
public:
    explicit Tfrmjieduanjihua(std::string apppath, QWidget* parent = nullptr);

protected:
    void planLoaded(const quorlin::PlanLoad& load) override;
};

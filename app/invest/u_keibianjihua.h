#pragma once

#include "invest/plan_window.h"

class QPushButton;

/// 可变投资计划: the variable stake plan, grown one draw at a time, each draw with its own number
/// of bets. Idle ("新建") until a plan is started or loaded; then building ("取消保存").
class Tfrmkeibianjihua : public PlanWindow {
    Q_OBJECT
public:
    explicit Tfrmkeibianjihua(std::string apppath, QWidget* parent = nullptr);

protected:
    void planLoaded(const quorlin::PlanLoad& load) override;
    void planSaved() override;

private:
    void btnnewClick();
    void btnjisuanClick();
    /// Building a plan (caption "取消保存") or idle ("新建"); `browsing` leaves 载入, 打印 and 关闭 usable.
    void setBuilding(bool building, bool browsing);
    void clearTable();

    QPushButton* btnnew_;
    QPushButton* btnjisuan_;
    int unsavedRows_ = 0;
};

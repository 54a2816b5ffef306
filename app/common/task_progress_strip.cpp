#include "common/task_progress_strip.h"

#include "common/task_runner.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>

namespace {

// The bar counts in thousandths, whatever the work counts in.
constexpr int kProgressSteps = 1000;

} // namespace

TaskProgressStrip::TaskProgressStrip(TaskRunner* runner, QWidget* window)
    : QWidget(window), runner_(runner), window_(window), pb_(new QProgressBar)
{
    pb_->setObjectName("pb");
    pb_->setRange(0, kProgressSteps);
    pb_->setTextVisible(false);
    auto* btnstop = new QPushButton(QStringLiteral("停止"));
    btnstop->setObjectName("btnstop");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pb_);
    layout->addWidget(btnstop);
    connect(btnstop, &QPushButton::clicked, runner_, &TaskRunner::cancel);
    connect(runner_, &TaskRunner::progress, this, [this](qint64 done, qint64 total) {
        pb_->setValue(total > 0 ? static_cast<int>(std::min(done, total) * kProgressSteps / total) : 0);
    });
    connect(runner_, &TaskRunner::finished, this, [this] {
        window_->unsetCursor();
        hide();
        emit ended();
    });
    hide();
}

void TaskProgressStrip::started()
{
    pb_->setValue(0);
    window_->setCursor(Qt::BusyCursor);
    show();
}

// ConditionRunWindow: the shared frame of 过滤条件回测 and 方案回放.
#include "check/condition_run_window.h"

#include "common/error_handler.h"
#include "common/message_box.h"
#include "common/task_progress_strip.h"
#include "shell/lottery_document.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

ConditionRunWindow::ConditionRunWindow(LotteryDocument& document, FilterConditionSource source, const QString& verb,
                                       const QString& buttonName, const QString& hint, QWidget* parent)
    : QWidget(parent), document_(document), source_(std::move(source)), verb_(verb), runner_(new TaskRunner(this))
{
    setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint);

    edtqishu_ = new QLineEdit(QStringLiteral("100"));
    edtqishu_->setObjectName("edtqishu");
    edtqishu_->setMaximumWidth(60);
    btnrun_ = new QPushButton(verb);
    btnrun_->setObjectName(buttonName);
    btnrun_->setDefault(true);
    auto* btnclose = new QPushButton(QStringLiteral("关闭"));
    btnclose->setObjectName("btnclose");
    strip_ = new TaskProgressStrip(runner_, this);

    top_ = new QHBoxLayout;
    top_->addWidget(new QLabel(verb + QStringLiteral("最近")));
    top_->addWidget(edtqishu_);
    top_->addWidget(new QLabel(hint));
    top_->addStretch(1);
    top_->addWidget(strip_);
    top_->addWidget(btnrun_);
    top_->addWidget(btnclose);

    lbltiaojian_ = new QLabel(QStringLiteral("条件：请在总体过滤窗口中设置条件后点击“%1”。").arg(verb));
    lbltiaojian_->setObjectName("lbltiaojian");
    lbltiaojian_->setWordWrap(true);

    body_ = new QVBoxLayout(this);
    body_->addLayout(top_);
    body_->addWidget(lbltiaojian_);

    connect(btnrun_, &QPushButton::clicked, this, [this] { runGuarded(this, [this] { runWithSourceConditions(); }); });
    connect(btnclose, &QPushButton::clicked, this, &QWidget::hide);
    connect(strip_, &TaskProgressStrip::ended, this, [this] { updateCommandStates(); });
}

bool ConditionRunWindow::isBusy() const
{
    return runner_->isRunning();
}

void ConditionRunWindow::runWithSourceConditions()
{
    if (isBusy() || refusedUnderMapping())
        return;
    QString message = QStringLiteral("请先打开总体过滤窗口并设置过滤条件！");
    const auto settings = source_ ? source_(message) : std::nullopt;
    if (!settings) {
        refuse(this, message);
        return;
    }
    runOn(*settings);
}

void ConditionRunWindow::addToTopRow(QWidget* widget)
{
    top_->insertWidget(top_->indexOf(strip_) - 1, widget);
}

std::optional<std::size_t> ConditionRunWindow::drawCount()
{
    if (isBusy() || refusedUnderMapping())
        return std::nullopt;
    bool ok = false;
    const int count = edtqishu_->text().trimmed().toInt(&ok);
    if (!ok || count < 1) {
        refuse(this, verb_ + QStringLiteral("期数应为正整数！"));
        return std::nullopt;
    }
    return static_cast<std::size_t>(count);
}

bool ConditionRunWindow::refusedUnderMapping()
{
    // Under the transformed mapping the conditions speak of the coming draw's labels, which the
    // past draws never had.
    if (!document_.state().bianhuan)
        return false;
    refuse(this, verb_ + QStringLiteral("按真实号码进行，请先切换到标准走势！"));
    return true;
}

void ConditionRunWindow::startedRun()
{
    strip_->started();
    updateCommandStates();
}

void ConditionRunWindow::updateCommandStates()
{
    const bool idle = !isBusy();
    btnrun_->setEnabled(idle);
    edtqishu_->setEnabled(idle);
}

#include "select/selection_window.h"

#include "common/bet_cost_line.h"
#include "common/form_widgets.h"
#include "common/message_box.h"
#include "common/task_runner.h"
#include "select/radio_group.h"
#include "shell/lottery_document.h"
#include "store/combinations.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <memory>

namespace {

constexpr int kCaptionWidth = 84;
constexpr int kCostWidth = 250;

} // namespace

SelectionWindow::SelectionWindow(LotteryDocument& document, const char* name, const QString& caption, const QSize& size,
                                 QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      document_(document), runner_(new TaskRunner(this))
{
    setObjectName(name);
    setWindowTitle(caption);
    setFixedSize(size);
    connect(runner_, &TaskRunner::finished, this, [this] {
        unsetCursor();
        for (QPushButton* command : commands_)
            command->setEnabled(true);
    });
}

SelectionWindow::~SelectionWindow() = default;

bool SelectionWindow::isBusy() const
{
    return runner_->isRunning();
}

quorlin::Zone SelectionWindow::zone() const
{
    return optqianhou_ && optqianhou_->itemIndex() == 1 ? quorlin::Zone::Back : quorlin::Zone::Front;
}

RadioGroup* SelectionWindow::buildZoneChoice(const QRect& geometry)
{
    optqianhou_ = new RadioGroup("optqianhou", {QStringLiteral("前区"), QStringLiteral("后区")}, 0, this);
    optqianhou_->setGeometry(geometry);
    return optqianhou_;
}

quorlin::ZoneDraws SelectionWindow::readDraws(quorlin::Zone zone)
{
    return quorlin::readZoneDraws(document_.datamod().t_caipiao, document_.state(), zone);
}

void SelectionWindow::buildFrame(const BacktestFrame::Style& style, const QRect& geometry)
{
    frame_ = new BacktestFrame(style, this);
    frame_->setGeometry(geometry);
}

QComboBox* SelectionWindow::buildTargetList(const QRect& geometry, const quorlin::ZoneDraws& draws)
{
    QStringList items;
    for (const std::string& issue : quorlin::targetIssues(draws))
        items.append(QString::fromStdString(issue));
    return buildList("comcurqi", QStringLiteral("目前投注期："), items, static_cast<int>(items.size()) - 1, geometry);
}

QLineEdit* SelectionWindow::buildResultLine(const char* name, const QString& caption, const QRect& geometry)
{
    FormWidgets::label(this, caption,
                       {geometry.x() - kCaptionWidth - 4, geometry.y(), kCaptionWidth, geometry.height()});
    // The cost of the recommended numbers stands at the right end of the line.
    QLineEdit* line = FormWidgets::lineEdit(this, name, geometry.adjusted(0, 0, -kCostWidth, 0));
    line->setReadOnly(true);
    resultLine_ = line;
    cost_ = new BetCostLine(this);
    cost_->setGeometry(geometry.right() - kCostWidth + 8, geometry.y(), kCostWidth - 8, geometry.height());
    cost_->setToolTip(QStringLiteral("推荐号码作复式时含的组合数；每个组合配上另一区的号码才成一注"));
    return line;
}

void SelectionWindow::showRecommendation(const std::string& text, std::size_t numbers, int perDraw)
{
    resultLine_->setText(QString::fromStdString(text));
    const auto combinations = static_cast<std::uint64_t>(quorlin::choose(static_cast<std::int32_t>(numbers), perDraw));
    if (zone() == quorlin::Zone::Back)
        cost_->showBacks(combinations);
    else
        cost_->showFronts(combinations);
}

QPushButton* SelectionWindow::addCommand(const char* name, const QString& caption, const QRect& geometry)
{
    QPushButton* button = FormWidgets::button(this, name, caption, geometry);
    commands_.append(button);
    return button;
}

QComboBox* SelectionWindow::buildList(const char* name, const QString& caption, const QStringList& items, int index,
                                      const QRect& geometry)
{
    if (!caption.isEmpty())
        FormWidgets::label(this, caption,
                           {geometry.x() - kCaptionWidth - 4, geometry.y(), kCaptionWidth, geometry.height()})
            ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* list = new QComboBox(this);
    list->setObjectName(name);
    list->setGeometry(geometry);
    list->addItems(items);
    list->setCurrentIndex(index);
    // Thousands of issues: the pop-up shows a page of them, not the whole screen.
    list->setMaxVisibleItems(20);
    return list;
}

QStringList SelectionWindow::numberItems(int first, int last)
{
    QStringList items;
    for (int n = first; n <= last; ++n)
        items.append(QString::number(n));
    return items;
}

void SelectionWindow::startBacktest(
    std::function<quorlin::BacktestReport(const quorlin::LotteryState&, quorlin::Progress&)> work)
{
    for (QPushButton* command : commands_)
        command->setEnabled(false);
    setCursor(Qt::BusyCursor);
    runner_->run(
        this,
        [lease = document_.lease(), work = std::move(work)](quorlin::Progress& progress) {
            return work(*lease, progress);
        },
        [this](quorlin::BacktestReport report) {
            if (!report.cancelled)
                frame_->showReport(std::make_shared<const quorlin::BacktestReport>(std::move(report)));
        });
}

bool SelectionWindow::refused(const std::string& refusal)
{
    if (refusal.empty())
        return false;
    refuse(this, QString::fromStdString(refusal));
    return true;
}

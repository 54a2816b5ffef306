#include "shell/main_status_bar.h"

#include "check/draw_results_report.h"
#include "shell/lottery_document.h"
#include "store/database.h"
#include "store/draw_schedule.h"
#include "store/lottery_catalog.h"
#include "store/schema.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <filesystem>

namespace {

// The coming draw turns into the next one while the program runs: look again every minute.
constexpr int kOutlookIntervalMs = 60 * 1000;

QLabel* addField(QStatusBar* bar, const char* name, bool permanent, int stretch = 0)
{
    auto* label = new QLabel(bar);
    label->setObjectName(name);
    label->setContentsMargins(6, 0, 6, 0);
    if (permanent)
        bar->addPermanentWidget(label);
    else
        bar->addWidget(label, stretch);
    return label;
}

QDate dateOf(std::int32_t date)
{
    return QDate(date / 10000, date / 100 % 100, date % 100);
}

QString outlookText(const quorlin::DrawOutlook& outlook)
{
    static const char* const kWeekdays[] = {"星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"};
    const QDate date = dateOf(outlook.nextDate);
    const QString when = date.toString("yyyy-MM-dd ") + QString::fromUtf8(kWeekdays[date.dayOfWeek() - 1]) +
                         QStringLiteral(" %1:%2")
                             .arg(outlook.nextMinute / 60, 2, 10, QChar('0'))
                             .arg(outlook.nextMinute % 60, 2, 10, QChar('0'));
    if (outlook.nextIssue == 0)
        return "下期开奖：" + when;
    return QStringLiteral("下期：第 %1 期  ").arg(outlook.nextIssue) + when;
}

} // namespace

MainStatusBar::MainStatusBar(LotteryDocument& document, QWidget* parent) : QStatusBar(parent), document_(document)
{
    setObjectName("stbmain");
    setSizeGripEnabled(false);
    lblcaipiao_ = addField(this, "lblcaipiao", false);
    // The newest draw's 一等奖 and pool beside the lottery, in the room the other fields leave; cut
    // short rather than widen the window.
    lblgonggao_ = addField(this, "lblgonggao", false, 1);
    lblgonggao_->setMinimumWidth(1);
    lblqishu_ = addField(this, "lblqishu", true);
    lblzuixin_ = addField(this, "lblzuixin", true);
    lblzoushi_ = addField(this, "lblzoushi", true);
    lblxiaqi_ = addField(this, "lblxiaqi", true);
    btnxiazai_ = new QPushButton(this);
    btnxiazai_->setObjectName("btnxiazai");
    btnxiazai_->setFlat(true);
    btnxiazai_->setCursor(Qt::PointingHandCursor);
    btnxiazai_->setStyleSheet("QPushButton { color: #c00000; font-weight: bold; padding: 0 6px; }");
    // The schedule knows the draw weekdays, not the holiday breaks.
    const QString reckoning = QStringLiteral("按彩票的开奖星期和开奖时间推算；节假日休市期间推算的期数会偏多");
    lblxiaqi_->setToolTip(reckoning);
    btnxiazai_->setToolTip(reckoning + QStringLiteral("。单击下载新的开奖号码"));
    addPermanentWidget(btnxiazai_);
    connect(btnxiazai_, &QPushButton::clicked, this, &MainStatusBar::downloadRequested);
    lblxinkaijiang_ = addField(this, "lblxinkaijiang", true);
    lblxinkaijiang_->hide();
    btnchongshi_ = new QPushButton(QStringLiteral("重试"), this);
    btnchongshi_->setObjectName("btnchongshi");
    btnchongshi_->setCursor(Qt::PointingHandCursor);
    addPermanentWidget(btnchongshi_);
    btnchongshi_->hide();
    connect(btnchongshi_, &QPushButton::clicked, this, &MainStatusBar::retryRequested);
    clock_ = [] { return QDateTime::currentDateTime(); };
    auto* timer = new QTimer(this);
    timer->start(kOutlookIntervalMs);
    connect(timer, &QTimer::timeout, this, &MainStatusBar::checkClock);
    connect(&document_, &LotteryDocument::changed, this, &MainStatusBar::refresh);
    refresh();
}

void MainStatusBar::setClock(Clock clock)
{
    clock_ = std::move(clock);
    checkClock();
}

void MainStatusBar::checkClock()
{
    // Draws that go missing otherwise (the user deleted them) are no news from the schedule.
    const int before = behind_;
    showOutlook();
    if (behind_ > before)
        emit drawsMissing();
}

void MainStatusBar::showDownloadState(const QString& text)
{
    lblxinkaijiang_->setText(text);
    lblxinkaijiang_->setToolTip(QString());
    lblxinkaijiang_->setStyleSheet(QString());
    lblxinkaijiang_->setVisible(!text.isEmpty());
    btnchongshi_->hide();
}

void MainStatusBar::showDownloadFailure(const QString& line, const QString& detail)
{
    lblxinkaijiang_->setText(line);
    lblxinkaijiang_->setToolTip(detail);
    lblxinkaijiang_->setStyleSheet(QStringLiteral("color: #c00000;"));
    lblxinkaijiang_->show();
    btnchongshi_->setToolTip(detail);
    btnchongshi_->show();
}

void MainStatusBar::showOutlook()
{
    const quorlin::LotteryState& state = document_.state();
    // Without an open lottery the coming draw is that of the lottery the program is made for.
    const std::string lottery = state.caiopen ? state.cainame : quorlin::kShippedLottery;
    const QDateTime now = clock_();
    const QDate today = now.date();
    const quorlin::LocalMinute minute{today.year() * 10000 + today.month() * 100 + today.day(),
                                      now.time().hour() * 60 + now.time().minute()};
    std::optional<quorlin::DrawOutlook> outlook;
    try {
        quorlin::Database db;
        db.open(state.databasePath());
        outlook = quorlin::readDrawOutlook(db, lottery, minute);
    } catch (const std::exception&) {
        // No database, or no such lottery in it: the other fields say so; there is no draw to name.
    }
    behind_ = outlook ? std::max(outlook->behind, 0) : 0;
    lblxiaqi_->setVisible(outlook.has_value());
    btnxiazai_->setVisible(behind_ > 0);
    if (!outlook)
        return;
    lblxiaqi_->setText(outlookText(*outlook));
    btnxiazai_->setText(QString::fromStdString(quorlin::behindWarning(outlook->behind)));
}

void MainStatusBar::refresh()
{
    const quorlin::LotteryState& state = document_.state();
    showOutlook();
    if (!state.caiopen) {
        lblcaipiao_->setText(closedHint());
        for (QLabel* field : {lblqishu_, lblzuixin_, lblgonggao_, lblzoushi_}) {
            field->clear();
            field->hide();
        }
        return;
    }
    lblcaipiao_->setText("彩票：" + QString::fromStdString(state.cainame));
    lblqishu_->setText(QStringLiteral("共 %1 期").arg(state.recnum));
    if (state.hisfull.empty()) {
        lblzuixin_->setText(QStringLiteral("还没有开奖号码"));
    } else {
        const std::size_t newest = state.hisfull.rows() - 1;
        QString text = QStringLiteral("最新：第 %1 期").arg(state.hisfull.at(newest, 0));
        if (newest < state.hisdate.size() && !state.hisdate[newest].empty())
            text += "  " + QString::fromStdString(state.hisdate[newest]);
        lblzuixin_->setText(text);
    }
    lblgonggao_->setText(QString::fromStdString(quorlin::newestPrizeLine(state)));
    lblgonggao_->setToolTip(lblgonggao_->text());
    lblzoushi_->setText(state.bianhuan ? QStringLiteral("变幻走势") : QStringLiteral("标准走势"));
    for (QLabel* field : {lblqishu_, lblzuixin_, lblzoushi_})
        field->show();
    lblgonggao_->setVisible(!lblgonggao_->text().isEmpty());
}

QString MainStatusBar::closedHint() const
{
    const std::string path = document_.state().databasePath();
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::path(path), ec))
        return "找不到数据库文件 " + QString::fromStdString(path);
    std::int64_t draws = 0;
    try {
        quorlin::Database db;
        db.open(path);
        for (const std::string& lottery : quorlin::listlotteries(db))
            draws += quorlin::countDraws(db, lottery);
    } catch (const std::exception& e) {
        return "数据库无法读取：" + QString::fromUtf8(e.what());
    }
    if (draws == 0)
        return QStringLiteral("数据库里还没有开奖号码：请用“彩票数据”菜单的“数据下载”下载，或在“数据添加”中"
                              "录入或导入（每行一期：期号、开奖日期、5 个前区号码和 2 个后区号码）。");
    return QStringLiteral("没有打开彩票：请用“文件 → 打开彩票”选择彩票。");
}

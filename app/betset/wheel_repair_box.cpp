// WheelRepairBox: 检查/修补 of a loaded bet list on the 按需生成 page.
#include "betset/wheel_repair_box.h"

#include "betset/wheel_maker_page.h"
#include "common/bet_list_files.h"
#include "common/form_widgets.h"
#include "common/message_box.h"
#include "common/task_runner.h"
#include "wheel/wheel_repair.h"

#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

QString holeText(const std::vector<int>& hole)
{
    QStringList numbers;
    for (const int n : hole)
        numbers << QString::asprintf("%.2d", n);
    return numbers.join(' ');
}

/// A list read in, or why not.
struct ReadList {
    std::string error;
    std::vector<quorlin::WheelBet> bets;
};

} // namespace

WheelRepairBox::WheelRepairBox(WheelMakerPage& page, QWidget* parent)
    : QGroupBox(QStringLiteral("检查/修补已有号码"), parent), page_(page)
{
    setObjectName("grpxiubu");
    auto* btnzairu = FormWidgets::button(this, "btnzairu", QStringLiteral("载入"), QRect(8, 20, 70, 26));
    lblfile_ = FormWidgets::label(this, QStringLiteral("未载入号码"), QRect(84, 20, 327, 26));
    lblfile_->setObjectName("lblfile");
    auto* btnjiancha = FormWidgets::button(this, "btnjiancha", QStringLiteral("检查"), QRect(8, 52, 70, 26));
    auto* btnxiubu = FormWidgets::button(this, "btnxiubu", QStringLiteral("修补"), QRect(84, 52, 70, 26));
    btnxiubu->setToolTip(QStringLiteral("补上漏洞，去掉多余的注，再在限时内尽量减少注数；结果显示在左边"));
    lblfugai_ = FormWidgets::label(this, {}, QRect(162, 52, 249, 26));
    lblfugai_->setObjectName("lblfugai");
    lstkong_ = new QListWidget(this);
    lstkong_->setObjectName("lstkong");
    lstkong_->setGeometry(8, 84, 403, 99);
    lstkong_->setToolTip(QStringLiteral("没有一注保中的开奖号码组合（漏洞）"));
    connect(btnzairu, &QPushButton::clicked, this, &WheelRepairBox::btnzairuClick);
    connect(btnjiancha, &QPushButton::clicked, this, &WheelRepairBox::btnjianchaClick);
    connect(btnxiubu, &QPushButton::clicked, this, &WheelRepairBox::btnxiubuClick);
}

void WheelRepairBox::btnzairuClick()
{
    const QString path = BetListFiles::askOpenName(this);
    if (path.isEmpty())
        return;
    page_.setCommandsEnabled(false);
    page_.runner().run(
        this,
        [file = path.toStdString()](quorlin::Progress&) {
            ReadList read;
            read.error = quorlin::readWheelBets(file, read.bets);
            return read;
        },
        [this, path](ReadList read) {
            if (!read.error.empty()) {
                refuse(this, QString::fromStdString(read.error));
                return;
            }
            bets_ = std::move(read.bets);
            lblfile_->setText(QStringLiteral("%1：%2注").arg(QFileInfo(path).fileName()).arg(bets_.size()));
            lblfugai_->clear();
            lstkong_->clear();
        });
}

bool WheelRepairBox::haveList()
{
    if (bets_.empty())
        refuse(this, QStringLiteral("请先载入要检查的号码！"));
    return !bets_.empty();
}

void WheelRepairBox::btnjianchaClick()
{
    if (!haveList())
        return;
    const auto g = page_.askedGuarantee();
    if (!g)
        return;
    page_.setCommandsEnabled(false);
    page_.runner().run(
        this, [g = *g, bets = bets_](quorlin::Progress&) { return quorlin::wheelCoverage(g, bets); },
        [this](quorlin::WheelCoverage coverage) {
            if (!coverage.error.empty()) {
                refuse(this, QString::fromStdString(coverage.error));
                return;
            }
            lblfugai_->setText(QString::fromStdString(quorlin::wheelCoverageText(coverage)).replace('\t', ' '));
            lstkong_->clear();
            const std::size_t listed = std::min<std::size_t>(coverage.holes.size(), kListedHoles);
            QStringList holes;
            for (std::size_t i = 0; i < listed; ++i)
                holes << holeText(coverage.holes[i]);
            if (listed < coverage.holes.size())
                holes << QStringLiteral("……共%1个漏洞").arg(coverage.holes.size());
            lstkong_->addItems(holes);
        });
}

void WheelRepairBox::btnxiubuClick()
{
    if (!haveList())
        return;
    const auto g = page_.askedGuarantee();
    if (!g)
        return;
    const auto seconds = page_.askedSeconds();
    if (!seconds)
        return;
    page_.setSearching();
    page_.runner().run(
        this,
        [g = *g, bets = bets_, seconds = *seconds](quorlin::Progress& progress) {
            return quorlin::repairWheel(g, bets, seconds, &progress);
        },
        [this, g = *g](quorlin::WheelRepair repair) {
            if (!repair.error.empty()) {
                refuse(this, QString::fromStdString(repair.error));
                return;
            }
            lblfugai_->setText(QStringLiteral("修补：补%1注，去掉%2注，共%3注")
                                   .arg(repair.added)
                                   .arg(repair.dropped)
                                   .arg(repair.bets.size()));
            lstkong_->clear();
            page_.showWheel(g, std::move(repair.bets));
        });
}

// Tfrmdownload2: 数据下载, new draws from the results service.
#include "data/u_download2.h"

#include "common/message_box.h"
#include "common/placed_widgets.h"
#include "draw_downloader.h"
#include "store/schema.h"

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace {

constexpr int kClientWidth = 354;
constexpr int kClientHeight = 74;
const QColor kGreen(0, 128, 0);
const char* const kAllLotteries = "所有彩票";

} // namespace

Tfrmdownload2::Tfrmdownload2(const std::string& apppath, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      downloader_(new DrawDownloader(apppath, quorlin::kShippedLottery, this))
{
    setObjectName("frmdownload2");
    setWindowTitle("数据下载");
    setFixedSize(kClientWidth, kClientHeight);
    QPalette green = palette();
    green.setColor(QPalette::Window, kGreen);
    green.setColor(QPalette::WindowText, Qt::white);
    setPalette(green);
    setAutoFillBackground(true);

    lbltishi_ = addLabel(this, "lbltishi", "选择彩票：", {12, 14, 70, 20});
    comdown_ = new QComboBox(this);
    comdown_->setObjectName("comdown");
    comdown_->setGeometry(84, 12, 162, 24);
    comdown_->setEditable(true);
    comdown_->addItems({kAllLotteries, quorlin::kShippedLottery});
    comdown_->setCurrentIndex(0);
    btndown_ = addButton(this, "btndown", "开始下载", {258, 10, 84, 26});
    btnclose_ = addButton(this, "btnclose", "退出", {258, 40, 84, 26});
    // Enter starts the download.
    btndown_->setDefault(true);

    lbltitle_ = addLabel(this, "lbltitle", "正在更新超级大乐透。。。", {12, 10, 330, 20});
    lbltitle_->hide();
    prgdown_ = new QProgressBar(this);
    prgdown_->setObjectName("prgdown");
    prgdown_->setGeometry(12, 40, 238, 22);
    prgdown_->hide();
    btnstop_ = addButton(this, "btnstop", "停止", {258, 38, 84, 26});
    btnstop_->hide();

    connect(btndown_, &QPushButton::clicked, this, &Tfrmdownload2::btndownClick);
    connect(btnclose_, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnstop_, &QPushButton::clicked, downloader_, &DrawDownloader::stop);
    connect(downloader_, &DrawDownloader::pageStarted, this, &Tfrmdownload2::pageStarted);
    connect(downloader_, &DrawDownloader::progress, this, &Tfrmdownload2::showProgress);
    connect(downloader_, &DrawDownloader::finished, this, &Tfrmdownload2::downloadFinished);
}

Tfrmdownload2::~Tfrmdownload2() = default;

void Tfrmdownload2::btndownClick()
{
    const QString choice = comdown_->currentText().trimmed();
    // Only 中国体彩超级大乐透 can be downloaded: any other text typed into the box is refused by name,
    // and the window stays open for another choice.
    if (choice != kAllLotteries && choice != quorlin::kShippedLottery) {
        MessageBox::warning(this, "数据下载",
                            choice.isEmpty() ? QStringLiteral("请选择要下载的彩票！")
                                             : "“" + choice + "”不是可以下载的彩票：只能下载" +
                                                   quorlin::kShippedLottery + "的开奖号码。");
        return;
    }
    for (QWidget* control : {static_cast<QWidget*>(btndown_), static_cast<QWidget*>(btnclose_),
                             static_cast<QWidget*>(comdown_), static_cast<QWidget*>(lbltishi_)})
        control->hide();
    lbltitle_->show();
    lbltitle_->setText("正在更新中国体彩超级大乐透。。。");
    prgdown_->show();
    btnstop_->show();
    btnstop_->setFocus();
    downloader_->start();
}

void Tfrmdownload2::pageStarted(int page)
{
    prgdown_->setFormat(QStringLiteral("第 %1 页 %p%").arg(page));
    // Busy until the page's size is known.
    prgdown_->setRange(0, 0);
}

void Tfrmdownload2::showProgress(qint64 received, qint64 total)
{
    if (total <= 0)
        return;
    prgdown_->setRange(0, 1000);
    prgdown_->setValue(static_cast<int>(received * 1000 / total));
}

void Tfrmdownload2::downloadFinished(const quorlin::DownloadResult& result)
{
    accept();
    const QString text = QString::fromStdString(quorlin::downloadMessage(result));
    if (result.outcome == quorlin::DownloadResult::Outcome::Failed)
        refuse(parentWidget(), text);
    else
        MessageBox::information(parentWidget(), "数据下载", text);
}

void Tfrmdownload2::reject()
{
    if (downloader_->isRunning())
        downloader_->stop();
    else
        QDialog::reject();
}

void Tfrmdownload2::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

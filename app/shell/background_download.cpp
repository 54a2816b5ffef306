#include "shell/background_download.h"

#include "draw_downloader.h"
#include "shell/main_status_bar.h"
#include "store/schema.h"

namespace {

// The failure's reason as far as it fits a status line, without the address it names in brackets;
// the tooltip has all of it.
constexpr qsizetype kReasonLength = 30;

QString shortReason(const std::string& error)
{
    QString reason = QString::fromStdString(error).section('\n', 0, 0).section(QChar(0xFF08), 0, 0).trimmed();
    if (reason.size() > kReasonLength)
        reason = reason.left(kReasonLength - 1) + QStringLiteral("…");
    return reason;
}

} // namespace

BackgroundDownload::BackgroundDownload(const std::string& apppath, MainStatusBar& bar, QObject* parent)
    : QObject(parent), bar_(bar), downloader_(new DrawDownloader(apppath, quorlin::kShippedLottery, this))
{
    downloader_->setWrites(quorlin::DownloadWrites::PerPage);
    connect(downloader_, &DrawDownloader::finished, this, &BackgroundDownload::finished);
}

void BackgroundDownload::startWhenBehind()
{
    if (bar_.behind() > 0)
        start();
}

void BackgroundDownload::start()
{
    if (isRunning())
        return;
    bar_.showDownloadState(QStringLiteral("正在下载新开奖…"));
    downloader_->start();
}

void BackgroundDownload::stop()
{
    downloader_->stop();
}

bool BackgroundDownload::isRunning() const
{
    return downloader_->isRunning();
}

void BackgroundDownload::finished(const quorlin::DownloadResult& result)
{
    using Outcome = quorlin::DownloadResult::Outcome;
    const QString stored = result.added > 0 ? QStringLiteral("已下载 %1 期").arg(result.added) : QString();
    if (result.outcome == Outcome::Failed) {
        // The pages before the failure are stored: the open lottery may show them first.
        if (result.added > 0)
            emit drawsAdded(result.added);
        bar_.showDownloadFailure((stored.isEmpty() ? QString() : stored + QStringLiteral("，其余")) +
                                     QStringLiteral("下载新开奖失败：") + shortReason(result.error),
                                 QString::fromStdString(quorlin::downloadMessage(result)));
        bar_.refresh();
        return;
    }
    bar_.showDownloadState(stored);
    // A stop comes from whoever closes the lottery or the program: it reads the draws anew itself.
    if (result.outcome == Outcome::Done && result.added > 0)
        emit drawsAdded(result.added);
    bar_.refresh();
}

#include "draw_downloader.h"

#include "common/save_target.h"
#include "data/download_address.h"
#include "page_fetcher.h"
#include "store/schema.h"

#include <QEventLoop>
#include <QFile>
#include <QTimer>

namespace {

const char* const kPageFileName = "号码.txt";

} // namespace

DrawDownloader::DrawDownloader(std::string apppath, std::string lottery, QObject* parent)
    : QObject(parent), apppath_(std::move(apppath)), lottery_(std::move(lottery)), fetcher_(new PageFetcher(this))
{
    connect(fetcher_, &PageFetcher::progress, this, &DrawDownloader::progress);
    connect(fetcher_, &PageFetcher::finished, this, &DrawDownloader::pageFetched);
}

DrawDownloader::~DrawDownloader() = default;

std::string DrawDownloader::pageFilePath() const
{
    return apppath_ + kPageFileName;
}

void DrawDownloader::start()
{
    if (isRunning())
        return;
    download_ = std::make_unique<quorlin::DrawDownload>(apppath_ + quorlin::kDatabaseRelativePath, lottery_,
                                                        quorlin::todayDate(), writes_);
    page_ = 0;
    if (address_.isEmpty()) {
        const quorlin::DownloadAddress chosen = quorlin::readDownloadAddress(apppath_);
        if (!chosen.ok)
            download_->fail(chosen.error);
        source_ = QString::fromStdString(chosen.address);
    } else {
        source_ = address_;
        if (const std::string problem = quorlin::addressProblem(address_.toStdString()); !problem.empty())
            download_->fail(problem);
    }
    // Whoever started the download hears of its end only after start() has returned.
    if (download_->failed())
        QTimer::singleShot(0, this, &DrawDownloader::end);
    else
        fetchPage(1);
}

void DrawDownloader::fetchPage(int page)
{
    page_ = page;
    QFile::remove(QString::fromStdString(pageFilePath()));
    emit pageStarted(page);
    fetcher_->setTimeout(timeout_);
    fetcher_->fetch(QString::fromStdString(quorlin::pageAddress(source_.toStdString(), page)));
}

void DrawDownloader::pageFetched(bool ok, const QByteArray& body, const QString& error)
{
    if (!ok) {
        download_->fail(error.toStdString());
        end();
        return;
    }
    const std::string_view page(body.constData(), static_cast<std::size_t>(body.size()));
    if (std::string unsaved; !quorlin::writeFileBytes(pageFilePath(), page, unsaved)) {
        download_->fail("无法保存下载的页面：" + unsaved);
        end();
        return;
    }
    if (download_->addPage(page, page_))
        fetchPage(page_ + 1);
    else
        end();
}

void DrawDownloader::stop()
{
    if (!isRunning())
        return;
    fetcher_->abort();
    download_->stop();
    end();
}

void DrawDownloader::end()
{
    if (!download_)
        return;
    const quorlin::DownloadResult result = download_->finish();
    download_.reset();
    emit finished(result);
}

quorlin::DownloadResult DrawDownloader::run()
{
    quorlin::DownloadResult result;
    QEventLoop loop;
    const QMetaObject::Connection done =
        connect(this, &DrawDownloader::finished, &loop, [&](const quorlin::DownloadResult& r) {
            result = r;
            loop.quit();
        });
    start();
    if (isRunning())
        loop.exec();
    disconnect(done);
    return result;
}

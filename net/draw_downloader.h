#pragma once

#include "data/draw_download.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <memory>
#include <string>

class PageFetcher;

/// Runs one download of new draws into a lottery's draw table: fetches the results pages one after
/// the other, hands each to the core's DrawDownload, which reads it and says whether the next page
/// is wanted, and has it write the new draws at the end. The address comes from the program
/// directory's side file (or the built-in default) unless one is given.
class DrawDownloader : public QObject {
    Q_OBJECT
public:
    /// `apppath` is the program directory with a trailing "/".
    DrawDownloader(std::string apppath, std::string lottery, QObject* parent = nullptr);
    ~DrawDownloader() override;

    /// Fetches from `address` instead of the side file's address.
    void setAddress(const QString& address) { address_ = address; }
    /// How long the fetch of one page may take in all.
    void setTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }
    /// When the new draws are written: at the end (the default) or page by page.
    void setWrites(quorlin::DownloadWrites writes) { writes_ = writes; }

    /// Starts the download; finished() follows, also for a failure found at once.
    void start();
    /// Stops the download at once: the page under way is dropped, nothing more is written.
    void stop();
    bool isRunning() const { return download_ != nullptr; }

    /// Runs the whole download in a local event loop and returns its result (for the command line;
    /// needs a QCoreApplication).
    quorlin::DownloadResult run();

    /// Where each fetched page is kept for looking at: 号码.txt in the program directory, the last
    /// page fetched, as received.
    std::string pageFilePath() const;

signals:
    /// Page `page` (from 1) is being fetched.
    void pageStarted(int page);
    /// Bytes of the current page received so far and its size (-1 while unknown).
    void progress(qint64 received, qint64 total);
    void finished(const quorlin::DownloadResult& result);

private:
    void fetchPage(int page);
    void pageFetched(bool ok, const QByteArray& body, const QString& error);
    void end();

    std::string apppath_;
    std::string lottery_;
    QString address_;
    QString source_;
    std::chrono::milliseconds timeout_{20000};
    quorlin::DownloadWrites writes_ = quorlin::DownloadWrites::AtTheEnd;
    PageFetcher* fetcher_;
    std::unique_ptr<quorlin::DrawDownload> download_;
    int page_ = 0;
};

#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <chrono>

class QNetworkReply;

/// Fetches one address into memory: follows redirects (never from https to http), gives up when the
/// whole answer has not arrived within the timeout, reports its progress and stops at once when
/// aborted.
class PageFetcher : public QObject {
    Q_OBJECT
public:
    explicit PageFetcher(QObject* parent = nullptr);
    ~PageFetcher() override;

    /// How long the whole fetch may take, redirects included; a server that sends a byte now and
    /// then cannot hold it longer.
    void setTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }
    /// Starts fetching `address`; finished() follows, unless abort() comes first.
    void fetch(const QString& address);
    /// Drops the fetch under way; no signal follows.
    void abort();

signals:
    /// Bytes received so far and the page's size (-1 while unknown).
    void progress(qint64 received, qint64 total);
    /// The page's bytes, or the reason it could not be fetched (naming the address).
    void finished(bool ok, const QByteArray& body, const QString& error);

private:
    void replyFinished();
    void deadlinePassed();
    QString failure(QNetworkReply& reply) const;

    QNetworkAccessManager manager_;
    QPointer<QNetworkReply> reply_;
    QString address_;
    std::chrono::milliseconds timeout_{20000};
    QTimer deadline_;
    bool tooLarge_ = false;
    bool timedOut_ = false;
};

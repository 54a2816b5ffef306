#include "page_fetcher.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace {

// A results page is a few hundred kilobytes at most: an address that delivers more is a wrong one.
constexpr qint64 kMaxPageBytes = 16 * 1024 * 1024;
constexpr int kMaxRedirects = 10;

// What the user is told for the failures people meet; others keep Qt's own text.
const char* knownReason(QNetworkReply::NetworkError error)
{
    static const struct {
        QNetworkReply::NetworkError error;
        const char* reason;
    } kReasons[] = {
        {QNetworkReply::ConnectionRefusedError, "服务器拒绝连接"},
        {QNetworkReply::HostNotFoundError, "找不到服务器（网络没有连通，或地址有误）"},
        {QNetworkReply::RemoteHostClosedError, "服务器中断了连接"},
        {QNetworkReply::TooManyRedirectsError, "重定向次数过多"},
        {QNetworkReply::InsecureRedirectError, "服务器把安全连接（https）重定向到不安全的地址"},
        {QNetworkReply::SslHandshakeFailedError, "无法建立安全连接（SSL）"},
    };
    for (const auto& known : kReasons) {
        if (known.error == error)
            return known.reason;
    }
    return nullptr;
}

} // namespace

PageFetcher::PageFetcher(QObject* parent) : QObject(parent)
{
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, &PageFetcher::deadlinePassed);
}

PageFetcher::~PageFetcher()
{
    abort();
}

void PageFetcher::fetch(const QString& address)
{
    abort();
    address_ = address;
    tooLarge_ = false;
    timedOut_ = false;
    QNetworkRequest request{QUrl(address, QUrl::StrictMode)};
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Quorlin"));
    reply_ = manager_.get(request);
    connect(reply_, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64 total) {
        if (received > kMaxPageBytes && reply_) {
            tooLarge_ = true;
            reply_->abort();
            return;
        }
        emit progress(received, total);
    });
    connect(reply_, &QNetworkReply::finished, this, &PageFetcher::replyFinished);
    // A deadline for the whole answer: Qt's transfer timeout starts again with every byte.
    deadline_.start(timeout_);
}

void PageFetcher::deadlinePassed()
{
    if (!reply_)
        return;
    timedOut_ = true;
    reply_->abort();
}

void PageFetcher::abort()
{
    deadline_.stop();
    if (!reply_)
        return;
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
}

void PageFetcher::replyFinished()
{
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    deadline_.stop();
    if (!reply)
        return;
    reply->deleteLater();
    if (reply->error() != QNetworkReply::NoError || tooLarge_ || timedOut_) {
        emit finished(false, {}, failure(*reply));
        return;
    }
    emit finished(true, reply->readAll(), {});
}

QString PageFetcher::failure(QNetworkReply& reply) const
{
    QString reason;
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (tooLarge_) {
        reason = QStringLiteral("答复超过 %1 MB，不是开奖结果").arg(kMaxPageBytes / 1024 / 1024);
    } else if (timedOut_) {
        reason =
            QStringLiteral("等了 %1 秒还没有收完答复，已超时").arg(std::chrono::duration<double>(timeout_).count());
    } else if (status >= 400) {
        const QString phrase = reply.attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
        reason = QStringLiteral("服务器答复 HTTP %1%2").arg(status).arg(phrase.isEmpty() ? QString() : " " + phrase);
    } else if (const char* known = knownReason(reply.error())) {
        reason = QString::fromUtf8(known);
    } else {
        reason = reply.errorString();
    }
    return QStringLiteral("%1（网址 %2）").arg(reason, address_);
}

#include "loopback_http_server.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>

#include <memory>

LoopbackHttpServer::Answer LoopbackHttpServer::Answer::page(const std::string& body)
{
    Answer answer;
    answer.body = QByteArray::fromStdString(body);
    return answer;
}

LoopbackHttpServer::Answer LoopbackHttpServer::Answer::slowPage(const std::string& body, int chunks, int delayMs)
{
    Answer answer = page(body);
    answer.chunks = chunks;
    answer.chunkDelayMs = delayMs;
    return answer;
}

LoopbackHttpServer::Answer LoopbackHttpServer::Answer::redirect(const QString& location)
{
    Answer answer;
    answer.status = 302;
    answer.location = location.toUtf8();
    return answer;
}

LoopbackHttpServer::Answer LoopbackHttpServer::Answer::none()
{
    Answer answer;
    answer.silent = true;
    return answer;
}

LoopbackHttpServer::LoopbackHttpServer()
{
    server_.listen(QHostAddress::LocalHost);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection())
            serve(socket);
    });
}

QString LoopbackHttpServer::url(const QString& pathAndQuery) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(pathAndQuery);
}

void LoopbackHttpServer::answer(const QString& path, const Answer& answer)
{
    answers_.insert(path, answer);
}

void LoopbackHttpServer::answerPage(const QString& path, int page, const Answer& answer)
{
    answers_.insert(path + "#" + QString::number(page), answer);
}

quint16 LoopbackHttpServer::closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

void LoopbackHttpServer::serve(QTcpSocket* socket)
{
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    auto request = std::make_shared<QByteArray>();
    connect(socket, &QTcpSocket::readyRead, this, [this, socket, request] {
        request->append(socket->readAll());
        if (!request->contains("\r\n\r\n") || request->isEmpty())
            return;
        const QList<QByteArray> words = request->left(request->indexOf("\r\n")).split(' ');
        request->clear();
        respond(socket, words.size() >= 2 ? QString::fromUtf8(words[1]) : QString());
    });
}

LoopbackHttpServer::Answer LoopbackHttpServer::answerFor(const QString& target) const
{
    const QUrl url(target);
    const QString page = QUrlQuery(url).queryItemValue("pageNo");
    if (const auto paged = answers_.constFind(url.path() + "#" + page); !page.isEmpty() && paged != answers_.cend())
        return *paged;
    if (const auto any = answers_.constFind(url.path()); any != answers_.cend())
        return *any;
    Answer missing = Answer::page("Not Found");
    missing.status = 404;
    return missing;
}

void LoopbackHttpServer::respond(QTcpSocket* socket, const QString& target)
{
    requests_.append(target);
    const Answer answer = answerFor(target);
    if (answer.silent)
        return;
    QByteArray head = "HTTP/1.1 " + QByteArray::number(answer.status) +
                      (answer.status == 200   ? " OK"
                       : answer.status == 404 ? " Not Found"
                                              : " Moved") +
                      "\r\nContent-Type: text/plain; charset=utf-8\r\nConnection: close\r\nContent-Length: " +
                      QByteArray::number(answer.body.size()) + "\r\n";
    if (!answer.location.isEmpty())
        head += "Location: " + answer.location + "\r\n";
    socket->write(head + "\r\n");
    // The body goes out in parts, one per delay, so that a client sees its progress (and can stop).
    const int chunks = std::max(1, answer.chunks);
    const qsizetype size = (answer.body.size() + chunks - 1) / chunks;
    QPointer<QTcpSocket> guard(socket);
    for (int i = 0; i < chunks; ++i) {
        QTimer::singleShot(answer.chunkDelayMs * (i + 1), socket,
                           [guard, part = answer.body.mid(i * size, size), last = i == chunks - 1] {
                               if (!guard)
                                   return;
                               guard->write(part);
                               if (last)
                                   guard->disconnectFromHost();
                           });
    }
}

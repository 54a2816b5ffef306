#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTcpServer>

#include <string>

/// A web server on 127.0.0.1 for the download tests: answers each path, or each page (the pageNo of
/// the query) of a path, with a prepared answer and records the requests it got. Unknown paths get
/// 404. It runs on the test's thread, so the test must let the event loop run while a client waits.
class LoopbackHttpServer : public QObject {
    Q_OBJECT
public:
    struct Answer {
        int status = 200;
        QByteArray body;
        QByteArray location;  ///< for redirects
        int chunks = 1;       ///< the body is sent in this many parts …
        int chunkDelayMs = 0; ///< … each after this delay
        bool silent = false;  ///< accept the request and never answer

        /// 200 with this body.
        static Answer page(const std::string& body);
        /// 200 with this body, sent in `chunks` parts `delayMs` apart.
        static Answer slowPage(const std::string& body, int chunks, int delayMs);
        /// 302 to `location`.
        static Answer redirect(const QString& location);
        /// The request is taken and never answered.
        static Answer none();
    };

    LoopbackHttpServer();

    quint16 port() const { return server_.serverPort(); }
    /// "http://127.0.0.1:PORT" + `pathAndQuery`.
    QString url(const QString& pathAndQuery) const;
    /// The answer to every request of `path`.
    void answer(const QString& path, const Answer& answer);
    /// The answer to the request of `path` whose pageNo is `page`.
    void answerPage(const QString& path, int page, const Answer& answer);
    /// Path and query of every request so far, in order.
    const QStringList& requests() const { return requests_; }

    /// A port on 127.0.0.1 where nothing listens.
    static quint16 closedPort();

private:
    void serve(class QTcpSocket* socket);
    void respond(QTcpSocket* socket, const QString& target);
    Answer answerFor(const QString& target) const;

    QTcpServer server_;
    QHash<QString, Answer> answers_;
    QStringList requests_;
};

// The Qt HTTP client against a scripted loopback server and local files: what reaches
// the completion for each kind of answer, the size cap and the time-out, and that every
// request completes exactly once on the client's own thread, also when it is destroyed.
#include "CompletionRecorder.h"
#include "Rows.h"
#include "platform/Environment.h"
#include "platform/QtHttpClient.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

using namespace kelvara;

namespace {

constexpr qint64 cap = 1000;

// Answers by path; raw bytes, so that broken answers can be scripted too.
class ScriptedServer : public QObject {
  public:
    ScriptedServer() {
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                socket->setParent(this);
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { serve(socket); });
            }
        });
        server_.listen(QHostAddress::LocalHost);
    }
    QString url(const QString& path) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path);
    }

  private:
    void serve(QTcpSocket* socket) {
        QByteArray& request = pending_[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n"))
            return;
        const QByteArray path = request.split(' ').value(1);
        const auto head = [](const QByteArray& status, qint64 length) {
            return "HTTP/1.1 " + status +
                   "\r\nConnection: close\r\nContent-Length: " + QByteArray::number(length) +
                   "\r\n\r\n";
        };
        if (path == "/ok") {
            socket->write(head("200 OK", 5) + "hello");
        } else if (path == "/exact-cap") {
            socket->write(head("200 OK", cap) + QByteArray(cap, 'a'));
        } else if (path == "/missing") {
            socket->write(head("404 Not Found", 4) + "nope");
        } else if (path == "/error") {
            socket->write(head("500 Internal Server Error", 4) + "oops");
        } else if (path == "/silent") {
            return; // keeps the connection open without a word
        } else if (path == "/truncated") {
            socket->write(head("200 OK", 100) + QByteArray(10, 'a'));
        } else if (path == "/declared-huge") {
            socket->write(head("200 OK", 64 * cap)); // and no body: the header must suffice
            return;
        } else if (path == "/undeclared-huge") {
            socket->write("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" +
                          QByteArray(5 * cap, 'a'));
        }
        socket->disconnectFromHost();
    }

    QTcpServer server_;
    QHash<QTcpSocket*, QByteArray> pending_;
};

using Calls = test::Recorder<const HttpResponse&>;

HttpRequest requestFor(const QString& url, double timeout = 5.0) {
    HttpRequest request;
    request.url = QUrl(url);
    request.timeoutSeconds = timeout;
    request.maxBytes = cap;
    return request;
}

} // namespace

class TestHttpClient : public QObject {
    Q_OBJECT

    ScriptedServer server;
    QTemporaryDir files;

    // A path on the server, "file:" and a name in the local directory, or "refused".
    QString urlOf(const QString& path) {
        if (path.startsWith(QLatin1String("file:")))
            return QUrl::fromLocalFile(files.filePath(path.mid(5))).toString();
        if (path != QLatin1String("refused"))
            return server.url(path);
        QTcpServer closed;
        closed.listen(QHostAddress::LocalHost);
        return QStringLiteral("http://127.0.0.1:%1/x").arg(closed.serverPort());
    }

  private slots:
    void initTestCase() {
        QVERIFY(files.isValid());
        for (const auto& [name, body] :
             {std::pair{"KelvaraInfoMac.xml", QByteArray("<r><Version>1.0</Version></r>")},
              std::pair{"large.bin", QByteArray(cap + 1, 'x')}}) {
            QFile file(files.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(body);
        }
    }

    void answers_data() {
        // The path, the status (0: nothing received), the body, the time it may take.
        const QByteArray none;
        test::rows<QString, int, QByteArray, int>(
            {{"200", "/ok", 200, "hello", 3000},
             {"body of exactly the cap", "/exact-cap", 200, QByteArray(cap, 'a'), 3000},
             {"404 with its body", "/missing", 404, "nope", 3000},
             {"500 with its body", "/error", 500, "oops", 3000},
             {"silence times out", "/silent", 0, none, 3000},
             {"truncated body", "/truncated", 0, none, 3000},
             // Well before the time-out: the declared length alone ends it.
             {"declared length over the cap", "/declared-huge", 0, none, 500},
             {"streamed body over the cap", "/undeclared-huge", 0, none, 3000},
             {"refused connection", "refused", 0, none, 3000},
             {"local file", "file:KelvaraInfoMac.xml", 200, "<r><Version>1.0</Version></r>", 3000},
             {"absent local file", "file:absent.xml", 404, none, 3000},
             {"local file over the cap", "file:large.bin", 0, none, 3000},
             {"local directory", "file:", 0, none, 3000}});
    }

    void answers() {
        const auto [path, status, body, withinMs] = test::row<QString, int, QByteArray, int>();

        QtHttpClient client;
        Calls calls;
        QElapsedTimer clock;
        clock.start();
        client.get(requestFor(urlOf(path), 1.0), calls.callback());
        QTRY_COMPARE_WITH_TIMEOUT(calls.count(), 1, 5000);
        QVERIFY2(clock.elapsed() < withinMs, qPrintable(QString::number(clock.elapsed())));
        QTest::qWait(50);
        QCOMPARE(calls.count(), 1);
        QCOMPARE(calls.mainThreadCalls(), 0);
        const HttpResponse r = calls.first();
        QCOMPARE(r.received, status != 0);
        QCOMPARE(r.status, status);
        QCOMPARE(r.body, body);
        // A missing local file is an answer (404), not an error.
        QCOMPARE(r.error.isEmpty(),
                 path.startsWith(QLatin1String("file:")) ? status != 0 : status == 200);
    }

    void destroyedWhileRequestsRun() {
        Calls calls;
        {
            QtHttpClient client;
            for (int i = 0; i < 3; ++i)
                client.get(requestFor(server.url("/silent"), 60.0), calls.callback());
            QTest::qWait(100); // let them reach the server
        }
        // The destructor answered every request before returning.
        QCOMPARE(calls.count(), 3);
        for (const HttpResponse& r : calls.calls())
            QVERIFY(!r.received);
        QCOMPARE(calls.mainThreadCalls(), 0);
    }

    void sharedClientIsTheCurrentEnvironments() {
        const auto environment = Environment::create();
        const std::shared_ptr<HttpClient> first = HttpClient::shared();
        QVERIFY(first);
        QCOMPARE(HttpClient::shared(), first);
        auto replacement = std::make_shared<QtHttpClient>();
        environment->setHttpClient(replacement);
        QCOMPARE(HttpClient::shared(), std::shared_ptr<HttpClient>(replacement));
        {
            // A newer environment is the current one while it lives, with its own client.
            const auto newer = Environment::create();
            const std::shared_ptr<HttpClient> own = HttpClient::shared();
            QVERIFY(own && own != replacement);
        }
        QCOMPARE(HttpClient::shared(), std::shared_ptr<HttpClient>(replacement));
        environment->setHttpClient(nullptr);
        const std::shared_ptr<HttpClient> fresh = HttpClient::shared();
        QVERIFY(fresh && fresh != replacement && fresh != first);
    }
};

QTEST_GUILESS_MAIN(TestHttpClient)
#include "tst_httpclient.moc"

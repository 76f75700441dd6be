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
        if (path == "/exact-cap") {
            socket->write(head("200 OK", cap) + QByteArray(cap, 'a'));
        } else if (path == "/silent") {
            return; // keeps the connection open without a word
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

    // A path on the server, or "file:" and a name in the local directory.
    QString urlOf(const QString& path) {
        if (path.startsWith(QLatin1String("file:")))
            return QUrl::fromLocalFile(files.filePath(path.mid(5))).toString();
        return server.url(path);
    }

  private slots:
    void initTestCase() {
        QVERIFY(files.isValid());
        QFile large(files.filePath("large.bin"));
        QVERIFY(large.open(QIODevice::WriteOnly));
        large.write(QByteArray(cap + 1, 'x'));
    }

    // The sizes at the cap and what is no file. The answers of a server (404, 500, silence,
    // a cut body, no server) and of a copy on disk (a file, none) reach the catalogue and
    // firmware tests through this client over loopback and a mirror directory.
    void answers_data() {
        // The path, the status (0: nothing received), the body, the time it may take.
        const QByteArray none;
        test::rows<QString, int, QByteArray, int>(
            {{"body of exactly the cap", "/exact-cap", 200, QByteArray(cap, 'a'), 3000},
             // Well before the time-out: the declared length alone ends it.
             {"declared length over the cap", "/declared-huge", 0, none, 500},
             {"streamed body over the cap", "/undeclared-huge", 0, none, 3000},
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

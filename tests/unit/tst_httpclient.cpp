// The Qt HTTP client against a scripted loopback server and local files: what reaches
// the completion for each kind of answer, the size cap and the time-out, and that every
// request completes exactly once on the client's own thread, also when it is destroyed.
#include "CompletionRecorder.h"
#include "platform/Environment.h"
#include "platform/QtHttpClient.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

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

  private slots:
    void answers_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("received");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("withinMs");

        QTest::newRow("200") << "/ok" << true << 200 << QByteArray("hello") << 3000;
        QTest::newRow("body of exactly the cap")
            << "/exact-cap" << true << 200 << QByteArray(cap, 'a') << 3000;
        QTest::newRow("404 with its body")
            << "/missing" << true << 404 << QByteArray("nope") << 3000;
        QTest::newRow("500 with its body") << "/error" << true << 500 << QByteArray("oops") << 3000;
        QTest::newRow("silence times out") << "/silent" << false << 0 << QByteArray() << 3000;
        QTest::newRow("truncated body") << "/truncated" << false << 0 << QByteArray() << 3000;
        // Well before the time-out: the declared length alone ends it.
        QTest::newRow("declared length over the cap")
            << "/declared-huge" << false << 0 << QByteArray() << 500;
        QTest::newRow("streamed body over the cap")
            << "/undeclared-huge" << false << 0 << QByteArray() << 3000;
    }

    void answers() {
        QFETCH(QString, path);
        QFETCH(bool, received);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(int, withinMs);

        QtHttpClient client;
        Calls calls;
        QElapsedTimer clock;
        clock.start();
        client.get(requestFor(server.url(path), 1.0), calls.callback());
        QTRY_COMPARE_WITH_TIMEOUT(calls.count(), 1, 5000);
        QVERIFY2(clock.elapsed() < withinMs, qPrintable(QString::number(clock.elapsed())));
        QTest::qWait(50);
        QCOMPARE(calls.count(), 1);
        QCOMPARE(calls.mainThreadCalls(), 0);
        const HttpResponse r = calls.first();
        QCOMPARE(r.received, received);
        QCOMPARE(r.status, status);
        QCOMPARE(r.body, body);
        QCOMPARE(r.error.isEmpty(), status == 200);
    }

    void refusedConnection() {
        quint16 port = 0;
        {
            QTcpServer closed;
            QVERIFY(closed.listen(QHostAddress::LocalHost));
            port = closed.serverPort();
        }
        QtHttpClient client;
        Calls calls;
        client.get(requestFor(QStringLiteral("http://127.0.0.1:%1/x").arg(port)), calls.callback());
        QTRY_COMPARE(calls.count(), 1);
        QVERIFY(!calls.first().received);
        QVERIFY(!calls.first().error.isEmpty());
        QCOMPARE(calls.mainThreadCalls(), 0);
    }

    void localFiles() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        for (const auto& [name, body] :
             {std::pair{"KelvaraInfoMac.xml", QByteArray("<r><Version>1.0</Version></r>")},
              std::pair{"large.bin", QByteArray(cap + 1, 'x')}}) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(body);
        }

        struct Case {
            QString name;
            bool received;
            int status;
            QByteArray body;
        };
        const QList<Case> cases = {
            {"KelvaraInfoMac.xml", true, 200, "<r><Version>1.0</Version></r>"},
            {"absent.xml", true, 404, {}},
            {"large.bin", false, 0, {}},
            {"", false, 0, {}}, // the directory itself
        };
        QtHttpClient client;
        for (const Case& c : cases) {
            Calls calls;
            client.get(requestFor(QUrl::fromLocalFile(dir.filePath(c.name)).toString()),
                       calls.callback());
            QTRY_COMPARE(calls.count(), 1);
            QCOMPARE(calls.mainThreadCalls(), 0);
            QCOMPARE(calls.first().received, c.received);
            QCOMPARE(calls.first().status, c.status);
            QCOMPARE(calls.first().body, c.body);
        }
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

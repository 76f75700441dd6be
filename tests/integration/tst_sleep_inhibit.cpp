// The sleep locks the controller takes from logind, against a mock logind on a private
// bus that stands in for the system bus, with the virtual lens and its update server:
// which locks are held at each step, and that the lens is told before the lock that
// waits for it goes.
#include "DiagnosticCapture.h"
#include "UpdateServer.h"
#include "VirtualLens.h"
#include "controller/AppViewModel.h"
#include "firmware/FirmwareUpdateModel.h"
#include "firmware/ProductInfoFileModel.h"
#include "link/LensClient.h"
#include "model/BasicInfoViewModel.h"
#include "platform/Environment.h"
#include "platform/QtHttpClient.h"
#include "platform/SleepMonitor.h"
#include "ui/MessageViewModel.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

using namespace kelvara;

namespace {

constexpr quint8 DISCONNECT = 0xF9;
const QString kWho = QStringLiteral("Kelvara Lens Utility");
const QString kBlock = QStringLiteral("block sleep:idle:handle-lid-switch");
const QString kDelay = QStringLiteral("delay sleep");

QDBusMessage toLogind(const QString& interface, const QString& method) {
    return QDBusMessage::createMethodCall("org.freedesktop.login1", "/org/freedesktop/login1",
                                          interface, method);
}

QDBusMessage toMock(const QString& method) {
    return toLogind("org.freedesktop.DBus.Mock", method);
}

} // namespace

class TestSleepInhibit : public QObject {
    Q_OBJECT

    const std::shared_ptr<Environment> environment = Environment::create();
    QProcess bus;
    QProcess logind;
    sim::UpdateServer server;
    std::unique_ptr<sim::VirtualLens> lens;
    std::unique_ptr<AppViewModel> app;
    std::unique_ptr<SleepMonitor> monitor;
    test::DiagnosticCapture quiet;

    // "mode what" of every lock logind holds for us, sorted; "error" when logind does not
    // answer, "stranger" for a lock of another holder.
    static QStringList held() {
        const QDBusMessage reply = QDBusConnection::systemBus().call(
            toLogind("org.freedesktop.login1.Manager", "ListInhibitors"));
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1)
            return {"error"};
        QStringList locks;
        const auto list = reply.arguments().first().value<QDBusArgument>();
        list.beginArray();
        while (!list.atEnd()) {
            QString what, who, why, mode;
            uint uid = 0, pid = 0;
            list.beginStructure();
            list >> what >> who >> why >> mode >> uid >> pid;
            list.endStructure();
            locks << (who == kWho && !why.isEmpty() ? mode + QLatin1Char(' ') + what
                                                    : QStringLiteral("stranger"));
        }
        list.endArray();
        locks.sort();
        return locks;
    }

    // The modes of the locks asked for since the last call.
    static QStringList askedModes() {
        const QDBusMessage reply = QDBusConnection::systemBus().call(toMock("GetCalls"));
        QStringList modes;
        const auto calls = reply.arguments().value(0).value<QDBusArgument>();
        calls.beginArray();
        while (!calls.atEnd()) {
            quint64 when = 0;
            QString method;
            QVariantList args;
            calls.beginStructure();
            calls >> when >> method >> args;
            calls.endStructure();
            if (method == QLatin1String("Inhibit") && args.size() == 4)
                modes << args.at(3).toString();
        }
        calls.endArray();
        QDBusConnection::systemBus().call(toMock("ClearCalls"));
        return modes;
    }

    static void announceSleep(bool sleeping) {
        QDBusMessage emitSignal = toMock("EmitSignal");
        emitSignal << QStringLiteral("org.freedesktop.login1.Manager")
                   << QStringLiteral("PrepareForSleep") << QStringLiteral("b")
                   << QVariant(QVariantList{QVariant::fromValue(QDBusVariant(sleeping))});
        QDBusConnection::systemBus().call(emitSignal);
    }

    // Answers every message until the controller is back on the connect page.
    bool answeredToTheEnd() {
        MessageViewModel* box = app->message();
        return QTest::qWaitFor(
            [&] {
                if (box->show_message())
                    box->respondOk();
                return app->connectState() == NOT_CONNECT && !box->show_message();
            },
            15000);
    }

    bool connected() {
        app->connectLens(true);
        return QTest::qWaitFor([&] { return app->connectState() == CONNECT_COMPLETE; }, 5000);
    }

  private slots:
    void initTestCase() {
        const QString daemon = QStandardPaths::findExecutable("dbus-daemon");
        if (daemon.isEmpty())
            QSKIP("dbus-daemon is not installed");
        if (QProcess::execute("/usr/bin/python3", {"-c", "import dbusmock"}) != 0)
            QSKIP("python3-dbusmock is not installed");

        bus.start(daemon, {"--session", "--nofork", "--print-address"});
        QVERIFY(bus.waitForStarted());
        QVERIFY(QTest::qWaitFor([&] { return bus.canReadLine(); }, 10000));
        const QByteArray address = bus.readLine().trimmed();
        // Before anything opens the system bus: from here on it is this one.
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", address);
        logind.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        logind.start("/usr/bin/python3", {"-m", "dbusmock", "--system", "--template", "logind"});
        QVERIFY(logind.waitForStarted());
        QVERIFY(QDBusConnection::systemBus().isConnected());
        QVERIFY(QTest::qWaitFor(
            [] {
                return QDBusConnection::systemBus().interface()->isServiceRegistered(
                    "org.freedesktop.login1");
            },
            15000));

        QString error;
        QVERIFY2(server.start(0, &error), qPrintable(error));
        Timings t;
        t.replyTimeout = 6.0;
        t.firmwareFirstTimeout = 1.5;
        t.httpTimeout = 5.0;
        environment->setTimings(t);
        environment->setHttpClient(std::make_shared<QtHttpClient>());
        environment->setUpdateBaseUrl(server.baseUrl());
    }

    void init() {
        lens = std::make_unique<sim::VirtualLens>(*sim::LensProfile::preset("zoom-e"));
        QString error;
        QVERIFY2(lens->start({}, &error), qPrintable(error));
        server.addLens(lens->profile());
        server.clearFaults();
        LensClient::install(*environment, std::make_shared<UsbSerialInterface>(),
                            std::make_shared<UsbSerialPortList>(0x1234, lens->linkPath()));
        app = std::make_unique<AppViewModel>();
        monitor = std::make_unique<SleepMonitor>();
        app->followSleep(*monitor);
        QVERIFY(monitor->listen());
        askedModes();
    }

    void cleanup() {
        monitor.reset();
        app.reset();
        LensClient::transport().firmwareUpdating = false;
        LensClient::transport().closePort();
        lens.reset();
        // The controller's locks go with it.
        QTRY_COMPARE(held(), QStringList());
    }

    void cleanupTestCase() {
        for (QProcess* p : {&logind, &bus}) {
            p->terminate();
            p->waitForFinished(5000);
        }
    }

    // The transfer blocks sleep instead of delaying it, and lets go however it ends.
    void transferBlocksSleepUntilItEnds_data() {
        QTest::addColumn<QString>("ending");
        QTest::addRow("installed") << "installed";
        QTest::addRow("download fails") << "download fails";
        QTest::addRow("lens removed") << "lens removed";
    }

    void transferBlocksSleepUntilItEnds() {
        QFETCH(QString, ending);
        QCOMPARE(held(), QStringList());
        QVERIFY(connected());
        QTRY_COMPARE(held(), QStringList{kDelay});
        QTRY_VERIFY(!app->basic_info()->product_info().firmwareFileName.isEmpty());

        const QString package = sim::UpdateServer::packagePath(lens->profile());
        sim::HttpFault fault;
        if (ending == QLatin1String("download fails")) {
            fault.kind = sim::HttpFault::NotFound;
        } else {
            // Long enough to look at the locks while the package is on its way.
            fault.kind = sim::HttpFault::Slow;
            fault.delayMs = 1500;
        }
        server.setFault(package, fault);
        if (ending == QLatin1String("lens removed"))
            lens->unplugAtBlock(3, 0);
        askedModes();
        app->startFirmwareUpdate();
        QVERIFY(QTest::qWaitFor([&] { return app->message()->show_message(); }, 5000));
        app->message()->respondYes();
        if (fault.kind == sim::HttpFault::Slow)
            QTRY_COMPARE(held(), QStringList{kBlock});

        if (ending == QLatin1String("installed")) {
            QTRY_COMPARE_WITH_TIMEOUT(lens->installedImages().size(), 1, 15000);
            // The completion page is still showing; its button ends the connection.
            QTRY_VERIFY(!app->firmware_update()->firmwareUpdating());
            app->finishFirmwareUpdate();
        } else {
            QVERIFY(answeredToTheEnd());
        }
        QTRY_COMPARE(held(), QStringList());
        QVERIFY(askedModes().contains("block"));
    }

    // The command-line tool holds the same lock while its lens is connected.
    void commandLineHoldsTheDelayLock() {
        monitor.reset();
        app.reset();
        lens->setReplyDelay(400); // a few exchanges: long enough to look
        QProcess cli;
        cli.start(QStringLiteral(KELVARA_CLI_PATH), {"--port", lens->linkPath(), "info"});
        QTRY_COMPARE_WITH_TIMEOUT(held(), QStringList{kDelay}, 10000);
        QVERIFY(cli.waitForFinished(20000));
        QCOMPARE(cli.exitCode(), 0);
        QCOMPARE(held(), QStringList());
    }

    // At the sleep notice the lens is told, and only then does the delay lock go; at the
    // wake a lens still connected is held for again, until it is disconnected.
    void sleepTellsTheLensBeforeLettingGo() {
        QVERIFY(connected());
        QTRY_COMPARE(held(), QStringList{kDelay});
        const int before = lens->framesReceived(DISCONNECT);

        // A slow exchange holds the link, so the disconnect request has to wait for it.
        // Its reply completes on this thread: what the lens had been told by then is the
        // order, however late a loaded machine delivers the notice.
        lens->setReplyDelay(4000);
        const auto toldAtReply = std::make_shared<int>(-1);
        LensClient::exchange(CommDataFormat::buildRead(false, 0, 0, 0),
                             [toldAtReply, lens = lens.get()](bool, const Bytes&) {
                                 *toldAtReply = lens->framesReceived(DISCONNECT);
                             });
        QSignalSpy notices(monitor.get(), &SleepMonitor::goingToSleep);
        announceSleep(true);
        QTRY_COMPARE(notices.count(), 1);
        QTest::qWait(100);
        if (*toldAtReply < 0) { // the slow reply is still awaited, and so is the request
            QCOMPARE(lens->framesReceived(DISCONNECT), before);
            QCOMPARE(held(), QStringList{kDelay});
        }
        QTRY_COMPARE_WITH_TIMEOUT(lens->framesReceived(DISCONNECT), before + 1, 10000);
        QCOMPARE(*toldAtReply, before);
        QTRY_COMPARE(held(), QStringList());

        lens->setReplyDelay(0);
        announceSleep(false);
        QTRY_COMPARE(held(), QStringList{kDelay});
        app->disconnectNow();
        QTRY_COMPARE(app->connectState(), NOT_CONNECT);
        QTRY_COMPARE(held(), QStringList());
        QCOMPARE(askedModes(), (QStringList{"delay", "delay"}));
    }
};

QTEST_GUILESS_MAIN(TestSleepInhibit)
#include "tst_sleep_inhibit.moc"

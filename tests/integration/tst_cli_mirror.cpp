// kelvara-lens-cli mirror against the virtual lens's update server: the copy holds what
// the server serves, nothing it cannot decode and no half-written file, and a file://
// address of the copy updates the lens without the server.
#include "CliRun.h"
#include "LensFirmware.h"
#include "UpdateServer.h"
#include "VirtualLens.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <csignal>
#include <sys/resource.h>

using namespace kelvara;
using Run = test::CliRun;

namespace {

// Runs the program to its end. fileLimit > 0 caps the size of any file it writes, as a full
// disk would: a write past it fails instead of stopping the program.
Run cli(const QStringList& args, rlim_t fileLimit = 0) {
    if (fileLimit == 0)
        return test::cli(args);
    return test::cli(args, {.inChild = [fileLimit] {
                         std::signal(SIGXFSZ, SIG_IGN);
                         const rlimit limit{fileLimit, fileLimit};
                         ::setrlimit(RLIMIT_FSIZE, &limit);
                     }});
}

// Every file under dir, relative to it.
QStringList filesUnder(const QString& dir) {
    QStringList files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(dir).relativeFilePath(it.next()));
    files.sort();
    return files;
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString catalogueName(const sim::LensProfile& profile) {
    return profile.modelName + sim::UpdateServer::mountSuffix(profile.mount);
}

} // namespace

class TestCliMirror : public QObject {
    Q_OBJECT

    std::unique_ptr<sim::VirtualLens> lens;
    std::unique_ptr<sim::UpdateServer> server;
    sim::LensProfile other = *sim::LensProfile::preset("prime-z");

    // The files of the lenses' catalogues and packages, relative to a copy's folder.
    static QStringList lensFiles(const sim::LensProfile& profile) {
        return {sim::UpdateServer::cataloguePath(profile).mid(1),
                sim::UpdateServer::packagePath(profile).mid(1)};
    }

private slots:
    void init() {
        lens = std::make_unique<sim::VirtualLens>(*sim::LensProfile::preset("zoom-e"));
        QString error;
        QVERIFY2(lens->start({}, &error), qPrintable(error));
        server = std::make_unique<sim::UpdateServer>();
        QVERIFY2(server->start(0, &error), qPrintable(error));
        server->addLens(lens->profile());
        server->addLens(other);
    }

    void cleanup() {
        lens.reset();
        server.reset();
    }

    // Without MODEL the connected lens's files are copied, byte for byte as the server's
    // own export holds them; the copy then serves check-update and update on its own.
    void copyOfTheConnectedLensUpdatesItOffline() {
        QTemporaryDir copy;
        QTemporaryDir exported;
        QVERIFY(server->exportMirror(exported.path()));
        Run run = cli({"--port", lens->linkPath(), "--server", server->baseUrl(), "mirror",
                       copy.path()});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY(run.err.isEmpty());
        QStringList expected = lensFiles(lens->profile()) << "kelvara/utility/KelvaraInfoMac.xml";
        expected.sort();
        QCOMPARE(filesUnder(copy.path()), expected);
        for (const QString& file : expected)
            QVERIFY2(contents(copy.filePath(file)) == contents(exported.filePath(file)),
                     qPrintable(file));
        QVERIFY(run.out.contains(QUrl::fromLocalFile(copy.path()).toString()));

        // The server is gone: only the copy answers.
        const QString offline = QUrl::fromLocalFile(copy.path()).toString();
        server.reset();
        run = cli({"--port", lens->linkPath(), "--server", offline, "check-update"});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QString newest = sim::LensFirmware(lens->profile()).version().section('.', 0, 0);
        QVERIFY2(run.out.contains("Latest version: " + newest), qPrintable(run.out));
        run = cli({"--port", lens->linkPath(), "--server", offline, "update", "--yes"});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err + run.out));
        QVERIFY(!lens->installedImages().isEmpty());
    }

    // A package that does not decode to its end with its catalogue's key, or does not
    // arrive whole, is not kept, and neither is its catalogue, nor a catalogue that does not
    // parse; the other model named is.
    void undecodablePackagesAreNotKept_data() {
        QTest::addColumn<QString>("fault");
        QTest::addRow("tampered on the server") << "tampered";
        QTest::addRow("last image fails its CRC") << "badcrc";
        QTest::addRow("key text is no key") << "badkey";
        QTest::addRow("last image cut short") << "truncated";
        QTest::addRow("last image too long") << "oversize";
        QTest::addRow("cut short on the way") << "http truncated";
        QTest::addRow("package missing") << "http 404";
        QTest::addRow("catalogue malformed") << "http malformed";
    }

    void undecodablePackagesAreNotKept() {
        QFETCH(QString, fault);
        const sim::LensProfile& profile = lens->profile();
        const QString package = sim::UpdateServer::packagePath(profile);
        if (fault == QLatin1String("tampered")) {
            QByteArray bytes = server->document(package);
            bytes[bytes.size() / 2] = char(bytes.at(bytes.size() / 2) ^ 0x01);
            server->setDocument(package, bytes);
        } else if (fault == QLatin1String("http malformed")) {
            sim::HttpFault spoil;
            spoil.kind = sim::HttpFault::Malformed;
            server->setFault(sim::UpdateServer::cataloguePath(profile), spoil);
        } else if (fault.startsWith(QLatin1String("http"))) {
            sim::HttpFault spoil;
            spoil.kind = fault.endsWith(QLatin1String("404")) ? sim::HttpFault::NotFound
                                                              : sim::HttpFault::Truncated;
            server->setFault(package, spoil);
        } else {
            const std::optional<sim::LensFirmware::Kind> kind = sim::LensFirmware::kindNamed(fault);
            QVERIFY(kind);
            QVERIFY(server->setPackageKind(profile, *kind));
        }
        QTemporaryDir copy;
        const Run run = cli({"--server", server->baseUrl(), "mirror", copy.path(),
                             catalogueName(profile), catalogueName(other)});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(catalogueName(profile) + ": "), qPrintable(run.err));
        QVERIFY(!run.err.contains(catalogueName(other)));
        QStringList expected = lensFiles(other) << "kelvara/utility/KelvaraInfoMac.xml";
        expected.sort();
        QCOMPARE(filesUnder(copy.path()), expected);
    }

    // A write that fails part way (here the package, past a file size limit) leaves
    // neither the file nor its temporary behind, and says which file.
    void interruptedWriteLeavesNoFile() {
        QTemporaryDir copy;
        const qsizetype packageSize = server->document(sim::UpdateServer::packagePath(other)).size();
        QVERIFY(packageSize > 8192);
        const Run run = cli({"--server", server->baseUrl(), "mirror", copy.path(),
                             catalogueName(other)},
                            rlim_t(packageSize / 2));
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(sim::UpdateServer::packagePath(other).mid(1)), qPrintable(run.err));
        QCOMPARE(filesUnder(copy.path()), QStringList{"kelvara/utility/KelvaraInfoMac.xml"});
    }

    void commandLineRefusedBeforeAnyRequest_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addRow("no folder") << QStringList{"mirror"};
        QTest::addRow("a path for a model") << QStringList{"mirror", "DIR", "../AB12Z"};
        QTest::addRow("an address for a model") << QStringList{"mirror", "DIR", "http:x"};
    }

    void commandLineRefusedBeforeAnyRequest() {
        QFETCH(QStringList, args);
        const Run run = cli(QStringList{"--server", server->baseUrl()} + args);
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(server->connectionCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestCliMirror)
#include "tst_cli_mirror.moc"

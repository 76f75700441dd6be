// The firmware page's update from a folder that holds a copy of the update server: the
// folder picker, the same question and transfer as the online update, and the message for
// a folder without this lens's firmware.
#include "UpdateServer.h"
#include "VirtualLens.h"
#include "WindowHarness.h"

#include "MainWindow.h"
#include "controller/AppViewModel.h"
#include "firmware/ServerModel.h"
#include "model/BasicInfoViewModel.h"
#include "ui/MessageViewModel.h"

#include <QDir>
#include <QQuickItem>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace kelvara;

namespace {
constexpr int TRANSFER_TIMEOUT_MS = 30000;
} // namespace

class FirmwareFolderTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(userFiles_.isValid());
        WindowHarness::isolateUserFiles(userFiles_.path());
    }

    void pickerQuestionAndRefusalPictured_data() { WindowHarness::addPictureRows(true); }

    // Each step pictured: the page with its button, the picker, a folder without this lens's
    // firmware (a message naming the catalogue looked for), and the question of the online
    // update, answered no. A cancelled picker says nothing.
    void pickerQuestionAndRefusalPictured() {
        QFETCH(QLocale::Language, language);
        QFETCH(bool, dark);
        QVERIFY(start(language, dark));
        QVERIFY(ui_->shown(QStringLiteral("firmwareUpdateFromFolder")));
        QCOMPARE(ui_->text(QStringLiteral("firmwareUpdateFromFolder")), qtTrId("Firmware_UpdateFromFolder"));
        ui_->picture(QStringLiteral("firmwareFolderButton"));

        answered_ = 0;
        ui_->answerDialog(QString(), &answered_);
        ui_->click(QStringLiteral("firmwareUpdateFromFolder"));
        QTRY_COMPARE(answered_, 1);
        QTest::qWait(200);
        QVERIFY(!message().show_message());

        QTemporaryDir empty;
        ui_->answerDialog(empty.path(), &answered_, QStringLiteral("firmwareFolderPicker"));
        ui_->click(QStringLiteral("firmwareUpdateFromFolder"));
        QTRY_COMPARE(answered_, 2);
        const BasicInfoViewModel& info = *ui_->vm().basic_info();
        const QString model = info.modelName() + ServerModel::mountSuffix(info.mountType());
        QTRY_VERIFY(message().show_message());
        QCOMPARE(message().message(), qtTrId("Firmware_FolderNoFirmware").arg(model));
        ui_->answer("Firmware_FolderNoFirmware", QStringLiteral("messageOk"),
               QStringLiteral("firmwareFolderNoFirmware"));
        QCOMPARE(ui_->pageName(), QStringLiteral("firmwarePage"));

        QTemporaryDir copy;
        writeCopy(copy.path());
        ui_->answerDialog(copy.path(), &answered_);
        ui_->click(QStringLiteral("firmwareUpdateFromFolder"));
        ui_->answer("Firmware_UpdateConfirm", QStringLiteral("messageNo"),
               QStringLiteral("firmwareFolderConfirm"));
        QCOMPARE(ui_->vm().download_state(), 0);
        QVERIFY(ui_->lens().installedImages().isEmpty());
    }

    // The package is taken from the folder: without it there the transfer fails as a bad
    // download does; with it the lens receives the firmware.
    void updateComesFromTheFolder() {
        QVERIFY(start(QLocale::English, false));
        QTemporaryDir copy;
        writeCopy(copy.path());
        const QString package = copy.filePath(sim::UpdateServer::packagePath(ui_->lens().profile()).mid(1));
        const QString kept = package + QStringLiteral(".kept");
        QVERIFY(QFile::rename(package, kept));

        ui_->answerDialog(copy.path(), &answered_);
        ui_->click(QStringLiteral("firmwareUpdateFromFolder"));
        ui_->answer("Firmware_UpdateConfirm", QStringLiteral("messageYes"));
        ui_->answer("Firmware_UpdateError", QStringLiteral("messageOk"));
        QTRY_COMPARE(ui_->pageName(), QStringLiteral("connectPage"));
        QVERIFY(ui_->lens().installedImages().isEmpty());

        QVERIFY(QFile::rename(kept, package));
        QVERIFY(ui_->connect(false));
        QTRY_COMPARE(ui_->pageName(), QStringLiteral("firmwarePage"));
        ui_->answerDialog(copy.path(), &answered_);
        ui_->click(QStringLiteral("firmwareUpdateFromFolder"));
        ui_->answer("Firmware_UpdateConfirm", QStringLiteral("messageYes"));
        QTRY_COMPARE_WITH_TIMEOUT(ui_->vm().download_state(), 2, TRANSFER_TIMEOUT_MS);
        QVERIFY(!ui_->lens().installedImages().isEmpty());
    }

  private:
    bool start(QLocale::Language language, bool dark) {
        WindowHarness::Options options;
        options.language = language;
        options.dark = dark;
        if (!WindowHarness::restart(&ui_, options) || !ui_->connect(false) ||
            !QTest::qWaitFor([this] { return ui_->pageName() == QLatin1String("firmwarePage"); }, 5000))
            return false;
        ui_->waitForFrame();
        return true;
    }

    // A copy of the update server's files for the connected lens in folder.
    void writeCopy(const QString& folder) {
        sim::UpdateServer server;
        server.addLens(ui_->lens().profile());
        QVERIFY(server.exportMirror(folder));
    }

    MessageViewModel& message() const { return *ui_->vm().message(); }

    QTemporaryDir userFiles_;
    std::unique_ptr<WindowHarness> ui_;
    int answered_ = 0;
};

QTEST_MAIN(FirmwareFolderTest)
#include "tst_firmware_folder.moc"

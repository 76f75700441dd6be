// The firmware page's update from a folder that holds a copy of the update server: the
// folder picker, the same question and transfer as the online update, and the message for
// a folder without this lens's firmware.
#include "UpdateServer.h"
#include "VirtualLens.h"
#include "WindowHarness.h"

#include "QuickFileDialogs.h"
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

        answerFolder({});
        ui_->click(QStringLiteral("firmwareUpdateFromFolder"));
        QTRY_VERIFY(folderAnswered_);
        QTest::qWait(200);
        QVERIFY(!message().show_message());

        QTemporaryDir empty;
        answerFolder(empty.path(), QStringLiteral("firmwareFolderPicker"));
        ui_->click(QStringLiteral("firmwareUpdateFromFolder"));
        QTRY_VERIFY(folderAnswered_);
        const BasicInfoViewModel& info = *ui_->vm().basic_info();
        const QString model = info.modelName() + ServerModel::mountSuffix(info.mountType());
        QTRY_VERIFY(message().show_message());
        QCOMPARE(message().message(), qtTrId("Firmware_FolderNoFirmware").arg(model));
        ui_->answer("Firmware_FolderNoFirmware", QStringLiteral("messageOk"),
               QStringLiteral("firmwareFolderNoFirmware"));
        QCOMPARE(ui_->pageName(), QStringLiteral("firmwarePage"));

        QTemporaryDir copy;
        writeCopy(copy.path());
        answerFolder(copy.path());
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

        answerFolder(copy.path());
        ui_->click(QStringLiteral("firmwareUpdateFromFolder"));
        ui_->answer("Firmware_UpdateConfirm", QStringLiteral("messageYes"));
        ui_->answer("Firmware_UpdateError", QStringLiteral("messageOk"));
        QTRY_COMPARE(ui_->pageName(), QStringLiteral("connectPage"));
        QVERIFY(ui_->lens().installedImages().isEmpty());

        QVERIFY(QFile::rename(kept, package));
        QVERIFY(ui_->connect(false));
        QTRY_COMPARE(ui_->pageName(), QStringLiteral("firmwarePage"));
        answerFolder(copy.path());
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

    // The next folder request is answered with folder (empty: cancelled) once the window
    // shows its folder dialog; picture names a picture taken of it first.
    void answerFolder(const QString& folder, const QString& picture = {}) {
        QuickFileDialogs* dialogs = &ui_->shell().fileDialogs();
        folderAnswered_ = false;
        auto connection = std::make_shared<QMetaObject::Connection>();
        *connection = connect(dialogs, &QuickFileDialogs::folderRequested, this,
                              [this, dialogs, folder, picture, connection] {
                                  disconnect(*connection);
                                  QTimer::singleShot(0, this, [this, dialogs, folder, picture] {
                                      QQuickItem* requests = ui_->item(QStringLiteral("fileRequests"));
                                      QObject* dialog = requests ? requests->findChild<QObject*>(
                                                                       QStringLiteral("folderDialog"))
                                                                 : nullptr;
                                      QVERIFY2(dialog && dialog->property("visible").toBool(),
                                               "the window showed no folder dialog");
                                      if (!picture.isEmpty()) {
                                          ui_->waitForFrame();
                                          ui_->picture(picture);
                                      }
                                      dialogs->finish(folder.isEmpty() ? QUrl()
                                                                       : QUrl::fromLocalFile(folder));
                                      QMetaObject::invokeMethod(dialog, "close");
                                      folderAnswered_ = true;
                                  });
                              });
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
    bool folderAnswered_ = false;
};

QTEST_MAIN(FirmwareFolderTest)
#include "tst_firmware_folder.moc"

// The backups page against the virtual lens: the list with the lens's model first, a
// backup loaded back as an import loads a file, the file manager shown the folder, a
// backup deleted after asking; the About page's log folder; pictures of the page and
// its questions.
#include "VirtualLens.h"
#include "WindowHarness.h"

#include "controller/AppViewModel.h"
#include "controller/BackupListModel.h"
#include "controller/MenuId.h"
#include "controller/SettingsBackup.h"
#include "model/BasicInfoViewModel.h"
#include "model/LensSettingViewModel.h"
#include "platform/LogFile.h"
#include "ui/MessageViewModel.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QQuickItem>
#include <QtTest>

#include <algorithm>
#include <memory>

using namespace kelvara;

// Stands in for the desktop's file manager.
class FolderOpener : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
  public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class BackupsPageTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(userFiles_.isValid());
        WindowHarness::isolateUserFiles(userFiles_.path());
        qputenv("XDG_STATE_HOME", userFiles_.filePath(QStringLiteral("state")).toUtf8());
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &opener_, "open");
        QVERIFY(WindowHarness::restart(&ui_, {}, true));
    }

    // A reset's backup of this lens, an older damaged one of its model, then the other
    // models' newest first whatever their age against this lens's.
    void listsTheLensModelFirst() {
        const QString model = SettingsBackup::fileModelName(vm().basic_info()->modelName());
        QVERIFY(!seed(QStringLiteral("ZZ99"), "20991231-235959-999", "firmware-update").isEmpty());
        QVERIFY(!seed(QStringLiteral("AB00"), "20200101-000000-000", "").isEmpty());
        QVERIFY(!seed(model, "20200102-000000-000", "import", "short").isEmpty());

        const QByteArray factory = ui_->lens().settingsImage();
        vm().lens_setting()->setDirection(vm().lens_setting()->direction() == 1 ? 0 : 1);
        ui_->settle();
        QTRY_VERIFY(ui_->lens().settingsImage() != factory);
        beforeReset_ = ui_->lens().settingsImage();
        QSignalSpy ended(&vm(), &AppViewModel::operationFinished);
        ui_->click(QStringLiteral("resetSettings"));
        ui_->answer("Home_SettingReturnQuestion", "messageYes");
        ui_->answer("Home_SettingReturnEnd", "messageOk");
        // The re-read that follows opens the home page again.
        QTRY_VERIFY(std::any_of(ended.begin(), ended.end(), [](const QList<QVariant>& args) {
            return args.first().value<Outcome>().operation == Operation::SettingsRead;
        }));
        QCOMPARE(ui_->lens().settingsImage(), factory);

        QVERIFY(ui_->menu().contains(QStringLiteral("Backups")));
        ui_->click(QStringLiteral("homeBackups"));
        QTRY_COMPARE(ui_->pageName(), QStringLiteral("backupsPage"));
        ui_->waitForFrame();
        const struct {
            QString model;
            const char* reason;
            bool restorable;
        } rows[] = {{model, "Backups_ReasonReset", true},
                    {model, "Backups_ReasonImport", true},
                    {QStringLiteral("ZZ99"), "Backups_ReasonFirmwareUpdate", false},
                    {QStringLiteral("AB00"), "Backups_ReasonUnknown", false}};
        QCOMPARE(vm().backups()->count(), 4);
        QVERIFY(!ui_->shown(QStringLiteral("backupsEmpty")));
        for (int i = 0; i < 4; ++i) {
            const QString row = QStringLiteral("backup%1").arg(i);
            const QString title = ui_->text(row + QStringLiteral("_title"));
            QVERIFY2(title.startsWith(rows[i].model + u' '), qPrintable(title));
            QCOMPARE(ui_->text(row + QStringLiteral("_reason")), qtTrId(rows[i].reason));
            QCOMPARE(ui_->property(row + QStringLiteral("_restore"), "enabled").toBool(),
                     rows[i].restorable);
        }
        QCOMPARE(ui_->property(QStringLiteral("menu_Menu_Backups_icon"), "name").toString(),
                 QStringLiteral("icon_menu_backup_selected"));
    }

    // The question first; after it the import's checks and its messages, and a backup of
    // what the lens held.
    void restoreIsAnImportOfTheBackup() {
        const QByteArray factory = ui_->lens().settingsImage();
        QList<Outcome> imports;
        connect(&vm(), &AppViewModel::operationFinished, this, [&imports](const Outcome& o) {
            if (o.operation == Operation::Import)
                imports << o;
        });

        ui_->press(QStringLiteral("backup0_restore"));
        ui_->answer("Backups_RestoreQuestion", "messageNo");
        QTRY_COMPARE(imports.value(0), (Outcome{Operation::Import, Outcome::AnsweredNo, {}}));

        ui_->press(QStringLiteral("backup1_restore"));
        ui_->answer("Backups_RestoreQuestion", "messageYes");
        ui_->answer("Home_FileIllegal", "messageOk");
        QTRY_COMPARE(imports.value(1),
                     (Outcome{Operation::Import, Outcome::Failed, QStringLiteral("Home_FileIllegal")}));
        QCOMPARE(ui_->lens().settingsImage(), factory);
        QCOMPARE(vm().backups()->count(), 4);

        const QString reset = rowPath(0);
        ui_->press(QStringLiteral("backup0_restore"));
        ui_->answer("Backups_RestoreQuestion", "messageYes");
        ui_->answer("Home_SettingInputEnd", "messageOk");
        ui_->settle();
        QTRY_COMPARE(ui_->lens().settingsImage(), beforeReset_);
        QCOMPARE(imports.value(2),
                 (Outcome{Operation::Import, Outcome::Done, QStringLiteral("Home_SettingInputEnd")}));
        // As after an import, the home page shows what the lens now holds; back on the
        // backups page the settings the restore replaced come first.
        QTRY_COMPARE(ui_->pageName(), QStringLiteral("homePage"));
        ui_->clickWhenShown(QStringLiteral("homeBackups"));
        QTRY_COMPARE(ui_->pageName(), QStringLiteral("backupsPage"));
        ui_->waitForFrame();
        QCOMPARE(vm().backups()->count(), 5);
        QCOMPARE(rowPath(0), vm().lastBackup());
        QCOMPARE(rowPath(1), reset);
        QCOMPARE(ui_->text(QStringLiteral("backup0_reason")), qtTrId("Backups_ReasonImport"));
        disconnect(&vm(), &AppViewModel::operationFinished, this, nullptr);
    }

    void showInFolderAndDeleteAfterAsking() {
        opener_.opened.clear();
        ui_->press(QStringLiteral("backup3_show"));
        QCOMPARE(opener_.opened, QList<QUrl>{QUrl::fromLocalFile(SettingsBackup::directory())});

        const QString doomed = rowPath(3);
        ui_->press(QStringLiteral("backup3_delete"));
        ui_->answer("Backups_DeleteQuestion", "messageNo");
        QVERIFY(QFile::exists(doomed));
        QCOMPARE(vm().backups()->count(), 5);

        ui_->press(QStringLiteral("backup3_delete"));
        ui_->answer("Backups_DeleteQuestion", "messageYes");
        QVERIFY(!QFile::exists(doomed));
        QTRY_COMPARE(vm().backups()->count(), 4);
        QVERIFY(!SettingsBackup::list().contains(doomed));
        QVERIFY(!vm().message()->show_message());
    }

    void aboutPageOpensTheLogFolder() {
        opener_.opened.clear();
        ui_->showPage(VERSION_INFO, "versionPage");
        ui_->click(QStringLiteral("versionLogFolder"));
        QCOMPARE(opener_.opened, QList<QUrl>{QUrl::fromLocalFile(LogFile::directory())});
        QVERIFY(LogFile::directory().startsWith(userFiles_.path()));
        QVERIFY(QDir(LogFile::directory()).exists());
    }

    void pictures_data() { WindowHarness::addPictureRows(true); }

    // At the smallest window: the empty page, the list, and its two questions.
    void pictures() {
        QFETCH(QLocale::Language, language);
        QFETCH(bool, dark);
        QVERIFY(QDir(SettingsBackup::directory()).removeRecursively());
        QVERIFY(WindowHarness::restart(&ui_, {.preset = {}, .language = language, .dark = dark}, true));
        QVERIFY(ui_->toSmallest());
        ui_->showPage(BACKUPS, "backupsPage");
        QVERIFY(ui_->shown(QStringLiteral("backupsEmpty")));
        ui_->picture(QStringLiteral("backups-empty"));

        const QString model = SettingsBackup::fileModelName(vm().basic_info()->modelName());
        seed(model, "20261204-091500-120", "import");
        seed(model, "20261120-174233-004", "reset");
        seed(QStringLiteral("PR35Z"), "20261201-080000-000", "firmware-update");
        seed(QStringLiteral("PR35Z"), "20250611-120000-000", "");
        vm().refreshBackups();
        QTRY_VERIFY(ui_->shown(QStringLiteral("backup3")));
        ui_->waitForFrame();
        ui_->picture(QStringLiteral("backups"));

        ui_->press(QStringLiteral("backup0_restore"));
        QTRY_VERIFY(ui_->shown(QStringLiteral("messageYes")));
        ui_->waitForFrame();
        ui_->picture(QStringLiteral("backups-restoreQuestion"));
        ui_->answer("Backups_RestoreQuestion", "messageNo");
        ui_->press(QStringLiteral("backup2_delete"));
        QTRY_VERIFY(ui_->shown(QStringLiteral("messageYes")));
        ui_->waitForFrame();
        ui_->picture(QStringLiteral("backups-deleteQuestion"));
        ui_->answer("Backups_DeleteQuestion", "messageNo");
    }

    void cleanupTestCase() {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    }

  private:
    AppViewModel& vm() const { return ui_->vm(); }
    // A file in the backup directory, named as backups are.
    static QString seed(const QString& model, const char* stamp, const char* reason,
                        const QByteArray& bytes = "not a settings file") {
        QDir().mkpath(SettingsBackup::directory());
        const QString name = *reason ? QStringLiteral("%1_%2_%3.vdat")
                                           .arg(model, QLatin1String(stamp), QLatin1String(reason))
                                     : QStringLiteral("%1_%2.vdat").arg(model, QLatin1String(stamp));
        QFile file(QDir(SettingsBackup::directory()).filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return {};
        return file.fileName();
    }

    QString rowPath(int row) const {
        return vm()
            .backups()
            ->data(vm().backups()->index(row), BackupListModel::PathRole)
            .toString();
    }

    QTemporaryDir userFiles_;
    FolderOpener opener_;
    std::unique_ptr<WindowHarness> ui_;
    QByteArray beforeReset_;
};

QTEST_MAIN(BackupsPageTest)
#include "tst_backups_page.moc"

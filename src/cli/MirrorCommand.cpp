#include "CliCommand.h"
#include "CliSession.h"
#include "CliText.h"
#include "Console.h"

#include "controller/AppViewModel.h"
#include "firmware/FirmwareMirror.h"
#include "firmware/ServerModel.h"
#include "model/BasicInfoViewModel.h"

#include <QCommandLineParser>
#include <QDir>
#include <QUrl>

namespace kelvara {

namespace {

constexpr int CONNECT_MS = 10000;
// Each request may take the HTTP time-out, and the lens waits connected meanwhile.
constexpr int REQUEST_MS = 65000;

// One line per file set: copies on standard output, failures on standard error.
bool report(const FirmwareMirror::Item& item) {
    using Result = FirmwareMirror::Result;
    const QString name = item.model.isEmpty() ? item.file : item.model;
    switch (item.result) {
    case Result::Copied:
        Console::out((item.model.isEmpty() ? CliText::text(CliText::MirrorUtilityCopied)
                                           : CliText::text(CliText::MirrorLensCopied))
                         .arg(name, item.version));
        return true;
    case Result::NoAnswer:
        Console::err(CliText::text(CliText::MirrorNoAnswer).arg(name, item.reason));
        break;
    case Result::NotOnServer:
        Console::err(CliText::text(CliText::MirrorNotOnServer).arg(name, item.reason));
        break;
    case Result::BadCatalogue:
        Console::err(CliText::text(CliText::MirrorBadCatalogue).arg(name));
        break;
    case Result::BadPackage:
        Console::err(CliText::text(CliText::MirrorBadPackage).arg(name));
        break;
    case Result::NotWritten:
        Console::err(CliText::text(CliText::MirrorNotWritten).arg(name, item.file, item.reason));
        break;
    }
    return false;
}

void copy(CliSession& session, const QString& folder, const QStringList& models) {
    session.armWatchdog(REQUEST_MS * (2 * int(models.size()) + 1));
    FirmwareMirror::copy(
        folder, models, [&session, folder](const QList<FirmwareMirror::Item>& items) {
            bool all = true;
            for (const FirmwareMirror::Item& item : items)
                all = report(item) && all;
            if (all) {
                const QString absolute = QDir(folder).absolutePath();
                Console::out(CliText::text(CliText::MirrorUse)
                                 .arg(absolute, QUrl::fromLocalFile(absolute).toString()));
            }
            session.finish(all ? 0 : 1);
        });
}

} // namespace

CliCommand mirrorCommand() {
    return {QStringLiteral("mirror"),
            QStringLiteral("DIR [MODEL...]"),
            QStringLiteral("copy the update server's catalogues and the firmware of each MODEL\n"
                           "into DIR, for --server file://DIR without a network; without\n"
                           "MODEL, of the connected lens"),
            QStringLiteral(
                "MODEL is a catalogue's name as the update server names it: the model name\n"
                "and the mount suffix (SE, RF, Z or X), e.g. AB12Z. DIR receives\n"
                "kelvara/utility/KelvaraInfoMac.xml, kelvara/lens/MODEL.xml and the package\n"
                "that catalogue names, byte for byte as served. A package is kept only when\n"
                "it decodes with its catalogue's key; each file is written under a temporary\n"
                "name and renamed once whole. Exit status 1 when any file was not copied.\n"),
            {},
            [](const QCommandLineParser& parser, QString* error) -> CliCommand::Run {
                QStringList models = parser.positionalArguments();
                const QString folder = models.takeFirst();
                if (folder.isEmpty()) {
                    *error = QStringLiteral("mirror needs DIR");
                    return {};
                }
                for (const QString& model : models) {
                    if (!FirmwareMirror::isModelName(model)) {
                        *error =
                            QStringLiteral("%1 is not a catalogue name such as AB12Z").arg(model);
                        return {};
                    }
                }
                return [folder, models](CliSession& session) {
                    if (!models.isEmpty()) {
                        copy(session, folder, models);
                        return;
                    }
                    session.armWatchdog(CONNECT_MS);
                    session.connectLens([&session, folder] {
                        const BasicInfoViewModel& info = *session.controller().basic_info();
                        copy(session, folder,
                             {info.modelName() + ServerModel::mountSuffix(info.mountType())});
                    });
                };
            }};
}

} // namespace kelvara

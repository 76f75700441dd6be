#include "QuickFileDialogs.h"

#include "MainWindow.h"

namespace kelvara {

QuickFileDialogs::QuickFileDialogs(QObject* parent) : QObject(parent) {}

QuickFileDialogs* QuickFileDialogs::create(QQmlEngine* engine, QJSEngine*) {
    return &MainWindow::create(engine, nullptr)->fileDialogs();
}

void QuickFileDialogs::begin(Done done, const QString& proposedName, const QString& extension,
                             bool saving, bool folder) {
    if (done_) {
        Done older = std::move(done_);
        done_ = {};
        older(QString());
    }
    done_ = std::move(done);
    proposedName_ = proposedName;
    extension_ = extension;
    saving_ = saving;
    folder_ = folder;
    emit requestChanged();
}

void QuickFileDialogs::chooseSaveFile(const QString& proposedName, const QString& extension,
                                      Done done) {
    begin(std::move(done), proposedName, extension, true);
    emit saveRequested(proposedName, extension);
}

void QuickFileDialogs::chooseOpenFile(const QString& extension, Done done) {
    begin(std::move(done), QString(), extension, false);
    emit openRequested(extension);
}

void QuickFileDialogs::chooseFolder(Done done) {
    begin(std::move(done), QString(), QString(), false, true);
    emit folderRequested();
}

void QuickFileDialogs::finish(const QUrl& file) {
    if (!done_)
        return;
    Done done = std::move(done_);
    done_ = {};
    emit requestChanged();
    QString path = file.isLocalFile() ? file.toLocalFile() : file.toString();
    const QString suffix = QLatin1Char('.') + extension_;
    if (saving_ && !path.isEmpty() && !extension_.isEmpty() &&
        !path.endsWith(suffix, Qt::CaseInsensitive))
        path += suffix;
    done(path);
}

} // namespace kelvara

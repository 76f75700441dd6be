#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace kelvara {

// Copies the update server's files into a folder laid out as the server is, so that a
// file:// address of the folder serves the same answers later without a network: the
// utility catalogue, and for each model its catalogue and the package that catalogue
// names. A package is kept only when it decodes to its end with its catalogue's key.
// Every file is written under a temporary name and renamed once whole, and a package
// before its catalogue, so no catalogue in the folder names a package that is not there.
class FirmwareMirror {
  public:
    enum class Result {
        Copied,
        NoAnswer,     // no HTTP response: network, time-out, size cap
        NotOnServer,  // an answer other than 200
        BadCatalogue, // not a catalogue, or naming no usable package and key
        BadPackage,   // does not decode to its end with the catalogue's key
        NotWritten,   // the folder did not take the file
    };

    struct Item {
        // A catalogue's name as the server names it (model and mount suffix, "AB12Z");
        // empty for the utility catalogue.
        QString model;
        Result result = Result::Copied;
        QString version; // the catalogue's Version, once read
        QString file;    // the file concerned, relative to the folder
        QString reason;  // the transfer's or the file system's words, when it failed
    };
    using Done = std::function<void(const QList<Item>&)>;

    static const QString UTILITY_PATH; // "kelvara/utility/KelvaraInfoMac.xml"
    static const QString LENS_FOLDER;  // "kelvara/lens/"

    // From the current environment's update server into folder: the utility catalogue,
    // then each model in turn. Returns at once; done runs once, on the main thread, with
    // the utility catalogue's item first and one item per model.
    static void copy(const QString& folder, const QStringList& models, Done done);

    // A name that can stand for one catalogue file in the folder.
    static bool isModelName(const QString& model);
    // Where a model's catalogue lies, relative to the folder.
    static QString cataloguePath(const QString& model);

  private:
    struct Run;
};

} // namespace kelvara

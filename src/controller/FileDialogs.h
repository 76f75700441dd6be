#pragma once

#include <QString>

#include <functional>

namespace kelvara {

// The save, open and folder panels, supplied by each front-end. Each calls done once, on the
// main thread, with the chosen path, or with an empty path when the user cancelled.
class FileDialogs {
public:
    using Done = std::function<void(const QString& path)>;

    virtual ~FileDialogs() = default;
    virtual void chooseSaveFile(const QString& proposedName, const QString& extension,
                                Done done) = 0;
    virtual void chooseOpenFile(const QString& extension, Done done) = 0;
    // A folder to read from. A front-end without a folder panel answers cancelled.
    virtual void chooseFolder(Done done) { done(QString()); }
};

} // namespace kelvara

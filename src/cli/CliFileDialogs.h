#pragma once

#include "controller/FileDialogs.h"

namespace kelvara {

// The save and open panels of the command line: both answer with the FILE named on the
// command line, at once.
class CliFileDialogs : public FileDialogs {
  public:
    void setPath(const QString& path) { path_ = path; }
    void chooseSaveFile(const QString& proposedName, const QString& extension,
                        Done done) override;
    void chooseOpenFile(const QString& extension, Done done) override;

  private:
    QString path_;
};

} // namespace kelvara

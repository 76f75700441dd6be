#include "CliFileDialogs.h"

namespace kelvara {

// The name is used exactly as given: a script names the file it will look for.
void CliFileDialogs::chooseSaveFile(const QString&, const QString&, Done done) {
    done(path_);
}

void CliFileDialogs::chooseOpenFile(const QString&, Done done) {
    done(path_);
}

} // namespace kelvara

#pragma once

#include "controller/FileDialogs.h"
#include "platform/MainThread.h"

#include <QString>

namespace kelvara::test {

// Answers every panel, on a later turn of the main thread as a real panel does, with the
// path a test set; empty means cancelled.
class ChosenFile : public FileDialogs {
  public:
    QString path;
    void chooseSaveFile(const QString&, const QString&, Done done) override { answer(done); }
    void chooseOpenFile(const QString&, Done done) override { answer(done); }

  private:
    void answer(const Done& done) {
        const QString chosen = path;
        MainThread::post([done, chosen] { done(chosen); });
    }
};

} // namespace kelvara::test

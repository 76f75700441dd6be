#include "FuzzEnvironment.h"

#include "model/BasicInfoViewModel.h"
#include "platform/Environment.h"
#include "platform/HttpClient.h"
#include "platform/WorkerQueue.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace kelvara::fuzz {

namespace {

class NotFoundHttpClient : public HttpClient {
  public:
    void get(const HttpRequest&, Completion completion) override {
        WorkerQueue::post([completion = std::move(completion)] {
            HttpResponse response;
            response.received = true;
            response.status = 404;
            completion(response);
        });
    }
};

} // namespace

void runUntil(const std::function<bool()>& done) {
    const QDeadlineTimer deadline(5000);
    while (!done()) {
        if (deadline.hasExpired()) {
            std::fputs("fuzz: no completion within 5 s\n", stderr);
            std::abort();
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
}

void parseRecord(BasicInfoViewModel& model, Bytes record) {
    bool started = false;
    bool finished = false;
    QObject watch; // ends both connections on return
    QObject::connect(&model, &BasicInfoViewModel::firmwareCheckStarted, &watch,
                     [&] { started = true; });
    QObject::connect(&model, &BasicInfoViewModel::firmwareCheckFinished, &watch,
                     [&] { finished = true; });
    model.setRom(std::move(record));
    model.parseRom();
    if (started)
        runUntil([&] { return finished; });
}

} // namespace kelvara::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char*** argv) {
    using namespace kelvara;
    // libFuzzer's own options are no business of Qt's.
    static int qtArgc = 1;
    static char* qtArgv[] = {(*argv)[0], nullptr};
    // Never destroyed: worker threads may still post to it while the process ends.
    static QCoreApplication* app = new QCoreApplication(qtArgc, qtArgv);
    (void)app;
    static const std::shared_ptr<Environment> environment = Environment::create();
    environment->setDiagnosticSink([](const QString&) {});
    environment->setHttpClient(std::make_shared<fuzz::NotFoundHttpClient>());
    return 0;
}

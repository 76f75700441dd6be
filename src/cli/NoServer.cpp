#include "NoServer.h"

#include <QThreadPool>

namespace kelvara {

void NoServer::get(const HttpRequest&, Completion completion) {
    // Completions run off the main thread and never inside get().
    QThreadPool::globalInstance()->start([completion = std::move(completion)] {
        HttpResponse response;
        response.error = QStringLiteral("not asked: the command reads files only");
        completion(response);
    });
}

} // namespace kelvara

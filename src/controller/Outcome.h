#pragma once

#include "Operation.h"

#include <QMetaType>
#include <QString>
#include <QStringList>

namespace kelvara {

// How an operation ended. textId is the text id of the message that reported it (empty
// when none was shown), args what its %1, %2, ... stood for; the message has been
// answered by the time the outcome arrives.
struct Outcome {
    enum Result {
        Done,
        Failed,
        Refused,   // not started: another write holds the lens, or nothing to act on
        AnsweredNo // the user declined a question or a file panel
    };

    Operation operation = Operation::Connect;
    Result result = Done;
    QString textId;
    QStringList args = {};

    bool done() const { return result == Done; }
    friend bool operator==(const Outcome&, const Outcome&) = default;
};

} // namespace kelvara

Q_DECLARE_METATYPE(kelvara::Outcome)

#pragma once

#include "ui/ButtonMode.h"
#include "ui/MessageViewModel.h"

#include <QTest>

namespace kelvara::test {

// Waits for the message box to show the message key (its id and its text), then answers
// it: OK, or yes / no for a question. False, with a warning, when another one shows.
inline bool answerMessage(MessageViewModel& box, const char* key, bool yes = true,
                          int timeoutMs = 5000) {
    if (!QTest::qWaitFor([&box] { return box.show_message(); }, timeoutMs)) {
        qWarning("no message %s", key);
        return false;
    }
    if (box.message_id() != QLatin1String(key) || box.message() != qtTrId(key)) {
        qWarning("message shown: %s", qPrintable(box.message_id()));
        return false;
    }
    if (box.button_mode() == ButtonMode::OK)
        box.respondOk();
    else
        yes ? box.respondYes() : box.respondNo();
    return true;
}

} // namespace kelvara::test

#pragma once

#include <QList>
#include <QString>

namespace kelvara {

class AppViewModel;

// The lens's settings in the words that info prints, one labelled line each: every
// control the lens has, then the focus ring and the AF fine adjustment as the lens allows.
class SettingLines {
  public:
    struct Line {
        QString label;
        QString value;
    };

    static QList<Line> of(const AppViewModel& controller);
};

} // namespace kelvara

#pragma once

#include <QtCore/qobjectdefs.h>

namespace kelvara {

// A namespace of its own gives the names a meta-object, so that the pages can use them.
namespace ButtonModeEnum {
Q_NAMESPACE

// The buttons of the message box and of the popups.
enum class ButtonMode { OK, YES_NO };
Q_ENUM_NS(ButtonMode)

} // namespace ButtonModeEnum

using ButtonModeEnum::ButtonMode;

} // namespace kelvara

#pragma once

#include <QtCore/qobjectdefs.h>

namespace kelvara {

// A namespace of its own gives the names a meta-object, so that the pages can use them.
namespace MenuIdEnum {
Q_NAMESPACE

// The page shown in the main area.
enum MenuId {
    CONNECT,
    HOME,
    CSW_CBT_SETTING,
    CBT_SETTING,
    RING_SETTING,
    ADJUSTMENT,
    FIRMWARE_INFO,
    VERSION_INFO,
    FUNCTION_DESCRIPTION,
    BACKUPS
};
Q_ENUM_NS(MenuId)

} // namespace MenuIdEnum

using MenuIdEnum::MenuId;
using enum MenuIdEnum::MenuId;

} // namespace kelvara

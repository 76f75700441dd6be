#pragma once

#include <QtCore/qobjectdefs.h>

namespace kelvara {

// A namespace of its own gives the names a meta-object, so that the pages can use them.
namespace ConnectStateEnum {
Q_NAMESPACE

enum ConnectState { NOT_CONNECT, CONNECTING, CONNECT_COMPLETE };
Q_ENUM_NS(ConnectState)

} // namespace ConnectStateEnum

using ConnectStateEnum::ConnectState;
using enum ConnectStateEnum::ConnectState;

// What the user connected for.
enum ConnectMode { customize = 0, firmwareUpdate = 1 };

} // namespace kelvara

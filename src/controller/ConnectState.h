#pragma once

namespace kelvara {

enum ConnectState { NOT_CONNECT, CONNECTING, CONNECT_COMPLETE };

// What the user connected for.
enum ConnectMode { customize = 0, firmwareUpdate = 1 };

} // namespace kelvara

#pragma once

namespace kelvara {

class AppViewModel;
class UsbSerialInterface;

// Whether the window may close now. It may not while a firmware transfer runs, nor
// while a lens is connected for customisation; a refusal tells the user why, unless a
// message is already on screen.
class CloseGuard {
  public:
    static bool mayClose(AppViewModel& app, const UsbSerialInterface& transport);
};

} // namespace kelvara

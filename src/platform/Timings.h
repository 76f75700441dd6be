#pragma once

namespace kelvara {

// Every wait of the lens link and the controller, in seconds, in one place so that
// tests can run the same sequences with short timings.
struct Timings {
    double replyTimeout = 0.5;          // framed reply, and firmware steps after the first
    double firmwareFirstTimeout = 10.0; // first answer after a firmware-update start
    double modeSwitchSettle = 0.5;      // before and after closing the port for the mode switch
    double modeSwitchRestart = 0.1;     // after the connect reply, before the second start
    double lineSpeedSettle = 0.01;      // before raising the line speed
    double closePoll = 0.01;            // between checks that the port has closed
    double closeSlowPoll = 1.0;         // after ten fast checks
    double autoConnectInterval = 1.0;   // reconnect attempts after a lens restarts
    double httpTimeout = 60.0;          // update-server requests, without data arriving
    double lensRestartWait = 60.0;      // for a lens to answer again after a firmware update

    // The timings of the current environment.
    static Timings current();
};

} // namespace kelvara

#pragma once

#include "AdapterMode.h"
#include "FaultPlan.h"
#include "InstalledImage.h"
#include "LensProfile.h"

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QString>

#include <array>

namespace kelvara::sim {

// Everything about the lens that both the serving thread and the public API
// touch. Every member is guarded by mutex.
struct LensState {
    explicit LensState(LensProfile lens);

    // The information record as the lens reports it now.
    QByteArray record() const { return profile.record(versionMajor, versionMinor); }

    mutable QMutex mutex;
    LensProfile profile;
    QByteArray settings;
    quint8 versionMajor = 0;
    quint8 versionMinor = 0;
    int attachCode = 1;
    AdapterMode adapterMode = AdapterMode::Normal;
    bool receiving = false;
    bool plugged = false;
    QString devicePath;
    std::array<int, 256> frameCounts{};
    int badFrames = 0;
    QByteArray lastRequest;
    QList<InstalledImage> installed;
    FaultPlan faults;
};

} // namespace kelvara::sim

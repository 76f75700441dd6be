#include "LensState.h"

#include <utility>

namespace kelvara::sim {

LensState::LensState(LensProfile lens)
    : profile(std::move(lens)), settings(profile.factorySettings),
      versionMajor(profile.versionMajor), versionMinor(profile.versionMinor),
      attachCode(profile.attachCode) {}

} // namespace kelvara::sim

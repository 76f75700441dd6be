#pragma once

#include <QtCore/qobjectdefs.h>

#include <cstdint>

namespace kelvara {

// A namespace of its own gives the names a meta-object, so that the pages can use them.
namespace UpdateStateEnum {
Q_NAMESPACE

// Course of one firmware update; callers compare the values.
enum class UpdateState : std::uint8_t {
    Idle = 0,
    Start = 1,
    Complete = 2,
    Cancel = 3,
    Error = 4,
    NetworkError = 5,
};
Q_ENUM_NS(UpdateState)

} // namespace UpdateStateEnum

using UpdateStateEnum::UpdateState;

} // namespace kelvara

#pragma once

#include <QtCore/qobjectdefs.h>

#include <cstdint>

namespace kelvara {

// A namespace of its own gives the names a meta-object, so that the pages can use them.
namespace PopupIdEnum {
Q_NAMESPACE

// Which popup is shown.
enum class PopupId : std::uint8_t {
    None = 0,
    FunctionSelect = 1,
    RingDirection = 2,
    RingResponse = 3,
    AdjustmentPinto = 4,
};
Q_ENUM_NS(PopupId)

} // namespace PopupIdEnum

using PopupIdEnum::PopupId;

} // namespace kelvara

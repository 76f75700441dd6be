#pragma once

#include <QtCore/qobjectdefs.h>

namespace kelvara {

// A namespace of its own gives the names a meta-object, so that the pages can use them.
namespace MessageTypeEnum {
Q_NAMESPACE

// Which layout the message box uses.
enum class MessageType { Message, TooltipDefault, ButtonFunction };
Q_ENUM_NS(MessageType)

} // namespace MessageTypeEnum

using MessageTypeEnum::MessageType;

} // namespace kelvara

#pragma once

namespace kelvara {

// Which layout the message box uses.
enum class MessageType { Message, TooltipDefault, ButtonFunction };

} // namespace kelvara

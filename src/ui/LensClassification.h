#pragma once

namespace kelvara {

// Lens construction, which picks one of the nine lens drawings.
enum LensClassification {
    Zoom_Back_Ring_Switch_Button,
    Zoom_Back_Ring_Button,
    Zoom_Back_Ring_Nothing,
    Zoom_Front_Ring_Switch_Button,
    Zoom_Front_Ring_Button,
    Zoom_Front_Ring_Nothing,
    Single_Switch_Button,
    Single_Button,
    Single_Nothing
};

} // namespace kelvara

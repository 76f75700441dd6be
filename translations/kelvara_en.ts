<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name></name>
    <message id="App_AlreadyRunning">
        <source>Kelvara Lens Utility is already running; its window was brought to the front.</source>
        <extracomment>Standard error of the window's program.</extracomment>
        <translation>Kelvara Lens Utility is already running; its window was brought to the front.</translation>
    </message>
    <message id="App_NotAnswering">
        <source>Kelvara Lens Utility is already running (process %1) but does not answer. Close it, then try again.</source>
        <extracomment>Standard error of the window's program.</extracomment>
        <translation>Kelvara Lens Utility is already running (process %1) but does not answer. Close it, then try again.</translation>
    </message>
    <message id="Adjustment_AFS_CANON">
        <source>With a Fujifilm camera, set the focus mode to S (single AF) while you adjust and check the focus.</source>
        <extracomment>Mount note in the AF fine adjustment explanation. Shown for Fujifilm X-mount lenses (the id does not follow the mount name).</extracomment>
        <translation>With a Fujifilm camera, set the focus mode to S (single AF) while you adjust and check the focus.</translation>
    </message>
    <message id="Adjustment_AFS_FUJI">
        <source>With a Nikon camera, set the camera to single-servo AF (AF-S) while you adjust and check the focus.</source>
        <extracomment>Mount note in the AF fine adjustment explanation. Shown for Nikon Z-mount lenses (the id does not follow the mount name).</extracomment>
        <translation>With a Nikon camera, set the camera to single-servo AF (AF-S) while you adjust and check the focus.</translation>
    </message>
    <message id="Adjustment_AFS_NIKON">
        <source>With a Canon camera, set the camera to One-Shot AF while you adjust and check the focus.</source>
        <extracomment>Mount note in the AF fine adjustment explanation. Shown for Canon RF-mount lenses (the id does not follow the mount name).</extracomment>
        <translation>With a Canon camera, set the camera to One-Shot AF while you adjust and check the focus.</translation>
    </message>
    <message id="Adjustment_AFS_Sony">
        <source>With a Sony camera, set the camera to single-shot AF (AF-S) while you adjust and check the focus.</source>
        <extracomment>Mount note in the AF fine adjustment explanation. Shown for Sony E-mount lenses.</extracomment>
        <translation>With a Sony camera, set the camera to single-shot AF (AF-S) while you adjust and check the focus.</translation>
    </message>
    <message id="Adjustment_AfRevision">
        <source>AF fine adjustment</source>
        <extracomment>Function name and row label.</extracomment>
        <translation>AF fine adjustment</translation>
    </message>
    <message id="Adjustment_AfRevisionDescription">
        <source>Take a test shot after each change and keep the value at which your subject is sharpest. The value is stored in the lens.</source>
        <translation>Take a test shot after each change and keep the value at which your subject is sharpest. The value is stored in the lens.</translation>
    </message>
    <message id="Adjustment_AfRevisionExplanation">
        <source>Shifts the point at which AF focuses, to correct a consistent front or back focus.

</source>
        <translation>Shifts the point at which AF focuses, to correct a consistent front or back focus.

</translation>
    </message>
    <message id="Adjustment_CorrectionValue">
        <source>Adjustment value</source>
        <extracomment>Heading above the value selector.</extracomment>
        <translation>Adjustment value</translation>
    </message>
    <message id="ButtonSelect_ABFocusDelaySettingExplanation">
        <source>A-B focus: moves the focus between two stored positions, A and B, in the drive time you set. You can also set a delay before the focus starts to move.</source>
        <translation>A-B focus: moves the focus between two stored positions, A and B, in the drive time you set. You can also set a delay before the focus starts to move.</translation>
    </message>
    <message id="ButtonSelect_ABFocusExplanation">
        <source>A-B focus: moves the focus between two stored positions, A and B, each time you press the button.</source>
        <translation>A-B focus: moves the focus between two stored positions, A and B, each time you press the button.</translation>
    </message>
    <message id="ButtonSelect_ABFocusExplanationDescription">
        <source>Useful for smooth focus pulls between two subjects in video.</source>
        <translation>Useful for smooth focus pulls between two subjects in video.</translation>
    </message>
    <message id="ButtonSelect_ABFocusExplanationDescription1">
        <source>First store positions A and B as described in the lens's instruction manual.</source>
        <translation>First store positions A and B as described in the lens's instruction manual.</translation>
    </message>
    <message id="ButtonSelect_ABFocusExplanationDescription2">
        <source>Then each press of the button moves the focus to the other position.</source>
        <translation>Then each press of the button moves the focus to the other position.</translation>
    </message>
    <message id="ButtonSelect_AFLimitRange">
        <source>AF limit range</source>
        <extracomment>Heading.</extracomment>
        <translation>AF limit range</translation>
    </message>
    <message id="ButtonSelect_AfLimitOnOffExplanation">
        <source>AF limit: restricts AF to the distance range you set, so that AF finds your subject faster and hunts less.</source>
        <translation>AF limit: restricts AF to the distance range you set, so that AF finds your subject faster and hunts less.</translation>
    </message>
    <message id="ButtonSelect_AfLimitOnOffExplanationDescription">
        <source>Set the near and far ends of the range, then choose how the button works.</source>
        <translation>Set the near and far ends of the range, then choose how the button works.</translation>
    </message>
    <message id="ButtonSelect_AfLimitOnOffExplanationDescription1">
        <source>Each short press turns the AF limit on or off.</source>
        <extracomment>Describes "Short press: on/off".</extracomment>
        <translation>Each short press turns the AF limit on or off.</translation>
    </message>
    <message id="ButtonSelect_AfLimitOnOffExplanationDescription2">
        <source>Press and hold the button to turn the AF limit on or off.</source>
        <extracomment>Describes "Long press: on/off".</extracomment>
        <translation>Press and hold the button to turn the AF limit on or off.</translation>
    </message>
    <message id="ButtonSelect_AfLimitOnOffExplanationDescription3">
        <source>The AF limit is on only while you hold the button down.</source>
        <extracomment>Describes "While held".</extracomment>
        <translation>The AF limit is on only while you hold the button down.</translation>
    </message>
    <message id="ButtonSelect_AfLimitOnOffExplanationDescription4">
        <source>The AF limit is on while the button is released, and off while you hold the button down.</source>
        <extracomment>Describes "While released".</extracomment>
        <translation>The AF limit is on while the button is released, and off while you hold the button down.</translation>
    </message>
    <message id="ButtonSelect_AfMfSwitchExplanation">
        <source>AF/MF switching: switches the lens between autofocus and manual focus.</source>
        <translation>AF/MF switching: switches the lens between autofocus and manual focus.</translation>
    </message>
    <message id="ButtonSelect_AfMfSwitchExplanationDescription">
        <source>Choose how the button switches.</source>
        <translation>Choose how the button switches.</translation>
    </message>
    <message id="ButtonSelect_AfMfSwitchExplanationDescription1">
        <source>Each short press switches between AF and MF.</source>
        <extracomment>Describes the short-press operation.</extracomment>
        <translation>Each short press switches between AF and MF.</translation>
    </message>
    <message id="ButtonSelect_AfMfSwitchExplanationDescription2">
        <source>Press and hold the button to switch between AF and MF. This avoids switching by accident.</source>
        <extracomment>Describes the long-press operation.</extracomment>
        <translation>Press and hold the button to switch between AF and MF. This avoids switching by accident.</translation>
    </message>
    <message id="ButtonSelect_AsignExplanation">
        <source>Camera function: the button performs the function assigned to it on the camera, such as focus hold.</source>
        <translation>Camera function: the button performs the function assigned to it on the camera, such as focus hold.</translation>
    </message>
    <message id="ButtonSelect_AsignExplanationForZ">
        <source>Camera function: the button works as a lens function button (L-Fn). Its function is assigned on the camera.</source>
        <translation>Camera function: the button works as a lens function button (L-Fn). Its function is assigned on the camera.</translation>
    </message>
    <message id="ButtonSelect_Back">
        <source>Back</source>
        <extracomment>Button: previous page of the popup.</extracomment>
        <translation>Back</translation>
    </message>
    <message id="ButtonSelect_DelaySetting">
        <source>Delay</source>
        <extracomment>Heading: wait before the focus starts to move.</extracomment>
        <translation>Delay</translation>
    </message>
    <message id="ButtonSelect_FSBOperationMethod">
        <source>Button operation</source>
        <extracomment>Heading: how the button is pressed to use the function.</extracomment>
        <translation>Button operation</translation>
    </message>
    <message id="ButtonSelect_FocusPresetDelaySettingExplanation">
        <source>Focus preset: moves the focus to a stored position in the drive time you set. You can also set a delay before the focus starts to move.</source>
        <translation>Focus preset: moves the focus to a stored position in the drive time you set. You can also set a delay before the focus starts to move.</translation>
    </message>
    <message id="ButtonSelect_FocusPresetExplanation">
        <source>Focus preset: moves the focus to a stored position when you press the button.</source>
        <translation>Focus preset: moves the focus to a stored position when you press the button.</translation>
    </message>
    <message id="ButtonSelect_FocusPresetExplanationDescription">
        <source>Useful for returning quickly to a distance you often shoot at.</source>
        <translation>Useful for returning quickly to a distance you often shoot at.</translation>
    </message>
    <message id="ButtonSelect_FocusPresetExplanationDescription1">
        <source>First store the position: focus on the distance you want to recall and store it as described in the lens's instruction manual.</source>
        <translation>First store the position: focus on the distance you want to recall and store it as described in the lens's instruction manual.</translation>
    </message>
    <message id="ButtonSelect_FocusPresetExplanationDescription2">
        <source>Then press the button to move the focus to the stored position.</source>
        <translation>Then press the button to move the focus to the stored position.</translation>
    </message>
    <message id="ButtonSelect_FocusTime">
        <source>Drive time</source>
        <extracomment>Heading: time the focus takes to reach the stored position.</extracomment>
        <translation>Drive time</translation>
    </message>
    <message id="ButtonSelect_FunctionABFocus">
        <source>A-B focus</source>
        <extracomment>Function name.</extracomment>
        <translation>A-B focus</translation>
    </message>
    <message id="ButtonSelect_FunctionAfLimitOnOff">
        <source>AF limit</source>
        <extracomment>Function name.</extracomment>
        <translation>AF limit</translation>
    </message>
    <message id="ButtonSelect_FunctionAfMfSwitch">
        <source>AF/MF switching</source>
        <extracomment>Function name.</extracomment>
        <translation>AF/MF switching</translation>
    </message>
    <message id="ButtonSelect_FunctionAsign">
        <source>Camera function</source>
        <extracomment>Function name: the button does what is assigned on the camera. On Nikon Z, "(L-Fn)" or "(L-Fn2)" is appended directly.</extracomment>
        <translation>Camera function</translation>
    </message>
    <message id="ButtonSelect_FunctionFocusPreset">
        <source>Focus preset</source>
        <extracomment>Function name.</extracomment>
        <translation>Focus preset</translation>
    </message>
    <message id="ButtonSelect_FunctionMfMiSwitch">
        <source>MF/MI switching</source>
        <extracomment>Function name: switches the ring between manual focus and manual iris.</extracomment>
        <translation>MF/MI switching</translation>
    </message>
    <message id="ButtonSelect_FunctionProcedureCANON">
        <source>To assign a function, open the camera's Customize buttons menu and choose a function for the lens AF stop button. See the camera's manual for details.</source>
        <translation>To assign a function, open the camera's Customize buttons menu and choose a function for the lens AF stop button. See the camera's manual for details.</translation>
    </message>
    <message id="ButtonSelect_FunctionProcedureFUJI">
        <source>To assign a function, open the camera's Button/Dial settings, go to Function (Fn) settings and choose a function for the lens button. See the camera's manual for details.</source>
        <translation>To assign a function, open the camera's Button/Dial settings, go to Function (Fn) settings and choose a function for the lens button. See the camera's manual for details.</translation>
    </message>
    <message id="ButtonSelect_FunctionProcedureNIKON">
        <source>To assign a function, open Custom controls in the camera's Custom Settings menu and choose a function for the lens Fn button. See the camera's manual for details.</source>
        <translation>To assign a function, open Custom controls in the camera's Custom Settings menu and choose a function for the lens Fn button. See the camera's manual for details.</translation>
    </message>
    <message id="ButtonSelect_FunctionProcedureSony">
        <source>To assign a function, open the camera menu, go to the custom key settings and choose a function for the Focus Hold Button. See the camera's manual for details.</source>
        <translation>To assign a function, open the camera menu, go to the custom key settings and choose a function for the Focus Hold Button. See the camera's manual for details.</translation>
    </message>
    <message id="ButtonSelect_FunctionUnused">
        <source>Not assigned</source>
        <extracomment>Function name.</extracomment>
        <translation>Not assigned</translation>
    </message>
    <message id="ButtonSelect_InfLockExplanation">
        <source>Infinity lock: holds the focus at infinity, for example for landscapes or the night sky.</source>
        <translation>Infinity lock: holds the focus at infinity, for example for landscapes or the night sky.</translation>
    </message>
    <message id="ButtonSelect_InfLockExplanationDescription1">
        <source>Each short press locks the focus at infinity or releases the lock.</source>
        <extracomment>Describes the short-press operation.</extracomment>
        <translation>Each short press locks the focus at infinity or releases the lock.</translation>
    </message>
    <message id="ButtonSelect_InfLockExplanationDescription2">
        <source>Press and hold the button to lock the focus at infinity or release the lock.</source>
        <extracomment>Describes the long-press operation.</extracomment>
        <translation>Press and hold the button to lock the focus at infinity or release the lock.</translation>
    </message>
    <message id="ButtonSelect_LabelAFLimitClick">
        <source>Short press: on/off</source>
        <extracomment>Operation name.</extracomment>
        <translation>Short press: on/off</translation>
    </message>
    <message id="ButtonSelect_LabelAFLimitLongClick">
        <source>Long press: on/off</source>
        <extracomment>Operation name.</extracomment>
        <translation>Long press: on/off</translation>
    </message>
    <message id="ButtonSelect_LabelClick">
        <source>Short press</source>
        <extracomment>Operation name.</extracomment>
        <translation>Short press</translation>
    </message>
    <message id="ButtonSelect_LabelLongClick">
        <source>Long press</source>
        <extracomment>Operation name.</extracomment>
        <translation>Long press</translation>
    </message>
    <message id="ButtonSelect_LabelWhilePress">
        <source>While held</source>
        <extracomment>Operation name.</extracomment>
        <translation>While held</translation>
    </message>
    <message id="ButtonSelect_LabelWhileRelease">
        <source>While released</source>
        <extracomment>Operation name.</extracomment>
        <translation>While released</translation>
    </message>
    <message id="ButtonSelect_MFLimit">
        <source>MF limit</source>
        <extracomment>Heading.</extracomment>
        <translation>MF limit</translation>
    </message>
    <message id="ButtonSelect_MFLimitExplanation">
        <source>MF limit: keeps manual focusing within a distance range you set.</source>
        <translation>MF limit: keeps manual focusing within a distance range you set.</translation>
    </message>
    <message id="ButtonSelect_MfMiSwitchExplanation">
        <source>MF/MI switching: switches the ring between manual focus (MF) and manual iris (MI) control.</source>
        <translation>MF/MI switching: switches the ring between manual focus (MF) and manual iris (MI) control.</translation>
    </message>
    <message id="ButtonSelect_MfMiSwitchExplanationDescription">
        <source>Choose how the button switches.</source>
        <translation>Choose how the button switches.</translation>
    </message>
    <message id="ButtonSelect_MfMiSwitchExplanationDescription1">
        <source>Each short press switches the ring between MF and MI.</source>
        <extracomment>Describes the short-press operation.</extracomment>
        <translation>Each short press switches the ring between MF and MI.</translation>
    </message>
    <message id="ButtonSelect_MfMiSwitchExplanationDescription2">
        <source>Press and hold the button to switch the ring between MF and MI.</source>
        <extracomment>Describes the long-press operation.</extracomment>
        <translation>Press and hold the button to switch the ring between MF and MI.</translation>
    </message>
    <message id="ButtonSelect_Select">
        <source>Select</source>
        <extracomment>Button.</extracomment>
        <translation>Select</translation>
    </message>
    <message id="ButtonSelect_Speed0">
        <source>1 (slow)</source>
        <extracomment>Focus drive speed step; appears after "Focus speed: " in summaries.</extracomment>
        <translation>1 (slow)</translation>
    </message>
    <message id="ButtonSelect_Speed1">
        <source>2</source>
        <extracomment>Focus drive speed step; appears after "Focus speed: " in summaries.</extracomment>
        <translation>2</translation>
    </message>
    <message id="ButtonSelect_Speed2">
        <source>3</source>
        <extracomment>Focus drive speed step; appears after "Focus speed: " in summaries.</extracomment>
        <translation>3</translation>
    </message>
    <message id="ButtonSelect_Speed3">
        <source>4</source>
        <extracomment>Focus drive speed step; appears after "Focus speed: " in summaries.</extracomment>
        <translation>4</translation>
    </message>
    <message id="ButtonSelect_Speed4">
        <source>5</source>
        <extracomment>Focus drive speed step; appears after "Focus speed: " in summaries.</extracomment>
        <translation>5</translation>
    </message>
    <message id="ButtonSelect_Speed5">
        <source>6</source>
        <extracomment>Focus drive speed step; appears after "Focus speed: " in summaries.</extracomment>
        <translation>6</translation>
    </message>
    <message id="ButtonSelect_Speed6">
        <source>7</source>
        <extracomment>Focus drive speed step; appears after "Focus speed: " in summaries.</extracomment>
        <translation>7</translation>
    </message>
    <message id="ButtonSelect_Speed7">
        <source>8 (fast)</source>
        <extracomment>Focus drive speed step; appears after "Focus speed: " in summaries.</extracomment>
        <translation>8 (fast)</translation>
    </message>
    <message id="ButtonSelect_UnusedExplanation">
        <source>Not assigned: the control does nothing.</source>
        <translation>Not assigned: the control does nothing.</translation>
    </message>
    <message id="ButtonSelect_UnusedExplanationDescription">
        <source>Choose this to avoid starting a function by accident.</source>
        <translation>Choose this to avoid starting a function by accident.</translation>
    </message>
    <message id="ButtonSelect_functionInfLock">
        <source>Infinity lock</source>
        <extracomment>Function name.</extracomment>
        <translation>Infinity lock</translation>
    </message>
    <message id="ButtonSelect_functionMFLimit">
        <source>MF limit</source>
        <extracomment>Function name.</extracomment>
        <translation>MF limit</translation>
    </message>
    <message id="Common_AppEndError">
        <source>A lens is connected. Click Disconnect lens at the top of the window, then quit.</source>
        <translation>A lens is connected. Click Disconnect lens at the top of the window, then quit.</translation>
    </message>
    <message id="Common_Cancel">
        <source>Cancel</source>
        <extracomment>Button: closes a popup and puts the lens's setting back.</extracomment>
        <translation>Cancel</translation>
    </message>
    <message id="Common_Change">
        <source>Change</source>
        <extracomment>Button.</extracomment>
        <translation>Change</translation>
    </message>
    <message id="Common_Custom1">
        <source>Custom 1</source>
        <extracomment>Custom switch position.</extracomment>
        <translation>Custom 1</translation>
    </message>
    <message id="Common_Custom2">
        <source>Custom 2</source>
        <extracomment>Custom switch position.</extracomment>
        <translation>Custom 2</translation>
    </message>
    <message id="Common_Custom3">
        <source>Custom 3</source>
        <extracomment>Custom switch position.</extracomment>
        <translation>Custom 3</translation>
    </message>
    <message id="Common_Help">
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message id="Common_LensCommunicationError">
        <source>The lens did not respond, so the setting was not changed. Check that the lens sits firmly in the dock and that the cable is connected, then try again.</source>
        <translation>The lens did not respond, so the setting was not changed. Check that the lens sits firmly in the dock and that the cable is connected, then try again.</translation>
    </message>
    <message id="Common_LensError">
        <source>The lens did not accept the setting, so the previous setting was kept. Try again. If this keeps happening, disconnect the lens and connect it again.</source>
        <translation>The lens did not accept the setting, so the previous setting was kept. Try again. If this keeps happening, disconnect the lens and connect it again.</translation>
    </message>
    <message id="Common_LensRemovalMessage">
        <source>The connection to the lens was lost. Check that the lens sits firmly in the dock and that the cable is connected, then connect again.</source>
        <translation>The connection to the lens was lost. Check that the lens sits firmly in the dock and that the cable is connected, then connect again.</translation>
    </message>
    <message id="Common_NetworkError">
        <source>Could not get the firmware information from the update server. Check your internet connection, then connect the lens again.</source>
        <translation>Could not get the firmware information from the update server. Check your internet connection, then connect the lens again.</translation>
    </message>
    <message id="Common_No">
        <source>No</source>
        <extracomment>Button.</extracomment>
        <translation>No</translation>
    </message>
    <message id="Common_Ok">
        <source>OK</source>
        <extracomment>Button.</extracomment>
        <translation>OK</translation>
    </message>
    <message id="Common_Return">
        <source>Back</source>
        <extracomment>Button.</extracomment>
        <translation>Back</translation>
    </message>
    <message id="Common_UpdateConfirm">
        <source>This lens needs a firmware update before it can be used. Click OK to start the update, and keep the lens connected until it has finished.</source>
        <extracomment>Message with an OK button only (no Cancel); OK starts the update.</extracomment>
        <translation>This lens needs a firmware update before it can be used. Click OK to start the update, and keep the lens connected until it has finished.</translation>
    </message>
    <message id="Common_UpdatingCannotEnd">
        <source>A firmware update is in progress. You can quit once it has finished.</source>
        <translation>A firmware update is in progress. You can quit once it has finished.</translation>
    </message>
    <message id="Common_Yes">
        <source>Yes</source>
        <extracomment>Button.</extracomment>
        <translation>Yes</translation>
    </message>
    <message id="Connect_CameraConnectionStatusError">
        <source>The lens cannot be reached through the camera right now. Turn the camera on, wake it from sleep, then connect again.</source>
        <translation>The lens cannot be reached through the camera right now. Turn the camera on, wake it from sleep, then connect again.</translation>
    </message>
    <message id="Connect_CameraSleepWarning">
        <source>If the lens is on a camera, turn off the camera's auto power off so that the connection is not interrupted.</source>
        <translation>If the lens is on a camera, turn off the camera's auto power off so that the connection is not interrupted.</translation>
    </message>
    <message id="Connect_CustomizeWithCamera">
        <source>Lens on a camera: you can also customize the lens while it is mounted on a camera. Turn the camera on before you connect.</source>
        <translation>Lens on a camera: you can also customize the lens while it is mounted on a camera. Turn the camera on before you connect.</translation>
    </message>
    <message id="Connect_CustomizeWithoutCamera">
        <source>Lens only: attach the lens to the dock and connect the dock to this computer with the USB cable.</source>
        <translation>Lens only: attach the lens to the dock and connect the dock to this computer with the USB cable.</translation>
    </message>
    <message id="Connect_FirmwareUpdate">
        <source>Firmware update: remove the lens from the camera, attach it to the dock and connect the dock to this computer with the USB cable.</source>
        <translation>Firmware update: remove the lens from the camera, attach it to the dock and connect the dock to this computer with the USB cable.</translation>
    </message>
    <message id="Connect_LensConnect">
        <source>Connect lens</source>
        <extracomment>Button.</extracomment>
        <translation>Connect lens</translation>
    </message>
    <message id="Connect_LensConnectError">
        <source>Could not connect to the lens. Check that the lens sits firmly in the dock and that the USB cable is connected, then try again.</source>
        <translation>Could not connect to the lens. Check that the lens sits firmly in the dock and that the USB cable is connected, then try again.</translation>
    </message>
    <message id="Connect_PortBusy">
        <source>Another program is using the dock's port. Close that program (kelvara-lens-cli doctor names it), then try again. Found: %1.</source>
        <translation>Another program is using the dock's port. Close that program (kelvara-lens-cli doctor names it), then try again. Found: %1.</translation>
    </message>
    <message id="Connect_PortMissing">
        <source>The dock's port was not found. Connect the dock to this computer with the USB cable, then try again. Found: %1.</source>
        <translation>The dock's port was not found. Connect the dock to this computer with the USB cable, then try again. Found: %1.</translation>
    </message>
    <message id="Connect_PortModemManager">
        <source>ModemManager is using the dock's port. Install the udev rule 70-kelvara-lens-dock.rules so that it leaves the dock alone, or stop it (sudo systemctl stop ModemManager), then try again. Found: %1.</source>
        <translation>ModemManager is using the dock's port. Install the udev rule 70-kelvara-lens-dock.rules so that it leaves the dock alone, or stop it (sudo systemctl stop ModemManager), then try again. Found: %1.</translation>
    </message>
    <message id="Connect_PortPermission">
        <source>This user may not open the dock's port. Install the udev rule 70-kelvara-lens-dock.rules in /etc/udev/rules.d, then unplug the dock and plug it in again. Found: %1.</source>
        <translation>This user may not open the dock's port. Install the udev rule 70-kelvara-lens-dock.rules in /etc/udev/rules.d, then unplug the dock and plug it in again. Found: %1.</translation>
    </message>
    <message id="Connect_PortPermissionGroup">
        <source>This user may not open the dock's port. Join the group that owns the port (kelvara-lens-cli doctor names it), then log out and log in again. Found: %1.</source>
        <translation>This user may not open the dock's port. Join the group that owns the port (kelvara-lens-cli doctor names it), then log out and log in again. Found: %1.</translation>
    </message>
    <message id="Connect_Procedure">
        <source>Attach the lens to the dock, connect the dock to this computer with the USB cable, then click Connect lens. Do not disconnect the cable while the utility is communicating with the lens.</source>
        <translation>Attach the lens to the dock, connect the dock to this computer with the USB cable, then click Connect lens. Do not disconnect the cable while the utility is communicating with the lens.</translation>
    </message>
    <message id="CustomSetting_AfInf">
        <source>∞</source>
        <extracomment>AF limit position: infinity.</extracomment>
        <translation>∞</translation>
    </message>
    <message id="CustomSetting_AfMod">
        <source>Closest</source>
        <extracomment>AF limit position: the lens's minimum focus distance.</extracomment>
        <translation>Closest</translation>
    </message>
    <message id="CustomSetting_CustomSwitchExplanation">
        <source>Assign a function to each position of the custom switch and to the custom button.</source>
        <translation>Assign a function to each position of the custom switch and to the custom button.</translation>
    </message>
    <message id="Firmware_CameraConnectFirmupErrorMessage">
        <source>The firmware cannot be updated while the lens is mounted on a camera. Disconnect the lens now? Then remove it from the camera, attach it to the dock and connect again.</source>
        <extracomment>Yes/No question; Yes disconnects the lens.</extracomment>
        <translation>The firmware cannot be updated while the lens is mounted on a camera. Disconnect the lens now? Then remove it from the camera, attach it to the dock and connect again.</translation>
    </message>
    <message id="Firmware_ContentConfirmation">
        <source>View update details</source>
        <extracomment>Link.</extracomment>
        <translation>View update details</translation>
    </message>
    <message id="Firmware_ContentConfirmationURL">
        <source>@KELVARA_DOCS_BASE_URL@/firmware/</source>
        <extracomment>Address prefix; the lens model and mount path are appended.</extracomment>
        <translation>@KELVARA_DOCS_BASE_URL@/firmware/</translation>
    </message>
    <message id="Firmware_Current">
        <source>Current version</source>
        <extracomment>Followed directly by ":Ver. " and the version.</extracomment>
        <translation>Current version</translation>
    </message>
    <message id="Firmware_DownLoadError">
        <source>Could not download the firmware. Check your internet connection, then connect the lens and try again.</source>
        <translation>Could not download the firmware. Check your internet connection, then connect the lens and try again.</translation>
    </message>
    <message id="Firmware_Latest">
        <source>Latest version</source>
        <extracomment>Followed directly by ":Ver. " and the version.</extracomment>
        <translation>Latest version</translation>
    </message>
    <message id="Firmware_LensNotBack">
        <source>The lens did not answer after the update. Check that the lens sits firmly in the dock, then connect it to check its firmware version.</source>
        <extracomment>OK message when the lens does not answer again within a minute after an update.</extracomment>
        <translation>The lens did not answer after the update. Check that the lens sits firmly in the dock, then connect it to check its firmware version.</translation>
    </message>
    <message id="Firmware_LensRemoval">
        <source>Remove the lens from the dock. To check the new version, connect the lens again.</source>
        <translation>Remove the lens from the dock. To check the new version, connect the lens again.</translation>
    </message>
    <message id="Firmware_Reconnect">
        <source>Connect again</source>
        <extracomment>Button on the update's completion page: connects the lens again to read its new firmware version.</extracomment>
        <translation>Connect again</translation>
    </message>
    <message id="Firmware_Reconnecting">
        <source>Waiting for the lens to restart with its new firmware…</source>
        <extracomment>Shown on the update's completion page while the lens is connected again.</extracomment>
        <translation>Waiting for the lens to restart with its new firmware…</translation>
    </message>
    <message id="Firmware_UpdateConfirm">
        <source>Update the lens firmware now? Do not remove the lens or disconnect the cable until the update has finished.</source>
        <extracomment>Yes/No question.</extracomment>
        <translation>Update the lens firmware now? Do not remove the lens or disconnect the cable until the update has finished.</translation>
    </message>
    <message id="Firmware_UpdateEnd">
        <source>The firmware update is complete.</source>
        <translation>The firmware update is complete.</translation>
    </message>
    <message id="Firmware_UpdateError">
        <source>The firmware update failed. Check that the lens sits firmly in the dock and that the cable is connected, then connect the lens and try again.</source>
        <translation>The firmware update failed. Check that the lens sits firmly in the dock and that the cable is connected, then connect the lens and try again.</translation>
    </message>
    <message id="Firmware_UpdateExists">
        <source>A firmware update is available.</source>
        <translation>A firmware update is available.</translation>
    </message>
    <message id="Firmware_UpdateNotApplied">
        <source>The lens still runs firmware version %1: the update did not take effect. Connect the lens again and repeat the update.</source>
        <extracomment>OK message when the lens, connected again after an update, reports the version it had before. %1: that version.</extracomment>
        <translation>The lens still runs firmware version %1: the update did not take effect. Connect the lens again and repeat the update.</translation>
    </message>
    <message id="Firmware_UpdateStart">
        <source>Update firmware</source>
        <extracomment>Button.</extracomment>
        <translation>Update firmware</translation>
    </message>
    <message id="Firmware_Updating">
        <source>Updating the firmware. Do not remove the lens or disconnect the cable.</source>
        <translation>Updating the firmware. Do not remove the lens or disconnect the cable.</translation>
    </message>
    <message id="Footer_FWCheckError">
        <source>Could not check for firmware updates. Check your internet connection.</source>
        <translation>Could not check for firmware updates. Check your internet connection.</translation>
    </message>
    <message id="Footer_UtilityVersionCheckError">
        <source>Could not check for a newer version of Kelvara Lens Utility. Check your internet connection.</source>
        <translation>Could not check for a newer version of Kelvara Lens Utility. Check your internet connection.</translation>
    </message>
    <message id="FunctionDescription_Adjustment">
        <source>Adjustment</source>
        <extracomment>Section heading.</extracomment>
        <translation>Adjustment</translation>
    </message>
    <message id="FunctionDescription_CustomSetting">
        <source>Custom switch and button</source>
        <extracomment>Section heading.</extracomment>
        <translation>Custom switch and button</translation>
    </message>
    <message id="FunctionDescription_Explanation">
        <source>These are the functions you can set on this lens. Click the help icon next to a function to read more online.</source>
        <translation>These are the functions you can set on this lens. Click the help icon next to a function to read more online.</translation>
    </message>
    <message id="FunctionDescription_FocusRingSetting">
        <source>Focus ring</source>
        <extracomment>Section heading.</extracomment>
        <translation>Focus ring</translation>
    </message>
    <message id="FunctionDescription_FunctionListURL">
        <source>@KELVARA_DOCS_BASE_URL@/functions/</source>
        <translation>@KELVARA_DOCS_BASE_URL@/functions/</translation>
    </message>
    <message id="FunctionDescription_OnlineHelp">
        <source>Online help</source>
        <extracomment>Link.</extracomment>
        <translation>Online help</translation>
    </message>
    <message id="FunctionDescription_ToDetail">
        <source>All functions in detail</source>
        <extracomment>Link.</extracomment>
        <translation>All functions in detail</translation>
    </message>
    <message id="Header_LensDisconnected">
        <source>No lens connected</source>
        <translation>No lens connected</translation>
    </message>
    <message id="Header_LensRemoval">
        <source>Disconnect lens</source>
        <extracomment>Button.</extracomment>
        <translation>Disconnect lens</translation>
    </message>
    <message id="Header_LensRemovalConfirm">
        <source>Disconnect the lens? You can then remove it from the dock.</source>
        <extracomment>Yes/No question.</extracomment>
        <translation>Disconnect the lens? You can then remove it from the dock.</translation>
    </message>
    <message id="HelpURL_ABFocus">
        <source>@KELVARA_DOCS_BASE_URL@/functions/ab-focus/</source>
        <translation>@KELVARA_DOCS_BASE_URL@/functions/ab-focus/</translation>
    </message>
    <message id="HelpURL_AFLimit">
        <source>@KELVARA_DOCS_BASE_URL@/functions/af-limit/</source>
        <translation>@KELVARA_DOCS_BASE_URL@/functions/af-limit/</translation>
    </message>
    <message id="HelpURL_AfMfSwitch">
        <source>@KELVARA_DOCS_BASE_URL@/functions/af-mf-switching/</source>
        <translation>@KELVARA_DOCS_BASE_URL@/functions/af-mf-switching/</translation>
    </message>
    <message id="HelpURL_CameraFunction">
        <source>@KELVARA_DOCS_BASE_URL@/functions/camera-function/</source>
        <translation>@KELVARA_DOCS_BASE_URL@/functions/camera-function/</translation>
    </message>
    <message id="HelpURL_FocusPreset">
        <source>@KELVARA_DOCS_BASE_URL@/functions/focus-preset/</source>
        <translation>@KELVARA_DOCS_BASE_URL@/functions/focus-preset/</translation>
    </message>
    <message id="HelpURL_InfLock">
        <source>@KELVARA_DOCS_BASE_URL@/functions/infinity-lock/</source>
        <translation>@KELVARA_DOCS_BASE_URL@/functions/infinity-lock/</translation>
    </message>
    <message id="HelpURL_MFLimit">
        <source>@KELVARA_DOCS_BASE_URL@/functions/mf-limit/</source>
        <translation>@KELVARA_DOCS_BASE_URL@/functions/mf-limit/</translation>
    </message>
    <message id="HelpURL_RingFunction">
        <source>@KELVARA_DOCS_BASE_URL@/functions/mf-mi-switching/</source>
        <translation>@KELVARA_DOCS_BASE_URL@/functions/mf-mi-switching/</translation>
    </message>
    <message id="Home_Adjustment">
        <source>AF adjustment</source>
        <extracomment>Block heading.</extracomment>
        <translation>AF adjustment</translation>
    </message>
    <message id="Home_AfCustomize">
        <source>AF fine adjustment</source>
        <extracomment>Row label.</extracomment>
        <translation>AF fine adjustment</translation>
    </message>
    <message id="Home_ButtonSetting">
        <source>Custom button</source>
        <extracomment>Block heading.</extracomment>
        <translation>Custom button</translation>
    </message>
    <message id="Home_DelaySetting">
        <source>Delay</source>
        <extracomment>Summary part name; ": " and the time follow.</extracomment>
        <translation>Delay</translation>
    </message>
    <message id="Home_FileIllegal">
        <source>This file cannot be loaded. It is not a settings file for this lens model, or it is damaged. Choose a file saved from a lens of the same model.</source>
        <translation>This file cannot be loaded. It is not a settings file for this lens model, or it is damaged. Choose a file saved from a lens of the same model.</translation>
    </message>
    <message id="Home_FileLoadError">
        <source>Could not read the file. Check that it still exists and that you are allowed to open it, then try again.</source>
        <translation>Could not read the file. Check that it still exists and that you are allowed to open it, then try again.</translation>
    </message>
    <message id="Home_FileSaveError">
        <source>Could not save the file. Check that you can write to the chosen folder and that the disk has free space, then try again.</source>
        <translation>Could not save the file. Check that you can write to the chosen folder and that the disk has free space, then try again.</translation>
    </message>
    <message id="Home_FocusSpeed">
        <source>Focus speed</source>
        <extracomment>Summary part name; ": " and the speed follow.</extracomment>
        <translation>Focus speed</translation>
    </message>
    <message id="Home_FocusTime">
        <source>Drive time</source>
        <extracomment>Summary part name; ": " and the time follow.</extracomment>
        <translation>Drive time</translation>
    </message>
    <message id="Home_LabelCustomSwitch">
        <source>Custom switch</source>
        <extracomment>Label on the lens drawing.</extracomment>
        <translation>Custom switch</translation>
    </message>
    <message id="Home_LabelFocusRing">
        <source>Focus ring</source>
        <extracomment>Label on the lens drawing.</extracomment>
        <translation>Focus ring</translation>
    </message>
    <message id="Home_LabelFocusSetButton">
        <source>Custom button</source>
        <extracomment>Label on the lens drawing and row label.</extracomment>
        <translation>Custom button</translation>
    </message>
    <message id="Home_LensSettingLoadError">
        <source>Could not read the settings from the lens. Check that the lens sits firmly in the dock and that the cable is connected, then connect again.</source>
        <translation>Could not read the settings from the lens. Check that the lens sits firmly in the dock and that the cable is connected, then connect again.</translation>
    </message>
    <message id="Home_RingAngleSetting">
        <source>Rotation angle (°)</source>
        <extracomment>Summary part name; ": " and the angle in degrees follow.</extracomment>
        <translation>Rotation angle (°)</translation>
    </message>
    <message id="Home_RingDefault">
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message id="Home_RingDirectionSetting">
        <source>Rotation direction</source>
        <extracomment>Setting name.</extracomment>
        <translation>Rotation direction</translation>
    </message>
    <message id="Home_RingFollowCamera">
        <source>Follow camera</source>
        <extracomment>Ring direction value: the camera decides.</extracomment>
        <translation>Follow camera</translation>
    </message>
    <message id="Home_RingResponseLinear">
        <source>Linear</source>
        <translation>Linear</translation>
    </message>
    <message id="Home_RingResponseNonLinear">
        <source>Non-linear</source>
        <translation>Non-linear</translation>
    </message>
    <message id="Home_RingResponseSetting">
        <source>Ring response</source>
        <extracomment>Setting name.</extracomment>
        <translation>Ring response</translation>
    </message>
    <message id="Home_RingReverse">
        <source>Reverse</source>
        <translation>Reverse</translation>
    </message>
    <message id="Home_RingSetting">
        <source>Focus ring</source>
        <extracomment>Block heading.</extracomment>
        <translation>Focus ring</translation>
    </message>
    <message id="Home_SettingButton">
        <source>Settings</source>
        <extracomment>Button.</extracomment>
        <translation>Settings</translation>
    </message>
    <message id="Home_SettingInput">
        <source>Load settings</source>
        <extracomment>Button: load a settings file into the lens.</extracomment>
        <translation>Load settings</translation>
    </message>
    <message id="Home_SettingInputEnd">
        <source>The settings were loaded into the lens.</source>
        <translation>The settings were loaded into the lens.</translation>
    </message>
    <message id="Home_SettingInputError">
        <source>Could not write the settings to the lens. Some settings may already have changed. Check that the lens sits firmly in the dock and that the cable is connected, then load the file again.</source>
        <translation>Could not write the settings to the lens. Some settings may already have changed. Check that the lens sits firmly in the dock and that the cable is connected, then load the file again.</translation>
    </message>
    <message id="Home_SettingInputVerifyError">
        <source>The lens does not hold these settings as the file gives them: %1. Check that the lens sits firmly in the dock and is not on a camera, then load the file again.</source>
        <extracomment>OK message after a settings file was loaded, when the settings read back from the lens differ from the file. %1: the names of the settings that differ.</extracomment>
        <translation>The lens does not hold these settings as the file gives them: %1. Check that the lens sits firmly in the dock and is not on a camera, then load the file again.</translation>
    </message>
    <message id="Home_SettingOutput">
        <source>Save settings</source>
        <extracomment>Button: save the lens settings to a file.</extracomment>
        <translation>Save settings</translation>
    </message>
    <message id="Home_SettingOutputEnd">
        <source>The settings were saved.</source>
        <translation>The settings were saved.</translation>
    </message>
    <message id="Home_SettingOutputError">
        <source>Could not read the settings from the lens, so no file was saved. Check that the lens sits firmly in the dock and that the cable is connected, then try again.</source>
        <translation>Could not read the settings from the lens, so no file was saved. Check that the lens sits firmly in the dock and that the cable is connected, then try again.</translation>
    </message>
    <message id="Home_SettingReturn">
        <source>Reset settings</source>
        <extracomment>Button.</extracomment>
        <translation>Reset settings</translation>
    </message>
    <message id="Home_SettingReturnEnd">
        <source>The lens settings were reset to their defaults.</source>
        <translation>The lens settings were reset to their defaults.</translation>
    </message>
    <message id="Home_SettingReturnError">
        <source>Could not reset the settings. Check that the lens sits firmly in the dock and that the cable is connected, then try again.</source>
        <translation>Could not reset the settings. Check that the lens sits firmly in the dock and that the cable is connected, then try again.</translation>
    </message>
    <message id="Home_SettingReturnQuestion">
        <source>Reset all lens settings to their defaults? Your current settings will be lost. To keep them, save them to a file first.</source>
        <extracomment>Yes/No question.</extracomment>
        <translation>Reset all lens settings to their defaults? Your current settings will be lost. To keep them, save them to a file first.</translation>
    </message>
    <message id="Home_SwitchSetting">
        <source>Custom switch and button</source>
        <extracomment>Block heading.</extracomment>
        <translation>Custom switch and button</translation>
    </message>
    <message id="Menu_Adjustment">
        <source>AF adjustment</source>
        <extracomment>Menu entry.</extracomment>
        <translation>AF adjustment</translation>
    </message>
    <message id="Menu_ButtonSetting">
        <source>Custom button</source>
        <extracomment>Menu entry.</extracomment>
        <translation>Custom button</translation>
    </message>
    <message id="Menu_Connect">
        <source>Connect</source>
        <extracomment>Menu entry.</extracomment>
        <translation>Connect</translation>
    </message>
    <message id="Menu_FirmwareInfo">
        <source>Firmware</source>
        <extracomment>Menu entry.</extracomment>
        <translation>Firmware</translation>
    </message>
    <message id="Menu_FunctionDescription">
        <source>Functions</source>
        <extracomment>Menu entry.</extracomment>
        <translation>Functions</translation>
    </message>
    <message id="Menu_Home">
        <source>Home</source>
        <extracomment>Menu entry.</extracomment>
        <translation>Home</translation>
    </message>
    <message id="Menu_RingFocusSetting">
        <source>Focus ring</source>
        <extracomment>Menu entry.</extracomment>
        <translation>Focus ring</translation>
    </message>
    <message id="Menu_SwitchSetting">
        <source>Custom switch</source>
        <extracomment>Menu entry.</extracomment>
        <translation>Custom switch</translation>
    </message>
    <message id="Menu_VersionInfo">
        <source>About</source>
        <extracomment>Menu entry.</extracomment>
        <translation>About</translation>
    </message>
    <message id="Port_Busy">
        <source>%1 is in use by %2</source>
        <translation>%1 is in use by %2</translation>
    </message>
    <message id="Port_FixChoosePort">
        <source>plug in the dock and name its port with --port</source>
        <translation>plug in the dock and name its port with --port</translation>
    </message>
    <message id="Port_FixCloseProgram">
        <source>close that program, then try again</source>
        <translation>close that program, then try again</translation>
    </message>
    <message id="Port_FixConnectDock">
        <source>connect the dock with its USB cable, or name the port that exists with --port</source>
        <translation>connect the dock with its USB cable, or name the port that exists with --port</translation>
    </message>
    <message id="Port_FixInstallRule">
        <source>install the udev rule 70-kelvara-lens-dock.rules in /etc/udev/rules.d, then unplug the dock and plug it in again</source>
        <translation>install the udev rule 70-kelvara-lens-dock.rules in /etc/udev/rules.d, then unplug the dock and plug it in again</translation>
    </message>
    <message id="Port_FixJoinGroup">
        <source>join the group %1 (sudo usermod -aG %1 $USER), then log out and log in again</source>
        <translation>join the group %1 (sudo usermod -aG %1 $USER), then log out and log in again</translation>
    </message>
    <message id="Port_FixModemManager">
        <source>install the udev rule 70-kelvara-lens-dock.rules so that ModemManager leaves the dock alone, or stop it (sudo systemctl stop ModemManager)</source>
        <translation>install the udev rule 70-kelvara-lens-dock.rules so that ModemManager leaves the dock alone, or stop it (sudo systemctl stop ModemManager)</translation>
    </message>
    <message id="Port_NoSuchDevice">
        <source>%1 does not exist</source>
        <translation>%1 does not exist</translation>
    </message>
    <message id="Port_NotAdapter">
        <source>%1 is not a lens adapter (USB id %2:%3)</source>
        <translation>%1 is not a lens adapter (USB id %2:%3)</translation>
    </message>
    <message id="Port_PermissionDenied">
        <source>this user may not open %1 (owner %2, group %3, mode %4)</source>
        <translation>this user may not open %1 (owner %2, group %3, mode %4)</translation>
    </message>
    <message id="Port_UnknownProgram">
        <source>another program</source>
        <translation>another program</translation>
    </message>
    <message id="RingSetting_RingAngle">
        <source>Rotation angle</source>
        <extracomment>Heading.</extracomment>
        <translation>Rotation angle</translation>
    </message>
    <message id="RingSetting_RingDirectionDefault">
        <source>Standard</source>
        <extracomment>Choice.</extracomment>
        <translation>Standard</translation>
    </message>
    <message id="RingSetting_RingDirectionExplanation">
        <source>Sets which way you turn the focus ring to focus farther away.</source>
        <translation>Sets which way you turn the focus ring to focus farther away.</translation>
    </message>
    <message id="RingSetting_RingDirectionExplanationDescription1">
        <source>The lens's original direction.</source>
        <extracomment>Describes "Standard".</extracomment>
        <translation>The lens's original direction.</translation>
    </message>
    <message id="RingSetting_RingDirectionExplanationDescription2">
        <source>The opposite of the original direction.</source>
        <extracomment>Describes "Reverse".</extracomment>
        <translation>The opposite of the original direction.</translation>
    </message>
    <message id="RingSetting_RingDirectionExplanationDescription3">
        <source>When the lens is on a Nikon Z camera, also check the camera's focus ring rotation setting.</source>
        <translation>When the lens is on a Nikon Z camera, also check the camera's focus ring rotation setting.</translation>
    </message>
    <message id="RingSetting_RingDirectionExplanationForZ">
        <source>Sets which way you turn the focus ring to focus farther away. On a Nikon Z camera, the lens can also follow the camera's setting.</source>
        <translation>Sets which way you turn the focus ring to focus farther away. On a Nikon Z camera, the lens can also follow the camera's setting.</translation>
    </message>
    <message id="RingSetting_RingDirectionReverse">
        <source>Reverse</source>
        <extracomment>Choice.</extracomment>
        <translation>Reverse</translation>
    </message>
    <message id="RingSetting_RingResponseExplanation">
        <source>Sets how the focus moves when you turn the focus ring.</source>
        <translation>Sets how the focus moves when you turn the focus ring.</translation>
    </message>
    <message id="RingSetting_RingResponseExplanationDescription1">
        <source>The focus moves farther the faster you turn the ring. Good for focusing quickly when taking photos.</source>
        <extracomment>Describes "Non-linear".</extracomment>
        <translation>The focus moves farther the faster you turn the ring. Good for focusing quickly when taking photos.</translation>
    </message>
    <message id="RingSetting_RingResponseExplanationDescription2">
        <source>The focus moves by the same amount for the same turn, however fast you turn the ring. Set the rotation angle for the whole focus range. Good for video and repeatable focus pulls.</source>
        <extracomment>Describes "Linear" on lenses with an adjustable rotation angle.</extracomment>
        <translation>The focus moves by the same amount for the same turn, however fast you turn the ring. Set the rotation angle for the whole focus range. Good for video and repeatable focus pulls.</translation>
    </message>
    <message id="RingSetting_RingResponseExplanationDescription2_AngleNotSupport">
        <source>The focus moves by the same amount for the same turn, however fast you turn the ring. Good for video and repeatable focus pulls.</source>
        <extracomment>Describes "Linear" on lenses without an adjustable rotation angle.</extracomment>
        <translation>The focus moves by the same amount for the same turn, however fast you turn the ring. Good for video and repeatable focus pulls.</translation>
    </message>
    <message id="RingSetting_RingResponseLinear">
        <source>Linear</source>
        <extracomment>Choice.</extracomment>
        <translation>Linear</translation>
    </message>
    <message id="RingSetting_RingResponseNonLinear">
        <source>Non-linear</source>
        <extracomment>Choice.</extracomment>
        <translation>Non-linear</translation>
    </message>
    <message id="Setting_IrisAngle">
        <source>Iris ring angle</source>
        <extracomment>Name of a setting, listed when the lens holds another value than expected.</extracomment>
        <translation>Iris ring angle</translation>
    </message>
    <message id="Setting_IrisDelay">
        <source>Iris delay</source>
        <extracomment>Name of a setting, listed when the lens holds another value than expected.</extracomment>
        <translation>Iris delay</translation>
    </message>
    <message id="Setting_IrisTime">
        <source>Iris drive time</source>
        <extracomment>Name of a setting, listed when the lens holds another value than expected.</extracomment>
        <translation>Iris drive time</translation>
    </message>
    <message id="Setting_Other">
        <source>other stored values</source>
        <extracomment>Listed with setting names when bytes of the settings image that no setting shows differ.</extracomment>
        <translation>other stored values</translation>
    </message>
    <message id="Setting_RingFunction">
        <source>Focus ring function</source>
        <extracomment>Name of a setting, listed when the lens holds another value than expected.</extracomment>
        <translation>Focus ring function</translation>
    </message>
    <message id="StartPage_DontShowNext">
        <source>Don't show this again</source>
        <extracomment>Check box.</extracomment>
        <translation>Don't show this again</translation>
    </message>
    <message id="StartPage_Start">
        <source>Get started</source>
        <extracomment>Button.</extracomment>
        <translation>Get started</translation>
    </message>
    <message id="StartPage_YouCanDo">
        <source>With Kelvara Lens Utility you can assign functions to the lens's custom switch and button, set up the focus ring, fine-tune AF, save and load lens settings, and update the lens firmware.</source>
        <translation>With Kelvara Lens Utility you can assign functions to the lens's custom switch and button, set up the focus ring, fine-tune AF, save and load lens settings, and update the lens firmware.</translation>
    </message>
    <message id="StartPage_YouCanDoURL">
        <source>@KELVARA_DOCS_BASE_URL@/getting-started/</source>
        <translation>@KELVARA_DOCS_BASE_URL@/getting-started/</translation>
    </message>
    <message id="VersionInfo_Back">
        <source>Back</source>
        <extracomment>Button.</extracomment>
        <translation>Back</translation>
    </message>
    <message id="VersionInfo_DownLoad">
        <source>Download the latest version</source>
        <extracomment>Link.</extracomment>
        <translation>Download the latest version</translation>
    </message>
    <message id="VersionInfo_DownLoadURL">
        <source>@KELVARA_DOCS_BASE_URL@/download/</source>
        <translation>@KELVARA_DOCS_BASE_URL@/download/</translation>
    </message>
    <message id="VersionInfo_License">
        <source>Licenses</source>
        <extracomment>Entry that opens the licence text.</extracomment>
        <translation>Licenses</translation>
    </message>
    <message id="VersionInfo_License_Contents">
        <source>Kelvara Lens Utility is free software: you can redistribute it and/or modify it under the terms of the GNU General Public License as published by the Free Software Foundation, either version 3 of the License, or (at your option) any later version.

This program is distributed in the hope that it will be useful, but WITHOUT ANY WARRANTY; without even the implied warranty of MERCHANTABILITY or FITNESS FOR A PARTICULAR PURPOSE. See the GNU General Public License for more details. You should have received a copy of the license with this program; if not, see https://www.gnu.org/licenses/.

This program uses the Qt toolkit (The Qt Company Ltd. and other contributors) under the GNU Lesser General Public License version 3 and the GNU General Public License version 3.</source>
        <extracomment>Licence notice. Keep the meaning exact; line breaks separate paragraphs.</extracomment>
        <translation>Kelvara Lens Utility is free software: you can redistribute it and/or modify it under the terms of the GNU General Public License as published by the Free Software Foundation, either version 3 of the License, or (at your option) any later version.

This program is distributed in the hope that it will be useful, but WITHOUT ANY WARRANTY; without even the implied warranty of MERCHANTABILITY or FITNESS FOR A PARTICULAR PURPOSE. See the GNU General Public License for more details. You should have received a copy of the license with this program; if not, see https://www.gnu.org/licenses/.

This program uses the Qt toolkit (The Qt Company Ltd. and other contributors) under the GNU Lesser General Public License version 3 and the GNU General Public License version 3.</translation>
    </message>
    <message id="VersionInfo_OnlineHelp">
        <source>Online help</source>
        <extracomment>Link.</extracomment>
        <translation>Online help</translation>
    </message>
    <message id="VersionInfo_OnlineHelpURL">
        <source>@KELVARA_DOCS_BASE_URL@/</source>
        <translation>@KELVARA_DOCS_BASE_URL@/</translation>
    </message>
    <message id="VersionInfo_PersonalInformation">
        <source>Privacy</source>
        <extracomment>Entry that opens the privacy text.</extracomment>
        <translation>Privacy</translation>
    </message>
    <message id="VersionInfo_PersonalInformation_Contents">
        <source>Kelvara Lens Utility does not collect personal information and has no user accounts.

To check for updates, the utility asks the Kelvara update server for the newest version of the utility and, while a lens is connected, for the newest firmware of that lens model. Like any web server, the update server receives your IP address and the time of the request. Lens serial numbers and your settings are never sent.

Settings files are saved only where you choose on this computer.</source>
        <translation>Kelvara Lens Utility does not collect personal information and has no user accounts.

To check for updates, the utility asks the Kelvara update server for the newest version of the utility and, while a lens is connected, for the newest firmware of that lens model. Like any web server, the update server receives your IP address and the time of the request. Lens serial numbers and your settings are never sent.

Settings files are saved only where you choose on this computer.</translation>
    </message>
    <message id="VersionInfo_PersonalInformation_URL">
        <source>@KELVARA_DOCS_BASE_URL@/privacy/</source>
        <translation>@KELVARA_DOCS_BASE_URL@/privacy/</translation>
    </message>
    <message id="VersionInfo_UpdateExist">
        <source>A new version of Kelvara Lens Utility is available.</source>
        <translation>A new version of Kelvara Lens Utility is available.</translation>
    </message>
    <message id="VersionInfo_Version">
        <source>Version</source>
        <extracomment>Label before the utility's version number.</extracomment>
        <translation>Version</translation>
    </message>
    <message id="ButtonSelect_TimeRange">
        <source>From %1 to %2 s</source>
        <extracomment>The range a drive time or delay may take; %1 and %2 are numbers of seconds.</extracomment>
        <translation>From %1 to %2 s</translation>
    </message>
    <message id="Common_SecondsUnit">
        <source>s</source>
        <extracomment>The unit after a field that takes seconds.</extracomment>
        <translation>s</translation>
    </message>
    <message id="Firmware_UpdateFromFolder">
        <source>Update from a folder…</source>
        <extracomment>Button that installs firmware from a copy of the update server made beforehand with “kelvara-lens-cli mirror”; opens a folder picker.</extracomment>
        <translation>Update from a folder…</translation>
    </message>
    <message id="Firmware_FolderNoFirmware">
        <source>This folder holds no firmware for %1. Choose the folder that “kelvara-lens-cli mirror” wrote, the one that contains the folder “kelvara”.</source>
        <extracomment>Message; %1 is the lens model with its mount suffix, e.g. AB12Z.</extracomment>
        <translation>This folder holds no firmware for %1. Choose the folder that “kelvara-lens-cli mirror” wrote, the one that contains the folder “kelvara”.</translation>
    </message>
    <message id="Backups_Delete">
        <source>Delete</source>
        <extracomment>Button that deletes one backup (icon with tooltip).</extracomment>
        <translation>Delete</translation>
    </message>
    <message id="Backups_DeleteError">
        <source>The backup could not be deleted.</source>
        <extracomment>OK message.</extracomment>
        <translation>The backup could not be deleted.</translation>
    </message>
    <message id="Backups_DeleteQuestion">
        <source>Delete this backup? It cannot be brought back.</source>
        <extracomment>Yes/No question.</extracomment>
        <translation>Delete this backup? It cannot be brought back.</translation>
    </message>
    <message id="Backups_Empty">
        <source>No backups yet. The lens's settings are saved here before each import, reset and firmware update.</source>
        <extracomment>Backups page without any backup.</extracomment>
        <translation>No backups yet. The lens's settings are saved here before each import, reset and firmware update.</translation>
    </message>
    <message id="Backups_Explanation">
        <source>Before an import, a reset or a firmware update changes the lens's settings, they are saved here. The newest 20 of each model are kept; backups of the connected lens's model come first.</source>
        <extracomment>Backups page explanation.</extracomment>
        <translation>Before an import, a reset or a firmware update changes the lens's settings, they are saved here. The newest 20 of each model are kept; backups of the connected lens's model come first.</translation>
    </message>
    <message id="Backups_ReasonFirmwareUpdate">
        <source>Before a firmware update</source>
        <extracomment>Why a backup was taken.</extracomment>
        <translation>Before a firmware update</translation>
    </message>
    <message id="Backups_ReasonImport">
        <source>Before an import</source>
        <extracomment>Why a backup was taken.</extracomment>
        <translation>Before an import</translation>
    </message>
    <message id="Backups_ReasonReset">
        <source>Before a reset</source>
        <extracomment>Why a backup was taken.</extracomment>
        <translation>Before a reset</translation>
    </message>
    <message id="Backups_ReasonUnknown">
        <source>Reason not recorded</source>
        <extracomment>Why a backup was taken: a backup from an older version.</extracomment>
        <translation>Reason not recorded</translation>
    </message>
    <message id="Backups_Restore">
        <source>Restore</source>
        <extracomment>Button that loads a backup into the lens.</extracomment>
        <translation>Restore</translation>
    </message>
    <message id="Backups_RestoreQuestion">
        <source>Load this backup into the lens? The lens's current settings are backed up first.</source>
        <extracomment>Yes/No question.</extracomment>
        <translation>Load this backup into the lens? The lens's current settings are backed up first.</translation>
    </message>
    <message id="Backups_ShowInFolder">
        <source>Show in folder</source>
        <extracomment>Button that opens the backup's folder in the file manager (icon with tooltip).</extracomment>
        <translation>Show in folder</translation>
    </message>
    <message id="Home_Backups">
        <source>Backups</source>
        <extracomment>Home page button that opens the backups page.</extracomment>
        <translation>Backups</translation>
    </message>
    <message id="Menu_Backups">
        <source>Backups</source>
        <extracomment>Menu entry.</extracomment>
        <translation>Backups</translation>
    </message>
    <message id="VersionInfo_OpenLogFolder">
        <source>Open log folder</source>
        <extracomment>Button that opens the folder of the window's logs in the file manager.</extracomment>
        <translation>Open log folder</translation>
    </message>
</context>
</TS>

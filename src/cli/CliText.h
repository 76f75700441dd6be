#pragma once

#include <QString>

namespace kelvara {

// Texts of the command-line front-end that the program's string tables do not hold, in
// the language that Texts::install chose (English unless it chose Japanese).
class CliText {
  public:
    enum Id {
        NoAdapter,
        DoctorPort,
        DoctorUsbId,
        DoctorLatency,
        DoctorOwner,
        DoctorAccessible,
        DoctorNotAccessible,
        DoctorHeldBy,
        DoctorHidden,
        DoctorRule,
        DoctorNoRule,
        DoctorUser,
        DoctorServer,
        DoctorReachable,
        DoctorUnreachable,
        DoctorNoAnswer,
        DoctorServerFix,
        DoctorNoAdapter,
        DoctorNoAdapterFix,
        DoctorProblems,
        DoctorNoProblems,
        Timeout,
        LensRemoved,
        SafeMode,
        NotConfirmed,
        Declined,
        AnsweredYes,
        Prompt,
        Product,
        Model,
        Mount,
        Buttons,
        SwitchPositions,
        SupportedSettings,
        SelectableFunctions,
        LimitPositions,
        CheckUnfinished,
        UpToDate,
        UnknownSetting,
        BadValue,
        NotOnLens,
        FunctionNotSelectable,
        OutOfRange,
        NotForFunction,
        SpeedNotWritable,
        AfLimitRange,
        AfLimitFixedFar,
        Unchanged,
        SetDone,
        NotAccepted,
        Backup,
        NoBackup,
        BackupDirectory,
        NoBackups,
        UtilityVersion,
        NoLensChecked,
        NoServerVersion,
        UpdateProgress,
        BeforeImport,
        BeforeReset,
        BeforeFirmwareUpdate,
        ReasonUnknown,
        WaitingForLens,
        UpdateGoesOn,
        UpdateGoesOnJustStarted,
        SettingsWriteGoesOn,
        DoctorLog,
        ID_COUNT
    };

    static QString text(Id id);
};

} // namespace kelvara

#pragma once

#include "controller/AppViewModel.h"
#include "controller/BackupListModel.h"
#include "controller/ConnectState.h"
#include "controller/MenuId.h"
#include "firmware/FirmwareUpdateModel.h"
#include "firmware/UpdateState.h"
#include "model/AdjustItemModel.h"
#include "model/BasicInfoViewModel.h"
#include "model/ButtonItemModel.h"
#include "model/ClosedRange.h"
#include "model/LensSettingViewModel.h"
#include "model/RingItemModel.h"
#include "ui/ButtonMode.h"
#include "ui/HomeImageViewModel.h"
#include "ui/MessageType.h"
#include "ui/MessageViewModel.h"
#include "ui/PopupId.h"
#include "ui/PopupViewModel.h"

#include <QtQml/qqml.h>

class QJSEngine;
class QQmlEngine;

// The controller, its models and their enumerations as the pages name them. kelvara_core
// has no QtQml, so the registrations live here.
namespace kelvara::qml {

// The controller of the window whose pages ask for it.
struct AppViewModelForeign {
    Q_GADGET
    QML_FOREIGN(kelvara::AppViewModel)
    QML_NAMED_ELEMENT(AppViewModel)
    QML_SINGLETON

  public:
    static AppViewModel* create(QQmlEngine* engine, QJSEngine*);
};

// The models the controller owns: the pages read them through its properties.
struct BasicInfoViewModelForeign {
    Q_GADGET
    QML_FOREIGN(kelvara::BasicInfoViewModel)
    QML_NAMED_ELEMENT(BasicInfoViewModel)
    QML_UNCREATABLE("the controller owns it")
};

struct ButtonItemModelForeign {
    Q_GADGET
    QML_FOREIGN(kelvara::ButtonItemModel)
    QML_NAMED_ELEMENT(ButtonItemModel)
    QML_UNCREATABLE("the controller owns it")
};

struct RingItemModelForeign {
    Q_GADGET
    QML_FOREIGN(kelvara::RingItemModel)
    QML_NAMED_ELEMENT(RingItemModel)
    QML_UNCREATABLE("the controller owns it")
};

struct AdjustItemModelForeign {
    Q_GADGET
    QML_FOREIGN(kelvara::AdjustItemModel)
    QML_NAMED_ELEMENT(AdjustItemModel)
    QML_UNCREATABLE("the controller owns it")
};

struct LensSettingViewModelForeign {
    Q_GADGET
    QML_FOREIGN(kelvara::LensSettingViewModel)
    QML_NAMED_ELEMENT(LensSettingViewModel)
    QML_UNCREATABLE("the controller owns it")
};

struct MessageViewModelForeign {
    Q_GADGET
    QML_FOREIGN(kelvara::MessageViewModel)
    QML_NAMED_ELEMENT(MessageViewModel)
    QML_UNCREATABLE("the controller owns it")
};

struct PopupViewModelForeign {
    Q_GADGET
    QML_FOREIGN(kelvara::PopupViewModel)
    QML_NAMED_ELEMENT(PopupViewModel)
    QML_UNCREATABLE("the controller owns it")
};

struct FirmwareUpdateModelForeign {
    Q_GADGET
    QML_FOREIGN(kelvara::FirmwareUpdateModel)
    QML_NAMED_ELEMENT(FirmwareUpdateModel)
    QML_UNCREATABLE("the controller owns it")
};

struct HomeImageViewModelForeign {
    Q_GADGET
    QML_FOREIGN(kelvara::HomeImageViewModel)
    QML_NAMED_ELEMENT(HomeImageViewModel)
    QML_UNCREATABLE("the controller owns it")
};

struct BackupListModelForeign {
    Q_GADGET
    QML_FOREIGN(kelvara::BackupListModel)
    QML_NAMED_ELEMENT(BackupListModel)
    QML_UNCREATABLE("the controller owns it")
};

// A setting's bounds, read as `range.lower` and `range.upper`.
struct ClosedRangeForeign {
    Q_GADGET
    QML_FOREIGN(kelvara::ClosedRange)
    QML_VALUE_TYPE(closedRange)
};

// The ends of the AF limit ranges, one list per row.
struct IntListForeign {
    Q_GADGET
    QML_FOREIGN(QList<int>)
    QML_ANONYMOUS
    QML_SEQUENTIAL_CONTAINER(int)
};

namespace MenuIdForeign {
Q_NAMESPACE
QML_FOREIGN_NAMESPACE(kelvara::MenuIdEnum)
QML_NAMED_ELEMENT(MenuId)
} // namespace MenuIdForeign

namespace ConnectStateForeign {
Q_NAMESPACE
QML_FOREIGN_NAMESPACE(kelvara::ConnectStateEnum)
QML_NAMED_ELEMENT(ConnectState)
} // namespace ConnectStateForeign

namespace PopupIdForeign {
Q_NAMESPACE
QML_FOREIGN_NAMESPACE(kelvara::PopupIdEnum)
QML_NAMED_ELEMENT(PopupId)
} // namespace PopupIdForeign

namespace MessageTypeForeign {
Q_NAMESPACE
QML_FOREIGN_NAMESPACE(kelvara::MessageTypeEnum)
QML_NAMED_ELEMENT(MessageType)
} // namespace MessageTypeForeign

namespace ButtonModeForeign {
Q_NAMESPACE
QML_FOREIGN_NAMESPACE(kelvara::ButtonModeEnum)
QML_NAMED_ELEMENT(ButtonMode)
} // namespace ButtonModeForeign

namespace UpdateStateForeign {
Q_NAMESPACE
QML_FOREIGN_NAMESPACE(kelvara::UpdateStateEnum)
QML_NAMED_ELEMENT(UpdateState)
} // namespace UpdateStateForeign

} // namespace kelvara::qml

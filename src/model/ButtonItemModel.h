#pragma once

#include "ButtonFunc.h"
#include "MountType.h"

#include <QObject>
#include <QStringList>

namespace kelvara {

class BasicInfoViewModel;

// The button functions: labels, explanations and operation names for the pages, and
// which of them the attached lens offers.
class ButtonItemModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(int mountType READ mountTypeValue NOTIFY mountTypeChanged)
    Q_PROPERTY(QStringList function_labels READ functionLabels CONSTANT)
  public:
    explicit ButtonItemModel(const BasicInfoViewModel* basicInfo, QObject* parent = nullptr);

    MountType mountType() const { return mountType_; }
    int mountTypeValue() const { return int(mountType_); }
    void setMountType(MountType mount);
    QStringList functionLabels() const { return function_labels_; }

    Q_INVOKABLE QString functionLabel(int id) const;
    Q_INVOKABLE bool isFunctionSelectable(int id) const;
    Q_INVOKABLE QString functionExplanation(int id) const;
    Q_INVOKABLE QString functionExplanationDescription(int id) const;
    Q_INVOKABLE QString functionDescription1(int id) const;
    Q_INVOKABLE QString functionDescription2(int id) const;
    Q_INVOKABLE QString firstOperationLabel(int id) const;
    Q_INVOKABLE QString secondOperationLabel(int id) const;
    Q_INVOKABLE QString afLimitClickLabel(int id) const;
    Q_INVOKABLE QString afLimitClickDescription(int id) const;
    Q_INVOKABLE QString afLimitLongClickLabel(int id) const;
    Q_INVOKABLE QString afLimitLongClickDescription(int id) const;

  signals:
    void mountTypeChanged();

  private:
    bool supported(int id) const;
    bool setting(int bit) const;
    QString focusHoldExplanation() const;

    const BasicInfoViewModel* basicInfo_;
    MountType mountType_ = SonyE;
    QStringList function_labels_;
};

} // namespace kelvara

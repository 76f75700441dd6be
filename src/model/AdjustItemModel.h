#pragma once

#include <QObject>
#include <QStringList>

namespace kelvara {

class BasicInfoViewModel;

// The AF fine adjustment with its explanation, which names the camera's own setting
// for the lens's mount.
class AdjustItemModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(QStringList function_labels READ functionLabels CONSTANT)
  public:
    explicit AdjustItemModel(const BasicInfoViewModel* basicInfo, QObject* parent = nullptr);

    QStringList functionLabels() const { return function_labels_; }
    Q_INVOKABLE QString adjustExplanation(int id) const;

  private:
    QString mountNote() const;

    const BasicInfoViewModel* basicInfo_;
    QStringList function_labels_;
};

} // namespace kelvara

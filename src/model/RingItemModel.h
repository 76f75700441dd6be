#pragma once

#include <QObject>
#include <QStringList>

namespace kelvara {

class BasicInfoViewModel;

// The focus ring settings (direction, response) with their texts for the pages.
class RingItemModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(QStringList function_labels READ functionLabels CONSTANT)
  public:
    explicit RingItemModel(const BasicInfoViewModel* basicInfo, QObject* parent = nullptr);

    QStringList functionLabels() const { return function_labels_; }

    Q_INVOKABLE QString ringExplanation(int id) const;
    Q_INVOKABLE QString ringChoiceLabel1(int id) const;
    Q_INVOKABLE QString ringChoiceLabel2(int id) const;
    Q_INVOKABLE QString ringDescription1(int id) const;
    Q_INVOKABLE QString ringDescription2(int id) const;
    Q_INVOKABLE QString ringDescription3(int id) const;
    Q_INVOKABLE bool isRingFunctionSupported(int id) const;

  private:
    bool onNikonZ() const;
    bool setting(int bit) const;

    const BasicInfoViewModel* basicInfo_;
    QStringList function_labels_;
};

} // namespace kelvara

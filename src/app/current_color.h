#pragma once

#include <QObject>
#include <QString>

#include "core/color.h"

namespace velmor {

// The current colour and its name (empty for one the tables do not name).
// Everything that makes a colour current sets it here.
class CurrentColor : public QObject {
    Q_OBJECT

  public:
    explicit CurrentColor(QObject* parent = nullptr);

    const Color& Value() const { return color_; }
    // "#RRGGBB", as the value rows and the text fields show it.
    QString Text() const { return QString::fromStdString(color_.Html()); }
    const QString& Name() const { return name_; }

  public slots:
    // An empty name is looked up in the tables.
    void Set(const velmor::Color& color, const QString& name = {});

  signals:
    void changed();

  private:
    Color color_;
    QString name_;
};

}  // namespace velmor

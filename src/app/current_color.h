#pragma once

#include <QObject>
#include <QString>

namespace velmor {

// The current colour: "#" and six hex digits, and its name (empty for one the
// tables do not name). Everything that makes a colour current sets it here.
class CurrentColor : public QObject {
    Q_OBJECT

  public:
    explicit CurrentColor(QObject* parent = nullptr);

    const QString& Text() const { return text_; }
    const QString& Name() const { return name_; }

  public slots:
    // An empty name is looked up in the tables.
    void Set(const QString& text, const QString& name = {});

  signals:
    void changed();

  private:
    QString text_;
    QString name_;
};

}  // namespace velmor

#pragma once

#include <QDBusMessage>
#include <QObject>
#include <QStringList>
#include <functional>

namespace velmor {

// The running program on the session bus, under its id: one per session. A
// second start asks it to show its window, a command-line pick is run here
// and answered with the exit status and the texts it would have printed.
class ResidentService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", VELMOR_APP_ID)

  public:
    using Answer = std::function<void(int status, const QString& out, const QString& err)>;
    using PickHandler = std::function<void(const QStringList& arguments, Answer answer)>;

    ResidentService(std::function<void()> show, PickHandler pick, QObject* parent = nullptr);
    // Takes the name; false only when another copy holds it.
    bool Register();

  public slots:
    Q_SCRIPTABLE void Show();
    Q_SCRIPTABLE int Pick(const QStringList& arguments, const QDBusMessage& message, QString& out,
                          QString& err);

  private:
    std::function<void()> show_;
    PickHandler pick_;
};

}  // namespace velmor

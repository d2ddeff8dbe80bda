#pragma once

#include <QWidget>

namespace velmor {

// A small window shown while the desktop asks the user whether the program
// may take screenshots: it says what the wait is for and lets the user stop it.
class PermissionNote : public QWidget {
    Q_OBJECT

  public:
    explicit PermissionNote(QWidget* parent = nullptr);

  signals:
    void cancelRequested();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

}  // namespace velmor

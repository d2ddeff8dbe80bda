#pragma once

#include "platform/desktop/prompter.h"

namespace velmor {

// The program's message boxes, titled with its name, and Qt's file chooser
// (desktops with a file-chooser portal show theirs).
class MessageBoxPrompter : public Prompter {
  public:
    bool AskYesNo(QWidget* parent, const QString& text) override;
    void ShowStopMessage(QWidget* parent, const QString& text) override;
    void ShowInformation(QWidget* parent, const QString& text) override;
    QString AskFile(QWidget* parent, bool save, const QString& caption, const QString& filters,
                    QString* selectedFilter) override;
};

}  // namespace velmor

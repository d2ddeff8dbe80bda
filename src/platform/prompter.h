#pragma once

#include <QString>

class QWidget;

namespace velmor {

// Confirmations and messages, passed to whatever asks, so that tests can
// answer without message boxes.
class Prompter {
  public:
    virtual ~Prompter() = default;
    // Yes and No with a question icon; No is the default. True for Yes.
    virtual bool AskYesNo(QWidget* parent, const QString& text) = 0;
    virtual void ShowStopMessage(QWidget* parent, const QString& text) = 0;
    virtual void ShowInformation(QWidget* parent, const QString& text) = 0;
};

// The program's message boxes, titled with its name.
class MessageBoxPrompter : public Prompter {
  public:
    bool AskYesNo(QWidget* parent, const QString& text) override;
    void ShowStopMessage(QWidget* parent, const QString& text) override;
    void ShowInformation(QWidget* parent, const QString& text) override;
};

}  // namespace velmor

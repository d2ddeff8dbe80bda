#pragma once

#include <QString>

class QWidget;

namespace velmor {

// Confirmations, messages and file choices, passed to whatever asks, so that
// tests can answer without dialogs.
class Prompter {
  public:
    virtual ~Prompter() = default;
    // Yes and No with a question icon; No is the default. True for Yes.
    virtual bool AskYesNo(QWidget* parent, const QString& text) = 0;
    virtual void ShowStopMessage(QWidget* parent, const QString& text) = 0;
    virtual void ShowInformation(QWidget* parent, const QString& text) = 0;
    // A file to save to (`save`) or to open; the empty text when none was
    // chosen. `selectedFilter` in and out: which of `filters` was chosen.
    virtual QString AskFile(QWidget* parent, bool save, const QString& caption,
                            const QString& filters, QString* selectedFilter) = 0;
};

}  // namespace velmor

#pragma once

#include <QString>

class QWidget;

namespace velmor {

// The program's message boxes, all titled with the program's name.
inline const QString kApplicationTitle = QStringLiteral(VELMOR_NAME);

// Yes and No with a question icon; No is the default. True for Yes.
bool AskYesNo(QWidget* parent, const QString& text);
void ShowStopMessage(QWidget* parent, const QString& text);
void ShowInformation(QWidget* parent, const QString& text);

}  // namespace velmor

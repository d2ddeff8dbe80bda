#include "ui/dialogs/help.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "platform/desktop/desktop.h"
#include "platform/desktop/prompter.h"

namespace velmor {

std::optional<QString> UserGuidePath() {
    // Installed under the program's own prefix, or built beside the program.
    const QString folder = ProgramDirectory();
    const QString candidates[] = {
        QDir::cleanPath(folder +
                        QStringLiteral("/../share/doc/velmor-color-picker/guide/index.html")),
        folder + QStringLiteral("/guide/index.html")};
    for (const QString& path : candidates) {
        if (QFileInfo(path).isFile()) return path;
    }
    return std::nullopt;
}

void OpenHelp(Prompter& prompter, Desktop& desktop, QWidget* parent) {
    const QString chm = ProgramDirectory() + "/" + kHelpFileName;
    if (QFileInfo(chm).isFile() && desktop.Open(QUrl::fromLocalFile(chm))) return;
    const std::optional<QString> guide = UserGuidePath();
    if (!guide) {
        prompter.ShowStopMessage(
            parent,
            QCoreApplication::translate("Help",
                                        "The user guide is not installed. It "
                                        "belongs in %1.")
                .arg(QDir::cleanPath(ProgramDirectory() +
                                     QStringLiteral("/../share/doc/velmor-color-picker/guide"))));
        return;
    }
    if (desktop.Open(QUrl::fromLocalFile(*guide))) return;
    prompter.ShowStopMessage(
        parent, QCoreApplication::translate("Help",
                                            "Nothing on this computer could open the user guide "
                                            "(a web browser and xdg-open are needed). You can "
                                            "open it yourself: %1")
                    .arg(*guide));
}

QString OpenFailedMessage(const QUrl& url) {
    return QCoreApplication::translate("Help",
                                       "The desktop could not open %1 (xdg-open reported an "
                                       "error). You can open it yourself.")
        .arg(url.isLocalFile() ? url.toLocalFile() : url.toString());
}

void OpenSupportMail(Desktop& desktop) {
    desktop.Open(QUrl(QStringLiteral("mailto:") + kSupportAddress));
}

void OpenWebSite(Desktop& desktop) {
    desktop.Open(QUrl(kWebAddress));
}

}  // namespace velmor

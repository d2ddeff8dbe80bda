#include "ui/widgets/copy_as_menu.h"

#include <QCoreApplication>
#include <QMenu>
#include <algorithm>

#include "core/notations.h"
#include "platform/desktop/clipboard.h"

namespace velmor {

namespace {

// Templates past this many are left out of the menu (a long menu is of no
// use, and each entry is worked out as the menu opens); --format still
// takes every one by name.
constexpr std::size_t kMenuTemplates = 50;

}  // namespace

void AddCopyAsMenu(QMenu& menu, const Color& value, const Templates& templates,
                   const ProfileRef& profile) {
    QMenu* copyAs = menu.addMenu(QCoreApplication::translate("CopyAs", "Copy as"));
    for (const NotationRow& row : kNotationTable) {
        const QString text = QString::fromStdString(WriteRow(row, value));
        const QString menuText =
            QCoreApplication::translate("CopyAs", std::string(row.menuText).c_str());
        QAction* action = copyAs->addAction(menuText + QStringLiteral("\t") + text);
        QObject::connect(action, &QAction::triggered, [text = text] { PutTextOnClipboard(text); });
    }
    if (profile != nullptr) {
        // The screen's value as the monitor's profile says it looks.
        copyAs->addSeparator();
        const Color p3 = profile->ToDisplayP3(value);
        const QString managed[][2] = {
            {QCoreApplication::translate("CopyAs", "sRGB through the monitor's profile"),
             QString::fromStdString(profile->ToSrgb(value).Html())},
            {QStringLiteral("color(display-p3)"),
             QString::fromStdString(WriteColorFunction("display-p3", p3))}};
        for (const auto& [menuText, text] : managed) {
            QAction* action = copyAs->addAction(menuText + QStringLiteral("\t") + text);
            QObject::connect(action, &QAction::triggered,
                             [text = text] { PutTextOnClipboard(text); });
        }
    }
    if (!templates.empty()) copyAs->addSeparator();
    const std::size_t listed = std::min(templates.size(), kMenuTemplates);
    for (std::size_t i = 0; i < listed; ++i) {
        const QString name = QString::fromStdString(templates[i].first);
        const std::string& pattern = templates[i].second;
        std::string why;
        const auto text = ExpandTemplate(pattern, value, &why);
        if (!text) {
            QAction* broken =
                copyAs->addAction(QCoreApplication::translate("CopyAs", "%1 (cannot be read: %2)")
                                      .arg(name, QString::fromStdString(why)));
            broken->setEnabled(false);
            continue;
        }
        const QString copied = QString::fromStdString(*text);
        QAction* action = copyAs->addAction(name + QStringLiteral("\t") + copied);
        QObject::connect(action, &QAction::triggered, [copied] { PutTextOnClipboard(copied); });
    }
    if (templates.size() > listed) {
        QAction* more = copyAs->addAction(
            QCoreApplication::translate("CopyAs", "%1 more templates (by name with --format)")
                .arg(templates.size() - listed));
        more->setEnabled(false);
    }
}

}  // namespace velmor

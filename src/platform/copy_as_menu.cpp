#include "platform/copy_as_menu.h"

#include <QCoreApplication>
#include <QMenu>
#include <algorithm>

#include "core/color_spaces.h"
#include "platform/clipboard.h"

namespace velmor {

namespace {

QString MenuText(Notation n) {
    switch (n) {
        case Notation::Hex:
            return QCoreApplication::translate("CopyAs", "CSS hex");
        case Notation::Rgb:
            return QCoreApplication::translate("CopyAs", "CSS rgb()");
        case Notation::Hsl:
            return QStringLiteral("hsl()");
        case Notation::Hwb:
            return QStringLiteral("hwb()");
        case Notation::Lab:
            return QStringLiteral("lab()");
        case Notation::Lch:
            return QStringLiteral("lch()");
        case Notation::Oklab:
            return QStringLiteral("oklab()");
        case Notation::Oklch:
            return QStringLiteral("oklch()");
        case Notation::Hsv:
            return QStringLiteral("HSV");
        case Notation::Cmyk:
            return QCoreApplication::translate("CopyAs", "CMYK (no profile)");
    }
    return {};
}

// Templates past this many are left out of the menu (a long menu is of no
// use, and each entry is worked out as the menu opens); --format still
// takes every one by name.
constexpr std::size_t kMenuTemplates = 50;

}  // namespace

void AddCopyAsMenu(QMenu& menu, const QString& hex,
                   const std::vector<std::pair<QString, QString>>& templates) {
    const std::optional<Srgb8> color = ParseHexColor(hex.toStdString());
    QMenu* copyAs = menu.addMenu(QCoreApplication::translate("CopyAs", "Copy as"));
    copyAs->setEnabled(color.has_value());
    if (!color) return;
    for (Notation n : kNotations) {
        const QString text = QString::fromStdString(WriteNotation(n, *color));
        QAction* action = copyAs->addAction(MenuText(n) + QStringLiteral("\t") + text);
        QObject::connect(action, &QAction::triggered, [text] { PutTextOnClipboard(text); });
    }
    if (!templates.empty()) copyAs->addSeparator();
    const std::size_t listed = std::min(templates.size(), kMenuTemplates);
    for (std::size_t i = 0; i < listed; ++i) {
        const auto& [name, pattern] = templates[i];
        std::string why;
        const auto text = ExpandTemplate(pattern.toStdString(), *color, &why);
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

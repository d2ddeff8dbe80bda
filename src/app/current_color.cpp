#include "app/current_color.h"

#include "core/color_tables.h"

namespace velmor {

CurrentColor::CurrentColor(QObject* parent)
    : QObject(parent), text_(QStringLiteral("#000000")), name_(QStringLiteral("Black")) {}

void CurrentColor::Set(const QString& text, const QString& name) {
    text_ = text;
    name_ =
        name.isEmpty() ? QString::fromStdString(std::string(ColorName(text.toStdString()))) : name;
    emit changed();
}

}  // namespace velmor

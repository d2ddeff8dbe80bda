#include "app/current_color.h"

#include "core/color_tables.h"

namespace velmor {

CurrentColor::CurrentColor(QObject* parent) : QObject(parent), name_(QStringLiteral("Black")) {}

void CurrentColor::Set(const Color& color, const QString& name) {
    color_ = color;
    name_ = name.isEmpty() ? QString::fromStdString(std::string(ColorName(color))) : name;
    emit changed();
}

}  // namespace velmor

#include "app/current_color.h"

#include "core/color_tables.h"

namespace velmor {

CurrentColor::CurrentColor(QObject* parent) : QObject(parent), name_(QStringLiteral("Black")) {}

void CurrentColor::SetPicked(const Color& color, const ProfileRef& profile) {
    Assign(color, {}, profile);
}

void CurrentColor::Set(const Color& color, const QString& name) {
    Assign(color, name, nullptr);
}

void CurrentColor::Assign(const Color& color, const QString& name, const ProfileRef& profile) {
    color_ = color;
    profile_ = profile;
    name_ = name.isEmpty() ? QString::fromStdString(std::string(ColorName(color))) : name;
    emit changed();
}

}  // namespace velmor

// SPDX-License-Identifier: GPL-3.0-or-later
#include "logging/LogCategory.h"

namespace corvane {

QString logCategoryName(LogCategory category)
{
    switch (category) {
    case LogCategory::App:
        return QStringLiteral("App");
    case LogCategory::Window:
        return QStringLiteral("Window");
    case LogCategory::Grid:
        return QStringLiteral("Grid");
    case LogCategory::Overlay:
        return QStringLiteral("Overlay");
    case LogCategory::Accessibility:
        return QStringLiteral("Accessibility");
    case LogCategory::Mouse:
        return QStringLiteral("Mouse");
    case LogCategory::Layout:
        return QStringLiteral("Layout");
    }
    return {};
}

std::optional<LogCategory> logCategoryFromName(const QString& name)
{
    for (LogCategory c : allLogCategories) {
        if (logCategoryName(c) == name)
            return c;
    }
    return std::nullopt;
}

} // namespace corvane

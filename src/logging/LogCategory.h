// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>
#include <optional>

namespace corvane {

enum class LogCategory { App, Window, Grid, Overlay, Accessibility, Mouse, Layout };

inline constexpr std::array allLogCategories{
    LogCategory::App,           LogCategory::Window, LogCategory::Grid,  LogCategory::Overlay,
    LogCategory::Accessibility, LogCategory::Mouse,  LogCategory::Layout};

QString logCategoryName(LogCategory category);
std::optional<LogCategory> logCategoryFromName(const QString& name);

} // namespace corvane

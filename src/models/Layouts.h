// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/LayoutConfig.h"
#include "models/ScreenLayout.h"

#include <QList>
#include <optional>

namespace corvane {

// The two built-in layouts.
const ScreenLayout& noLayout();
const ScreenLayout& focusLayout();

// The templates of layouts.json, read once on first use and kept for the life of the process.
// A missing or malformed file means no templates, and an error line in the log.
const QList<ScreenLayout>& templateLayouts();
// Whether layouts.json was read whole: without it, a layout that is not found may only be
// missing for this run.
bool templateFileRead();

// No Layout, Focus, then the templates in file order. Custom layouts are never part of it.
QList<ScreenLayout> allLayouts();

// The name the user reads: the built-in layouts' and the shipped templates' in the user's
// language; any other (a custom layout's, a name the template file was given) as written. The
// stored and scripted name stays layout.name.
QString shownName(const ScreenLayout& layout);

// The first template named exactly `name`.
std::optional<ScreenLayout> templateNamed(const QString& name);

// Building blocks of templateLayouts(), open for tests and tools.
QList<ScreenLayout> layoutsFromConfig(const LayoutConfig& config);
// None when the file cannot be read or decoded; the reason is logged.
std::optional<QList<ScreenLayout>> loadTemplateLayouts(const QString& path);

} // namespace corvane

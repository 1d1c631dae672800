// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace corvane {
namespace {

// Loads <name>_<language>.qm from folder, trying the locale's languages in the user's order of
// preference (LANGUAGE, then LC_MESSAGES or LANG).
void install(const QLocale& locale, const QString& name, const QString& folder)
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(locale, name, QStringLiteral("_"), folder))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

void installTranslations(const QLocale& locale)
{
    if (!QCoreApplication::instance())
        return;
    install(locale, QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    install(locale, QStringLiteral("corvane"), QStringLiteral(":/translations"));
}

} // namespace corvane

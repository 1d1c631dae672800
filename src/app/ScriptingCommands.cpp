// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ScriptingCommands.h"

#include "app/StatusMenu.h"
#include "app/TrayApplication.h"
#include "layouts/LayoutKeys.h"
#include "layouts/LayoutManager.h"
#include "logging/ControlCharacters.h"
#include "logging/Logger.h"
#include "models/Layouts.h"
#include "overlay/ZoneManager.h"
#include "platform/Platform.h"
#include "settings/Settings.h"

#include <QCoreApplication>
#include <QUuid>

namespace corvane {
namespace {

struct Listed {
    ScreenLayout layout;
    QLatin1StringView kind;
};

// Every layout a display can use, in the status menu's order.
QList<Listed> availableLayouts()
{
    QList<Listed> layouts;
    for (const ScreenLayout& layout : {noLayout(), focusLayout()})
        layouts.append({layout, QLatin1StringView("built-in")});
    for (const ScreenLayout& layout : templateLayouts())
        layouts.append({layout, QLatin1StringView("template")});
    for (const ScreenLayout& layout : LayoutManager::shared().customLayouts())
        layouts.append({layout, QLatin1StringView("custom")});
    return layouts;
}

QList<QUuid> zoneIds(const ZoneList& zones)
{
    QList<QUuid> ids;
    for (const Zone& zone : zones)
        ids.append(zone.id);
    return ids;
}

// The layout whose zones the display uses now, known by their ids; what the display shows,
// whichever way it came to it (a stored choice or the fallback).
QString layoutInUse(const Display& display, const QList<Listed>& layouts)
{
    const auto& table = ZoneManager::shared().monitorZones();
    const auto zones = table.constFind(monitorID(display));
    if (zones == table.constEnd())
        return QStringLiteral("-");
    const QList<QUuid> ids = zoneIds(*zones);
    for (const Listed& listed : layouts) {
        if (zoneIds(listed.layout.zones) == ids)
            return listed.layout.name;
    }
    return QStringLiteral("-");
}

// A name as one field of a listed line: tabs and line breaks would split it, and control
// characters would act on the terminal that shows it.
QString field(QString text)
{
    for (QChar& c : text) {
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    }
    return replaceControlCharacters(text);
}

ScriptReply failure(const QString& text)
{
    Logger::info(QStringLiteral("Script command refused: ") + text, LogCategory::App);
    return {false, text};
}

} // namespace

std::optional<QString> ScriptingCommands::refuseLength(const QString& what, const QString& argument)
{
    if (argument.size() <= maxArgumentLength)
        return std::nullopt;
    return QCoreApplication::translate("ScriptingCommands",
                                       "The %1 given is %2 characters long; at most %3 are read")
        .arg(what)
        .arg(argument.size())
        .arg(maxArgumentLength);
}

ScriptReply ScriptingCommands::run(const ScriptCommand& command)
{
    switch (command.kind) {
    case ScriptCommand::Kind::OpenPreferences:
        delegate_.openPreferences();
        return {true, QString()};
    case ScriptCommand::Kind::OpenLayoutEditor:
        delegate_.openLayoutEditor();
        return {true, QString()};
    case ScriptCommand::Kind::SnapActive:
        return snapActive(command.zone);
    case ScriptCommand::Kind::SnapAll:
        return snapAll(command.display);
    case ScriptCommand::Kind::ApplyLayout:
        return applyLayout(command.layout, command.display, command.desktop);
    case ScriptCommand::Kind::List:
        return list();
    }
    return failure(QStringLiteral("unknown command"));
}

ScriptReply ScriptingCommands::snapActive(const QString& zone)
{
    if (const auto refusal =
            refuseLength(QCoreApplication::translate("ScriptingCommands", "zone"), zone))
        return failure(*refusal);
    const auto request = ZoneRequest::parse(zone);
    if (!request)
        return failure(
            QCoreApplication::translate("ScriptingCommands",
                                        "'%1' is no zone: give 1 to 9, next, previous, up or down")
                .arg(zone));
    const auto outcome = delegate_.snapActiveWindow(*request);
    return {outcome.snapped, outcome.message};
}

ScriptReply ScriptingCommands::applyLayout(const QString& text, std::optional<int> number,
                                           std::optional<int> desktopNumber)
{
    if (const auto refusal =
            refuseLength(QCoreApplication::translate("ScriptingCommands", "layout name"), text))
        return failure(*refusal);
    std::optional<VirtualDesktop> desktop;
    if (desktopNumber) {
        const VirtualDesktops& desktops = Platform::current().virtualDesktops();
        if (!Settings::layoutsPerDesktop())
            return failure(QCoreApplication::translate(
                "ScriptingCommands", "Layouts per virtual desktop are off: turn them on in "
                                     "Preferences → General to give --desktop"));
        desktop = desktops.withNumber(*desktopNumber);
        if (desktops.desktops().isEmpty())
            return failure(QCoreApplication::translate(
                "ScriptingCommands", "The window manager names no virtual desktops: leave out "
                                     "--desktop"));
        if (!desktop)
            return failure(QCoreApplication::translate("ScriptingCommands",
                                                       "There is no desktop %1 (desktops: 1 to %2)")
                               .arg(*desktopNumber)
                               .arg(desktops.desktops().size()));
    }
    const DisplayList screens = Platform::current().displays().screens();
    QString error;
    const std::optional<Display> display = displayFor(number, error);
    if (!display)
        return failure(error);
    const Found found = findLayout(text);
    if (!found.layout)
        return failure(found.error);
    const int index = static_cast<int>(screens.indexOf(*display)) + 1;
    if (!delegate_.statusMenu().selectLayoutForDisplay(*display, *found.layout, desktop))
        return failure(QCoreApplication::translate("ScriptingCommands",
                                                   "Display %1 (%2) keeps its layout: the choice "
                                                   "of %3 could not be saved to %4 (%5)")
                           .arg(index)
                           .arg(field(display->localizedName), field(found.layout->name),
                                Settings::fileName(), Settings::lastWriteFailure()));
    const QString done = QCoreApplication::translate("ScriptingCommands", "Display %1 (%2) uses %3")
                             .arg(index)
                             .arg(field(display->localizedName), field(found.layout->name));
    if (!desktop)
        return {true, done};
    return {true, QCoreApplication::translate("ScriptingCommands", "%1 on desktop %2")
                      .arg(done)
                      .arg(desktop->number)};
}

std::optional<Display> ScriptingCommands::displayFor(std::optional<int> number, QString& error)
{
    const DisplayList screens = Platform::current().displays().screens();
    if (number) {
        if (*number >= 1 && *number <= screens.size())
            return screens.at(*number - 1);
        error = QCoreApplication::translate("ScriptingCommands",
                                            "There is no display %1 (displays: 1 to %2)")
                    .arg(*number)
                    .arg(screens.size());
        return std::nullopt;
    }
    const auto display =
        screenContainingPoint(Platform::current().windowSystem().pointer(), screens);
    if (!display)
        error = QCoreApplication::translate(
            "ScriptingCommands", "The pointer is on no display: name one with --display");
    return display;
}

ScriptReply ScriptingCommands::snapAll(std::optional<int> number)
{
    QString error;
    const auto display = displayFor(number, error);
    if (!display)
        return failure(error);
    const int index =
        static_cast<int>(Platform::current().displays().screens().indexOf(*display)) + 1;
    const auto outcome = delegate_.snapAllWindows(*display);
    if (!outcome)
        return failure(
            QCoreApplication::translate("ScriptingCommands", "Corvane is still starting"));
    if (outcome->failed > 0)
        return failure(
            QCoreApplication::translate("ScriptingCommands",
                                        "Snapped %1 windows on display %2; %3 could not be moved")
                .arg(outcome->snapped)
                .arg(index)
                .arg(outcome->failed));
    return {true,
            QCoreApplication::translate("ScriptingCommands", "Snapped %n windows on display %1",
                                        nullptr, outcome->snapped)
                .arg(index)};
}

ScriptingCommands::Found ScriptingCommands::findLayout(const QString& text) const
{
    const QList<Listed> layouts = availableLayouts();
    const QUuid id(text.trimmed());
    QList<ScreenLayout> matches;
    for (Qt::CaseSensitivity sensitivity : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        for (const Listed& listed : layouts) {
            if ((!id.isNull() && listed.layout.id == id) ||
                listed.layout.name.compare(text, sensitivity) == 0)
                matches.append(listed.layout);
        }
        if (!matches.isEmpty())
            break;
    }
    if (matches.size() == 1)
        return {matches.first(), QString()};
    if (matches.isEmpty())
        return {std::nullopt, QCoreApplication::translate(
                                  "ScriptingCommands",
                                  "There is no layout named '%1' (corvane --list shows them)")
                                  .arg(text)};
    QStringList ids;
    for (const ScreenLayout& layout : std::as_const(matches))
        ids.append(layout.uuidString());
    return {std::nullopt,
            QCoreApplication::translate("ScriptingCommands",
                                        "%n layouts are named '%1': give one by its id (%2)",
                                        nullptr, int(matches.size()))
                .arg(text, ids.join(QStringLiteral(", ")))};
}

ScriptReply ScriptingCommands::list() const
{
    const QList<Listed> layouts = availableLayouts();
    const DisplayList screens = Platform::current().displays().screens();
    QStringList lines;
    const VirtualDesktops& desktops = Platform::current().virtualDesktops();
    const auto shown = desktops.current();
    for (const VirtualDesktop& desktop : desktops.desktops())
        lines.append(QStringList{QStringLiteral("desktop"), QString::number(desktop.number),
                                 field(desktop.title()),
                                 desktop == shown ? QStringLiteral("current") : QStringLiteral("-")}
                         .join(u'\t'));
    for (qsizetype i = 0; i < screens.size(); ++i) {
        const Display& display = screens.at(i);
        lines.append(QStringList{QStringLiteral("display"), QString::number(i + 1),
                                 field(display.localizedName), monitorID(display),
                                 QStringLiteral("%1x%2")
                                     .arg(static_cast<qint64>(display.frame.width))
                                     .arg(static_cast<qint64>(display.frame.height)),
                                 field(layoutInUse(display, layouts))}
                         .join(u'\t'));
    }
    // The same order as the layout keys': each layout's key by its place.
    const LayoutKeys layoutKeys(LayoutManager::shared());
    const QList<int> keys = layoutKeys.keysOf(layoutKeys.orderedLayouts());
    for (qsizetype i = 0; i < layouts.size(); ++i) {
        const Listed& listed = layouts.at(i);
        const int key = keys.value(i);
        lines.append(QStringList{QStringLiteral("layout"), field(listed.layout.name), listed.kind,
                                 listed.layout.uuidString(),
                                 key == 0 ? QStringLiteral("-") : QString::number(key)}
                         .join(u'\t'));
    }
    return {true, lines.join(u'\n')};
}

} // namespace corvane

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/xdg/XdgLoginItems.h"

#include "logging/Logger.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QStandardPaths>

namespace corvane {
namespace {

const QString desktopEntryName = QStringLiteral("app.corvane.Corvane.desktop");

void setError(QString* error, const QString& message)
{
    if (error)
        *error = message;
}

// Earlier versions wrote the entry under this name; it still counts, and goes when the entry is
// registered again or unregistered.
QString legacyEntryPath()
{
    return QFileInfo(XdgLoginItems::entryPath()).absolutePath() +
           QStringLiteral("/corvane.desktop");
}

// The keys of an entry's [Desktop Entry] group with their values as written (still escaped).
QHash<QString, QString> mainGroup(QFile& file)
{
    QHash<QString, QString> values;
    bool inMainGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (inMainGroup && eq > 0)
            values.insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
    return values;
}

} // namespace

QString XdgLoginItems::entryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/") + desktopEntryName;
}

QString XdgLoginItems::execValue(const QString& program)
{
    // Arguments holding reserved characters are quoted; inside quotes ", `, $ and \ are
    // escaped. A literal % is always doubled, since it starts a field code.
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needsQuotes = program.isEmpty();
    for (QChar ch : program) {
        if (reserved.contains(ch))
            needsQuotes = true;
    }
    QString quoted;
    for (QChar ch : program) {
        if (ch == QLatin1Char('%'))
            quoted += QStringLiteral("%%");
        else if (needsQuotes && (ch == QLatin1Char('"') || ch == QLatin1Char('`') ||
                                 ch == QLatin1Char('$') || ch == QLatin1Char('\\')))
            quoted += QLatin1Char('\\') + ch;
        else
            quoted += ch;
    }
    if (needsQuotes)
        quoted = QLatin1Char('"') + quoted + QLatin1Char('"');
    // The value is a string of the entry as well, whose own escapes apply on top of the
    // quoting: a backslash doubles again, and a line break cannot end the line.
    QString value;
    for (QChar ch : quoted) {
        if (ch == QLatin1Char('\\'))
            value += QStringLiteral("\\\\");
        else if (ch == QLatin1Char('\n'))
            value += QStringLiteral("\\n");
        else if (ch == QLatin1Char('\t'))
            value += QStringLiteral("\\t");
        else if (ch == QLatin1Char('\r'))
            value += QStringLiteral("\\r");
        else
            value += ch;
    }
    return value;
}

QString XdgLoginItems::entryText(const QString& program)
{
    QString exec = execValue(program);
    QFile installed(QFileInfo(program).absolutePath() + QStringLiteral("/../share/applications/") +
                    desktopEntryName);
    if (installed.open(QIODevice::ReadOnly | QIODevice::Text)) {
        const QString installedExec = mainGroup(installed).value(QStringLiteral("Exec"));
        if (!installedExec.isEmpty())
            exec = installedExec;
    }
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Corvane\n"
                          "Comment=Snap windows into zones\n"
                          "Comment[de]=Fenster in Zonen einrasten lassen\n"
                          "Exec=%1\n"
                          "Icon=app.corvane.Corvane\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n"
                          // Started once the panel is up, so that the tray icon finds its tray.
                          "X-GNOME-Autostart-Delay=2\n"
                          "X-KDE-autostart-after=panel\n")
        .arg(exec);
}

LoginItemStatus XdgLoginItems::status() const
{
    QFile file(entryPath());
    if (!file.exists())
        file.setFileName(legacyEntryPath());
    if (!file.exists())
        return LoginItemStatus::NotRegistered;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        Logger::warning(QStringLiteral("The autostart entry %1 cannot be read: %2")
                            .arg(file.fileName(), file.errorString()),
                        LogCategory::App);
        return LoginItemStatus::NotFound;
    }
    const QHash<QString, QString> values = mainGroup(file);
    if (values.value(QStringLiteral("Hidden")).toLower() == QLatin1String("true") ||
        values.value(QStringLiteral("X-GNOME-Autostart-enabled")).toLower() ==
            QLatin1String("false"))
        return LoginItemStatus::RequiresApproval;
    return LoginItemStatus::Enabled;
}

bool XdgLoginItems::registerItem(QString* error)
{
    const QString path = entryPath();
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).absoluteFilePath();
    if (program.isEmpty()) {
        setError(error, QStringLiteral("The path of the running program is unknown"));
        return false;
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        setError(error,
                 QStringLiteral("Cannot create the folder %1").arg(QFileInfo(path).absolutePath()));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        setError(error, file.errorString());
        return false;
    }
    file.write(entryText(program).toUtf8());
    if (!file.commit()) {
        setError(error, file.errorString());
        return false;
    }
    // Left beside the new entry, the old one would start a second Corvane at login.
    if (QFile::exists(legacyEntryPath()) && !QFile::remove(legacyEntryPath()))
        Logger::warning(
            QStringLiteral("The old autostart entry %1 cannot be removed").arg(legacyEntryPath()),
            LogCategory::App);
    return true;
}

bool XdgLoginItems::unregisterItem(QString* error)
{
    for (const QString& path : {entryPath(), legacyEntryPath()}) {
        QFile file(path);
        if (file.exists() && !file.remove()) {
            setError(error, file.errorString());
            return false;
        }
    }
    return true;
}

} // namespace corvane

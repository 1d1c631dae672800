#include "platform/x11/X11LoginItems.h"

#include "logging/Logger.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace corvane {
namespace {

void setError(QString* error, const QString& message)
{
    if (error)
        *error = message;
}

} // namespace

QString X11LoginItems::entryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/corvane.desktop");
}

QString X11LoginItems::execValue(const QString& program)
{
    // Arguments holding reserved characters are quoted; inside quotes ", `, $ and \ are
    // escaped. A literal % is always doubled, since it starts a field code.
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needsQuotes = program.isEmpty();
    for (QChar ch : program) {
        if (reserved.contains(ch))
            needsQuotes = true;
    }
    QString value;
    for (QChar ch : program) {
        if (ch == QLatin1Char('%'))
            value += QStringLiteral("%%");
        else if (needsQuotes && (ch == QLatin1Char('"') || ch == QLatin1Char('`') ||
                                 ch == QLatin1Char('$') || ch == QLatin1Char('\\')))
            value += QLatin1Char('\\') + ch;
        else
            value += ch;
    }
    return needsQuotes ? QLatin1Char('"') + value + QLatin1Char('"') : value;
}

LoginItemStatus X11LoginItems::status() const
{
    QFile file(entryPath());
    if (!file.exists())
        return LoginItemStatus::NotRegistered;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        Logger::warning(QStringLiteral("The autostart entry %1 cannot be read: %2")
                            .arg(file.fileName(), file.errorString()),
                        LogCategory::App);
        return LoginItemStatus::NotFound;
    }
    bool inMainGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inMainGroup)
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed().toLower();
        if ((key == QLatin1String("Hidden") && value == QLatin1String("true")) ||
            (key == QLatin1String("X-GNOME-Autostart-enabled") && value == QLatin1String("false")))
            return LoginItemStatus::RequiresApproval;
    }
    return LoginItemStatus::Enabled;
}

bool X11LoginItems::registerItem(QString* error)
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
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=Corvane\n"
                                         "Comment=Snap windows into zones\n"
                                         "Exec=%1\n"
                                         "Icon=corvane\n"
                                         "Terminal=false\n"
                                         "X-GNOME-Autostart-enabled=true\n")
                              .arg(execValue(program));
    file.write(entry.toUtf8());
    if (!file.commit()) {
        setError(error, file.errorString());
        return false;
    }
    return true;
}

bool X11LoginItems::unregisterItem(QString* error)
{
    QFile file(entryPath());
    if (!file.exists())
        return true;
    if (!file.remove()) {
        setError(error, file.errorString());
        return false;
    }
    return true;
}

} // namespace corvane

// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/Settings.h"

#include "logging/Logger.h"
#include "logging/PrivateFolder.h"
#include "settings/Notifications.h"
#include "settings/SettingsKeys.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QGuiApplication>
#include <QMap>
#include <QPalette>
#include <QPointer>
#include <QSettings>
#include <QStorageInfo>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>

namespace corvane {
namespace {

// For switches that are on by default. The INI store keeps a boolean as the text "false";
// that is the only form that turns them off.
bool isTrueUnlessFalse(const QVariant& v)
{
    if (!v.isValid())
        return true;
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    return v.toString() != u"false";
}

QColor colorFrom(double r, double g, double b, double a, const QColor& fallback)
{
    if (r == 0 && g == 0 && b == 0 && a == 0)
        return fallback;
    auto unit = [](double v) { return static_cast<float>(qBound(0.0, v, 1.0)); };
    return QColor::fromRgbF(unit(r), unit(g), unit(b), unit(a));
}

std::unique_ptr<QSettings> openFile()
{
    auto settings =
        std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                    QStringLiteral("Corvane"), QStringLiteral("Corvane"));
    // The file is replaced whole (written beside it, then renamed over it), never rewritten in
    // place: a crash or a full disk in the middle of a save leaves the previous file as it was.
    // Where that cannot be done, the save fails.
    settings->setAtomicSyncRequired(true);
    return settings;
}

QMap<QString, QVariant> valuesOf(const QSettings& file)
{
    QMap<QString, QVariant> values;
    for (const QString& key : file.allKeys())
        values.insert(key, file.value(key));
    return values;
}

// A folder or file whose owner took away the owner's own write access: the user has made the
// settings read-only, and they stay so, even for a process that could write anyway.
std::optional<QString> madeReadOnly(const QString& fileName)
{
    const QFileInfo file(fileName);
    const QFileInfo folder(file.absolutePath());
    if (folder.isDir() && !folder.permissions().testFlag(QFile::WriteOwner))
        return QCoreApplication::translate("Settings", "the folder %1 is read-only")
            .arg(folder.absoluteFilePath());
    if (file.exists() && !file.permissions().testFlag(QFile::WriteOwner))
        return QCoreApplication::translate("Settings", "%1 is read-only").arg(fileName);
    return std::nullopt;
}

// What stands in the way of a save that can be seen without trying one; none when nothing does.
std::optional<QString> obstacle(const QString& fileName)
{
    const QFileInfo file(fileName);
    const QFileInfo folder(file.absolutePath());
    if (auto readOnly = madeReadOnly(fileName))
        return readOnly;
    if (folder.exists() && !folder.isDir())
        return QCoreApplication::translate("Settings", "%1 is a file, not a folder")
            .arg(folder.absoluteFilePath());
    if (!folder.exists())
        return QCoreApplication::translate("Settings", "the folder %1 cannot be created")
            .arg(folder.absoluteFilePath());
    if (file.exists() && !file.isReadable())
        return QCoreApplication::translate("Settings", "%1 cannot be read").arg(fileName);
    if (!folder.isWritable() || (file.exists() && !file.isWritable()))
        return QCoreApplication::translate("Settings", "the folder %1 is read-only")
            .arg(folder.absoluteFilePath());
    const QStorageInfo storage(folder.absoluteFilePath());
    if (storage.isValid() && storage.isReadOnly())
        return QCoreApplication::translate("Settings", "the disk holding %1 is read-only")
            .arg(folder.absoluteFilePath());
    if (storage.isValid() && storage.bytesAvailable() < 64 * 1024)
        return QCoreApplication::translate("Settings", "the disk holding %1 is full")
            .arg(folder.absoluteFilePath());
    return std::nullopt;
}

// QSettings says only "access error"; the user is told what stands in the way.
QString failureReason(const QString& fileName)
{
    return obstacle(fileName).value_or(
        QCoreApplication::translate("Settings", "the system refused to write %1").arg(fileName));
}

bool sameValue(const QVariant& stored, const QVariant& given)
{
    if (stored == given)
        return true;
    // The file gives back a boolean or a number as its text.
    switch (given.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
        return stored.typeId() == QMetaType::QString && stored.toString() == given.toString();
    default:
        return false;
    }
}

// Whether the changes would leave the values as they are.
bool changesNothing(const QMap<QString, QVariant>& values, const QList<SettingsChange>& changes)
{
    return std::all_of(changes.begin(), changes.end(), [&](const SettingsChange& change) {
        const auto stored = values.constFind(change.key);
        if (!change.value)
            return stored == values.constEnd();
        return stored != values.constEnd() && sameValue(*stored, *change.value);
    });
}

// What tells one version of the file from another without reading it.
struct FileStamp {
    qint64 size = -1;
    QDateTime modified;
    QDateTime changed;

    static FileStamp of(const QString& fileName)
    {
        const QFileInfo info(fileName);
        if (!info.exists())
            return {};
        return {info.size(), info.lastModified(),
                info.fileTime(QFileDevice::FileMetadataChangeTime)};
    }
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The values of the file as this process knows them. Writers hold the lock from reading the
// file to updating the values, so two threads' saves never cross. A save by another process
// (a second tool, a hand edit) is read when the folder changes, never at a read.
class Store {
public:
    static Store& shared()
    {
        static Store store;
        return store;
    }

    QString fileName()
    {
        std::lock_guard lock(mutex_);
        load();
        return fileName_;
    }

    template <typename Read> auto read(Read read)
    {
        std::lock_guard lock(mutex_);
        load();
        if (!watcher_)
            watch();
        return read(values_);
    }

    // The changes, saved; or nothing changed and the reason why not.
    std::optional<QString> write(const QList<SettingsChange>& changes, bool clearFirst)
    {
        std::lock_guard lock(mutex_);
        load();
        // Read afresh under Qt's lock file: what another writer saved meanwhile is kept.
        auto file = openFile();
        const QMap<QString, QVariant> before = valuesOf(*file);
        // A save that changes nothing is not made: the file stays as it is, and a folder that
        // cannot be written fails nothing the user did.
        if (!clearFirst && changesNothing(before, changes)) {
            values_ = before;
            seen_ = FileStamp::of(fileName_);
            return std::nullopt;
        }
        if (auto readOnly = madeReadOnly(fileName_))
            return readOnly;
        ensurePrivateFolder(QFileInfo(fileName_).absolutePath());
        if (clearFirst)
            file->clear();
        for (const SettingsChange& change : changes) {
            if (change.value)
                file->setValue(change.key, *change.value);
            else
                file->remove(change.key);
        }
        file->sync();
        if (file->status() != QSettings::AccessError) {
            values_ = valuesOf(*file);
            seen_ = FileStamp::of(fileName_);
            watch();
            return std::nullopt;
        }
        // Qt keeps a change that failed to save and would write it with the next one: put
        // back what the file holds, so that memory and the file agree.
        QStringList touched = clearFirst ? before.keys() : QStringList();
        for (const SettingsChange& change : changes)
            touched.append(change.key);
        for (const QString& key : std::as_const(touched)) {
            if (before.contains(key))
                file->setValue(key, before.value(key));
            else
                file->remove(key);
        }
        values_ = before;
        return failureReason(fileName_);
    }

    void reload()
    {
        std::lock_guard lock(mutex_);
        loaded_ = false;
        load();
    }

private:
    void load()
    {
        if (loaded_)
            return;
        const auto file = openFile();
        fileName_ = file->fileName();
        values_ = valuesOf(*file);
        seen_ = FileStamp::of(fileName_);
        loaded_ = true;
    }

    // The watcher belongs to the application's thread and goes with the application.
    void watch()
    {
        QCoreApplication* app = QCoreApplication::instance();
        if (!app || QThread::currentThread() != app->thread())
            return;
        if (!watcher_) {
            watcher_ = new QFileSystemWatcher(app);
            QObject::connect(watcher_, &QFileSystemWatcher::directoryChanged, app,
                             [this] { reloadIfChanged(); });
        }
        const QString folder = QFileInfo(fileName_).absolutePath();
        if (!watcher_->directories().contains(folder) && QFileInfo(folder).isDir())
            watcher_->addPath(folder);
    }

    void reloadIfChanged()
    {
        std::lock_guard lock(mutex_);
        if (loaded_ && FileStamp::of(fileName_) != seen_) {
            loaded_ = false;
            load();
        }
    }

    std::mutex mutex_;
    bool loaded_ = false;
    QString fileName_;
    QMap<QString, QVariant> values_;
    FileStamp seen_;
    QPointer<QFileSystemWatcher> watcher_;
};

thread_local QString lastFailure;

bool save(const QList<SettingsChange>& changes, bool clearFirst = false)
{
    const auto failure = Store::shared().write(changes, clearFirst);
    lastFailure = failure.value_or(QString());
    if (!failure)
        return true;
    Logger::fault(QStringLiteral("Settings could not be saved: ") + *failure, LogCategory::App);
    emit Notifications::shared().settingsWriteFailed(*failure);
    return false;
}

} // namespace

QString Settings::fileName()
{
    return Store::shared().fileName();
}

bool Settings::contains(QAnyStringView key)
{
    return Store::shared().read([k = key.toString()](const auto& v) { return v.contains(k); });
}

QVariant Settings::value(QAnyStringView key)
{
    return Store::shared().read([k = key.toString()](const auto& v) { return v.value(k); });
}

QStringList Settings::allKeys()
{
    return Store::shared().read([](const auto& v) { return QStringList(v.keys()); });
}

bool Settings::setValue(QAnyStringView key, const QVariant& value)
{
    return save({{key.toString(), value}});
}

bool Settings::remove(QAnyStringView key)
{
    return save({{key.toString(), std::nullopt}});
}

bool Settings::write(const QList<SettingsChange>& changes)
{
    return save(changes);
}

bool Settings::clear()
{
    return save({}, true);
}

QString Settings::lastWriteFailure()
{
    return lastFailure;
}

std::optional<QString> Settings::cannotBeSaved()
{
    const QString name = fileName();
    // A folder still to be made is made by the first save.
    if (!QFileInfo::exists(QFileInfo(name).absolutePath()))
        return std::nullopt;
    return obstacle(name);
}

void Settings::reload()
{
    Store::shared().reload();
}

std::optional<QByteArray> Settings::data(QAnyStringView key)
{
    const QVariant v = value(key);
    if (!v.isValid())
        return std::nullopt;
    return v.toByteArray();
}

bool Settings::setData(QAnyStringView key, const QByteArray& data)
{
    return setValue(key, data);
}

std::optional<QString> Settings::string(QAnyStringView key)
{
    const QVariant v = value(key);
    if (!v.isValid())
        return std::nullopt;
    return v.toString();
}

bool Settings::setString(QAnyStringView key, const QString& value)
{
    return setValue(key, value);
}

double Settings::number(QAnyStringView key)
{
    bool ok = false;
    const double v = value(key).toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

bool Settings::hasLaunchedBefore()
{
    const QVariant v = value(SettingsKeys::hasLaunchedBefore);
    return v.isValid() && v.toBool();
}

QString Settings::dragModifierKey()
{
    const QVariant v = value(SettingsKeys::dragModifierKey);
    return v.isValid() ? v.toString() : QStringLiteral("shift");
}

bool Settings::showLayoutPreview()
{
    return isTrueUnlessFalse(value(SettingsKeys::showLayoutPreview));
}

bool Settings::moveNewWindowsToLastZone()
{
    return isTrueUnlessFalse(value(SettingsKeys::moveNewWindowsToLastZone));
}

bool Settings::moveSnappedWindowsOnLayoutChange()
{
    return isTrueUnlessFalse(value(SettingsKeys::moveSnappedWindowsOnLayoutChange));
}

bool Settings::restoreSizeOnUnsnap()
{
    return isTrueUnlessFalse(value(SettingsKeys::restoreSizeOnUnsnap));
}

bool Settings::resizeNeighbours()
{
    return isTrueUnlessFalse(value(SettingsKeys::resizeNeighbours));
}

bool Settings::layoutsPerDesktop()
{
    return isTrueUnlessFalse(value(SettingsKeys::layoutsPerDesktop));
}

bool Settings::moveBetweenDisplays()
{
    return isTrueUnlessFalse(value(SettingsKeys::moveBetweenDisplays));
}

Settings::SnapTrigger Settings::snapTrigger()
{
    return value(SettingsKeys::snapTrigger).toString() == u"everyMove" ? SnapTrigger::EveryMove
                                                                       : SnapTrigger::SnapShortcut;
}

bool Settings::launchAtLogin()
{
    const QVariant v = value(SettingsKeys::launchAtLogin);
    return v.isValid() && v.toBool();
}

double Settings::spaceAroundZones()
{
    return std::clamp(number(SettingsKeys::spaceAroundZones), 0.0, maxSpaceAroundZones);
}

QStringList Settings::applicationNames(const QStringList& given)
{
    QStringList names;
    for (const QString& text : given) {
        const QString name = text.trimmed();
        if (!name.isEmpty() && !names.contains(name, Qt::CaseInsensitive))
            names.append(name);
    }
    return names;
}

QStringList Settings::excludedApplications()
{
    return applicationNames(value(SettingsKeys::excludedApplications).toStringList());
}

bool Settings::setExcludedApplications(const QStringList& given)
{
    const QStringList names = applicationNames(given);
    // An empty list is no list: the store would keep it as an unreadable value.
    if (names.isEmpty())
        return remove(SettingsKeys::excludedApplications);
    return setValue(SettingsKeys::excludedApplications, names);
}

ZoneColors Settings::defaultZoneColors()
{
    // Until the user picks colours, the target zone wears the desktop's accent (the palette's
    // highlight, which follows the KDE accent and the GTK theme); plain zones stay a neutral
    // white veil, which reads over any wallpaper and beside any accent.
    QColor accent = QColor::fromRgbF(0.0f, 0.48f, 1.0f);
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        accent = QGuiApplication::palette().color(QPalette::Active, QPalette::Highlight);
    accent.setAlphaF(0.1f);
    return {QColor::fromRgbF(1.0f, 1.0f, 1.0f, 0.2f), accent};
}

ZoneColors Settings::zoneColors()
{
    using namespace SettingsKeys;
    const ZoneColors defaults = defaultZoneColors();
    return {colorFrom(number(normalZoneColorRed), number(normalZoneColorGreen),
                      number(normalZoneColorBlue), number(normalZoneColorAlpha), defaults.normal),
            colorFrom(number(highlightZoneColorRed), number(highlightZoneColorGreen),
                      number(highlightZoneColorBlue), number(highlightZoneColorAlpha),
                      defaults.highlight)};
}

bool Settings::setNormalZoneColor(const QColor& color)
{
    using namespace SettingsKeys;
    return write({{normalZoneColorRed, color.redF()},
                  {normalZoneColorGreen, color.greenF()},
                  {normalZoneColorBlue, color.blueF()},
                  {normalZoneColorAlpha, color.alphaF()}});
}

bool Settings::setHighlightZoneColor(const QColor& color)
{
    using namespace SettingsKeys;
    return write({{highlightZoneColorRed, color.redF()},
                  {highlightZoneColorGreen, color.greenF()},
                  {highlightZoneColorBlue, color.blueF()},
                  {highlightZoneColorAlpha, color.alphaF()}});
}

} // namespace corvane

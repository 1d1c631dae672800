// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "layouts/LayoutManager.h"
#include "models/LayoutJson.h"
#include "overlay/ZoneManager.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <cstdio>
#include <sys/stat.h>

using namespace corvane;
using namespace Qt::StringLiterals;

// Kills a process that saves layouts and display choices in a loop, at random moments, and
// checks after every kill that the settings file still reads and that nothing saved is lost.
//
// The saving process is this executable started again with `saveLoopArgument`. It continues from
// whatever the file holds: at step n it adds custom layout n, makes it the choice of one display
// (odd steps the first, even steps the second), then prints n. Every value of step n is a
// function of n, so the checker knows what each key may hold.

namespace {

constexpr const char* saveLoopArgument = "--save-loop";
constexpr int kills = 24;
// Generous limits for a slow (sanitizer) build; they only end a run that is stuck.
constexpr int startTimeoutMs = 60000;

const QUuid namespaceId = QUuid::fromString(u"7c0c2f1e-4a52-4b0e-9a51-0d2b8c1f6e3a");

ScreenLayout layoutForStep(int step)
{
    const QString tag = QString::number(step);
    ZoneList zones;
    for (int i = 0; i < 1 + step % 4; ++i) {
        const double x = i / 4.0;
        zones.append(Zone(QUuid::createUuidV5(namespaceId, tag + u'.' + QString::number(i)),
                          Rect(x, 0.25, 0.25, 0.5)));
    }
    return ScreenLayout{QUuid::createUuidV5(namespaceId, tag),
                        u"Layout %1 "_s.arg(step) + QString(step % 7 * 10, u'~'), zones,
                        step % 3 ? std::optional<QString>() : u"third"_s};
}

corvane::Display displayForStep(int step)
{
    return step % 2 ? test::primaryDisplay() : test::secondDisplay();
}

// The saves of a step after its layout was added; doing them twice changes nothing.
void finishStep(LayoutManager& layouts, int step)
{
    const ScreenLayout layout = layoutForStep(step);
    layouts.saveLayoutPreference(displayForStep(step), layout);
}

void saveStep(LayoutManager& layouts, int step)
{
    layouts.addCustomLayout(layoutForStep(step));
    finishStep(layouts, step);
}

// What each saved key holds once step `step` is complete.
struct Expected {
    QByteArray customLayouts;
    QByteArray preferences;
};

Expected expectedAfter(int step)
{
    QList<ScreenLayout> layouts;
    for (int i = 1; i <= step; ++i)
        layouts.append(layoutForStep(i));
    // A display's new choice replaces its entry and goes last.
    MonitorLayoutPreferenceList preferences;
    for (int i = std::max(1, step - 1); i <= step; ++i) {
        const ScreenLayout layout = layoutForStep(i);
        preferences.append({monitorID(displayForStep(i)), layout.uuidString(), layout.name});
    }
    return {json::encodeLayouts(layouts), json::encodePreferences(preferences)};
}

int runSaveLoop(int argc, char** argv)
{
    // Nothing is shown: the saver starts as fast as it can, so that most of its time is saving.
    QCoreApplication app(argc, argv);
    test::installFakePlatform().setDisplays({test::primaryDisplay(), test::secondDisplay()});
    ZoneManager windows;
    LayoutManager layouts(windows);
    layouts.loadSavedPreferences();
    int step = int(layouts.customLayouts().size());
    if (step > 0) {
        // The last run may have been killed after adding its layout: finish that step.
        finishStep(layouts, step);
        std::printf("%d\n", step);
        std::fflush(stdout);
    }
    for (++step;; ++step) {
        saveStep(layouts, step);
        std::printf("%d\n", step);
        std::fflush(stdout);
    }
}

// Unrelated keys written once before the loop; every rewrite of the file must carry them.
const QList<std::pair<QString, QVariant>> bystanders{{u"dragModifierKey"_s, u"control"_s},
                                                     {u"normalZoneColorRed"_s, 0.25},
                                                     {u"hasLaunchedBefore"_s, true}};

} // namespace

class SaveKillTest : public QObject {
    Q_OBJECT
private:
    // The file as it stands, read from a private copy so that nothing cached in this process
    // answers instead of the file.
    std::unique_ptr<QSettings> snapshot(const QTemporaryDir& dir, int index) const
    {
        const QString copy = dir.filePath(u"snapshot-%1.conf"_s.arg(index));
        if (!QFile::copy(test::settingsFilePath(), copy))
            return nullptr;
        return std::make_unique<QSettings>(copy, QSettings::IniFormat);
    }

    // The steps the saved keys stand at, after checking that each holds the value of step
    // `done` or of the step after it; none when the file fails the check.
    std::optional<QList<int>> stepsInFile(QSettings& file, int done)
    {
        file.allKeys();
        if (file.status() != QSettings::NoError) {
            qWarning("the settings file does not parse");
            return std::nullopt;
        }
        for (const auto& [key, value] : bystanders) {
            if (file.value(key).toString() != value.toString()) {
                qWarning("%s lost its value", qPrintable(key));
                return std::nullopt;
            }
        }
        const Expected before = expectedAfter(done);
        const Expected after = expectedAfter(done + 1);
        QList<int> steps;
        auto stepOf = [&](QLatin1StringView key, QByteArray Expected::*member) {
            const QByteArray stored = file.value(key).toByteArray();
            if (stored == before.*member)
                steps.append(done);
            else if (stored == after.*member)
                steps.append(done + 1);
            else
                qWarning("%s holds neither step %d nor %d: %s", key.data(), done, done + 1,
                         stored.left(300).constData());
        };
        stepOf(SettingsKeys::customLayouts, &Expected::customLayouts);
        stepOf(SettingsKeys::monitorLayoutPreferences, &Expected::preferences);
        if (steps.size() != 2)
            return std::nullopt;
        // What the application itself reads back.
        if (!json::decodeLayouts(file.value(SettingsKeys::customLayouts).toByteArray()) ||
            !json::decodePreferences(
                file.value(SettingsKeys::monitorLayoutPreferences).toByteArray())) {
            qWarning("a stored value does not decode");
            return std::nullopt;
        }
        return steps;
    }

    // The last step the saver reported as complete in `printed`; `done` when it reported none.
    static int lastReportedStep(const QByteArray& printed, int done)
    {
        const QList<QByteArray> lines = printed.split('\n');
        // The last element is an unfinished line (or empty): a step is complete only once its
        // whole line is out.
        for (qsizetype i = lines.size() - 2; i >= 0; --i) {
            bool ok = false;
            const int step = lines.at(i).toInt(&ok);
            if (ok)
                return step;
        }
        return done;
    }

private slots:
    void aSaveReplacesTheFileInsteadOfWritingIntoIt()
    {
        test::resetStores();
        Settings::setValue(SettingsKeys::dragModifierKey, u"shift"_s);
        auto inode = [] {
            struct stat info {};
            return ::stat(QFile::encodeName(test::settingsFilePath()).constData(), &info) == 0
                       ? info.st_ino
                       : ino_t(0);
        };
        const ino_t before = inode();
        QVERIFY(before != 0);
        Settings::setData(SettingsKeys::customLayouts,
                          json::encodeLayouts({layoutForStep(1), layoutForStep(2)}));
        // A new file renamed over the old one: a reader sees the old file or the new, whole.
        QVERIFY(inode() != before);
        QCOMPARE(Settings::string(u"dragModifierKey"_s), u"shift"_s);
    }

    void killingTheSaverAtRandomMomentsLosesNothing()
    {
        test::resetStores();
        for (const auto& [key, value] : bystanders)
            Settings::setValue(key, value);
        // The first step in this process: from then on every key has a value to keep.
        test::installFakePlatform().setDisplays({test::primaryDisplay(), test::secondDisplay()});
        {
            ZoneManager windows;
            LayoutManager layouts(windows);
            layouts.loadSavedPreferences();
            saveStep(layouts, 1);
        }

        const quint32 seed = qEnvironmentVariableIsSet("CORVANE_KILL_SEED")
                                 ? quint32(qEnvironmentVariableIntValue("CORVANE_KILL_SEED"))
                                 : QRandomGenerator::global()->generate();
        qInfo("kill seed %u (set CORVANE_KILL_SEED to repeat)", seed);
        QRandomGenerator random(seed);
        QTemporaryDir snapshots;
        QVERIFY(snapshots.isValid());

        int done = 1;
        int killedMidSave = 0;
        int loopKills = 0;
        for (int kill = 0; kill < kills; ++kill) {
            QProcess saver;
            saver.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            saver.start(QCoreApplication::applicationFilePath(),
                        {QString::fromLatin1(saveLoopArgument)});
            QVERIFY2(saver.waitForStarted(startTimeoutMs), qPrintable(saver.errorString()));
            // Most kills land in the saving loop once it has saved a new step, some while the
            // saver is still starting.
            QByteArray printed;
            if (random.bounded(5) != 0) {
                ++loopKills;
                while (lastReportedStep(printed, done) <= done) {
                    QVERIFY2(saver.waitForReadyRead(startTimeoutMs), "the saver reports no step");
                    printed += saver.readAllStandardOutput();
                }
            }
            QThread::usleep(random.bounded(60000));
            saver.kill();
            QVERIFY(saver.waitForFinished(startTimeoutMs));
            QCOMPARE(saver.exitStatus(), QProcess::CrashExit);
            printed += saver.readAllStandardOutput();

            const int reported = lastReportedStep(printed, done);
            QVERIFY2(reported >= done, "the saver started before the last saved step");
            const auto file = snapshot(snapshots, kill);
            QVERIFY(file);
            const auto steps = stepsInFile(*file, reported);
            QVERIFY2(steps, qPrintable(u"after kill %1 (seed %2)"_s.arg(kill).arg(seed)));
            // The saver completes an unfinished step when it starts again.
            done = *std::min_element(steps->begin(), steps->end());
            if (*std::max_element(steps->begin(), steps->end()) != done)
                ++killedMidSave;
        }
        // Every kill in the loop came after at least one new step.
        QVERIFY2(done > loopKills, qPrintable(QString::number(done)));
        qInfo("%d steps saved; %d kills left a step half saved", done, killedMidSave);
    }
};

int main(int argc, char** argv)
{
    if (argc > 1 && qstrcmp(argv[1], saveLoopArgument) == 0)
        return runSaveLoop(argc, argv);
    QApplication app(argc, argv);
    SaveKillTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_savekill.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// Corvane's GNOME Shell extension in both forms made from its one source: the legacy script runs
// in GNOME Shell 43 in tests/gnome; the ES module of GNOME Shell 45 and later cannot run here, so
// its shape is checked. And what the backend makes of the shell's modifiers and key names.
#include "models/Resources.h"
#include "platform/KeyCodes.h"
#include "platform/gnome/GnomeExtension.h"
#include "platform/gnome/GnomeHotKeys.h"
#include "platform/gnome/GnomeShellBridge.h"
#include "platform/gnome/GnomeWindowSystem.h"

#include <QFile>
#include <QJSEngine>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QtTest>

using namespace corvane;
using namespace Qt::StringLiterals;

namespace {

QString formText(const QString& form, const QString& file)
{
    QFile f(resourcePath(u"gnome-shell/"_s + form + u'/' + file));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

class GnomeExtensionTest : public QObject {
    Q_OBJECT
private slots:
    void eachFormNamesTheShellVersionsThatLoadIt()
    {
        for (const auto& [form, versions] :
             {std::pair{u"legacy"_s, QStringList{u"43"_s, u"44"_s}},
              std::pair{u"module"_s, QStringList{u"45"_s, u"46"_s, u"47"_s, u"48"_s}}}) {
            const QJsonObject metadata =
                QJsonDocument::fromJson(formText(form, u"metadata.json"_s).toUtf8()).object();
            QCOMPARE(metadata.value("uuid").toString(), QLatin1String(GnomeExtension::uuid));
            QCOMPARE(metadata.value("shell-version").toVariant().toStringList(), versions);
        }
    }

    // GNOME Shell 45 imports the file as a module: ES imports of what the core uses, one
    // default export of an Extension subclass, and no legacy imports object.
    void theModuleFormImportsWhatTheCoreUsesAndExportsTheExtension()
    {
        const QString text = formText(u"module"_s, u"extension.js"_s);
        QVERIFY(text.contains(u"var CorvaneShell = class"_s));
        for (const QString& name : {u"Gio"_s, u"GLib"_s, u"Meta"_s, u"Shell"_s})
            QVERIFY2(text.contains(u"import %1 from 'gi://%1';"_s.arg(name)), qPrintable(name));
        QVERIFY(
            text.contains(u"import * as Main from 'resource:///org/gnome/shell/ui/main.js';"_s));
        QVERIFY(text.contains(
            u"import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';"_s));
        QCOMPARE(text.count(QRegularExpression(u"^export "_s, QRegularExpression::MultilineOption)),
                 1);
        QVERIFY(text.contains(u"export default class CorvaneExtension extends Extension {"_s));
        QVERIFY(!text.contains(u"imports."_s));
    }

    // GNOME Shell 43 runs the legacy script and calls its init(); the script must parse as one.
    void theLegacyFormGivesTheShellAnObjectToEnable()
    {
        QJSEngine engine;
        engine.globalObject().setProperty(
            u"imports"_s, engine.evaluate(u"({gi: {}, ui: {main: {}}, misc: {config: {}}})"_s));
        const QJSValue result =
            engine.evaluate(formText(u"legacy"_s, u"extension.js"_s) +
                            u"\n[typeof init().enable, typeof init().disable]"_s);
        QVERIFY2(!result.isError(), qPrintable(result.toString()));
        QCOMPARE(result.toVariant().toStringList(), (QStringList{u"function"_s, u"function"_s}));
    }

    void theShellsModifiersAreTheSnapKeys()
    {
        QCOMPARE(GnomeWindowSystem::keysFrom(1 | 256).modifiers, Modifiers(Modifier::Shift));
        QCOMPARE(GnomeWindowSystem::keysFrom(4 | 8 | 64).modifiers,
                 Modifier::Ctrl | Modifier::Alt | Modifier::Super);
    }

    // What the extension reports becomes the port's events: a window listed is opened, one no
    // longer listed closed; a move carries the modifiers; a user resize its new frame.
    void theExtensionsReportsBecomeWindowEvents()
    {
        GnomeShellBridge bridge(QDBusConnection(u"none"_s));
        GnomeWindowSystem windows(bridge);
        QSignalSpy opened(&windows, &WindowSystem::windowOpened);
        QSignalSpy closed(&windows, &WindowSystem::windowClosed);
        QSignalSpy started(&windows, &WindowSystem::moveStarted);
        QSignalSpy resized(&windows, &WindowSystem::windowResized);
        const QString w = uR"({"id": "7", "pid": 1, "frame": [10, 20, 300, 200]})"_s;
        bridge.handleReport(uR"({"event": "windows", "windows": [%1], "active": "7"})"_s.arg(w));
        bridge.handleReport(uR"({"event": "moveStarted", "window": %1, "cursor": [50, 30],
                                 "mods": 68})"_s.arg(w));
        bridge.handleReport(uR"({"event": "resized", "window": {"id": "7", "pid": 1,
                                 "frame": [10, 20, 400, 250]}})"_s);
        bridge.handleReport(uR"({"event": "windows", "windows": []})"_s);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(closed.value(0).value(0).value<WindowHandle>(),
                 opened.value(0).value(0).value<WindowHandle>());
        const auto move = started.value(0).value(0).value<WindowMove>();
        QCOMPARE(move.keys->modifiers, Modifier::Ctrl | Modifier::Super);
        QCOMPARE(move.startFrame, Rect(10, 20, 300, 200));
        QCOMPARE(resized.value(0).value(1).value<Rect>(), Rect(10, 20, 400, 250));
    }

    void shortcutsAreGivenInGnomesAcceleratorNames()
    {
        const int ctrlSuper = CarbonModifier::control | CarbonModifier::command;
        QCOMPARE(GnomeHotKeys::acceleratorText(*macKeyCodeForQtKey(Qt::Key_Right), ctrlSuper),
                 u"<Control><Super>Right"_s);
        QCOMPARE(GnomeHotKeys::acceleratorText(*macKeyCodeForQtKey(Qt::Key_P),
                                               ctrlSuper | CarbonModifier::shift),
                 u"<Shift><Control><Super>p"_s);
    }
};

QTEST_GUILESS_MAIN(GnomeExtensionTest)

#include "tst_gnomeextension.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "WidgetEvents.h"
#include "app/StatusMenu.h"
#include "app/Translations.h"
#include "managers/LayoutManager.h"
#include "managers/ZoneManager.h"

#include <QMenu>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace corvane;
using namespace Qt::StringLiterals;

namespace {

// What the program prints, run in the environment given.
QString run(const QString& program, const QStringList& arguments, const QStringList& environment)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
        env.remove(QString::fromLatin1(name));
    for (const QString& entry : environment)
        env.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

} // namespace

class TranslationsTest : public QObject {
    Q_OBJECT
private slots:
    void theTrayMenuSpeaksGermanInAGermanLocale()
    {
        installTranslations(QLocale(QLocale::German, QLocale::Germany));
        test::freshDesktop();
        ZoneManager windows;
        LayoutManager layouts(windows);
        StatusMenu menu(layouts, {});
        menu.updateMenu();
        QCOMPARE(test::menuTexts(*menu.menu()),
                 (QStringList{u"Halten Sie Umschalt gedrückt und ziehen Sie ein Fenster zum "
                              "Einrasten"_s,
                              "-", u"Bildschirm 1: Built-in (1440×900) (Hauptbildschirm)"_s,
                              u"Bildschirm 2: External (1920×1080)"_s, "-", u"Einstellungen …"_s,
                              u"Layout-Editor …"_s, u"Rückmeldung senden …"_s, u"Über Corvane"_s,
                              "-", "Beenden"}));
    }

    void theCommandLineSpeaksTheLanguageOfLang()
    {
        const QString corvane = QStringLiteral(CORVANE_BINARY_DIR "/bin/corvane");
        const QString help = run(corvane, {u"--help"_s}, {u"LANG=de_DE.UTF-8"_s});
        QVERIFY2(help.contains(u"Das Einstellungsfenster öffnen."_s), qPrintable(help));
        // Qt's own words, from the system's Qt translations.
        QVERIFY2(help.contains(u"Optionen:"_s), qPrintable(help));
        QVERIFY(run(corvane, {u"--frobnicate"_s}, {u"LANG=de_DE.UTF-8"_s})
                    .contains(u"unbekannte Option „frobnicate“"_s));
        QVERIFY(
            run(corvane, {u"--help"_s}, {u"LANG=C"_s}).contains(u"Open the preferences window."_s));
    }

    void theCheckFindsATextThatEscapesTranslationButNotALogLine()
    {
        QTemporaryDir folder;
        QFile source(folder.filePath(u"Escape.cpp"_s));
        QVERIFY(source.open(QIODevice::WriteOnly));
        source.write("Logger::warning(QStringLiteral(\"Stays English\"));\n"
                     "label->setText(ok ? tr(\"Fine\") : QStringLiteral(\"Escapes\"));\n"
                     "box.addButton(tr(\"Fine\"), QMessageBox::AcceptRole);\n");
        source.close();
        QProcess check;
        check.start(u"python3"_s, {QStringLiteral(CORVANE_SOURCE_DIR "/scripts/check-translations"),
                                   source.fileName()});
        QVERIFY(check.waitForFinished(30000));
        const QString said = QString::fromUtf8(check.readAllStandardError());
        QCOMPARE(check.exitCode(), 1);
        QCOMPARE(said.count(u'\n'), 1);
        QVERIFY2(said.contains(u"Escape.cpp:2:"_s), qPrintable(said));
    }
};

QTEST_MAIN(TranslationsTest)
#include "tst_translations.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TranslationsTest : public QObject {
    Q_OBJECT
private slots:
    // scripts/check-translations, which ctest runs on the sources, is told a file of its own.
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
        QVERIFY2(check.exitCode() == 1 && said.count(u'\n') == 1 &&
                     said.contains(u"Escape.cpp:2:"_s),
                 qPrintable(said));
    }
};

QTEST_MAIN(TranslationsTest)
#include "tst_translations.moc"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

// The port's headers are what a later macOS backend implements: they must not leak the types of
// any backend.
class PortHeadersTest : public QObject {
    Q_OBJECT
private slots:
    void interfacesCarryNoBackendTypes()
    {
        const QDir dir(QStringLiteral(CORVANE_SOURCE_DIR "/src/platform"));
        const QStringList headers = dir.entryList({u"*.h"_s}, QDir::Files);
        QVERIFY(headers.size() >= 8);
        const QRegularExpression forbidden(uR"(xcb|X11/|Xlib|\bFake\w*|platform/(x11|fake)/)"_s);
        for (const QString& name : headers) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(file.readAll());
            const auto match = forbidden.match(text);
            QVERIFY2(!match.hasMatch(), qPrintable(name + u" mentions "_s + match.captured()));
        }
    }
};

QTEST_GUILESS_MAIN(PortHeadersTest)
#include "tst_portheaders.moc"

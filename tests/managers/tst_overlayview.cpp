#include "TestEnvironment.h"
#include "WidgetEvents.h"
#include "managers/OverlayView.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTest>

using namespace corvane;

namespace {

// Catches the areas a widget is asked to repaint.
class PaintRecorder : public QObject {
public:
    QList<QRegion> regions;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            regions.append(static_cast<QPaintEvent*>(event)->region());
        return false;
    }
};

int largestChannelDifference(const QImage& a, const QImage& b)
{
    int worst = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* la = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* lb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            worst = std::max({worst, std::abs(qRed(la[x]) - qRed(lb[x])),
                              std::abs(qGreen(la[x]) - qGreen(lb[x])),
                              std::abs(qBlue(la[x]) - qBlue(lb[x])),
                              std::abs(qAlpha(la[x]) - qAlpha(lb[x]))});
        }
    }
    return worst;
}

} // namespace

class OverlayViewTest : public QObject {
    Q_OBJECT

    // Two halves of an 800 x 500 view: shapes (10, 10)-(390, 490) and (410, 10)-(790, 490).
    const Zone left{Rect(0, 0, 0.5, 1)};
    const Zone right{Rect(0.5, 0, 0.5, 1)};

    std::unique_ptr<OverlayView> makeView(std::optional<ZoneList> zones, QSize size = {800, 500})
    {
        auto view = std::make_unique<OverlayView>();
        view->resize(size);
        view->setCustomZones(std::move(zones));
        return view;
    }

private slots:
    void anEmptyZoneListPaintsOnlyTheTint()
    {
        for (const std::optional<ZoneList>& zones :
             {std::optional<ZoneList>(ZoneList{}), std::optional<ZoneList>()}) {
            auto view = makeView(zones);
            const QImage image = test::render(*view);
            const QColor tint = image.pixelColor(0, 0);
            QCOMPARE(tint.alpha(), 51);
            QCOMPARE(tint.red(), 255);
            for (int y = 0; y < image.height(); y += 7) {
                for (int x = 0; x < image.width(); x += 7)
                    QCOMPARE(image.pixelColor(x, y), tint);
            }
        }
    }

    void oneZoneIsOutlinedFilledAndLabelledOneAtItsCentre()
    {
        auto view = makeView(ZoneList{Zone(Rect(0.25, 0.2, 0.5, 0.6))}); // (200, 100)-(600, 400)
        const QImage image = test::render(*view);
        // Outside the zone only the tint; in its gap too; inside, tint and fill.
        QCOMPARE(image.pixelColor(100, 50).alpha(), 51);
        QCOMPARE(image.pixelColor(205, 250).alpha(), 51);
        QVERIFY(std::abs(image.pixelColor(300, 200).alpha() - 92) <= 1);
        // The thin outline on the shape's edge (x = 210).
        QVERIFY(image.pixelColor(209, 250).alpha() > 180);
        QVERIFY(image.pixelColor(212, 250).alpha() < 100);

        // The label's bright pixels sit in a small box centred on the zone.
        QRect bright;
        for (int y = 200; y < 300; ++y) {
            for (int x = 300; x < 500; ++x) {
                if (image.pixelColor(x, y).alpha() > 200)
                    bright |= QRect(x, y, 1, 1);
            }
        }
        QVERIFY2(!bright.isEmpty(), "no label");
        QVERIFY(bright.width() < 24 && bright.height() < 30);
        QVERIFY(std::abs(bright.center().x() - 400) <= 4);
        QVERIFY(std::abs(bright.center().y() - 250) <= 4);
        // Its shadow darkens the pixels just under the text.
        const QColor below = image.pixelColor(bright.center().x(), bright.bottom() + 2);
        QVERIFY(below.red() < 200);

        // The label is the zone's number: a second zone's label differs from the first's.
        auto two = makeView(ZoneList{Zone(Rect(0, 0, 0.5, 1)), Zone(Rect(0.5, 0, 0.5, 1))});
        const QImage both = test::render(*two);
        QVERIFY(both.copy(175, 225, 50, 50) != both.copy(575, 225, 50, 50));
    }

    void theHighlightedZoneHasTheHighlightFillTheThickOutlineAndAGlowInItsColour()
    {
        auto view = makeView(ZoneList{left, right});
        view->setHighlightedZone(right);
        const QImage image = test::render(*view);

        // Inside: the highlight colour over the tint, against the white fill of the other zone.
        const QColor inside = image.pixelColor(600, 150);
        const QColor other = image.pixelColor(200, 150);
        QVERIFY2(inside.blue() - inside.red() > 60, qPrintable(inside.name(QColor::HexArgb)));
        QCOMPARE(other.red(), 255);
        QVERIFY(std::abs(other.alpha() - 92) <= 1);
        // The 5-point white outline around x = 410, opaque on both sides of the edge.
        for (int x = 408; x <= 411; ++x)
            QCOMPARE(image.pixelColor(x, 250), QColor(Qt::white));
        QVERIFY(image.pixelColor(11, 250).alpha() < 120); // the thin one of the other zone
        // The glow in the gap above the highlighted zone; none above the other one.
        const QColor glow = image.pixelColor(600, 3);
        QVERIFY2(glow.blue() - glow.red() > 30, qPrintable(glow.name(QColor::HexArgb)));
        QCOMPARE(image.pixelColor(200, 3), image.pixelColor(200, 0));

        // A colour change repaints with the new colour.
        view->setHighlightZoneColor(QColor::fromRgbF(1, 0, 0, 0.5f));
        const QColor red = test::render(*view).pixelColor(600, 150);
        QVERIFY2(red.red() - red.blue() > 60, qPrintable(red.name(QColor::HexArgb)));
        view->setNormalZoneColor(QColor::fromRgbF(0, 1, 0, 0.4f));
        const QColor tint = test::render(*view).pixelColor(200, 3);
        QCOMPARE(tint.green(), 255);
        QCOMPARE(tint.red(), 0);
    }

    void aHighlightedZoneNoLongerInTheListHighlightsNothing()
    {
        auto plain = makeView(ZoneList{left});
        auto view = makeView(ZoneList{left, right});
        view->setHighlightedZone(right);
        view->setCustomZones(ZoneList{left});
        QVERIFY(view->highlightedZone());
        QCOMPARE(test::render(*view), test::render(*plain));
        // Only the id counts: a stale frame under a listed id still highlights that entry.
        view->setHighlightedZone(Zone(left.id, Rect(0.9, 0.9, 0.1, 0.1)));
        QVERIFY(test::render(*view) != test::render(*plain));
    }

    void aHighlightChangeRepaintsOnlyTheZonesThatChanged()
    {
        // Thirds; the pointer moves from the first to the second.
        const ZoneList zones{Zone(Rect(0, 0, 1.0 / 3, 1)), Zone(Rect(1.0 / 3, 0, 1.0 / 3, 1)),
                             Zone(Rect(2.0 / 3, 0, 1.0 / 3, 1))};
        auto view = makeView(zones, {900, 400});
        view->setHighlightedZone(zones[0]);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        QImage before = test::renderRaw(*view); // painted over below

        PaintRecorder recorder;
        view->installEventFilter(&recorder);
        view->setHighlightedZone(zones[1]);
        QTRY_VERIFY(!recorder.regions.isEmpty());
        const QRegion dirty = recorder.regions.first();
        QCOMPARE(dirty, view->highlightChangeRegion(zones[0], zones[1]));
        QVERIFY(dirty.contains(QPoint(150, 200)));
        QVERIFY(dirty.contains(QPoint(450, 200)));
        QVERIFY(!dirty.contains(QPoint(750, 200)));

        // The same highlight again repaints nothing.
        recorder.regions.clear();
        view->setHighlightedZone(Zone(zones[1].id, Rect()));
        QTest::qWait(50);
        QVERIFY(recorder.regions.isEmpty());

        // Repainting just that area over the old picture gives the new picture.
        {
            QPainter painter(&before);
            view->render(&painter, QPoint(), dirty, QWidget::DrawChildren);
        }
        const QImage after = test::render(*view);
        QCOMPARE(largestChannelDifference(before.convertToFormat(QImage::Format_ARGB32), after), 0);
    }

    void cachedAndFreshPaintingAgree()
    {
        // A large zone drawn from glow pieces, a small one rendered at its own size.
        const Zone large(Rect(0.05, 0.05, 0.6, 0.8));
        const Zone small(Rect(0.8, 0.1, 0.08, 0.12));
        for (const Zone& highlighted : {large, small}) {
            auto cached = makeView(ZoneList{large, small}, {1200, 800});
            cached->setHighlightZoneColor(QColor::fromRgbF(0.9f, 0.2f, 0.1f, 0.3f));
            cached->setHighlightedZone(highlighted);
            test::render(*cached); // fill the caches
            auto fresh = makeView(ZoneList{large, small}, {1200, 800});
            fresh->setHighlightZoneColor(QColor::fromRgbF(0.9f, 0.2f, 0.1f, 0.3f));
            fresh->setHighlightedZone(highlighted);
            fresh->setCachingEnabled(false);
            QVERIFY(largestChannelDifference(test::render(*cached), test::render(*fresh)) <= 2);
        }
    }
};

QTEST_MAIN(OverlayViewTest)
#include "tst_overlayview.moc"

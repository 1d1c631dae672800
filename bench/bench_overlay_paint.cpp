// SPDX-License-Identifier: GPL-3.0-or-later
// The drag overlay on a 3840 × 2160 display with 16 zones, rendered in software into an image
// the size of the display: the first paint of a new overlay, a repaint of the whole overlay,
// and the repaint when the highlight moves to the next zone (only the area the view marks as
// changed). All in one process, so the ratio compares like with like.

#include "BenchDesktop.h"
#include "BenchReport.h"
#include "overlay/OverlayView.h"

#include <QApplication>
#include <QImage>

using namespace corvane;
using namespace corvane::bench;

namespace {

constexpr double targetRepaintMicros = 4000;
constexpr double targetRatio = 5;

std::unique_ptr<OverlayView> makeView(const ZoneList& zones, bool caching)
{
    auto view = std::make_unique<OverlayView>();
    view->resize(3840, 2135);
    view->setCustomZones(zones);
    view->setCachingEnabled(caching);
    view->setHighlightedZone(zones.first());
    return view;
}

void renderAll(OverlayView& view, QImage& image)
{
    view.render(&image, QPoint(), QRegion(view.rect()), QWidget::DrawChildren);
}

} // namespace

int main(int argc, char** argv)
{
    useOffscreenPlatformByDefault();
    QApplication app(argc, argv);
    const ZoneList zones = sixteenZones();
    QImage image(3840, 2135, QImage::Format_ARGB32_Premultiplied);

    // First paint: a new view each time, so its glow and labels are made afresh.
    const Samples first = timeRuns(1, 11, [&] {
        auto view = makeView(zones, true);
        renderAll(*view, image);
    });

    auto view = makeView(zones, true);
    renderAll(*view, image);
    const Samples whole = timeRuns(2, 31, [&] { renderAll(*view, image); });

    // The highlight walks through the zones; each step repaints what the view says changed.
    int current = 0;
    bool matches = true;
    QImage reference(image.size(), image.format());
    const Samples move = timeRuns(0, 96, [&] {
        const int next = (current + 1) % zones.size();
        const QRegion changed = view->highlightChangeRegion(zones[current], zones[next]);
        view->setHighlightedZone(zones[next]);
        view->render(&image, changed.boundingRect().topLeft(), changed, QWidget::DrawChildren);
        current = next;
    });
    // The partial repaints must leave exactly what a whole repaint draws.
    renderAll(*view, reference);
    matches = reference == image;
    // The walk left the view's picture of the overlay without a highlight filled in: a whole
    // repaint now copies most of the display from it.
    const Samples wholeAfterWalk = timeRuns(2, 31, [&] { renderAll(*view, image); });
    matches = matches && reference == image;

    // The same move with the caches off, for comparison.
    auto uncached = makeView(zones, false);
    renderAll(*uncached, image);
    current = 0;
    const Samples moveUncached = timeRuns(0, 16, [&] {
        const int next = (current + 1) % zones.size();
        const QRegion changed = uncached->highlightChangeRegion(zones[current], zones[next]);
        uncached->setHighlightedZone(zones[next]);
        uncached->render(&image, changed.boundingRect().topLeft(), changed, QWidget::DrawChildren);
        current = next;
    });

    // Without a compositing manager: the same walk in the shaped look, each step also working
    // out the window's new mask as the overlay window does.
    auto shaped = makeView(zones, true);
    shaped->setShaped(true);
    renderAll(*shaped, image);
    current = 0;
    QRegion mask;
    const Samples moveShaped = timeRuns(0, 96, [&] {
        const int next = (current + 1) % zones.size();
        const QRegion changed = shaped->highlightChangeRegion(zones[current], zones[next]);
        shaped->setHighlightedZone(zones[next]);
        mask = shaped->shape();
        shaped->render(&image, changed.boundingRect().topLeft(), changed, QWidget::DrawChildren);
        current = next;
    });
    renderAll(*shaped, reference);
    const bool shapedMatches = reference == image && !mask.isEmpty();

    const double ratio = whole.median() / move.median();
    figure(QStringLiteral("Overlay 3840 × 2160, 16 zones: first paint (median)"),
           millis(first.median()), QStringLiteral("—"), std::nullopt);
    figure(QStringLiteral("Overlay 3840 × 2160, 16 zones: whole repaint (median)"),
           millis(whole.median()), QStringLiteral("—"), std::nullopt);
    figure(QStringLiteral("Overlay 3840 × 2160, 16 zones: repaint when the highlight moves to "
                          "the next zone (median)"),
           millis(move.median()), QStringLiteral("< %1 ms").arg(targetRepaintMicros / 1000),
           move.median() < targetRepaintMicros);
    figure(QStringLiteral("Overlay 3840 × 2160, 16 zones: whole repaint once the highlight has "
                          "visited every zone (median, for comparison)"),
           millis(wholeAfterWalk.median()), QStringLiteral("—"), std::nullopt);
    figure(QStringLiteral("Overlay: whole repaint ÷ highlight-move repaint"),
           QStringLiteral("%1 ×").arg(ratio, 0, 'f', 1), QStringLiteral("≥ %1 ×").arg(targetRatio),
           ratio >= targetRatio);
    figure(QStringLiteral("Overlay without a compositing manager: repaint and new mask when the "
                          "highlight moves (median)"),
           millis(moveShaped.median()), QStringLiteral("< %1 ms").arg(targetRepaintMicros / 1000),
           moveShaped.median() < targetRepaintMicros);
    figure(QStringLiteral("Overlay: highlight-move repaint with the glow and label caches off "
                          "(median, for comparison)"),
           millis(moveUncached.median()), QStringLiteral("—"), std::nullopt);
    note(QStringLiteral("Overlay: QWidget::render into a 3840 × 2135 ARGB32 image (the display "
                        "less its panel) on the offscreen platform, software rasterizer; %1 "
                        "first paints, %2 whole repaints, %3 highlight moves. Partial repaints "
                        "%4 a whole repaint pixel for pixel (shaped look: %5).")
             .arg(first.size())
             .arg(whole.size())
             .arg(move.size())
             .arg(matches ? QStringLiteral("match") : QStringLiteral("do NOT match"))
             .arg(shapedMatches ? QStringLiteral("match") : QStringLiteral("do NOT match")));
    return matches && shapedMatches ? 0 : 1;
}

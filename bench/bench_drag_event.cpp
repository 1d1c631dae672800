// SPDX-License-Identifier: GPL-3.0-or-later
// One step of a window move with the modifier held on a display with 16 zones: from the window
// system's report to the highlight decision. The fake desktop reports the steps and the handler
// takes them at once; nothing is painted (the event loop never runs during the measurement, so
// the overlay's update requests stay queued).

#include "BenchDesktop.h"
#include "BenchReport.h"
#include "overlay/OverlayView.h"
#include "overlay/ZoneManager.h"
#include "platform/fake/FakePlatform.h"
#include "windows/DragDropHandler.h"
#include "windows/DragGesture.h"

#include <QApplication>

using namespace corvane;
using namespace corvane::bench;

namespace {

constexpr int eventsPerRun = 2000;
constexpr int runs = 101;
constexpr double targetMicros = 5;

// The centre of zone `index` of the 4 × 4 grid, in global coordinates.
Point zoneCentre(const corvane::Display& display, int index)
{
    const Rect& v = display.visibleFrame;
    const double ux = (index % 4) * 0.25 + 0.125;
    const double uy = (index / 4) * 0.25 + 0.125;
    return {v.x + ux * v.width, v.y + uy * v.height};
}

} // namespace

int main(int argc, char** argv)
{
    useOffscreenPlatformByDefault();
    QApplication app(argc, argv);

    auto owned = std::make_unique<FakePlatform>();
    FakePlatform& fake = *owned;
    Platform::install(std::move(owned));
    const corvane::Display display = fourKDisplay();
    fake.setDisplays({display});
    fake.addWindow(42, 5, Rect(100, 100, 800, 600));

    ZoneManager windows;
    const ZoneList zones = sixteenZones();
    windows.updateZones(zones, display, false, false);
    DragDropHandler handler(windows);

    // A move under way: the window manager started moving the window by its title bar with the
    // modifier held, so the overlay is up.
    fake.setHeldKeys({Modifier::Shift, {}});
    fake.move(FakePlatform::MoveStage::Started, 5, Point{150, 110});
    QCoreApplication::processEvents();
    if (!handler.gesture() || !handler.gesture()->overlayView()) {
        std::fprintf(stderr, "the move did not start\n");
        return 1;
    }
    OverlayView& view = *handler.gesture()->overlayView();

    auto stepTo = [&](Point at) { fake.move(FakePlatform::MoveStage::Stepped, 5, at); };

    // The usual case: the pointer moves within one zone and the highlight stays.
    const Point centre = zoneCentre(display, 5);
    int step = 0;
    const Samples within = timeRuns(5, runs, [&] {
        for (int i = 0; i < eventsPerRun; ++i, ++step)
            stepTo({centre.x + (step % 200) - 100, centre.y + (step % 50) - 25});
    });
    if (!view.highlightedZone() || view.highlightedZone()->id != zones[5].id) {
        std::fprintf(stderr, "the wrong zone is highlighted\n");
        return 1;
    }

    // The worst case: every step crosses into the next zone, so the highlight changes and the
    // changed area is computed and queued for painting.
    int zone = 0;
    const Samples crossing = timeRuns(5, runs, [&] {
        for (int i = 0; i < eventsPerRun; ++i)
            stepTo(zoneCentre(display, zone = (zone + 1) % 16));
    });

    const double withinMedian = within.median() / eventsPerRun;
    const double crossingMedian = crossing.median() / eventsPerRun;
    const QString target = QStringLiteral("< %1 µs").arg(targetMicros);
    figure(QStringLiteral("Drag event to highlight decision, 16 zones, pointer within a zone "
                          "(median per event)"),
           micros(withinMedian), target, withinMedian < targetMicros);
    figure(QStringLiteral("Drag event to highlight decision, 16 zones, pointer entering the "
                          "next zone at every event (median per event)"),
           micros(crossingMedian), target, crossingMedian < targetMicros);
    note(QStringLiteral("Drag events: %1 runs of %2 window-move steps each, reported by the fake "
                        "desktop to the DragDropHandler and its DragGesture, 3840 × 2160.")
             .arg(runs)
             .arg(eventsPerRun));
    return 0;
}

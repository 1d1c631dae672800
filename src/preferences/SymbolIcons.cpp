#include "preferences/SymbolIcons.h"

#include <QIconEngine>
#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <array>

namespace corvane {
namespace {

// Drawings are made on a 24 x 24 grid. Filled symbols cut their inner marks out of the fill,
// which is why every drawing goes into a transparent image first.
using Draw = void (*)(QPainter&, const QColor&);

QPen strokePen(const QColor& color, qreal width = 1.8)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void stroke(QPainter& p, const QColor& c, const QPainterPath& path, qreal width = 1.8)
{
    p.setPen(strokePen(c, width));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void fill(QPainter& p, const QColor& c, const QPainterPath& path)
{
    p.setPen(strokePen(c, 1.0));
    p.setBrush(c);
    p.drawPath(path);
}

// Removes what `draw` paints from the image (the marks inside filled symbols).
template <typename Fn> void cutOut(QPainter& p, Fn draw)
{
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    draw();
    p.restore();
}

void dot(QPainter& p, const QColor& c, QPointF centre, qreal radius)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(centre, radius, radius);
}

QPainterPath polyline(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF& pt : points) {
        if (first)
            path.moveTo(pt);
        else
            path.lineTo(pt);
        first = false;
    }
    return path;
}

QPainterPath circle(QPointF centre, qreal radius)
{
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

// An arrowhead at `tip` pointing along `direction` (an angle in degrees, Qt's convention).
QPainterPath arrowHead(QPointF tip, qreal direction, qreal length = 4.0)
{
    QLineF left = QLineF::fromPolar(length, direction + 180 - 40).translated(tip);
    QLineF right = QLineF::fromPolar(length, direction + 180 + 40).translated(tip);
    return polyline({left.p2(), tip, right.p2()});
}

void drawGear(QPainter& p, const QColor& c)
{
    QPainterPath gear;
    const QPointF centre(12, 12);
    auto at = [&](qreal radius, qreal degrees) {
        const qreal a = qDegreesToRadians(degrees);
        return centre + QPointF(radius * qCos(a), -radius * qSin(a));
    };
    for (int i = 0; i < 8; ++i) {
        const qreal a = i * 45.0;
        const QPointF pts[] = {at(7.6, a - 15), at(10.4, a - 8), at(10.4, a + 8), at(7.6, a + 15)};
        if (i == 0)
            gear.moveTo(pts[0]);
        else
            gear.lineTo(pts[0]);
        for (int k = 1; k < 4; ++k)
            gear.lineTo(pts[k]);
    }
    gear.closeSubpath();
    gear.addEllipse(centre, 3.4, 3.4);
    gear.setFillRule(Qt::OddEvenFill);
    p.setPen(strokePen(c, 0.8));
    p.setBrush(c);
    p.drawPath(gear);
}

void drawKeyboard(QPainter& p, const QColor& c)
{
    QPainterPath body;
    body.addRoundedRect(QRectF(2.5, 6, 19, 12), 2.2, 2.2);
    stroke(p, c, body, 1.6);
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 5; ++col)
            dot(p, c, QPointF(6 + col * 3, 9.5 + row * 2.8), 0.9);
    }
    stroke(p, c, polyline({{8.5, 15.2}, {15.5, 15.2}}), 1.5);
}

void drawThreeRectangles(QPainter& p, const QColor& c)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(3, 4, 8, 16), 1.5, 1.5);
    path.addRoundedRect(QRectF(13.5, 4, 7.5, 7), 1.5, 1.5);
    path.addRoundedRect(QRectF(13.5, 13, 7.5, 7), 1.5, 1.5);
    stroke(p, c, path, 1.6);
}

QPainterPath envelopeBody()
{
    QPainterPath body;
    body.addRoundedRect(QRectF(2.5, 5, 19, 14), 2.2, 2.2);
    return body;
}

void drawEnvelope(QPainter& p, const QColor& c)
{
    stroke(p, c, envelopeBody(), 1.6);
    stroke(p, c, polyline({{3.5, 6.5}, {12, 13}, {20.5, 6.5}}), 1.6);
}

void drawEnvelopeFill(QPainter& p, const QColor& c)
{
    fill(p, c, envelopeBody());
    cutOut(p, [&] { stroke(p, c, polyline({{3.5, 6.5}, {12, 13}, {20.5, 6.5}}), 1.5); });
}

void drawWarningTriangle(QPainter& p, const QColor& c)
{
    QPainterPath triangle = polyline({{12, 3}, {22, 20.5}, {2, 20.5}});
    triangle.closeSubpath();
    p.setPen(strokePen(c, 2.0));
    p.setBrush(c);
    p.drawPath(triangle);
    cutOut(p, [&] {
        stroke(p, c, polyline({{12, 9}, {12, 14.2}}), 2.2);
        dot(p, c, QPointF(12, 17.4), 1.25);
    });
}

void drawCheckmarkCircleFill(QPainter& p, const QColor& c)
{
    fill(p, c, circle({12, 12}, 10));
    cutOut(p, [&] { stroke(p, c, polyline({{7.3, 12.4}, {10.5, 15.6}, {16.7, 8.6}}), 2.2); });
}

void drawArrowClockwise(QPainter& p, const QColor& c)
{
    const QRectF r(4, 4.5, 16, 16);
    QPainterPath arc;
    arc.arcMoveTo(r, 60);
    arc.arcTo(r, 60, -300);
    stroke(p, c, arc);
    // The arc ends at 120 degrees, heading clockwise, that is towards 30 degrees.
    stroke(p, c, arrowHead(arc.currentPosition(), 30));
}

void drawInfoCircleFill(QPainter& p, const QColor& c)
{
    fill(p, c, circle({12, 12}, 10));
    cutOut(p, [&] {
        dot(p, c, QPointF(12, 7.4), 1.35);
        stroke(p, c, polyline({{12, 11}, {12, 17}}), 2.3);
    });
}

void drawTrashCircleFill(QPainter& p, const QColor& c)
{
    fill(p, c, circle({12, 12}, 10));
    cutOut(p, [&] {
        stroke(p, c, polyline({{7.5, 8.3}, {16.5, 8.3}}), 1.5);
        stroke(p, c, polyline({{10.5, 6.6}, {13.5, 6.6}}), 1.4);
        QPainterPath can = polyline({{8.8, 9.8}, {15.2, 9.8}, {14.5, 17.2}, {9.5, 17.2}});
        can.closeSubpath();
        fill(p, c, can);
    });
}

void drawLadybug(QPainter& p, const QColor& c)
{
    QPainterPath body;
    body.addEllipse(QRectF(6.5, 7.5, 11, 13.5));
    stroke(p, c, body, 1.6);
    QPainterPath head;
    head.addEllipse(QRectF(9.2, 3.6, 5.6, 4.6));
    stroke(p, c, head, 1.5);
    stroke(p, c, polyline({{12, 8}, {12, 20.5}}), 1.4);
    for (QPointF spot :
         {QPointF(9.4, 12), QPointF(14.6, 12), QPointF(9.4, 16.4), QPointF(14.6, 16.4)})
        dot(p, c, spot, 1.1);
    for (qreal y : {10.5, 14.5, 18.5}) {
        stroke(p, c, polyline({{6.4, y}, {3.6, y - 1.3}}), 1.3);
        stroke(p, c, polyline({{17.6, y}, {20.4, y - 1.3}}), 1.3);
    }
}

void drawLightbulb(QPainter& p, const QColor& c)
{
    const QRectF r(5.5, 2.5, 13, 13);
    QPainterPath bulb;
    bulb.arcMoveTo(r, 230);
    bulb.arcTo(r, 230, -280);
    bulb.lineTo(14.6, 17.2);
    bulb.lineTo(9.4, 17.2);
    bulb.closeSubpath();
    stroke(p, c, bulb, 1.6);
    stroke(p, c, polyline({{9.6, 20.3}, {14.4, 20.3}}), 1.6);
}

void drawArrowUpCircle(QPainter& p, const QColor& c)
{
    stroke(p, c, circle({12, 12}, 9.6), 1.6);
    stroke(p, c, polyline({{12, 16.8}, {12, 7.6}}), 1.7);
    stroke(p, c, polyline({{8.2, 11.4}, {12, 7.6}, {15.8, 11.4}}), 1.7);
}

void drawQuestionmarkCircle(QPainter& p, const QColor& c)
{
    stroke(p, c, circle({12, 12}, 9.6), 1.6);
    const QRectF r(9.2, 6.4, 5.6, 5.2);
    QPainterPath hook;
    hook.arcMoveTo(r, 170);
    hook.arcTo(r, 170, -235);
    hook.quadTo(12, 12.6, 12, 14.2);
    stroke(p, c, hook, 1.7);
    dot(p, c, QPointF(12, 17.2), 1.1);
}

void drawTag(QPainter& p, const QColor& c)
{
    QPainterPath tag = polyline({{3.5, 3.5}, {11.5, 3.5}, {20.8, 12.8}, {12.8, 20.8}, {3.5, 11.5}});
    tag.closeSubpath();
    stroke(p, c, tag, 1.6);
    stroke(p, c, circle({8, 8}, 1.5), 1.4);
}

void drawTextBubble(QPainter& p, const QColor& c)
{
    QPainterPath box;
    box.addRoundedRect(QRectF(3, 4, 18, 13), 3.2, 3.2);
    QPainterPath tail = polyline({{7.5, 16}, {6.5, 21}, {12, 16.5}});
    tail.closeSubpath();
    stroke(p, c, box.united(tail), 1.6);
    stroke(p, c, polyline({{7, 8.8}, {17, 8.8}}), 1.5);
    stroke(p, c, polyline({{7, 12.2}, {14, 12.2}}), 1.5);
}

void drawPerson(QPainter& p, const QColor& c)
{
    stroke(p, c, circle({12, 8}, 3.8), 1.6);
    const QRectF r(4.5, 14, 15, 13);
    QPainterPath shoulders;
    shoulders.arcMoveTo(r, 180);
    shoulders.arcTo(r, 180, -180);
    stroke(p, c, shoulders, 1.6);
}

void drawPaperplaneFill(QPainter& p, const QColor& c)
{
    QPainterPath plane = polyline({{21, 3}, {3, 10.4}, {10.2, 13.8}, {13.6, 21}});
    plane.closeSubpath();
    fill(p, c, plane);
    cutOut(p, [&] { stroke(p, c, polyline({{20, 4}, {10.2, 13.8}}), 1.2); });
}

void drawLockShield(QPainter& p, const QColor& c)
{
    QPainterPath shield;
    shield.moveTo(12, 2.6);
    shield.lineTo(19.5, 5.5);
    shield.lineTo(19.5, 11);
    shield.cubicTo(19.5, 16, 16, 19.5, 12, 21.4);
    shield.cubicTo(8, 19.5, 4.5, 16, 4.5, 11);
    shield.lineTo(4.5, 5.5);
    shield.closeSubpath();
    stroke(p, c, shield, 1.6);
    QPainterPath lockBody;
    lockBody.addRoundedRect(QRectF(9, 11.2, 6, 4.8), 1, 1);
    fill(p, c, lockBody);
    const QRectF r(10.1, 7.6, 3.8, 6.4);
    QPainterPath shackle;
    shackle.arcMoveTo(r, 180);
    shackle.arcTo(r, 180, -180);
    stroke(p, c, shackle, 1.3);
}

void drawPower(QPainter& p, const QColor& c)
{
    const QRectF r(4.5, 5, 15, 15);
    QPainterPath arc;
    arc.arcMoveTo(r, 55);
    arc.arcTo(r, 55, -290);
    stroke(p, c, arc);
    stroke(p, c, polyline({{12, 3}, {12, 11.5}}));
}

void drawWindow(QPainter& p, const QColor& c)
{
    QPainterPath frame;
    frame.addRoundedRect(QRectF(2.5, 4, 19, 16), 2.5, 2.5);
    stroke(p, c, frame, 1.6);
    stroke(p, c, polyline({{2.5, 8.6}, {21.5, 8.6}}), 1.4);
    for (qreal x : {5.3, 7.8, 10.3})
        dot(p, c, QPointF(x, 6.3), 0.8);
}

void drawPalette(QPainter& p, const QColor& c)
{
    QPainterPath palette = circle({12, 12}, 9.5).subtracted(circle({17.2, 16.8}, 3.2));
    stroke(p, c, palette, 1.6);
    for (QPointF spot :
         {QPointF(7.6, 9.5), QPointF(11.4, 6.6), QPointF(15.8, 8.2), QPointF(7.8, 14.2)})
        dot(p, c, spot, 1.5);
}

void drawSquareGrid2x2(QPainter& p, const QColor& c)
{
    QPainterPath path;
    for (const QPointF origin :
         {QPointF(3.5, 3.5), QPointF(13.5, 3.5), QPointF(3.5, 13.5), QPointF(13.5, 13.5)})
        path.addRoundedRect(QRectF(origin, QSizeF(7, 7)), 1.5, 1.5);
    stroke(p, c, path, 1.6);
}

void drawSquareGrid3x3(QPainter& p, const QColor& c)
{
    QPainterPath frame;
    frame.addRoundedRect(QRectF(3, 3, 18, 18), 2.5, 2.5);
    stroke(p, c, frame, 1.6);
    for (const qreal at : {9.0, 15.0}) {
        stroke(p, c, polyline({{at, 3}, {at, 21}}), 1.4);
        stroke(p, c, polyline({{3, at}, {21, at}}), 1.4);
    }
}

void drawPlusCircleFill(QPainter& p, const QColor& c)
{
    fill(p, c, circle({12, 12}, 10));
    cutOut(p, [&] {
        stroke(p, c, polyline({{7, 12}, {17, 12}}), 2.0);
        stroke(p, c, polyline({{12, 7}, {12, 17}}), 2.0);
    });
}

void drawTrash(QPainter& p, const QColor& c)
{
    stroke(p, c, polyline({{4.5, 6.5}, {19.5, 6.5}}), 1.6);
    stroke(p, c, polyline({{9.5, 6.5}, {9.5, 4}, {14.5, 4}, {14.5, 6.5}}), 1.5);
    QPainterPath can = polyline({{6.5, 6.5}, {7.5, 20.5}, {16.5, 20.5}, {17.5, 6.5}});
    stroke(p, c, can, 1.6);
    stroke(p, c, polyline({{10.2, 10}, {10.2, 17}}), 1.3);
    stroke(p, c, polyline({{13.8, 10}, {13.8, 17}}), 1.3);
}

void drawDisplay(QPainter& p, const QColor& c)
{
    QPainterPath screen;
    screen.addRoundedRect(QRectF(2.5, 4, 19, 13), 2, 2);
    stroke(p, c, screen, 1.6);
    stroke(p, c, polyline({{12, 17}, {12, 20}}), 1.6);
    stroke(p, c, polyline({{8, 20.5}, {16, 20.5}}), 1.6);
}

void drawPlainCircle(QPainter& p, const QColor& c)
{
    stroke(p, c, circle({12, 12}, 9), 1.6);
}

struct Symbol {
    const char* name;
    const char* themeIcon; // freedesktop name, without "-symbolic"
    Draw draw;
};

// The one table from symbol names to theme icons and drawings.
constexpr std::array symbols{
    Symbol{"gearshape", "preferences-system", drawGear},
    Symbol{"keyboard", "input-keyboard", drawKeyboard},
    Symbol{"rectangle.3.group", "view-grid", drawThreeRectangles},
    Symbol{"envelope", "mail-unread", drawEnvelope},
    Symbol{"envelope.fill", "mail-unread", drawEnvelopeFill},
    Symbol{"exclamationmark.triangle.fill", "dialog-warning", drawWarningTriangle},
    Symbol{"checkmark.circle.fill", "emblem-default", drawCheckmarkCircleFill},
    Symbol{"arrow.clockwise", "view-refresh", drawArrowClockwise},
    Symbol{"info.circle.fill", "dialog-information", drawInfoCircleFill},
    Symbol{"trash.circle.fill", "user-trash", drawTrashCircleFill},
    Symbol{"ladybug", "tools-report-bug", drawLadybug},
    Symbol{"lightbulb", "help-hint", drawLightbulb},
    Symbol{"arrow.up.circle", "go-up", drawArrowUpCircle},
    Symbol{"questionmark.circle", "dialog-question", drawQuestionmarkCircle},
    Symbol{"tag", "tag", drawTag},
    Symbol{"text.bubble", "dialog-messages", drawTextBubble},
    Symbol{"person", "avatar-default", drawPerson},
    Symbol{"paperplane.fill", "mail-send", drawPaperplaneFill},
    Symbol{"lock.shield", "security-high", drawLockShield},
    Symbol{"power", "system-shutdown", drawPower},
    Symbol{"macwindow", "window", drawWindow},
    Symbol{"paintpalette", "preferences-desktop-theme", drawPalette},
    Symbol{"square.grid.2x2", "view-grid", drawSquareGrid2x2},
    Symbol{"square.grid.3x3", "view-app-grid", drawSquareGrid3x3},
    Symbol{"plus.circle.fill", "list-add", drawPlusCircleFill},
    Symbol{"trash", "user-trash", drawTrash},
    Symbol{"display", "video-display", drawDisplay},
};

const Symbol* find(const QString& name)
{
    for (const Symbol& s : symbols) {
        if (name == QLatin1StringView(s.name))
            return &s;
    }
    return nullptr;
}

class SymbolIconEngine : public QIconEngine {
public:
    SymbolIconEngine(const QString& name, const QColor& color) : name_(name), color_(color)
    {
        const Symbol* symbol = find(name);
        draw_ = symbol ? symbol->draw : drawPlainCircle;
        if (symbol) {
            const QString theme = QString::fromLatin1(symbol->themeIcon);
            if (QIcon::hasThemeIcon(theme + QStringLiteral("-symbolic"))) {
                themeIcon_ = QIcon::fromTheme(theme + QStringLiteral("-symbolic"));
                tintTheme_ = true;
            } else if (QIcon::hasThemeIcon(theme)) {
                themeIcon_ = QIcon::fromTheme(theme);
            }
        }
    }

    QIconEngine* clone() const override { return new SymbolIconEngine(*this); }
    QString key() const override { return QStringLiteral("corvane-symbol"); }
    QString iconName() override { return name_; }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawImage(rect, render(rect.size(), dpr, mode));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) override
    {
        return QPixmap::fromImage(render(size, scale, mode));
    }

private:
    QImage render(QSize size, qreal dpr, QIcon::Mode mode) const
    {
        const QSize device = size * dpr;
        QImage image(device, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        if (device.isEmpty())
            return image;
        QColor color = color_;
        if (mode == QIcon::Disabled)
            color.setAlphaF(color.alphaF() * 0.4f);

        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        if (!themeIcon_.isNull()) {
            p.drawPixmap(QRect(QPoint(), device), themeIcon_.pixmap(device));
            if (tintTheme_) {
                p.setCompositionMode(QPainter::CompositionMode_SourceIn);
                p.fillRect(image.rect(), color);
            } else if (mode == QIcon::Disabled) {
                p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
                p.fillRect(image.rect(), QColor(0, 0, 0, 100));
            }
        } else {
            const qreal side = qMin(device.width(), device.height());
            p.translate((device.width() - side) / 2.0, (device.height() - side) / 2.0);
            p.scale(side / 24.0, side / 24.0);
            draw_(p, color);
        }
        p.end();
        image.setDevicePixelRatio(dpr);
        return image;
    }

    QString name_;
    QColor color_;
    Draw draw_ = drawPlainCircle;
    QIcon themeIcon_;
    bool tintTheme_ = false;
};

} // namespace

QIcon SymbolIcons::icon(const QString& symbol, const QColor& color)
{
    return QIcon(new SymbolIconEngine(symbol, color));
}

QPixmap SymbolIcons::pixmap(const QString& symbol, int size, const QColor& color, qreal dpr)
{
    SymbolIconEngine engine(symbol, color);
    return engine.scaledPixmap(QSize(size, size), QIcon::Normal, QIcon::Off, dpr);
}

QString SymbolIcons::themeIconName(const QString& symbol)
{
    const Symbol* s = find(symbol);
    return s ? QString::fromLatin1(s->themeIcon) : QString();
}

bool SymbolIcons::isKnown(const QString& symbol)
{
    return find(symbol) != nullptr;
}

} // namespace corvane

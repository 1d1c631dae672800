// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/SymbolIcons.h"

#include "logging/Logger.h"

#include <QFile>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <memory>

namespace corvane {
namespace {

QString ownDrawingPath(const QString& name)
{
    return QStringLiteral(":/icons/%1.svg").arg(name);
}

class SymbolIconEngine : public QIconEngine {
public:
    SymbolIconEngine(const QString& name, const QColor& color) : name_(name), color_(color)
    {
        const QString symbolic = name + QStringLiteral("-symbolic");
        if (QIcon::hasThemeIcon(symbolic)) {
            themeIcon_ = QIcon::fromTheme(symbolic);
            tintTheme_ = true;
        } else if (QIcon::hasThemeIcon(name)) {
            themeIcon_ = QIcon::fromTheme(name);
        } else {
            drawing_ = std::make_shared<QSvgRenderer>(ownDrawingPath(name));
            // A name without a drawing is a fault of the caller: the place stays empty.
            if (!drawing_->isValid())
                Logger::warning(QStringLiteral("No icon named \u201C%1\u201D").arg(name),
                                LogCategory::App);
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
        // Square, centred in what is asked for.
        const int side = qMin(device.width(), device.height());
        const QRect square((device.width() - side) / 2, (device.height() - side) / 2, side, side);
        bool tint = true;
        if (!themeIcon_.isNull()) {
            p.drawPixmap(square, themeIcon_.pixmap(square.size()));
            tint = tintTheme_;
        } else if (drawing_ && drawing_->isValid()) {
            drawing_->render(&p, square);
        }
        if (tint) {
            // Monochrome: every pixel drawn takes the colour, keeping its coverage.
            p.setCompositionMode(QPainter::CompositionMode_SourceIn);
            p.fillRect(image.rect(), color);
        } else if (mode == QIcon::Disabled) {
            p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
            p.fillRect(image.rect(), QColor(0, 0, 0, 100));
        }
        p.end();
        image.setDevicePixelRatio(dpr);
        return image;
    }

    QString name_;
    QColor color_;
    QIcon themeIcon_;
    bool tintTheme_ = false;
    // Shared by the engine's copies: a drawing is read once.
    std::shared_ptr<QSvgRenderer> drawing_;
};

} // namespace

QIcon SymbolIcons::icon(const QString& name, const QColor& color)
{
    return QIcon(new SymbolIconEngine(name, color));
}

QPixmap SymbolIcons::pixmap(const QString& name, int size, const QColor& color, qreal dpr)
{
    SymbolIconEngine engine(name, color);
    return engine.scaledPixmap(QSize(size, size), QIcon::Normal, QIcon::Off, dpr);
}

bool SymbolIcons::hasOwnDrawing(const QString& name)
{
    return QFile::exists(ownDrawingPath(name));
}

} // namespace corvane

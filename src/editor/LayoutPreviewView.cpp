// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/LayoutPreviewView.h"

#include "models/Layouts.h"
#include "models/ZoneGeometry.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace corvane {
namespace {

constexpr qreal pictureRadius = 8;
constexpr qreal zoneRadius = 3;
// Space between the picture's edge and the display area inside it, and between zones.
constexpr qreal pictureInset = 6;
constexpr qreal zoneGap = 1.5;

QColor withAlpha(QColor color, double alpha)
{
    color.setAlphaF(static_cast<float>(alpha));
    return color;
}

} // namespace

LayoutPreviewView::LayoutPreviewView(const ScreenLayout& layout, bool isPreview, QWidget* parent)
    : QWidget(parent), layout_(layout), isPreview_(isPreview)
{
    setFixedSize(thumbnailWidth, thumbnailHeight + (isPreview_ ? 0 : captionHeight));
    setToolTip(shownName(layout_));
    if (!isPreview_)
        setCursor(Qt::PointingHandCursor);
}

void LayoutPreviewView::setSelected(bool selected)
{
    if (selected == isSelected_)
        return;
    isSelected_ = selected;
    update();
}

void LayoutPreviewView::setSpaceAroundZones(double space, Size usableArea)
{
    if (space == space_ && usableArea == usableArea_)
        return;
    space_ = space;
    usableArea_ = usableArea;
    update();
}

QRect LayoutPreviewView::thumbnailRect() const
{
    return {0, 0, thumbnailWidth, thumbnailHeight};
}

void LayoutPreviewView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& p = palette();
    const QColor accent = p.color(QPalette::Highlight);

    const QRectF picture = QRectF(thumbnailRect()).adjusted(1, 1, -1, -1);
    QPainterPath shape;
    shape.addRoundedRect(picture, pictureRadius, pictureRadius);
    painter.fillPath(shape, isSelected_ ? withAlpha(accent, 0.12) : p.color(QPalette::Base));
    const bool highlighted = isSelected_ || (hovered_ && !isPreview_);
    painter.setPen(highlighted ? QPen(isSelected_ ? accent : withAlpha(accent, 0.5), 2)
                               : QPen(p.color(QPalette::Mid), 1));
    painter.drawPath(shape);

    const QRectF area = picture.adjusted(pictureInset, pictureInset, -pictureInset, -pictureInset);
    if (layout_.zones.isEmpty()) {
        QFont font = painter.font();
        font.setWeight(QFont::Medium);
        painter.setFont(font);
        painter.setPen(p.color(QPalette::PlaceholderText));
        painter.drawText(area, Qt::AlignCenter, tr("No Layout"));
    } else {
        paintZones(painter, area);
    }

    if (isPreview_)
        return;
    const QRect caption(0, thumbnailHeight, width(), captionHeight);
    QFont font = painter.font();
    font.setWeight(isSelected_ ? QFont::DemiBold : QFont::Normal);
    painter.setFont(font);
    painter.setPen(isSelected_ ? accent : p.color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter,
                     painter.fontMetrics().elidedText(shownName(layout_), Qt::ElideRight, width()));
}

// Zones are in unit space with y growing downwards, like the painter: no flip is needed.
void LayoutPreviewView::paintZones(QPainter& painter, const QRectF& area) const
{
    const QColor accent = palette().color(QPalette::Highlight);
    painter.save();
    painter.setClipRect(area);
    // The gaps are laid out on the display, then the picture is scaled down from it. Like the
    // drag overlay, the drawn gap inside each zone shrinks by the space around zones.
    const bool spaced = space_ > 0 && usableArea_.width > 0 && usableArea_.height > 0;
    const double scaleX = spaced ? area.width() / usableArea_.width : 1;
    const double scaleY = spaced ? area.height() / usableArea_.height : 1;
    const double gapX = std::max(0.0, zoneGap - (spaced ? space_ * scaleX : 0));
    const double gapY = std::max(0.0, zoneGap - (spaced ? space_ * scaleY : 0));
    for (const Zone& zone : layout_.zones) {
        QRectF r(area.x() + zone.frame.x * area.width(), area.y() + zone.frame.y * area.height(),
                 zone.frame.width * area.width(), zone.frame.height * area.height());
        if (spaced) {
            const Rect onDisplay = unitRectInAreaWithSpace(
                zone.frame, Rect(0, 0, usableArea_.width, usableArea_.height), space_);
            r = QRectF(area.x() + onDisplay.x * scaleX, area.y() + onDisplay.y * scaleY,
                       onDisplay.width * scaleX, onDisplay.height * scaleY);
        }
        QPainterPath path;
        path.addRoundedRect(r.adjusted(gapX, gapY, -gapX, -gapY), zoneRadius, zoneRadius);
        painter.fillPath(path, withAlpha(accent, 0.25));
        painter.setPen(QPen(withAlpha(accent, 0.8), 1));
        painter.drawPath(path);
    }
    painter.restore();
}

void LayoutPreviewView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && !isPreview_) {
        event->accept();
        emit pressed();
        return;
    }
    QWidget::mousePressEvent(event);
}

void LayoutPreviewView::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    hovered_ = true;
    update();
}

void LayoutPreviewView::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    hovered_ = false;
    update();
}

} // namespace corvane

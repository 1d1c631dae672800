// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QWidget>
#include <optional>

namespace corvane {

// A container drawn as a rounded rectangle: filled, optionally outlined. Without a fill colour
// of its own it uses the palette's control background, so it follows the desktop theme.
class RoundedPanel : public QWidget {
    Q_OBJECT
public:
    explicit RoundedPanel(qreal cornerRadius, QWidget* parent = nullptr);

    void setFill(const QColor& color);
    void setOutline(const QColor& color, qreal width);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal radius_;
    std::optional<QColor> fill_;
    std::optional<QColor> outline_;
    qreal outlineWidth_ = 1;
};

} // namespace corvane

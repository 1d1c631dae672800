// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QHBoxLayout;
class QLabel;

namespace corvane {

// A settings row: the title and an optional subtitle on the left, the accessory (a switch, a
// button, a colour well...) on the right. The row owns the accessory.
class PreferencesRowView : public QWidget {
    Q_OBJECT
public:
    // An empty subtitle shows none.
    PreferencesRowView(const QString& title, const QString& subtitle, QWidget* accessory,
                       QWidget* parent = nullptr);

    // A symbol before the texts, as some rows have.
    void setLeadingSymbol(const QString& symbol, const QColor& color);

    // New texts for a row that describes something changing; a row built without a subtitle
    // keeps none.
    void setTexts(const QString& title, const QString& subtitle);

    QString title() const;
    QString subtitle() const;
    // Changes the subtitle of a row built with one.
    void setSubtitle(const QString& subtitle);
    QWidget* accessory() const { return accessory_; }

private:
    QHBoxLayout* row_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* subtitle_ = nullptr;
    QWidget* accessory_ = nullptr;
};

} // namespace corvane

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QVBoxLayout;
class QLabel;

namespace corvane {

class RoundedPanel;

// A titled card of a preference page: a header with a symbol and the title, then the rows on
// the control background with rounded corners. An empty title leaves the header out.
class PreferencesSectionView : public QWidget {
    Q_OBJECT
public:
    PreferencesSectionView(const QString& title, const QString& icon, QWidget* parent = nullptr);

    QString title() const { return title_; }
    QString icon() const { return icon_; }

    // Appends a row to the card; the card becomes its parent.
    void addRow(QWidget* row);
    QWidget* content() const;
    QList<QWidget*> rows() const;

private:
    QString title_;
    QString icon_;
    RoundedPanel* content_ = nullptr;
    QVBoxLayout* rows_ = nullptr;
};

} // namespace corvane

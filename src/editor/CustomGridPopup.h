// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <optional>

class QLineEdit;
class QPushButton;

namespace corvane {

// The small popup in which the user asks for a grid of any size: rows and columns, each a whole
// number from 1 to 10. Generate stays disabled until both fields hold whole numbers; numbers out
// of range do nothing and leave the popup open. The texts stay for the next opening.
class CustomGridPopup : public QWidget {
    Q_OBJECT
public:
    static constexpr int minimumCount = 1;
    static constexpr int maximumCount = 10;
    static constexpr int popupWidth = 250;

    explicit CustomGridPopup(QWidget* parent = nullptr);

    // Decimal digits with an optional leading "+" or "-" and nothing else (no spaces); none for
    // anything else, including a number too large to hold.
    static std::optional<qint64> wholeNumber(const QString& text);

    // Opens the popup under the widget, aligned with its left edge.
    void presentBelow(const QWidget* anchor);

    QLineEdit* rowsField() const { return rows_; }
    QLineEdit* columnsField() const { return columns_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* generateButton() const { return generate_; }

signals:
    // A valid grid was asked for; the popup has closed.
    void generateRequested(int rows, int columns);

private:
    void updateGenerateButton();
    void generateIfValid();

    QLineEdit* rows_ = nullptr;
    QLineEdit* columns_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* generate_ = nullptr;
};

} // namespace corvane

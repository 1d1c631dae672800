// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CustomGridPopup.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <limits>

namespace corvane {
namespace {

constexpr int fieldWidth = 60;

QLineEdit* makeCountField(QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setPlaceholderText(QStringLiteral("1-10"));
    field->setFixedWidth(fieldWidth);
    return field;
}

} // namespace

CustomGridPopup::CustomGridPopup(QWidget* parent) : QWidget(parent, Qt::Popup)
{
    setFixedWidth(popupWidth);
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* title = new QLabel(tr("Custom Grid Layout"), this);
    QFont headline = title->font();
    headline.setBold(true);
    title->setFont(headline);

    rows_ = makeCountField(this);
    columns_ = makeCountField(this);
    auto* form = new QFormLayout;
    form->addRow(tr("Rows:"), rows_);
    form->addRow(tr("Columns:"), columns_);

    // In the order the desktop puts a dialog's buttons.
    auto* buttons = new QDialogButtonBox(this);
    cancel_ = buttons->addButton(QDialogButtonBox::Cancel);
    generate_ = buttons->addButton(tr("Generate"), QDialogButtonBox::AcceptRole);

    auto* column = new QVBoxLayout(this);
    column->addWidget(title);
    column->addLayout(form);
    column->addWidget(buttons);

    connect(rows_, &QLineEdit::textChanged, this, &CustomGridPopup::updateGenerateButton);
    connect(columns_, &QLineEdit::textChanged, this, &CustomGridPopup::updateGenerateButton);
    connect(cancel_, &QPushButton::clicked, this, &QWidget::hide);
    connect(generate_, &QPushButton::clicked, this, &CustomGridPopup::generateIfValid);
    // Generate is the default button: Return or Enter, with or without Ctrl, presses it from
    // anywhere in the popup (a disabled button ignores the press).
    generate_->setDefault(true);
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        for (const QKeyCombination keys : {QKeyCombination(key), Qt::CTRL | key}) {
            auto* shortcut = new QShortcut(QKeySequence(keys), this);
            connect(shortcut, &QShortcut::activated, generate_, &QPushButton::click);
        }
    }
    updateGenerateButton();
}

std::optional<qint64> CustomGridPopup::wholeNumber(const QString& text)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    // Accumulated as a negative number, whose range is the larger one.
    constexpr qint64 lowest = std::numeric_limits<qint64>::min();
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        const int digit = c - u'0';
        if (value < (lowest + digit) / 10)
            return std::nullopt;
        value = value * 10 - digit;
    }
    if (negative)
        return value;
    if (value == lowest)
        return std::nullopt;
    return -value;
}

void CustomGridPopup::presentBelow(const QWidget* anchor)
{
    adjustSize();
    move(anchor->mapToGlobal(QPoint(0, anchor->height() + 4)));
    show();
    rows_->setFocus();
}

void CustomGridPopup::updateGenerateButton()
{
    generate_->setEnabled(wholeNumber(rows_->text()) && wholeNumber(columns_->text()));
}

void CustomGridPopup::generateIfValid()
{
    const auto rows = wholeNumber(rows_->text());
    const auto columns = wholeNumber(columns_->text());
    if (!rows || !columns)
        return;
    const auto inRange = [](qint64 n) { return n >= minimumCount && n <= maximumCount; };
    if (!inRange(*rows) || !inRange(*columns))
        return;
    hide();
    emit generateRequested(static_cast<int>(*rows), static_cast<int>(*columns));
}

} // namespace corvane

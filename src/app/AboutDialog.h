// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

namespace corvane {

// "About Corvane": what it is, its version, its licence and where to find more.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

    static QString homePage();
    // The rich text the dialog shows; also what the tests read.
    static QString text();
};

} // namespace corvane

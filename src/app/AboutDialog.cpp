// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AboutDialog.h"

#include "app/AppIcon.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace corvane {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("About Corvane"));
    auto* icon = new QLabel;
    icon->setPixmap(appIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop);
    auto* body = new QLabel(text());
    body->setObjectName(QStringLiteral("aboutText"));
    body->setTextFormat(Qt::RichText);
    body->setOpenExternalLinks(true);
    body->setWordWrap(true);
    body->setTextInteractionFlags(Qt::TextBrowserInteraction);

    auto* row = new QHBoxLayout;
    row->setSpacing(16);
    row->addWidget(icon);
    row->addWidget(body, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

QString AboutDialog::homePage()
{
    return QStringLiteral("https://corvane.app");
}

QString AboutDialog::text()
{
    const QString version = QCoreApplication::applicationVersion();
    return tr("<h3>Corvane %1</h3>"
              "<p>Snaps windows into zones: hold the snap key while dragging a window, and "
              "release it over a zone.</p>"
              "<p>Free software under the GNU General Public License, version 3 or later "
              "(<a href=\"https://www.gnu.org/licenses/gpl-3.0.html\">GPL-3.0-or-later</a>). "
              "There is no warranty.</p>"
              "<p><a href=\"%2\">%2</a></p>")
        .arg(version.toHtmlEscaped(), homePage());
}

} // namespace corvane

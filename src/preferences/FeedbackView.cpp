// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/FeedbackView.h"

#include "logging/Logger.h"
#include "platform/Platform.h"
#include "preferences/AlertLayout.h"
#include "preferences/FeedbackTypePicker.h"
#include "preferences/ModernToggle.h"
#include "preferences/PlatformWording.h"
#include "preferences/PreferencesPageHeader.h"
#include "preferences/PreferencesRowView.h"
#include "preferences/PreferencesSectionView.h"
#include "preferences/PreferencesStyle.h"
#include "preferences/SymbolIcons.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

namespace corvane {
namespace {

constexpr int minimumTextHeight = 120;

QString cssColor(const QColor& c)
{
    return QStringLiteral("rgba(%1, %2, %3, %4)")
        .arg(c.red())
        .arg(c.green())
        .arg(c.blue())
        .arg(c.alphaF(), 0, 'f', 3);
}

QString versionText(const char* version)
{
    const QString text = QString::fromUtf8(version).trimmed();
    return text.isEmpty() ? FeedbackView::tr("Unknown") : text;
}

QLabel* label(const QString& text, int pixelSize, bool secondary, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setFont(PreferencesStyle::font(pixelSize));
    l->setWordWrap(true);
    if (secondary) {
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, PreferencesStyle::secondaryLabel(pal));
        l->setPalette(pal);
    }
    return l;
}

// A padded column inside a section card.
QVBoxLayout* paddedColumn(QWidget* container)
{
    auto* column = new QVBoxLayout(container);
    column->setContentsMargins(16, 12, 16, 12);
    column->setSpacing(8);
    return column;
}

QString fieldStyle(const char* type, const QColor& border, const QColor& background)
{
    return QStringLiteral("%1 { border: 1px solid %2; border-radius: 6px; background: %3; "
                          "padding: 4px 6px; }")
        .arg(QLatin1StringView(type), cssColor(border), cssColor(background));
}

} // namespace

FeedbackView::FeedbackView(QWidget* parent) : PreferencesPage(parent)
{
    setObjectName(QStringLiteral("FeedbackView"));
    buildForm();
    updatePlaceholder();
    validateEmail();
}

FeedbackView::~FeedbackView() = default;

void FeedbackView::buildForm()
{
    const QPalette pal = palette();
    column()->addWidget(new PreferencesPageHeader(
        QStringLiteral("mail-unread"), tr("Send Feedback"),
        tr("Help us improve Corvane by sharing your thoughts, suggestions, or "
           "reporting issues.")));

    auto* typeSection = new PreferencesSectionView(tr("Feedback Type"), QStringLiteral("tag"));
    auto* typeBody = new QWidget;
    picker_ = new FeedbackTypePicker(typeBody);
    paddedColumn(typeBody)->addWidget(picker_);
    typeSection->addRow(typeBody);
    column()->addWidget(typeSection);
    connect(picker_, &FeedbackTypePicker::selectedTypeChanged, this,
            &FeedbackView::updatePlaceholder);

    auto* textSection =
        new PreferencesSectionView(tr("Your Feedback"), QStringLiteral("dialog-messages"));
    auto* textBody = new QWidget;
    QVBoxLayout* textColumn = paddedColumn(textBody);
    textColumn->addWidget(
        label(tr("Please describe your feedback in detail:"), 13, false, textBody));
    text_ = new QPlainTextEdit(textBody);
    text_->setObjectName(QStringLiteral("feedbackText"));
    text_->setMinimumHeight(minimumTextHeight);
    text_->setTabChangesFocus(true);
    text_->setStyleSheet(fieldStyle("QPlainTextEdit", PreferencesStyle::separator(pal),
                                    PreferencesStyle::textBackground(pal)));
    textColumn->addWidget(text_);
    textSection->addRow(textBody);
    includeSystemInfo_ = new ModernToggle;
    includeSystemInfo_->setObjectName(QStringLiteral("includeSystemInfoToggle"));
    includeSystemInfo_->setAccessibleName(tr("Include system information"));
    // Sharing is the user's choice, never the default.
    includeSystemInfo_->setChecked(false);
    textSection->addRow(new PreferencesRowView(tr("Include system information"),
                                               PlatformWording::systemInformationExplanation(),
                                               includeSystemInfo_));
    column()->addWidget(textSection);
    connect(text_, &QPlainTextEdit::textChanged, this, &FeedbackView::updateSendButton);

    auto* contactSection =
        new PreferencesSectionView(tr("Contact Information"), QStringLiteral("user-identity"));
    auto* contactBody = new QWidget;
    QVBoxLayout* contactColumn = paddedColumn(contactBody);
    contactColumn->addWidget(label(tr("Your Email (Optional)"), 13, false, contactBody));
    email_ = new QLineEdit(contactBody);
    email_->setObjectName(QStringLiteral("userEmail"));
    email_->setPlaceholderText(tr("your.name@example.com"));
    contactColumn->addWidget(email_);
    contactColumn->addWidget(
        label(tr("We'll only use this to respond to your feedback"), 12, true, contactBody));
    emailError_ = label(tr("Please enter a valid email address"), 12, false, contactBody);
    emailError_->setObjectName(QStringLiteral("emailError"));
    QPalette errorPalette = emailError_->palette();
    errorPalette.setColor(QPalette::WindowText, PreferencesStyle::systemRed());
    emailError_->setPalette(errorPalette);
    emailError_->setVisible(false);
    contactColumn->addWidget(emailError_);
    contactSection->addRow(contactBody);
    column()->addWidget(contactSection);
    connect(email_, &QLineEdit::textChanged, this, &FeedbackView::validateEmail);

    sendButton_ = new QPushButton(SymbolIcons::icon(QStringLiteral("document-send"), Qt::white),
                                  tr("Send Feedback"));
    sendButton_->setObjectName(QStringLiteral("sendFeedbackButton"));
    sendButton_->setCursor(Qt::PointingHandCursor);
    const QColor accent = PreferencesStyle::accent(pal);
    sendButton_->setStyleSheet(
        QStringLiteral("QPushButton { background: %1; color: white; border: none; "
                       "border-radius: 6px; padding: 7px 16px; font-weight: 600; }"
                       "QPushButton:hover { background: %2; }"
                       "QPushButton:pressed { background: %3; }"
                       "QPushButton:disabled { background: %4; color: rgba(255, 255, 255, 0.85); }")
            .arg(cssColor(accent), cssColor(accent.lighter(110)), cssColor(accent.darker(115)),
                 cssColor(QColor(160, 160, 160))));
    connect(sendButton_, &QPushButton::clicked, this, &FeedbackView::sendFeedback);
    auto* sendRow = new QHBoxLayout;
    sendRow->addStretch(1);
    sendRow->addWidget(sendButton_);
    column()->addLayout(sendRow);
    finishColumn();
}

QString FeedbackView::feedbackText() const
{
    return text_->toPlainText();
}

void FeedbackView::setFeedbackText(const QString& text)
{
    text_->setPlainText(text);
}

QString FeedbackView::userEmail() const
{
    return email_->text();
}

void FeedbackView::setUserEmail(const QString& email)
{
    email_->setText(email);
}

FeedbackType FeedbackView::feedbackType() const
{
    return picker_->selectedType();
}

void FeedbackView::setFeedbackType(FeedbackType type)
{
    picker_->setSelectedType(type);
}

bool FeedbackView::includeSystemInfo() const
{
    return includeSystemInfo_->isChecked();
}

void FeedbackView::setIncludeSystemInfo(bool include)
{
    includeSystemInfo_->setChecked(include);
}

bool FeedbackView::matchesEmailPattern(const QString& text)
{
    static const QRegularExpression pattern(QRegularExpression::anchoredPattern(
        QStringLiteral(R"([A-Z0-9a-z._%+-]+@[A-Za-z0-9.-]+\.[A-Za-z]{2,})")));
    return pattern.match(text).hasMatch();
}

void FeedbackView::validateEmail()
{
    const QString email = userEmail();
    isValidEmail_ = email.isEmpty() || matchesEmailPattern(email);
    emailError_->setVisible(!isValidEmail_);
    const QPalette pal = palette();
    email_->setStyleSheet(
        fieldStyle("QLineEdit",
                   isValidEmail_ ? PreferencesStyle::separator(pal) : PreferencesStyle::systemRed(),
                   PreferencesStyle::textBackground(pal)));
    updateSendButton();
}

bool FeedbackView::canSend() const
{
    if (feedbackText().trimmed().isEmpty())
        return false;
    if (userEmail().isEmpty())
        return true;
    return isValidEmail_;
}

void FeedbackView::updateSendButton()
{
    const bool enabled = canSend() && !waitingForHandOver_;
    sendButton_->setEnabled(enabled);
    sendButton_->setToolTip(enabled ? tr("Send your feedback via email")
                                    : tr("Please write your feedback first"));
}

void FeedbackView::updatePlaceholder()
{
    text_->setPlaceholderText(feedbackTypePlaceholder(feedbackType()));
}

QString FeedbackView::systemInformation() const
{
    const QString version = versionText(CORVANE_VERSION);
    QString info = QStringLiteral("\n\n--- System Information ---\nApp Version: ") + version +
                   QStringLiteral(" (") + version + QStringLiteral(")\n") +
                   PlatformWording::osVersionLine();
    const DisplayList screens = Platform::current().displays().screens();
    info += QStringLiteral("\nNumber of Screens: ") + QString::number(screens.size());
    QStringList resolutions;
    for (qsizetype i = 0; i < screens.size(); ++i) {
        auto whole = [](double v) { return std::isfinite(v) ? static_cast<qint64>(v) : 0; };
        resolutions.append(QStringLiteral("Screen %1: %2x%3")
                               .arg(i + 1)
                               .arg(whole(screens[i].frame.width))
                               .arg(whole(screens[i].frame.height)));
    }
    info += QStringLiteral("\nScreen Resolutions: ") + resolutions.join(QStringLiteral(", "));
    return info;
}

QString FeedbackView::composeBody(const QString& systemInformation) const
{
    QString body = QStringLiteral("Feedback Type: ") + feedbackTypeTitle(feedbackType()) +
                   QStringLiteral("\n\n");
    if (!userEmail().isEmpty())
        body += QStringLiteral("Reply to: ") + userEmail() + QStringLiteral("\n\n");
    body += QStringLiteral("Feedback:\n") + feedbackText();
    body += systemInformation;
    return body;
}

std::optional<QUrl> FeedbackView::mailtoUrl(const QString& subject, const QString& body)
{
    // Everything but the unreserved characters is encoded, "&", "=", "?", "#", "+" and "%"
    // included: typed text must never end a field or start another one (an extra "cc" or "bcc").
    const QString text =
        QStringLiteral("mailto:") + QStringLiteral(CORVANE_SUPPORT_EMAIL) +
        QStringLiteral("?subject=") + QString::fromLatin1(QUrl::toPercentEncoding(subject)) +
        QStringLiteral("&body=") + QString::fromLatin1(QUrl::toPercentEncoding(body));
    QUrl url(text, QUrl::StrictMode);
    if (!url.isValid())
        return std::nullopt;
    return url;
}

void FeedbackView::sendFeedback()
{
    const QString body = composeBody(includeSystemInfo() ? systemInformation() : QString());
    const QString subject =
        QStringLiteral("Corvane Feedback: ") + feedbackTypeTitle(feedbackType());
    const QString message = QStringLiteral("To: ") + QStringLiteral(CORVANE_SUPPORT_EMAIL) +
                            QStringLiteral("\nSubject: ") + subject + QStringLiteral("\n\n") + body;
    const std::optional<QUrl> url = mailtoUrl(subject, body);
    if (!url) {
        Logger::error(QStringLiteral("Could not build the feedback e-mail URL"), LogCategory::App);
        showSendFailure(message);
        return;
    }
    // The text stays until the e-mail application has it; meanwhile it is not sent twice.
    waitingForHandOver_ = true;
    updateSendButton();
    Platform::current().workspace().openUrlAsync(*url, this, [this, message](bool opened) {
        waitingForHandOver_ = false;
        updateSendButton();
        if (!opened) {
            Logger::error(QStringLiteral("No e-mail application accepted the feedback"),
                          LogCategory::App);
            showSendFailure(message);
            return;
        }
        // Corvane cannot know whether the mail went out: it only handed it over.
        successAlert_ = showAlert(QMessageBox::Information, tr("Opened in Your Mail Client"),
                                  tr("Your feedback is ready in a new message. Send it from there. "
                                     "Thank you for helping improve Corvane!"),
                                  QStringLiteral("feedbackSentAlert"));
        QTimer::singleShot(resetDelay_, this, &FeedbackView::resetForm);
    });
}

void FeedbackView::showSendFailure(const QString& message)
{
    errorAlert_ =
        showAlert(QMessageBox::Warning, tr("No Mail Client Could Be Opened"),
                  tr("Choose a default mail client in your desktop's settings, or copy the "
                     "message and send it to %1 yourself.")
                      .arg(QStringLiteral(CORVANE_SUPPORT_EMAIL)),
                  QStringLiteral("feedbackErrorAlert"));
    // Nothing is lost: the form keeps the text, and the whole message can go elsewhere.
    QPushButton* copy = errorAlert_->addButton(tr("Copy Message"), QMessageBox::ActionRole);
    copy->setObjectName(QStringLiteral("copyMessageButton"));
    connect(copy, &QPushButton::clicked, this,
            [message] { QGuiApplication::clipboard()->setText(message); });
}

void FeedbackView::resetForm()
{
    text_->clear();
    email_->clear();
    picker_->setSelectedType(FeedbackType::suggestion);
    includeSystemInfo_->setChecked(false);
}

QMessageBox* FeedbackView::showAlert(QMessageBox::Icon icon, const QString& title,
                                     const QString& message, const QString& name)
{
    // Opened without a nested event loop, so the form can clear behind an open success alert.
    auto* alert = new QMessageBox(this);
    alert->setAttribute(Qt::WA_DeleteOnClose);
    alert->setObjectName(name);
    alert->setIcon(icon);
    alert->setWindowTitle(tr("Send Feedback"));
    alert->setText(title);
    alert->setInformativeText(message);
    alert->setStandardButtons(QMessageBox::Ok);
    widenForTitle(*alert);
    alert->open();
    return alert;
}

bool FeedbackView::isShowingSuccessAlert() const
{
    return successAlert_ && successAlert_->isVisible();
}

bool FeedbackView::isShowingErrorAlert() const
{
    return errorAlert_ && errorAlert_->isVisible();
}

} // namespace corvane

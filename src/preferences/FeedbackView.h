// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "preferences/FeedbackType.h"
#include "preferences/PreferencesPage.h"

#include <QMessageBox>
#include <QPointer>
#include <QUrl>
#include <chrono>
#include <optional>

class QLabel;
class QLineEdit;

class QPlainTextEdit;
class QPushButton;

namespace corvane {

class FeedbackTypePicker;
class ModernToggle;

// The Feedback page: the user writes a message of one of four kinds, optionally with a block of
// system information, and Corvane hands it to the default e-mail application as a mailto: URL
// addressed to the support address. Nothing is sent by Corvane itself.
class FeedbackView : public PreferencesPage {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds defaultFormResetDelay{2000};

    explicit FeedbackView(QWidget* parent = nullptr);
    ~FeedbackView() override;

    QString feedbackText() const;
    void setFeedbackText(const QString& text);
    QString userEmail() const;
    void setUserEmail(const QString& email);
    FeedbackType feedbackType() const;
    void setFeedbackType(FeedbackType type);
    bool includeSystemInfo() const;
    void setIncludeSystemInfo(bool include);

    bool isValidEmail() const { return isValidEmail_; }
    bool canSend() const;
    bool isShowingSuccessAlert() const;
    bool isShowingErrorAlert() const;
    QMessageBox* successAlert() const { return successAlert_; }
    QMessageBox* errorAlert() const { return errorAlert_; }

    // The whole text must look like an e-mail address.
    static bool matchesEmailPattern(const QString& text);
    QString systemInformation() const;
    QString composeBody(const QString& systemInformation) const;
    // The mailto: URL for a subject and body; none when it would not be a valid URL.
    static std::optional<QUrl> mailtoUrl(const QString& subject, const QString& body);

    // How long after a successful hand-over the form is cleared.
    void setFormResetDelay(std::chrono::milliseconds delay) { resetDelay_ = delay; }

    QPushButton* sendButton() const { return sendButton_; }

public slots:
    void sendFeedback();

private:
    void buildForm();
    void validateEmail();
    void updatePlaceholder();
    void updateSendButton();
    void resetForm();
    QMessageBox* showAlert(QMessageBox::Icon icon, const QString& title, const QString& message,
                           const QString& name);
    // The error alert, with the offer to copy `message` (the whole e-mail) to the clipboard.
    void showSendFailure(const QString& message);

    FeedbackTypePicker* picker_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    ModernToggle* includeSystemInfo_ = nullptr;
    QLineEdit* email_ = nullptr;
    QLabel* emailError_ = nullptr;
    QPushButton* sendButton_ = nullptr;
    QPointer<QMessageBox> successAlert_;
    QPointer<QMessageBox> errorAlert_;
    bool isValidEmail_ = true;
    bool waitingForHandOver_ = false;
    std::chrono::milliseconds resetDelay_ = defaultFormResetDelay;
};

} // namespace corvane

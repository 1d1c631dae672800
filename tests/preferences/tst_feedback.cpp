#include "TestEnvironment.h"
#include "preferences/FeedbackTypeButton.h"
#include "preferences/FeedbackTypePicker.h"
#include "preferences/FeedbackView.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSysInfo>
#include <QTest>
#include <QUrlQuery>

using namespace corvane;
using namespace std::chrono_literals;

class FeedbackTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        test::resetStores();
        fake = &test::installFakePlatform();
        fake->setDisplays({test::primaryDisplay(), test::secondDisplay()});
        view = std::make_unique<FeedbackView>();
        view->resize(600, 900);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
    }

    void cleanup() { view.reset(); }

    void onlyWhiteSpaceCannotBeSent()
    {
        QPushButton* send = view->sendButton();
        QVERIFY(!send->isEnabled());
        QTest::keyClicks(view->findChild<QPlainTextEdit*>(QStringLiteral("feedbackText")),
                         QStringLiteral("  "));
        QTest::keyClick(view->findChild<QPlainTextEdit*>(QStringLiteral("feedbackText")),
                        Qt::Key_Return);
        view->setFeedbackText(view->feedbackText() + QStringLiteral("\n\t \n"));
        QVERIFY(!view->canSend());
        QVERIFY(!send->isEnabled());
        QCOMPARE(send->toolTip(), QStringLiteral("Please write your feedback first"));

        view->setFeedbackText(QStringLiteral("  it works \n"));
        QVERIFY(send->isEnabled());
        QCOMPARE(send->toolTip(), QStringLiteral("Send your feedback via email"));
    }

    void theEmailAddressMustLookLikeOne()
    {
        view->setFeedbackText(QStringLiteral("Hello"));
        auto* email = view->findChild<QLineEdit*>(QStringLiteral("userEmail"));
        auto* error = view->findChild<QLabel*>(QStringLiteral("emailError"));
        QTest::keyClicks(email, QStringLiteral("a@b.c"));
        QVERIFY(!view->isValidEmail());
        QVERIFY(!view->sendButton()->isEnabled());
        QVERIFY(error->isVisible());
        QCOMPARE(error->text(), QStringLiteral("Please enter a valid email address"));

        QTest::keyClicks(email, QStringLiteral("o"));
        QCOMPARE(view->userEmail(), QStringLiteral("a@b.co"));
        QVERIFY(view->isValidEmail());
        QVERIFY(view->sendButton()->isEnabled());
        QVERIFY(!error->isVisible());

        // No address at all is fine.
        email->clear();
        QVERIFY(view->sendButton()->isEnabled());

        // The whole text must match, not a part of it.
        QVERIFY(
            FeedbackView::matchesEmailPattern(QStringLiteral("first.last+tag@mail.example.org")));
        QVERIFY(!FeedbackView::matchesEmailPattern(QStringLiteral("x a@b.co")));
        QVERIFY(!FeedbackView::matchesEmailPattern(QStringLiteral("a@b.co y")));
        QVERIFY(!FeedbackView::matchesEmailPattern(QStringLiteral("a@b.co\n")));
        QVERIFY(!FeedbackView::matchesEmailPattern(QStringLiteral("a@@b.co")));
    }

    void theBodyIsComposedInOrderFromTheTextAsTyped()
    {
        view->setIncludeSystemInfo(false);
        view->setFeedbackType(FeedbackType::bug);
        view->setUserEmail(QStringLiteral("me@example.com"));
        view->setFeedbackText(QStringLiteral("Line one\nline two  "));
        view->sendFeedback();
        QCOMPARE(fake->openedUrls().size(), 1);
        const QUrl url = fake->openedUrls().first();
        QCOMPARE(url.scheme(), QStringLiteral("mailto"));
        QCOMPARE(url.path(), QStringLiteral(CORVANE_SUPPORT_EMAIL));
        QUrlQuery query(url);
        QCOMPARE(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
                 QStringLiteral("Corvane Feedback: Bug Report"));
        // Without system information the body ends with the text as typed.
        QCOMPARE(query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded),
                 QStringLiteral("Feedback Type: Bug Report\n\nReply to: me@example.com\n\n"
                                "Feedback:\nLine one\nline two  "));

        // Typed text cannot add fields to the message.
        const QString typed = QStringLiteral("x&cc=evil@example.com?bcc=a@b.co#frag 50%+1 é");
        view->setFeedbackText(typed);
        view->sendFeedback();
        QCOMPARE(fake->openedUrls().size(), 2);
        const QUrl hostile = fake->openedUrls().last();
        QVERIFY(hostile.fragment().isEmpty());
        query = QUrlQuery(hostile);
        QStringList keys;
        for (const auto& item : query.queryItems())
            keys.append(item.first);
        QCOMPARE(keys, (QStringList{"subject", "body"}));
        QVERIFY(query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded).endsWith(typed));
        // What the mail application receives has the delimiters encoded.
        const QByteArray wire = hostile.toEncoded();
        QVERIFY(!wire.contains("&cc="));
        QVERIFY(wire.contains("%26cc%3Devil%40example.com"));
    }

    void systemInformationDescribesTheMachine()
    {
        corvane::Display odd = test::secondDisplay();
        odd.frame = Rect(1440, 0, 1920.9, 1080.5);
        fake->setDisplays({test::primaryDisplay(), odd});
        const QString info = view->systemInformation();
        QCOMPARE(info, QStringLiteral("\n\n--- System Information ---\nApp Version: %1 (%1)\n"
                                      "OS Version: %2\nNumber of Screens: 2\n"
                                      "Screen Resolutions: Screen 1: 1440x900, Screen 2: 1920x1080")
                           .arg(QStringLiteral(CORVANE_VERSION), QSysInfo::prettyProductName()));

        view->setFeedbackText(QStringLiteral("text"));
        view->sendFeedback();
        const QUrlQuery query(fake->openedUrls().first());
        QVERIFY(query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded)
                    .endsWith(QStringLiteral("Feedback:\ntext") + info));
    }

    void aRefusedUrlShowsTheErrorAndKeepsTheForm()
    {
        fake->setRefuseUrls(true);
        view->setFeedbackText(QStringLiteral("keep me"));
        view->setUserEmail(QStringLiteral("me@example.com"));
        view->sendFeedback();
        QTRY_VERIFY(view->isShowingErrorAlert());
        QVERIFY(!view->isShowingSuccessAlert());
        QCOMPARE(view->errorAlert()->text(), QStringLiteral("Error"));
        QCOMPARE(view->errorAlert()->informativeText(),
                 QStringLiteral("Unable to open your email app. Please ensure you have a default "
                                "email client configured."));
        QTest::qWait(50);
        QCOMPARE(view->feedbackText(), QStringLiteral("keep me"));
        QCOMPARE(view->userEmail(), QStringLiteral("me@example.com"));
        // The whole message can be taken elsewhere.
        view->errorAlert()->findChild<QPushButton*>(QStringLiteral("copyMessageButton"))->click();
        const QString copied = QGuiApplication::clipboard()->text();
        QVERIFY(copied.startsWith(QStringLiteral("To: ") + QStringLiteral(CORVANE_SUPPORT_EMAIL)));
        QVERIFY(copied.contains(QStringLiteral("Reply to: me@example.com\n\nFeedback:\nkeep me")));
    }

    void aSuccessfulHandOverClearsTheFormAfterTheDelayUnlessClosed()
    {
        view->setFormResetDelay(100ms);
        view->setFeedbackType(FeedbackType::other);
        view->setIncludeSystemInfo(false);
        view->setUserEmail(QStringLiteral("me@example.com"));
        view->setFeedbackText(QStringLiteral("thanks"));
        view->sendFeedback();
        QTRY_VERIFY(view->isShowingSuccessAlert());
        QCOMPARE(view->successAlert()->text(), QStringLiteral("Feedback Sent"));
        QCOMPARE(view->successAlert()->informativeText(),
                 QStringLiteral("Your feedback has been prepared in your default email app. Thank "
                                "you for helping us improve Corvane!"));
        QCOMPARE(view->feedbackText(), QStringLiteral("thanks")); // not yet

        QTRY_VERIFY(view->feedbackText().isEmpty());
        QVERIFY(view->userEmail().isEmpty());
        QCOMPARE(view->feedbackType(), FeedbackType::suggestion);
        QVERIFY(view->includeSystemInfo());
        QVERIFY(view->isShowingSuccessAlert()); // the alert may still be open
        QVERIFY(!view->sendButton()->isEnabled());

        // A page closed before its pending clear is not touched later.
        view->setFeedbackText(QStringLiteral("bye"));
        view->sendFeedback();
        view.reset();
        QTest::qWait(150);
    }

    void theTypePickerDrivesThePlaceholder()
    {
        auto* text = view->findChild<QPlainTextEdit*>(QStringLiteral("feedbackText"));
        QCOMPARE(view->feedbackType(), FeedbackType::suggestion);
        QCOMPARE(text->placeholderText(),
                 QStringLiteral("Placeholder: Describe your feature suggestion here..."));
        auto* picker = view->findChild<FeedbackTypePicker*>();
        QTest::mouseClick(picker->button(FeedbackType::bug), Qt::LeftButton);
        QCOMPARE(view->feedbackType(), FeedbackType::bug);
        QVERIFY(picker->button(FeedbackType::bug)->isSelected());
        QVERIFY(!picker->button(FeedbackType::suggestion)->isSelected());
        QCOMPARE(text->placeholderText(),
                 QStringLiteral("Placeholder: Describe your bug report here..."));
    }

private:
    FakePlatform* fake = nullptr;
    std::unique_ptr<FeedbackView> view;
};

QTEST_MAIN(FeedbackTest)
#include "tst_feedback.moc"

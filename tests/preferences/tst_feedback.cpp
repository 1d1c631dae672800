// SPDX-License-Identifier: GPL-3.0-or-later
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
using namespace Qt::StringLiterals;

class FeedbackTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        fake = &test::freshDesktop();
        view = std::make_unique<FeedbackView>();
        view->resize(600, 900);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
    }

    void cleanup() { view.reset(); }

    // Only a text with more than white space, and an address that looks like one or none, can
    // be sent; the page says why not. The type chosen sets the text's placeholder.
    void whatCanBeSent()
    {
        auto* text = view->findChild<QPlainTextEdit*>(u"feedbackText"_s);
        QVERIFY(!view->includeSystemInfo()); // nothing about the machine is shared unasked
        auto* email = view->findChild<QLineEdit*>(u"userEmail"_s);
        auto* error = view->findChild<QLabel*>(u"emailError"_s);
        QPushButton* send = view->sendButton();
        QStringList said{send->toolTip(), text->placeholderText()};
        QTest::keyClicks(text, u"  "_s);
        QTest::keyClick(text, Qt::Key_Return);
        view->setFeedbackText(view->feedbackText() + u"\n\t \n"_s);
        QVERIFY(!view->canSend() && !send->isEnabled());

        view->setFeedbackText(u"  it works \n"_s);
        QVERIFY(send->isEnabled());
        said << send->toolTip();
        QTest::keyClicks(email, u"a@b.c"_s);
        QVERIFY(!view->isValidEmail() && !send->isEnabled() && error->isVisible());
        said << error->text();
        QTest::keyClicks(email, u"o"_s);
        QCOMPARE(view->userEmail(), u"a@b.co"_s);
        QVERIFY(view->isValidEmail() && send->isEnabled() && !error->isVisible());
        email->clear();
        QVERIFY(send->isEnabled());
        // The whole text must match, not a part of it.
        QVERIFY(FeedbackView::matchesEmailPattern(u"first.last+tag@mail.example.org"_s));
        for (const QString& bad : {u"x a@b.co"_s, u"a@b.co y"_s, u"a@b.co\n"_s, u"a@@b.co"_s})
            QVERIFY2(!FeedbackView::matchesEmailPattern(bad), qPrintable(bad));

        auto* picker = view->findChild<FeedbackTypePicker*>();
        QTest::mouseClick(picker->button(FeedbackType::bug), Qt::LeftButton);
        QCOMPARE(view->feedbackType(), FeedbackType::bug);
        QVERIFY(picker->button(FeedbackType::bug)->isSelected());
        QVERIFY(!picker->button(FeedbackType::suggestion)->isSelected());
        said << text->placeholderText();
        QCOMPARE(
            said,
            (QStringList{"Please write your feedback first",
                         "Describe your feature suggestion here…", "Send your feedback via email",
                         "Please enter a valid email address", "Describe your bug report here…"}));
    }

    void theBodyIsComposedInOrderFromTheTextAsTyped()
    {
        view->setIncludeSystemInfo(false);
        view->setFeedbackType(FeedbackType::bug);
        view->setUserEmail(u"me@example.com"_s);
        view->setFeedbackText(u"Line one\nline two  "_s);
        view->sendFeedback();
        QCOMPARE(fake->openedUrls().size(), 1);
        const QUrl url = fake->openedUrls().first();
        QCOMPARE(url.scheme(), u"mailto"_s);
        QCOMPARE(url.path(), QStringLiteral(CORVANE_SUPPORT_EMAIL));
        QUrlQuery query(url);
        QCOMPARE(query.queryItemValue(u"subject"_s, QUrl::FullyDecoded),
                 u"Corvane Feedback: Bug Report"_s);
        // Without system information the body ends with the text as typed.
        QCOMPARE(query.queryItemValue(u"body"_s, QUrl::FullyDecoded),
                 u"Feedback Type: Bug Report\n\nReply to: me@example.com\n\n"
                 "Feedback:\nLine one\nline two  "_s);

        // Typed text cannot add fields to the message.
        const QString typed = u"x&cc=evil@example.com?bcc=a@b.co#frag 50%+1 é"_s;
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
        QVERIFY(query.queryItemValue(u"body"_s, QUrl::FullyDecoded).endsWith(typed));
        // What the mail application receives has the delimiters encoded.
        const QByteArray wire = hostile.toEncoded();
        QVERIFY(!wire.contains("&cc="));
        QVERIFY(wire.contains("%26cc%3Devil%40example.com"));
    }

    void aRefusedUrlShowsTheErrorAndKeepsTheForm()
    {
        fake->setRefuseUrls(true);
        view->setFeedbackText(u"keep me"_s);
        view->setUserEmail(u"me@example.com"_s);
        view->sendFeedback();
        QTRY_VERIFY(view->isShowingErrorAlert());
        QVERIFY(!view->isShowingSuccessAlert());
        QCOMPARE((QStringList{view->errorAlert()->text(), view->errorAlert()->informativeText()}),
                 (QStringList{"No Mail Client Could Be Opened",
                              u"Choose a default mail client in your desktop's settings, or copy "
                              "the message and send it to %1 yourself."_s.arg(
                                  QStringLiteral(CORVANE_SUPPORT_EMAIL))}));
        QTest::qWait(50);
        QCOMPARE(view->feedbackText(), u"keep me"_s);
        QCOMPARE(view->userEmail(), u"me@example.com"_s);
        // The whole message can be taken elsewhere.
        view->errorAlert()->findChild<QPushButton*>(u"copyMessageButton"_s)->click();
        const QString copied = QGuiApplication::clipboard()->text();
        QVERIFY(copied.startsWith(u"To: "_s + QStringLiteral(CORVANE_SUPPORT_EMAIL)));
        QVERIFY(copied.contains(u"Reply to: me@example.com\n\nFeedback:\nkeep me"_s));
    }

    void aSuccessfulHandOverClearsTheFormAfterTheDelayUnlessClosed()
    {
        view->setFormResetDelay(100ms);
        view->setFeedbackType(FeedbackType::other);
        view->setIncludeSystemInfo(false);
        view->setUserEmail(u"me@example.com"_s);
        view->setFeedbackText(u"thanks"_s);
        view->sendFeedback();
        QTRY_VERIFY(view->isShowingSuccessAlert());
        QCOMPARE(
            (QStringList{view->successAlert()->text(), view->successAlert()->informativeText()}),
            (QStringList{"Opened in Your Mail Client",
                         "Your feedback is ready in a new message. Send it from there. Thank you "
                         "for helping improve Corvane!"}));
        QCOMPARE(view->feedbackText(), u"thanks"_s); // not yet

        QTRY_VERIFY(view->feedbackText().isEmpty());
        QVERIFY(view->userEmail().isEmpty());
        QCOMPARE(view->feedbackType(), FeedbackType::suggestion);
        QVERIFY(!view->includeSystemInfo());    // sharing is opt-in, also after a reset
        QVERIFY(view->isShowingSuccessAlert()); // the alert may still be open
        QVERIFY(!view->sendButton()->isEnabled());

        // A page closed before its pending clear is not touched later.
        view->setFeedbackText(u"bye"_s);
        view->sendFeedback();
        view.reset();
        QTest::qWait(150);
    }

private:
    FakePlatform* fake = nullptr;
    std::unique_ptr<FeedbackView> view;
};

QTEST_MAIN(FeedbackTest)
#include "tst_feedback.moc"

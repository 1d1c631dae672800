// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/FeedbackType.h"

#include <QCoreApplication>

namespace corvane {

QString feedbackTypeTitle(FeedbackType type)
{
    switch (type) {
    case FeedbackType::bug:
        return QCoreApplication::translate("FeedbackType", "Bug Report");
    case FeedbackType::suggestion:
        return QCoreApplication::translate("FeedbackType", "Feature Suggestion");
    case FeedbackType::improvement:
        return QCoreApplication::translate("FeedbackType", "Improvement");
    case FeedbackType::other:
        return QCoreApplication::translate("FeedbackType", "Other");
    }
    return {};
}

QString feedbackTypeSymbol(FeedbackType type)
{
    switch (type) {
    case FeedbackType::bug:
        return QStringLiteral("tools-report-bug");
    case FeedbackType::suggestion:
        return QStringLiteral("help-hint");
    case FeedbackType::improvement:
        return QStringLiteral("go-up");
    case FeedbackType::other:
        return QStringLiteral("dialog-question");
    }
    return {};
}

QString feedbackTypeDescription(FeedbackType type)
{
    switch (type) {
    case FeedbackType::bug:
        return QCoreApplication::translate("FeedbackType",
                                           "Report a bug or issue you've encountered");
    case FeedbackType::suggestion:
        return QCoreApplication::translate("FeedbackType", "Suggest a new feature or enhancement");
    case FeedbackType::improvement:
        return QCoreApplication::translate("FeedbackType",
                                           "Suggest improvements to existing features");
    case FeedbackType::other:
        return QCoreApplication::translate("FeedbackType", "General feedback or questions");
    }
    return {};
}

QString feedbackTypePlaceholder(FeedbackType type)
{
    switch (type) {
    case FeedbackType::bug:
        return QCoreApplication::translate("FeedbackType", "Describe your bug report here…");
    case FeedbackType::suggestion:
        return QCoreApplication::translate("FeedbackType",
                                           "Describe your feature suggestion here…");
    case FeedbackType::improvement:
        return QCoreApplication::translate("FeedbackType", "Describe your improvement here…");
    case FeedbackType::other:
        return QCoreApplication::translate("FeedbackType", "Describe your other here…");
    }
    return {};
}

} // namespace corvane

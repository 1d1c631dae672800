// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/FeedbackType.h"

namespace corvane {

QString feedbackTypeTitle(FeedbackType type)
{
    switch (type) {
    case FeedbackType::bug:
        return QStringLiteral("Bug Report");
    case FeedbackType::suggestion:
        return QStringLiteral("Feature Suggestion");
    case FeedbackType::improvement:
        return QStringLiteral("Improvement");
    case FeedbackType::other:
        return QStringLiteral("Other");
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
        return QStringLiteral("Report a bug or issue you've encountered");
    case FeedbackType::suggestion:
        return QStringLiteral("Suggest a new feature or enhancement");
    case FeedbackType::improvement:
        return QStringLiteral("Suggest improvements to existing features");
    case FeedbackType::other:
        return QStringLiteral("General feedback or questions");
    }
    return {};
}

} // namespace corvane

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

namespace corvane {

// The kinds of feedback, in the order the picker lists them.
enum class FeedbackType { bug, suggestion, improvement, other };

inline constexpr std::array allFeedbackTypes{FeedbackType::bug, FeedbackType::suggestion,
                                             FeedbackType::improvement, FeedbackType::other};

// The title doubles as the type's text form ("Bug Report", ...).
QString feedbackTypeTitle(FeedbackType type);
QString feedbackTypeSymbol(FeedbackType type);
QString feedbackTypeDescription(FeedbackType type);
// What the text field shows while empty, asking for this kind of feedback.
QString feedbackTypePlaceholder(FeedbackType type);

} // namespace corvane

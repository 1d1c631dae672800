// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace corvane {

enum class LoginItemStatus { NotRegistered, Enabled, RequiresApproval, NotFound };

// Starting the application when the user logs in.
class LoginItems {
public:
    virtual ~LoginItems() = default;

    virtual LoginItemStatus status() const = 0;
    // False with a reason when the system refused.
    virtual bool registerItem(QString* error = nullptr) = 0;
    virtual bool unregisterItem(QString* error = nullptr) = 0;
};

} // namespace corvane

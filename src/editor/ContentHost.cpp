// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ContentHost.h"

#include <QWidget>

namespace corvane {

void ContentHost::set(QWidget* view)
{
    remove();
    view_ = view;
    if (!view_)
        return;
    view_->setParent(&host_);
    view_->setGeometry(host_.rect());
    view_->show();
}

void ContentHost::remove()
{
    if (!view_)
        return;
    QWidget* view = view_;
    view_ = nullptr;
    view->hide();
    view->setParent(nullptr);
    view->deleteLater();
}

void ContentHost::fit()
{
    if (view_)
        view_->setGeometry(host_.rect());
}

} // namespace corvane

// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/shell/messagepresenter.h"

#include <QMessageBox>

namespace hangardeck::gui {

void MessageBoxPresenter::showMessage(QWidget *parent, const QString &text)
{
    // A message before the window shows (the first start's welcome) has no parent: as the
    // child of a window not yet shown it would make that window's X window early, and the window
    // manager then at times never maps it when it is shown.
    QWidget *owner = parent && parent->isVisible() ? parent : nullptr;
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf16(ApplicationTitle), text, QMessageBox::Ok, owner);
    // Messages name folders and files from disk: a name is never taken for markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace hangardeck::gui

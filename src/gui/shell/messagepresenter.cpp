// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/shell/messagepresenter.h"

#include <QMessageBox>

namespace hangardeck::gui {

void MessageBoxPresenter::showMessage(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf16(ApplicationTitle), text, QMessageBox::Ok, parent);
    // Messages name folders and files from disk: a name is never taken for markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace hangardeck::gui

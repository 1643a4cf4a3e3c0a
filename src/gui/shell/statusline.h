// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_STATUSLINE_H
#define HANGARDECK_GUI_STATUSLINE_H

#include <QWidget>

#include <optional>

class QLabel;
class QProgressBar;

namespace hangardeck::gui {

class ClickableLabel;

// The line under the window's controls: the aircraft directory (Label3, a link back to the
// directory picker), the count of listed aircraft (Label5), and a progress bar over the
// count while a long scan runs.
class StatusLine final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StatusLine)

public:
    explicit StatusLine(QWidget *parent = nullptr);

    // Label3 shows the chosen aircraft directory.
    void setDirectory(const QString &path);
    // Label3: where the list was saved, "Target: /path/output.txt", and the note, if any, in
    // parentheses after it.
    void setTarget(const QString &path, const QString &note = {});
    // Label3: no program could be started for a file: "Target: /path/output.txt (no program
    // found to open it)" after a save of that file, else "No program found to open /path".
    void showOpenFailure(const QString &path);
    // Label5: "57 Aircraft listed", or "12 of 57 Aircraft listed" while a filter shows 12.
    void setCount(qsizetype rows, std::optional<qsizetype> shownRows = std::nullopt);

    // The progress bar over the count, repainted at once: folders read of all.
    void showProgress(int done, int total);
    void hideProgress();

    // Stretch mode hides both labels; leaving it shows them again.
    void setStretched(bool stretched);

Q_SIGNALS:
    // Label3 was clicked.
    void directoryClicked();

private:
    ClickableLabel *m_label3 = nullptr;
    QLabel *m_label5 = nullptr;
    QString m_targetText; // Label3 as the last save left it
    QProgressBar *m_progress = nullptr;
};

} // namespace hangardeck::gui

#endif

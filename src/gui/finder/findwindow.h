// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_FINDWINDOW_H
#define HANGARDECK_GUI_FINDWINDOW_H

#include <QWidget>

#include <filesystem>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace hangardeck::gui {

class DirectoryListBox;

// The search window (frmFind): pick a drive and a starting folder, "Search Now" lists the
// Aircraft folders of the user's Wine prefixes, then walks the tree below the folder for
// directories named like "Aircraft", and a double-click on one adopts it.
// It deletes itself when closed.
class FindWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FindWindow)

public:
    // Opens at the user's home directory.
    explicit FindWindow(QWidget *parent = nullptr);

    // The progress dots after one more directory searched: one more dot, back to one dot
    // before that when the label already holds more than 50.
    static QString nextDots(const QString &dots);

Q_SIGNALS:
    // A found directory was double-clicked: its path as listed and in native form.
    void directoryChosen(const QString &path, const std::filesystem::path &nativePath);
    // The window closed, by Cancel, its close box or an adopted directory.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void search();
    void adopt();

    QComboBox *m_drive1 = nullptr;
    DirectoryListBox *m_dir1 = nullptr;
    QLabel *m_label1 = nullptr;
    QLabel *m_label2 = nullptr;
    QPushButton *m_search = nullptr;
    QListWidget *m_list1 = nullptr;
    bool m_searching = false;
    bool m_closeRequested = false;
};

} // namespace hangardeck::gui

#endif

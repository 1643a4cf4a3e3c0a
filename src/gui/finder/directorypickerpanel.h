// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_DIRECTORYPICKERPANEL_H
#define HANGARDECK_GUI_DIRECTORYPICKERPANEL_H

#include "core/platform/directorylisting.h"

#include <QGroupBox>

#include <filesystem>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

namespace hangardeck::gui {

class DirectoryListBox;

// The panel where the user sets the aircraft directory by hand: a drive list (Drive1), the
// folder list whose path is the aircraft directory (Dir1), the path echo (Label8) and
// "Find Directory" (cmdFind).
class DirectoryPickerPanel final : public QGroupBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DirectoryPickerPanel)

public:
    explicit DirectoryPickerPanel(QWidget *parent = nullptr);

    // The aircraft directory: Dir1's current path.
    QString path() const;
    const std::filesystem::path &nativePath() const;

    // Moves Dir1 to a folder; false, and no change, when it does not exist.
    bool setPath(const QString &path);
    bool setNativePath(const std::filesystem::path &path);

    // Dir1 shows the sub-folders of its path as the caller has just listed them.
    void showSubfolders(std::vector<core::DirectoryEntry> subfolders);

Q_SIGNALS:
    // Dir1's path changed: opened by the user, a drive chosen, or set from code.
    void directoryChanged(const QString &path);
    // "Find Directory" was pressed.
    void findRequested();

private:
    void onDriveChosen(int index);
    void onPathChanged(const QString &path);
    void showDriveOf(const QString &path);

    QComboBox *m_drive1 = nullptr;
    DirectoryListBox *m_dir1 = nullptr;
    QLabel *m_label8 = nullptr;
    QPushButton *m_cmdFind = nullptr;
};

} // namespace hangardeck::gui

#endif

// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_DIRECTORYPICKERPANEL_H
#define HANGARDECK_GUI_DIRECTORYPICKERPANEL_H

#include <QGroupBox>

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

    DirectoryListBox *directoryList() const { return m_dir1; }
    QComboBox *driveList() const { return m_drive1; }
    QPushButton *findButton() const { return m_cmdFind; }

    // The roots the drive list offers: "/" first, then every mounted volume that is valid
    // and ready, each once.
    static QStringList driveRoots();

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

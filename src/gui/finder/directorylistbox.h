// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_DIRECTORYLISTBOX_H
#define HANGARDECK_GUI_DIRECTORYLISTBOX_H

#include <QListWidget>

#include <filesystem>
#include <vector>

namespace hangardeck::gui {

// A folder list in the manner of the classic directory list box: the folders above the
// current path, the current folder shown open, its sub-folders indented below it. A
// double-click opens a folder and changes the path; a single click only highlights.
class DirectoryListBox final : public QListWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DirectoryListBox)

public:
    // Opens at the process's current directory.
    explicit DirectoryListBox(QWidget *parent = nullptr);

    // The current path, without a trailing separator (except for the root).
    QString path() const;
    const std::filesystem::path &nativePath() const { return m_path; }

    // Moves to a folder; relative paths are taken from the current directory. Returns false
    // and changes nothing when the folder does not exist. pathChanged is emitted only when
    // the path really changes.
    bool setPath(const QString &path);
    bool setNativePath(const std::filesystem::path &path);

    // Re-reads the sub-folders of the current path from disk.
    void refresh();

    // The sub-folders of the current path, in the order the list shows them.
    int subfolderCount() const { return static_cast<int>(m_subfolders.size()); }
    const std::filesystem::path &subfolderPath(int index) const { return m_subfolders.at(index); }

Q_SIGNALS:
    void pathChanged(const QString &path);

private:
    void openItem(QListWidgetItem *item);

    std::filesystem::path m_path;
    std::vector<std::filesystem::path> m_itemPaths; // one per list row
    std::vector<std::filesystem::path> m_subfolders;
};

} // namespace hangardeck::gui

#endif

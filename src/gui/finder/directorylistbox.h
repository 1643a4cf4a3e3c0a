// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_DIRECTORYLISTBOX_H
#define HANGARDECK_GUI_DIRECTORYLISTBOX_H

#include "core/platform/directorylisting.h"

#include <QListView>

#include <filesystem>
#include <vector>

namespace hangardeck::gui {

class FolderListModel;

// A folder list in the manner of the classic directory list box: the folders above the
// current path, the current folder shown open, its sub-folders indented below it. A
// double-click opens a folder and changes the path; a single click only highlights. The
// sub-folders are listed once the list has been drawn, not when the path is set, so setting
// paths at start-up costs nothing however large the folder.
class DirectoryListBox final : public QListView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DirectoryListBox)

public:
    // Opens at the process's current directory.
    explicit DirectoryListBox(QWidget *parent = nullptr);
    ~DirectoryListBox() override;

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
    // Shows sub-folders of the current path that the caller has just listed.
    void showSubfolders(std::vector<core::DirectoryEntry> subfolders);

    // The sub-folders of the current path, in the order the list shows them.
    int subfolderCount();
    std::filesystem::path subfolderPath(int index);

    // The names the list shows, top to bottom.
    QStringList entryNames();

Q_SIGNALS:
    void pathChanged(const QString &path);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void ensureListed();
    void openRow(int row);

    FolderListModel *m_model = nullptr;
    std::filesystem::path m_path;
    std::vector<std::filesystem::path> m_ancestors; // root first, the current path last
    std::vector<core::DirectoryEntry> m_subfolders;
    bool m_listed = false;
    bool m_listingQueued = false;
};

} // namespace hangardeck::gui

#endif

// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "finder/directorylistbox.h"

#include "catalogue/cataloguescanner.h"
#include "platform/textdecoding.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

#include <system_error>

namespace hangardeck::gui {

namespace fs = std::filesystem;

namespace {

constexpr int IndentRole = Qt::UserRole + 1;
constexpr int IndentStepPixels = 10;

// Shifts each row right by its depth, so the tree reads as a staircase of folders.
class IndentDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem shifted = option;
        shifted.rect.setLeft(option.rect.left() + index.data(IndentRole).toInt() * IndentStepPixels);
        QStyledItemDelegate::paint(painter, shifted, index);
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.rwidth() += index.data(IndentRole).toInt() * IndentStepPixels;
        return size;
    }
};

// "/a/b/" and "/a/b" name the same folder; the list shows the form without the separator.
fs::path normalised(const fs::path &path)
{
    std::error_code error;
    fs::path absolute = fs::absolute(path, error);
    if (error) {
        absolute = path;
    }
    absolute = absolute.lexically_normal();
    if (absolute.has_relative_path() && !absolute.has_filename()) {
        absolute = absolute.parent_path();
    }
    return absolute;
}

QString displayName(const fs::path &path)
{
    const fs::path name = path.filename();
    return name.empty() ? core::decodeFileName(path.string()) : core::decodeFileName(name.string());
}

} // namespace

DirectoryListBox::DirectoryListBox(QWidget *parent)
    : QListWidget(parent)
{
    setItemDelegate(new IndentDelegate(this));
    setUniformItemSizes(true);
    std::error_code error;
    m_path = normalised(fs::current_path(error));
    refresh();
    connect(this, &QListWidget::itemDoubleClicked, this, &DirectoryListBox::openItem);
}

QString DirectoryListBox::path() const
{
    return core::decodeFileName(m_path.string());
}

bool DirectoryListBox::setPath(const QString &path)
{
    if (path.isEmpty()) {
        return false;
    }
    return setNativePath(fs::path(path.toStdU16String()));
}

bool DirectoryListBox::setNativePath(const fs::path &path)
{
    std::error_code error;
    if (path.empty() || !fs::is_directory(path, error)) {
        return false;
    }
    const fs::path target = normalised(path);
    if (target == m_path) {
        return true;
    }
    m_path = target;
    refresh();
    Q_EMIT pathChanged(this->path());
    return true;
}

void DirectoryListBox::refresh()
{
    m_subfolders = core::CatalogueScanner::subfolders(m_path);

    std::vector<fs::path> ancestors;
    for (fs::path p = m_path;; p = p.parent_path()) {
        ancestors.push_back(p);
        if (p == p.parent_path() || !p.has_relative_path()) {
            break;
        }
    }

    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);

    clear();
    m_itemPaths.clear();
    int depth = 0;
    QListWidgetItem *current = nullptr;
    for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it, ++depth) {
        auto *item = new QListWidgetItem(openIcon, displayName(*it), this);
        item->setData(IndentRole, depth);
        m_itemPaths.push_back(*it);
        current = item;
    }
    for (const fs::path &sub : m_subfolders) {
        auto *item = new QListWidgetItem(closedIcon, displayName(sub), this);
        item->setData(IndentRole, depth);
        m_itemPaths.push_back(sub);
    }
    // The open folder is highlighted, as the directory list box shows its current path.
    setCurrentItem(current);
}

void DirectoryListBox::openItem(QListWidgetItem *item)
{
    const int index = row(item);
    if (index >= 0 && index < static_cast<int>(m_itemPaths.size())) {
        // Copy: setNativePath rebuilds m_itemPaths.
        const fs::path target = m_itemPaths[static_cast<std::size_t>(index)];
        setNativePath(target);
    }
}

} // namespace hangardeck::gui

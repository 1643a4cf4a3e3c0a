// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/finder/directorylistbox.h"

#include "core/platform/nativepath.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>

#include <algorithm>
#include <functional>
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
    return core::fromNativePath(name.empty() ? path : name);
}

} // namespace

// The rows of the list: the ancestors down to the open folder, then its sub-folders, all
// taken from the list box's own vectors without a copy.
class FolderListModel final : public QAbstractListModel
{
public:
    FolderListModel(const std::vector<fs::path> &ancestors, const std::vector<core::DirectoryEntry> &subfolders,
                    QObject *parent)
        : QAbstractListModel(parent),
          m_ancestors(ancestors),
          m_subfolders(subfolders),
          m_openIcon(QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon)),
          m_closedIcon(QApplication::style()->standardIcon(QStyle::SP_DirClosedIcon))
    {
    }

    void reset(const std::function<void()> &change)
    {
        beginResetModel();
        change();
        endResetModel();
    }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_ancestors.size() + m_subfolders.size());
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= rowCount()) {
            return {};
        }
        const auto row = std::size_t(index.row());
        const bool isAncestor = row < m_ancestors.size();
        switch (role) {
        case Qt::DisplayRole:
            return isAncestor ? displayName(m_ancestors[row]) : m_subfolders[row - m_ancestors.size()].name;
        case Qt::DecorationRole:
            return isAncestor ? m_openIcon : m_closedIcon;
        case IndentRole:
            // Sub-folders stand one step below the open folder.
            return int(isAncestor ? row : m_ancestors.size());
        default:
            return {};
        }
    }

private:
    const std::vector<fs::path> &m_ancestors;
    const std::vector<core::DirectoryEntry> &m_subfolders;
    QIcon m_openIcon;
    QIcon m_closedIcon;
};

DirectoryListBox::DirectoryListBox(QWidget *parent)
    : QListView(parent)
{
    m_model = new FolderListModel(m_ancestors, m_subfolders, this);
    setModel(m_model);
    setItemDelegate(new IndentDelegate(this));
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    std::error_code error;
    setNativePath(fs::current_path(error));
    connect(this, &QListView::doubleClicked, this, [this](const QModelIndex &index) { openRow(index.row()); });
}

// The model refers to this list box's vectors, which go before QWidget deletes its children.
DirectoryListBox::~DirectoryListBox()
{
    setModel(nullptr);
    delete m_model;
}

QString DirectoryListBox::path() const
{
    return core::fromNativePath(m_path);
}

bool DirectoryListBox::setPath(const QString &path)
{
    if (path.isEmpty()) {
        return false;
    }
    return setNativePath(core::toNativePath(path));
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
    const bool first = m_path.empty();
    m_model->reset([&] {
        m_path = target;
        m_ancestors.clear();
        for (fs::path p = m_path;; p = p.parent_path()) {
            m_ancestors.push_back(p);
            if (p == p.parent_path() || !p.has_relative_path()) {
                break;
            }
        }
        std::reverse(m_ancestors.begin(), m_ancestors.end());
        m_subfolders.clear();
        m_listed = false;
    });
    // The open folder is highlighted, as the directory list box shows its current path.
    setCurrentIndex(m_model->index(int(m_ancestors.size()) - 1));
    if (isVisible()) {
        ensureListed();
    }
    if (!first) {
        Q_EMIT pathChanged(this->path());
    }
    return true;
}

void DirectoryListBox::refresh()
{
    m_listed = false;
    if (isVisible()) {
        ensureListed();
    }
}

void DirectoryListBox::showSubfolders(std::vector<core::DirectoryEntry> subfolders)
{
    const int current = currentIndex().row();
    m_model->reset([&] { m_subfolders = std::move(subfolders); });
    m_listed = true;
    setCurrentIndex(m_model->index(current));
}

void DirectoryListBox::ensureListed()
{
    if (!m_listed) {
        showSubfolders(core::listSubfolders(m_path));
    }
}

int DirectoryListBox::subfolderCount()
{
    ensureListed();
    return int(m_subfolders.size());
}

fs::path DirectoryListBox::subfolderPath(int index)
{
    ensureListed();
    return m_subfolders.at(std::size_t(index)).path();
}

QStringList DirectoryListBox::entryNames()
{
    ensureListed();
    QStringList names;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        names.append(m_model->index(row).data().toString());
    }
    return names;
}

void DirectoryListBox::paintEvent(QPaintEvent *event)
{
    QListView::paintEvent(event);
    // Listed once the window has been drawn: a folder of thousands of sub-folders must not
    // hold back the start-up.
    if (!m_listed && !m_listingQueued) {
        m_listingQueued = true;
        QTimer::singleShot(0, this, [this] {
            m_listingQueued = false;
            ensureListed();
        });
    }
}

void DirectoryListBox::openRow(int row)
{
    ensureListed();
    const auto index = std::size_t(row);
    if (index < m_ancestors.size()) {
        // Copy: moving rebuilds the vectors.
        const fs::path target = m_ancestors[index];
        setNativePath(target);
    } else if (index - m_ancestors.size() < m_subfolders.size()) {
        const fs::path target = m_subfolders[index - m_ancestors.size()].path();
        setNativePath(target);
    }
}

} // namespace hangardeck::gui

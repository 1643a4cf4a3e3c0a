// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/catalogue/fieldlistspanel.h"

#include "gui/catalogue/cataloguemodel.h"
#include "gui/shell/twips.h"

#include <QButtonGroup>
#include <QFrame>
#include <QItemSelectionModel>
#include <QListView>
#include <QRadioButton>

namespace hangardeck::gui {

namespace {

constexpr std::array<int, core::LeadFieldCount> ColumnLeftTwips{120, 2280, 4440, 6600};

} // namespace

FieldListsPanel::FieldListsPanel(CatalogueModel *model, QWidget *parent)
    : QGroupBox(parent)
{
    auto *shape1 = new QFrame(this);
    shape1->setObjectName(QStringLiteral("Shape1"));
    shape1->setFrameShape(QFrame::Box);
    shape1->setGeometry(twipsRect(120, 240, 8655, 615));

    const std::array<QString, core::LeadFieldCount> captions{QStringLiteral("ui_manufacturer"),
                                                             QStringLiteral("ui_type"), QStringLiteral("title"),
                                                             QStringLiteral("subdir")};
    auto *group = new QButtonGroup(this);
    for (int i = 0; i < core::LeadFieldCount; ++i) {
        auto *button = new QRadioButton(captions[std::size_t(i)], this);
        button->setObjectName(QStringLiteral("Option1_%1").arg(i));
        button->setToolTip(QStringLiteral("Select field to lead/sort by"));
        button->setGeometry(twipsRect(ColumnLeftTwips[std::size_t(i)] + 120, 360, 1935, 255));
        group->addButton(button, i);
        m_options[std::size_t(i)] = button;
        // clicked, not toggled: a click on the selected button is a choice too.
        connect(button, &QRadioButton::clicked, this,
                [this, i] { Q_EMIT leadFieldChosen(static_cast<core::LeadField>(i)); });
    }
    m_options[0]->setChecked(true);

    for (int i = 1; i < core::LeadFieldCount; ++i) {
        auto *line = new QFrame(this);
        line->setObjectName(QStringLiteral("Line%1").arg(i));
        line->setFrameShape(QFrame::VLine);
        line->setGeometry(twipsToPixels(ColumnLeftTwips[std::size_t(i)]), twipsToPixels(240), 1,
                          twipsToPixels(840 - 240));
    }

    const std::array<const char *, core::LeadFieldCount> names{"lstManuf", "lstAircraft", "lstTitles", "List1"};
    auto *shared = new QItemSelectionModel(model, this);
    for (int column = 0; column < core::LeadFieldCount; ++column) {
        auto *list = new QListView(this);
        list->setObjectName(QLatin1String(names[std::size_t(column)]));
        list->setGeometry(twipsRect(ColumnLeftTwips[std::size_t(column)], 600, 2175, 1230));
        list->setUniformItemSizes(true);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        // A pick selects the entry's whole row of the model, so every column shows it.
        list->setSelectionBehavior(QAbstractItemView::SelectRows);
        list->setModel(model);
        list->setModelColumn(column);
        QItemSelectionModel *own = list->selectionModel();
        list->setSelectionModel(shared);
        delete own;
        connect(list, &QListView::doubleClicked, this, &FieldListsPanel::itemDoubleClicked);
        m_lists[std::size_t(column)] = list;
    }
    // Each list brings the picked item into view, as a list box does when its index is set.
    connect(shared, &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex &current) {
        for (int column = 0; column < core::LeadFieldCount; ++column) {
            QListView *list = m_lists[std::size_t(column)];
            list->scrollTo(current.siblingAtColumn(column));
        }
    });
}

std::optional<core::LeadField> FieldListsPanel::selectedLeadField() const
{
    for (int i = 0; i < core::LeadFieldCount; ++i) {
        if (m_options[std::size_t(i)]->isChecked()) {
            return static_cast<core::LeadField>(i);
        }
    }
    return std::nullopt;
}

void FieldListsPanel::selectLeadField(core::LeadField field)
{
    QRadioButton *button = m_options[std::size_t(field)];
    if (!button->isChecked()) {
        button->setChecked(true);
        Q_EMIT leadFieldChosen(field);
    }
}

} // namespace hangardeck::gui

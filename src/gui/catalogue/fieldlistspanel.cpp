// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "catalogue/fieldlistspanel.h"

#include "shell/twips.h"

#include <QButtonGroup>
#include <QFrame>
#include <QListWidget>
#include <QRadioButton>

namespace hangardeck::gui {

namespace {

constexpr std::array<int, FieldListsPanel::LeadFieldCount> ColumnLeftTwips{120, 2280, 4440, 6600};

QListWidget *makeList(QWidget *parent, const char *objectName, int column)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(QLatin1String(objectName));
    list->setGeometry(twipsRect(ColumnLeftTwips[static_cast<std::size_t>(column)], 600, 2175, 1230));
    list->setUniformItemSizes(true);
    return list;
}

} // namespace

FieldListsPanel::FieldListsPanel(QWidget *parent)
    : QGroupBox(parent)
{
    auto *shape1 = new QFrame(this);
    shape1->setObjectName(QStringLiteral("Shape1"));
    shape1->setFrameShape(QFrame::Box);
    shape1->setGeometry(twipsRect(120, 240, 8655, 615));

    const std::array<QString, LeadFieldCount> captions{QStringLiteral("ui_manufacturer"), QStringLiteral("ui_type"),
                                                       QStringLiteral("title"), QStringLiteral("subdir")};
    auto *group = new QButtonGroup(this);
    for (int i = 0; i < LeadFieldCount; ++i) {
        auto *button = new QRadioButton(captions[static_cast<std::size_t>(i)], this);
        button->setObjectName(QStringLiteral("Option1_%1").arg(i));
        button->setToolTip(QStringLiteral("Select field to lead/sort by"));
        button->setGeometry(twipsRect(ColumnLeftTwips[static_cast<std::size_t>(i)] + 120, 360, 1935, 255));
        group->addButton(button, i);
        m_options[static_cast<std::size_t>(i)] = button;
        // clicked, not toggled: a click on the selected button is a choice too.
        connect(button, &QRadioButton::clicked, this, [this, i] { Q_EMIT leadFieldChosen(i); });
    }
    m_options[0]->setChecked(true);

    for (int i = 1; i < LeadFieldCount; ++i) {
        auto *line = new QFrame(this);
        line->setObjectName(QStringLiteral("Line%1").arg(i));
        line->setFrameShape(QFrame::VLine);
        line->setGeometry(twipsToPixels(ColumnLeftTwips[static_cast<std::size_t>(i)]), twipsToPixels(240), 1,
                          twipsToPixels(840 - 240));
    }

    m_lstManuf = makeList(this, "lstManuf", 0);
    m_lstAircraft = makeList(this, "lstAircraft", 1);
    m_lstTitles = makeList(this, "lstTitles", 2);
    m_list1 = makeList(this, "List1", 3);
}

std::optional<int> FieldListsPanel::selectedLeadField() const
{
    for (int i = 0; i < LeadFieldCount; ++i) {
        if (m_options[static_cast<std::size_t>(i)]->isChecked()) {
            return i;
        }
    }
    return std::nullopt;
}

void FieldListsPanel::selectLeadField(int index)
{
    if (index < 0 || index >= LeadFieldCount) {
        return;
    }
    QRadioButton *button = m_options[static_cast<std::size_t>(index)];
    if (!button->isChecked()) {
        button->setChecked(true);
        Q_EMIT leadFieldChosen(index);
    }
}

} // namespace hangardeck::gui

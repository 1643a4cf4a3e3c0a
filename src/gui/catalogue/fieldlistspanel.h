// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_FIELDLISTSPANEL_H
#define HANGARDECK_GUI_FIELDLISTSPANEL_H

#include "core/catalogue/leadfield.h"

#include <QGroupBox>

#include <array>
#include <optional>

class QListView;
class QRadioButton;

namespace hangardeck::gui {

class CatalogueModel;

// The field lists panel: the four lead-field buttons Option1(0..3) above the lists
// lstManuf, lstAircraft, lstTitles and List1, four columns of the catalogue in scan order.
// The lists share one selection, so an item picked in one is picked in all four.
class FieldListsPanel final : public QGroupBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FieldListsPanel)

public:
    explicit FieldListsPanel(CatalogueModel *model, QWidget *parent = nullptr);

    // The first selected lead-field button, examined from 0 to 3; nullopt when none is.
    std::optional<core::LeadField> selectedLeadField() const;

    // Selects a button from code; leadFieldChosen follows only when the selection changes.
    void selectLeadField(core::LeadField field);

Q_SIGNALS:
    // A button was chosen, by a click (even on the selected one) or from code.
    void leadFieldChosen(core::LeadField field);
    // An item of one of the four lists was double-clicked.
    void itemDoubleClicked();

private:
    std::array<QRadioButton *, core::LeadFieldCount> m_options{};
    std::array<QListView *, core::LeadFieldCount> m_lists{};
};

} // namespace hangardeck::gui

#endif

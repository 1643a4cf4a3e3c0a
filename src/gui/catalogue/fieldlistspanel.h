// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_FIELDLISTSPANEL_H
#define HANGARDECK_GUI_FIELDLISTSPANEL_H

#include <QGroupBox>

#include <array>
#include <optional>

class QListWidget;
class QRadioButton;

namespace hangardeck::gui {

// The field lists panel: the four lead-field buttons Option1(0..3) above the lists
// lstManuf, lstAircraft, lstTitles and List1, which hold the scan's values in scan order.
class FieldListsPanel final : public QGroupBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FieldListsPanel)

public:
    static constexpr int LeadFieldCount = 4;

    explicit FieldListsPanel(QWidget *parent = nullptr);

    // The first selected lead-field button, examined from 0 to 3; nullopt when none is.
    std::optional<int> selectedLeadField() const;

    // Selects a button from code; leadFieldChosen follows only when the selection changes.
    void selectLeadField(int index);

    QRadioButton *leadFieldButton(int index) const { return m_options.at(static_cast<std::size_t>(index)); }
    QListWidget *manufacturerList() const { return m_lstManuf; }
    QListWidget *typeList() const { return m_lstAircraft; }
    QListWidget *titleList() const { return m_lstTitles; }
    QListWidget *subdirList() const { return m_list1; }

Q_SIGNALS:
    // A button was chosen, by a click (even on the selected one) or from code.
    void leadFieldChosen(int index);

private:
    std::array<QRadioButton *, LeadFieldCount> m_options{};
    QListWidget *m_lstManuf = nullptr;
    QListWidget *m_lstAircraft = nullptr;
    QListWidget *m_lstTitles = nullptr;
    QListWidget *m_list1 = nullptr;
};

} // namespace hangardeck::gui

#endif

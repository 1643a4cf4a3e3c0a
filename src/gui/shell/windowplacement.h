// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_WINDOWPLACEMENT_H
#define HANGARDECK_GUI_WINDOWPLACEMENT_H

#include "core/settings/storedsettings.h"
#include "core/settings/windowgeometry.h"

#include <QElapsedTimer>
#include <QMargins>
#include <QObject>
#include <QRect>
#include <QSize>
#include <QTimer>

#include <optional>

class QWidget;

namespace hangardeck::gui {

// Places the main window by its outer frame, title bar and borders included, the way the
// settings file stores it. A window manager reports the frame only some time after the
// window is first shown, so a stored outer size is applied in two steps: at once with the
// frame known then (none before the first show), and again once the frame is reported.
class WindowPlacement final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WindowPlacement)

public:
    // How long to wait for a window manager to report the frame before taking it as none.
    static constexpr int FrameWaitMs = 1000;

    explicit WindowPlacement(QWidget *window);

    // Start-up of a first run: the window at its current (design) size, its outer frame
    // centred on the screen.
    void placeCentred();

    // Start-up: the stored outer geometry. A coordinate that is nullopt, beyond what the
    // window system holds, or a size of zero or less, keeps what centring gave.
    void restore(const core::StoredSettings &stored);

    // Centres the outer frame now, at its current size ("Set Default Settings").
    void centreNow();

    // The outer frame in twips, as the settings file keeps it; before the frame is known, the
    // outer frame the window is meant to have.
    core::WindowGeometryTwips outerGeometryTwips() const;

Q_SIGNALS:
    // The window stands at its start-up place with its frame known.
    void placed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QRect target() const;
    void apply();
    void checkFrame();
    void finish();
    QMargins frameMargins() const;
    QRect outerRect() const;
    QPoint centredOn(const QSize &outer) const;
    void placeFrame(const QPoint &outerTopLeft, const QSize &inner);

    QWidget *m_window = nullptr;
    bool m_centre = false;
    QSize m_designSize; // the window's own size before any stored size
    std::optional<int> m_left;
    std::optional<int> m_top;
    std::optional<int> m_outerWidth;
    std::optional<int> m_outerHeight;
    bool m_placed = false;
    bool m_shown = false;
    QTimer m_poll;
    QElapsedTimer m_waited;
    std::optional<QRect> m_target;   // the outer frame wanted, once the frame is known
    std::optional<QRect> m_intended; // the best knowledge of it before then
    int m_placements = 0;
    QElapsedTimer m_settling;
    int m_stablePolls = 0;
};

} // namespace hangardeck::gui

#endif

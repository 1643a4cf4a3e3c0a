// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/shell/windowplacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace hangardeck::gui {

namespace {

constexpr int FramePollMs = 10;
// The place must hold this many polls in a row, and is insisted on for at most this long.
constexpr int StablePolls = 5;
constexpr int SettleMs = 1000;
constexpr int MaxPlacements = 5;

// Platforms without a window manager never report a frame: there is nothing to wait for.
bool framesAreReported()
{
    const QString platform = QGuiApplication::platformName();
    return platform != u"offscreen" && platform != u"minimal";
}

} // namespace

WindowPlacement::WindowPlacement(QWidget *window)
    : QObject(window),
      m_window(window)
{
    m_poll.setInterval(FramePollMs);
    connect(&m_poll, &QTimer::timeout, this, &WindowPlacement::checkFrame);
    m_window->installEventFilter(this);
}

void WindowPlacement::placeCentred()
{
    m_centre = true;
    m_designSize = m_window->size();
    m_left.reset();
    m_top.reset();
    m_outerWidth.reset();
    m_outerHeight.reset();
    apply();
    m_intended = target();
    if (!framesAreReported()) {
        finish();
    }
}

void WindowPlacement::restore(const core::StoredSettings &stored)
{
    m_centre = true;
    m_designSize = m_window->size();
    m_top = core::pixelsFromTwips(stored.topTwips);
    m_left = core::pixelsFromTwips(stored.leftTwips);
    // A size the window cannot take (none at all, or a negative one) is refused.
    const auto size = [](std::optional<float> twips) -> std::optional<int> {
        const std::optional<int> pixels = core::pixelsFromTwips(twips);
        return pixels && *pixels > 0 ? pixels : std::nullopt;
    };
    m_outerHeight = size(stored.heightTwips);
    m_outerWidth = size(stored.widthTwips);
    apply();
    m_intended = target();
    if (!framesAreReported()) {
        finish();
    }
}

QMargins WindowPlacement::frameMargins() const
{
    const QWindow *handle = m_window->windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

QRect WindowPlacement::outerRect() const
{
    // Computed from the client rectangle: right after the frame is reported, the frame's
    // own position can still be the client's.
    return m_window->geometry().marginsAdded(frameMargins());
}

// Sizes first, then the place: centring needs the outer size.
QRect WindowPlacement::target() const
{
    const QMargins margins = frameMargins();
    const QSize extra(margins.left() + margins.right(), margins.top() + margins.bottom());
    QSize outer = m_window->size() + extra;
    if (m_outerWidth) {
        outer.setWidth(std::max(extra.width() + 1, *m_outerWidth));
    }
    if (m_outerHeight) {
        outer.setHeight(std::max(extra.height() + 1, *m_outerHeight));
    }

    QPoint position = outerRect().topLeft();
    if (m_centre) {
        // Centred at the design size, as start-up centres before it restores a stored size.
        position = centredOn(m_designSize + extra);
    }
    if (m_left) {
        position.setX(*m_left);
    }
    if (m_top) {
        position.setY(*m_top);
    }
    return {position, outer};
}

void WindowPlacement::apply()
{
    const QRect outer = target();
    placeFrame(outer.topLeft(), outer.size().shrunkBy(frameMargins()));
}

QPoint WindowPlacement::centredOn(const QSize &outer) const
{
    const QScreen *screen = m_window->screen() ? m_window->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect();
    const core::WindowGeometryTwips centred =
        core::centredGeometry(core::twipsFromPixels(area.height()), core::twipsFromPixels(area.width()),
                              core::twipsFromPixels(outer.height()), core::twipsFromPixels(outer.width()));
    return {core::pixelsFromTwips(centred.left).value_or(0), core::pixelsFromTwips(centred.top).value_or(0)};
}

void WindowPlacement::placeFrame(const QPoint &outerTopLeft, const QSize &inner)
{
    const QMargins margins = frameMargins();
    if (margins.isNull()) {
        // No frame yet: move() places what will be the frame's corner once the window
        // manager adds one.
        m_window->resize(inner);
        m_window->move(outerTopLeft);
    } else {
        // The client rectangle is placed exactly; window managers differ in how they take
        // a frame position for a mapped window.
        m_window->setGeometry(QRect(outerTopLeft + QPoint(margins.left(), margins.top()), inner));
    }
}

bool WindowPlacement::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Show && !m_shown) {
        m_shown = true;
        if (!frameMargins().isNull()) {
            // A platform that knows the frame as soon as the window exists.
            apply();
            finish();
        } else if (!m_placed) {
            m_waited.start();
            m_poll.start();
        }
    }
    return QObject::eventFilter(watched, event);
}

// Once the frame is known the window is placed, then watched until it stays there: a window
// manager may still be placing a newly mapped window by its own rules and override the place.
void WindowPlacement::checkFrame()
{
    if (frameMargins().isNull()) {
        if (m_waited.elapsed() >= FrameWaitMs) {
            finish();
        }
        return;
    }
    if (!m_target) {
        m_target = target();
        m_intended = m_target;
        m_settling.start();
    } else if (outerRect() == *m_target) {
        if (++m_stablePolls >= StablePolls) {
            finish();
        }
        return;
    } else if (m_settling.elapsed() >= SettleMs || m_placements >= MaxPlacements) {
        // The window manager holds the window elsewhere (a screen too small for it, say).
        finish();
        return;
    }
    m_stablePolls = 0;
    ++m_placements;
    placeFrame(m_target->topLeft(), m_target->size().shrunkBy(frameMargins()));
}

void WindowPlacement::finish()
{
    m_poll.stop();
    if (!m_placed) {
        m_placed = true;
        Q_EMIT placed();
    }
}

void WindowPlacement::centreNow()
{
    finish();
    placeFrame(centredOn(outerRect().size()), m_window->size());
}

core::WindowGeometryTwips WindowPlacement::outerGeometryTwips() const
{
    // Until the frame is known the window's own rectangle lacks it: the place meant is the
    // truer answer.
    const QRect frame = !m_placed && m_intended ? *m_intended : outerRect();
    core::WindowGeometryTwips geometry;
    geometry.top = core::twipsFromPixels(frame.y());
    geometry.left = core::twipsFromPixels(frame.x());
    geometry.height = core::twipsFromPixels(frame.height());
    geometry.width = core::twipsFromPixels(frame.width());
    return geometry;
}

} // namespace hangardeck::gui

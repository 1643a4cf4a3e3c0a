// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "cli/findoutput.h"

#include "cli/pathline.h"
#include "core/finder/directorysearch.h"
#include "core/finder/prefixsearch.h"
#include "core/platform/nativepath.h"
#include "core/platform/outputfile.h"
#include "core/platform/system.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <chrono>
#include <cstdio>

namespace hangardeck::cli {

namespace {

// The progress line on stderr: drawn once a search has passed 256 directories, so a short
// one leaves no trace, then redrawn ten times a second at most.
class ProgressLine final
{
public:
    explicit ProgressLine(bool enabled)
        : m_enabled(enabled)
    {
    }
    ~ProgressLine() { clear(); }
    ProgressLine(const ProgressLine &) = delete;
    ProgressLine &operator=(const ProgressLine &) = delete;

    void searched()
    {
        ++m_searched;
        // The clock is read every 256 directories only: a search counts hundreds of thousands.
        if (!m_enabled || (m_searched & 0xFF) != 0) {
            return;
        }
        const auto now = Clock::now();
        if (m_drawn && now - m_lastDrawn < Redraw) {
            return;
        }
        m_lastDrawn = now;
        m_drawn = true;
        std::fprintf(stderr, "\r%zu directories searched", m_searched);
        std::fflush(stderr);
    }

    void clear()
    {
        if (m_drawn) {
            std::fputs("\r\x1b[K", stderr);
            std::fflush(stderr);
            m_drawn = false;
        }
    }

private:
    using Clock = std::chrono::steady_clock;
    static constexpr auto Redraw = std::chrono::milliseconds(100);

    bool m_enabled = false;
    bool m_drawn = false;
    std::size_t m_searched = 0;
    Clock::time_point m_lastDrawn;
};

} // namespace

FindOutcome runFind(const FindOptions &options)
{
    FindOutcome outcome;
    core::OutputFile target{std::filesystem::path()};
    if (!target.open()) {
        return {0, false, target.errorText()};
    }
    // A person watching a terminal sees each find at once; a pipe gets large writes.
    const bool lineByLine = core::isTerminal(1);
    constexpr qsizetype Chunk = 64 * 1024;
    QByteArray pending;
    QJsonArray json;
    ProgressLine progress(core::isTerminal(2));

    core::DirectorySearchCallbacks callbacks;
    callbacks.found = [&](const std::filesystem::path &path) {
        ++outcome.found;
        if (options.format == FindFormat::Json) {
            json.append(QJsonObject{{QStringLiteral("name"), core::fromNativePath(path.filename())},
                                    {QStringLiteral("path"), core::fromNativePath(path)}});
            return;
        }
        appendPathLine(pending, path);
        if (lineByLine || pending.size() >= Chunk) {
            progress.clear();
            outcome.written = outcome.written && target.write(pending);
            pending.clear();
        }
    };
    // A failed stdout ends the search: nobody reads what it would find.
    callbacks.searched = [&] {
        progress.searched();
        return outcome.written;
    };
    if (options.prefixes) {
        for (const std::filesystem::path &found : core::findPrefixAircraftDirectories(core::prefixPlacesOfThisUser())) {
            callbacks.found(found);
        }
    } else {
        core::searchAircraftDirectories(options.start, callbacks);
    }
    progress.clear();

    if (options.format == FindFormat::Json) {
        pending = QJsonDocument(json).toJson(QJsonDocument::Indented);
    }
    if (!outcome.written || !target.write(pending) || !target.finish()) {
        outcome.written = false;
        outcome.errorText = target.errorText();
    }
    return outcome;
}

} // namespace hangardeck::cli

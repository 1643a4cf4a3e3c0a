// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_FINDINGSTORE_H
#define HANGARDECK_GUI_FINDINGSTORE_H

#include "core/check/collectioncheck.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <array>
#include <deque>
#include <filesystem>
#include <vector>

namespace hangardeck::gui {

// A check's findings in report order, held compactly: a large collection gives more than a
// million, so each is a record of a few bytes with its message as UTF-8 in large shared
// buffers, and the folder and section texts are kept once. A batch is filled on the
// check's thread and then appended whole to the window's store.
class FindingStore final
{
public:
    // Adds a finding after the others.
    void add(const core::Finding &finding);
    // Appends every finding of another store, which is left empty.
    void append(FindingStore &&batch);

    qsizetype size() const { return qsizetype(m_records.size()); }
    bool isEmpty() const { return m_records.empty(); }

    core::FindingKind kind(qsizetype i) const { return core::FindingKind(m_records[size_t(i)].kind); }
    // "\b747", empty for a finding about the whole collection.
    const QString &folder(qsizetype i) const { return m_folders[m_records[size_t(i)].folder].text; }
    const QString &section(qsizetype i) const { return m_sections[m_records[size_t(i)].section]; }
    QString message(qsizetype i) const;
    // The variations a collection finding names; empty for the others.
    const std::vector<core::FindingCarrier> &carriers(qsizetype i) const;
    // The folder's name on disk.
    const std::filesystem::path::string_type &folderName(qsizetype i) const
    {
        return m_folders[m_records[size_t(i)].folder].name;
    }
    // The finding as the check reported it.
    core::Finding finding(qsizetype i) const;

    // Whether the finding's kind, folder, section or message holds the text, without regard to
    // case. Prepare the text once with needle().
    class Needle;
    bool contains(qsizetype i, const Needle &needle) const;

private:
    struct Record {
        quint32 folder;
        quint32 chunk;
        quint32 offset;
        quint32 size;
        qint32 carriers; // -1: none
        quint16 section;
        quint8 kind;
    };
    struct Folder {
        QString text;
        std::filesystem::path::string_type name;
    };

    quint32 folderIndex(const QString &text, const std::filesystem::path::string_type &name);
    quint16 sectionIndex(const QString &section);

    std::deque<Record> m_records; // a deque grows without copying what it holds
    std::vector<Folder> m_folders;
    std::vector<QString> m_sections;
    QHash<QString, quint16> m_sectionIndexes;
    std::vector<QByteArray> m_chunks;
    std::vector<std::vector<core::FindingCarrier>> m_carriers;
};

// A filter text prepared for FindingStore::contains.
class FindingStore::Needle final
{
public:
    explicit Needle(const QString &text);

    bool isEmpty() const { return m_text.isEmpty(); }
    bool matches(const QString &text) const { return text.contains(m_text, Qt::CaseInsensitive); }
    // The same for UTF-8 text.
    bool matchesUtf8(QByteArrayView text) const;
    bool matchesKind(core::FindingKind kind) const { return m_kinds[size_t(kind)]; }

private:
    QString m_text;
    QByteArray m_ascii; // the text when it is ASCII, which is then matched on the bytes themselves
    std::array<bool, core::FindingKindCount> m_kinds{};
};

} // namespace hangardeck::gui

#endif

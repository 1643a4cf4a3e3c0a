// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/check/findingstore.h"

#include <QLatin1StringView>
#include <QStringEncoder>

#include <algorithm>

namespace hangardeck::gui {

namespace {

// Message text is kept in buffers of about this size: few allocations, little left unused.
constexpr qsizetype ChunkBytes = 4 * 1024 * 1024;

const std::vector<core::FindingCarrier> NoCarriers;

bool isAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

} // namespace

quint32 FindingStore::folderIndex(const QString &text, const std::filesystem::path::string_type &name)
{
    // Findings come folder by folder: the last folder is nearly always the one.
    if (m_folders.empty() || m_folders.back().text != text || m_folders.back().name != name) {
        m_folders.push_back({text, name});
    }
    return quint32(m_folders.size() - 1);
}

quint16 FindingStore::sectionIndex(const QString &section)
{
    const auto found = m_sectionIndexes.constFind(section);
    if (found != m_sectionIndexes.constEnd()) {
        return *found;
    }
    const auto index = quint16(m_sections.size());
    m_sections.push_back(section);
    m_sectionIndexes.insert(section, index);
    return index;
}

void FindingStore::add(const core::Finding &finding)
{
    // Encoded straight into the buffer, which has room for the most it can take (three bytes a
    // UTF-16 unit): no text in between, no allocation a finding.
    const qsizetype most = finding.message.size() * 3;
    if (m_chunks.empty() || m_chunks.back().capacity() - m_chunks.back().size() < most) {
        m_chunks.emplace_back();
        m_chunks.back().reserve(std::max(ChunkBytes, most));
    }
    QByteArray &chunk = m_chunks.back();
    const qsizetype at = chunk.size();
    chunk.resize(at + most); // within the capacity: nothing moves
    QStringEncoder encoder(QStringEncoder::Utf8);
    chunk.resize(encoder.appendToBuffer(chunk.data() + at, finding.message) - chunk.constData());
    Record record{folderIndex(finding.folder, finding.folderName),
                  quint32(m_chunks.size() - 1),
                  quint32(at),
                  quint32(chunk.size() - at),
                  -1,
                  sectionIndex(finding.section),
                  quint8(finding.kind)};
    if (!finding.carriers.empty()) {
        record.carriers = qint32(m_carriers.size());
        m_carriers.push_back(finding.carriers);
    }
    m_records.push_back(record);
}

void FindingStore::append(FindingStore &&batch)
{
    if (batch.isEmpty()) {
        return;
    }
    // The batch's text joins the last buffer when it fits there, else comes over as it is.
    std::vector<quint32> chunkAt(batch.m_chunks.size());
    std::vector<quint32> offsetBy(batch.m_chunks.size(), 0);
    for (size_t c = 0; c < batch.m_chunks.size(); ++c) {
        QByteArray &text = batch.m_chunks[c];
        if (!m_chunks.empty() && m_chunks.back().size() + text.size() <= m_chunks.back().capacity()) {
            chunkAt[c] = quint32(m_chunks.size() - 1);
            offsetBy[c] = quint32(m_chunks.back().size());
            m_chunks.back().append(text);
        } else {
            if (text.capacity() > ChunkBytes && text.capacity() > 2 * text.size()) {
                text.squeeze();
            }
            chunkAt[c] = quint32(m_chunks.size());
            m_chunks.push_back(std::move(text));
        }
    }
    std::vector<quint32> folderAt(batch.m_folders.size());
    for (size_t f = 0; f < batch.m_folders.size(); ++f) {
        folderAt[f] = folderIndex(batch.m_folders[f].text, batch.m_folders[f].name);
    }
    std::vector<quint16> sectionAt(batch.m_sections.size());
    for (size_t s = 0; s < batch.m_sections.size(); ++s) {
        sectionAt[s] = sectionIndex(batch.m_sections[s]);
    }
    for (Record record : batch.m_records) {
        record.offset += offsetBy[record.chunk];
        record.chunk = chunkAt[record.chunk];
        record.folder = folderAt[record.folder];
        record.section = sectionAt[record.section];
        if (record.carriers >= 0) {
            const auto index = qint32(m_carriers.size());
            m_carriers.push_back(std::move(batch.m_carriers[size_t(record.carriers)]));
            record.carriers = index;
        }
        m_records.push_back(record);
    }
    batch = FindingStore();
}

QString FindingStore::message(qsizetype i) const
{
    const Record &record = m_records[size_t(i)];
    return QString::fromUtf8(m_chunks[record.chunk].constData() + record.offset, record.size);
}

const std::vector<core::FindingCarrier> &FindingStore::carriers(qsizetype i) const
{
    const qint32 index = m_records[size_t(i)].carriers;
    return index < 0 ? NoCarriers : m_carriers[size_t(index)];
}

core::Finding FindingStore::finding(qsizetype i) const
{
    core::Finding finding(folder(i), section(i), kind(i), message(i), carriers(i));
    finding.folderName = folderName(i);
    return finding;
}

bool FindingStore::contains(qsizetype i, const Needle &needle) const
{
    const Record &record = m_records[size_t(i)];
    return needle.matchesKind(kind(i)) || needle.matches(m_folders[record.folder].text)
           || needle.matches(m_sections[record.section])
           || needle.matchesUtf8(QByteArrayView(m_chunks[record.chunk].constData() + record.offset, record.size));
}

FindingStore::Needle::Needle(const QString &text)
    : m_text(text)
{
    if (isAscii(text)) {
        m_ascii = text.toLatin1();
    }
    for (int k = 0; k < core::FindingKindCount; ++k) {
        m_kinds[size_t(k)] = matches(core::findingKindName(core::FindingKind(k)));
    }
}

bool FindingStore::Needle::matchesUtf8(QByteArrayView text) const
{
    if (!m_ascii.isEmpty()) {
        // An ASCII text can only match ASCII bytes, and Latin-1 folding never maps a byte of a
        // UTF-8 sequence onto one: the bytes are searched as they are, without decoding.
        return QLatin1StringView(text.data(), text.size())
            .contains(QLatin1StringView(m_ascii.data(), m_ascii.size()), Qt::CaseInsensitive);
    }
    return QString::fromUtf8(text).contains(m_text, Qt::CaseInsensitive);
}

} // namespace hangardeck::gui

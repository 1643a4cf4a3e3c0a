// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
// The profile reader: every lookup (one key, several at once, raw, aircraft and settings
// readers, from bytes and from a file) and the end-of-entries scan against a line-by-line
// reading of the same bytes, for the names the file holds, their case and space variants
// and names it lacks.
#include "core/catalogue/aircraftfolder.h"
#include "core/platform/profile.h"
#include "reference.h"

#include <cstdint>
#include <fstream>

using namespace hangardeck::core;
using namespace hangardeck::fuzz;

namespace {

QByteArray upper(QByteArray name)
{
    for (char &c : name) {
        c = (c >= 'a' && c <= 'z') ? char(c - 32) : c;
    }
    return name;
}

std::optional<QString> aircraftReading(const std::optional<QString> &value)
{
    return value && codePoints(*value) >= 2 ? value : std::nullopt;
}

// Batch lookups for every key; one-key lookups (a pass over the section each) for the first few.
void checkSection(const Profile &profile, const IniFile &ini, const QByteArray &section,
                  const std::vector<QByteArray> &keys, size_t singleLookups)
{
    std::vector<QByteArrayView> views(keys.begin(), keys.end());
    std::vector<std::optional<QString>> values(keys.size());
    std::vector<std::optional<QString>> aircraft(keys.size());
    std::vector<std::optional<QByteArrayView>> raws(keys.size());
    profile.values(section, views, values);
    profile.aircraftValues(section, views, aircraft);
    profile.rawValues(section, views, raws);

    const QString sectionText = QString::fromUtf8(section);
    for (size_t k = 0; k < keys.size(); ++k) {
        const std::optional<QString> want = ini.value(section, keys[k]);
        checkEqual(values[k], want, "values: one pass over a section");
        checkEqual(aircraft[k], aircraftReading(want), "aircraftValues");
        const std::optional<QByteArray> raw = ini.raw(section, keys[k]);
        check(raws[k].has_value() == raw.has_value() && (!raw || *raws[k] == *raw), "rawValues: bytes as they stand");
        if (k >= singleLookups) {
            continue;
        }
        checkEqual(profile.value(section, keys[k]), want, "value by bytes");
        checkEqual(profile.aircraftValue(section, keys[k]), aircraftReading(want), "aircraftValue");

        // Names given as text reach the file as UTF-8.
        const QString keyText = QString::fromUtf8(keys[k]);
        const std::optional<QString> wantText = ini.value(sectionText.toUtf8(), keyText.toUtf8());
        checkEqual(profile.value(sectionText, keyText), wantText, "value by text");
        checkEqual(profile.settingsValue(sectionText, keyText), wantText.value_or(QString()), "settingsValue");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray file(reinterpret_cast<const char *>(data), qsizetype(size));
    const Profile profile = Profile::fromBytes(file);
    const IniFile ini = IniFile::parse(file);
    check(profile.isLoaded(), "bytes always load");

    const std::vector<QByteArrayView> names = profile.sectionNames();
    check(names.size() == ini.sections.size(), "sectionNames: one per header line");
    for (size_t i = 0; i < names.size(); ++i) {
        check(names[i] == ini.sections[i].name, "sectionNames: in file order, as compared");
    }

    const std::vector<QByteArray> absentKeys = {"title", "nosuchkey", ""};
    checkSection(profile, ini, "nosuchsection", absentKeys, 1);
    checkSection(profile, ini, "fltsim.0", absentKeys, 3);
    for (size_t i = 0; i < std::min<size_t>(ini.sections.size(), 8); ++i) {
        const IniFile::Section &section = ini.sections[i];
        std::vector<QByteArray> keys = absentKeys;
        for (size_t k = 0; k < std::min<size_t>(section.keys.size(), 8); ++k) {
            keys.push_back(section.keys[k].name);
        }
        if (!section.keys.empty()) {
            keys.push_back(upper(section.keys.front().name));
            keys.push_back("  " + section.keys.back().name + " ");
            keys.push_back('\t' + section.keys.back().name); // a tab in a name argument counts
        }
        checkSection(profile, ini, section.name, keys, 6);
        checkSection(profile, ini, " " + upper(section.name) + "  ", keys, 2);
    }

    // The same bytes read from a file, and the end of its entries: the first [fltsim.k] of
    // 0 to 32 whose title has fewer than two characters or is missing.
    const std::filesystem::path path = scratchFolder() / "aircraft.cfg";
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(file.constData(), file.size());
    const Profile read = Profile::fromFile(path);
    check(read.sectionNames().size() == names.size(), "fromFile reads what fromBytes reads");
    for (size_t i = 0; i < std::min<size_t>(ini.sections.size(), 4); ++i) {
        const IniFile::Section &section = ini.sections[i];
        for (size_t k = 0; k < std::min<size_t>(section.keys.size(), 4); ++k) {
            checkEqual(read.value(section.name, section.keys[k].name),
                       profile.value(section.name, section.keys[k].name), "fromFile reads what fromBytes reads");
        }
    }
    int end = 0;
    while (end <= 32 && aircraftReading(ini.value(QByteArray("fltsim." + QByteArray::number(end)), "title"))) {
        ++end;
    }
    check(endOfEntries(Profile::fromFile(path)) == end, "endOfEntries: the first fltsim of 0 to 32 without a title");
    return 0;
}

// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
// The profile writer on any existing file: after writing keys of one section, each written
// key reads back as written (a line break as a space, cut as every lookup is), every other
// key and every section reads back exactly as before, and a new section comes last.
#include "core/platform/profile.h"
#include "core/platform/profilewriter.h"
#include "core/platform/textdecoding.h"
#include "reference.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <fstream>

using namespace hangardeck::core;
using namespace hangardeck::fuzz;

namespace {

// A name the program itself would write: letters, digits, '.', '_', '-', inner spaces and a
// non-ASCII letter; no tabs, brackets, '=' or line breaks, which the writer leaves to callers.
QString madeName(FuzzedDataProvider &input)
{
    static const QString letters = QStringLiteral("aAbBfFmMtT0123._- \u00e9");
    QString name;
    for (const char c : input.ConsumeRandomLengthString(10)) {
        name += letters[uchar(c) % letters.size()];
    }
    return name;
}

// A name the file already holds, when it survives the trip through text unchanged.
QString nameFrom(FuzzedDataProvider &input, const std::vector<QByteArray> &names)
{
    if (!names.empty() && input.ConsumeBool()) {
        const QByteArray &name = names[input.ConsumeIntegralInRange<size_t>(0, names.size() - 1)];
        if (!name.contains('\0') && strictUtf8(name)) {
            return QString::fromUtf8(name);
        }
    }
    return madeName(input);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const int entryCount = input.ConsumeIntegralInRange(1, 3);
    const QByteArray before = QByteArray::fromStdString(input.ConsumeRandomLengthString(4096));
    const IniFile ini = IniFile::parse(before);

    std::vector<QByteArray> sectionNames;
    for (const IniFile::Section &section : ini.sections) {
        sectionNames.push_back(section.name);
    }
    const QString section = nameFrom(input, sectionNames);
    std::vector<QByteArray> keyNames;
    for (const IniFile::Section &candidate : ini.sections) {
        if (sameName(candidate.name, trimmedSpaces(section.toUtf8()))) {
            for (const IniFile::Key &key : candidate.keys) {
                keyNames.push_back(key.name);
            }
            break;
        }
    }
    std::vector<ProfileEntry> entries;
    for (int i = 0; i < entryCount; ++i) {
        const QString key = nameFrom(input, keyNames);
        // Values are text as a caller holds it; a NUL is no character of a settings value.
        QString value = decodeText(QByteArray::fromStdString(input.ConsumeRandomLengthString(300)));
        value.remove(QChar(u'\0'));
        entries.push_back({key, value});
    }

    const std::filesystem::path path = scratchFolder() / "hangardeck.ini";
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(before.constData(), before.size());
    check(writeProfileStrings(QString::fromStdString(path.string()), section, entries), "the write succeeds");
    const Profile old = Profile::fromBytes(before);
    const Profile now = Profile::fromFile(path);

    // What a key written (last write of a name wins) reads back as.
    const QByteArray sectionName = trimmedSpaces(section.toUtf8());
    const auto written = [&](QByteArrayView sectionArg, QByteArrayView keyArg) -> std::optional<QString> {
        std::optional<QString> value;
        for (const ProfileEntry &entry : entries) {
            if (sameName(trimmedSpaces(sectionArg.toByteArray()), sectionName)
                && sameName(trimmedSpaces(keyArg.toByteArray()), trimmedSpaces(entry.key.toUtf8()))) {
                value = QString(entry.value).replace(QStringLiteral("\r\n"), QStringLiteral(" "));
                value = cutValue(value->replace(u'\r', u' ').replace(u'\n', u' '));
            }
        }
        return value;
    };

    for (const ProfileEntry &entry : entries) {
        const QByteArray key = entry.key.toUtf8();
        checkEqual(now.value(section, entry.key), written(sectionName, key), "a written key reads back as written");
    }
    // A file read as Windows-1252 may have become UTF-8 as a whole: its names are then spelled
    // in UTF-8 bytes.
    const bool converted = old.encoding() == TextEncoding::Windows1252 && now.encoding() == TextEncoding::Utf8;
    const auto nowName = [&](const QByteArray &name) {
        return converted ? decodeText(name, TextEncoding::Windows1252).toUtf8() : name;
    };
    for (const IniFile::Section &oldSection : ini.sections) {
        for (const IniFile::Key &key : oldSection.keys) {
            const std::optional<QString> want = written(nowName(oldSection.name), nowName(key.name));
            checkEqual(now.value(nowName(oldSection.name), nowName(key.name)),
                       want ? want : old.value(oldSection.name, key.name), "every other key reads back as before");
        }
    }

    const std::vector<QByteArrayView> oldSections = old.sectionNames();
    const std::vector<QByteArrayView> newSections = now.sectionNames();
    bool known = false;
    for (const QByteArrayView name : oldSections) {
        known = known || sameName(nowName(name.toByteArray()), sectionName);
    }
    check(newSections.size() == oldSections.size() + (known ? 0 : 1), "only a new section is added");
    for (size_t i = 0; i < oldSections.size(); ++i) {
        check(newSections[i] == nowName(oldSections[i].toByteArray()), "sections keep their names and order");
    }
    check(known || newSections.back() == sectionName, "a new section comes last");
    return 0;
}

// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/check/collectioncheck.h"

#include "core/catalogue/aircraftfolder.h"
#include "core/catalogue/cataloguescanner.h"
#include "core/check/titlegroups.h"
#include "core/platform/directorylisting.h"
#include "core/platform/nativepath.h"
#include "core/platform/parallel.h"
#include "core/platform/textdecoding.h"

#include <QStringList>

#include <algorithm>
#include <functional>
#include <string_view>
#include <type_traits>

namespace hangardeck::core {

namespace fs = std::filesystem;

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v';
}

QString sectionName(int n)
{
    return QStringLiteral("fltsim.") + QString::number(n);
}

QString sectionList(const std::vector<int> &indexes)
{
    QStringList names;
    for (const int n : indexes) {
        names.append(sectionName(n));
    }
    return names.join(QStringLiteral(", ")) + (indexes.size() == 1 ? QStringLiteral(" is") : QStringLiteral(" are"));
}

char foldedAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
}

// Appends a name as compared without regard to case, as UTF-8: ASCII (nearly every name)
// folded in place, anything else through Qt's case folding, which agrees with it on ASCII.
template <typename Char, typename Decode>
void appendFolded(QByteArray &folded, std::basic_string_view<Char> name, const Decode &decoded)
{
    if (std::all_of(name.begin(), name.end(), [](Char c) { return std::make_unsigned_t<Char>(c) < 0x80; })) {
        const qsizetype at = folded.size();
        folded.resize(at + qsizetype(name.size()));
        std::transform(name.begin(), name.end(), folded.begin() + at, [](Char c) { return foldedAscii(char(c)); });
    } else {
        folded.append(decoded().toCaseFolded().toUtf8());
    }
}

// Whether a name, folded as appendFolded folds it, is one of a set of ASCII names.
bool isOneOf(QByteArrayView folded, std::initializer_list<QByteArrayView> names)
{
    return std::find(names.begin(), names.end(), folded) != names.end();
}

// The names looked for in sub-folders, native on every platform.
const NativeName &cfgName()
{
    static const NativeName name = fs::path("aircraft.cfg").native();
    return name;
}

const NativeName &thumbnailName()
{
    static const NativeName name = fs::path("thumbnail.jpg").native();
    return name;
}

// Whether folder (below parent) holds a file of a name in any letter case: looked up as
// written first, listed only when it is not there so.
bool holdsFile(const FolderHandle &parent, NativeNameView folder, NativeNameView name)
{
    if (const std::optional<ChildInfo> info = parent.childInfo(pathBelow(folder, name), Links::Follow)) {
        if (!info->isDirectory) {
            return true;
        }
    }
    bool found = false;
    parent.listChild(folder, Links::Follow, [&](NativeNameView item, bool isDirectory, bool) {
        found = found || (!isDirectory && equalsIgnoringAsciiCase(item, name));
    });
    return found;
}

// What an aircraft folder holds, asked name by name as the simulator's file system answers,
// without regard to case. The folder is listed once, at the first question, its names folded
// into one buffer: forty names cost no forty allocations. (A path lookup for each name as
// written was tried: it costs more than one listing of the folder.)
class FolderNames final
{
public:
    // The folder name of parent.
    FolderNames(const FolderHandle &parent, NativeNameView name)
        : m_parent(parent),
          m_name(name)
    {
    }

    // What a question gives: whether the answer is known (a folder that can be entered but not
    // listed, mode 0111, gives its aircraft.cfg but not its other names), and which entry.
    struct Match {
        bool known = false;
        int entry = -1; // -1: none
    };

    // The entry named prefix + value + suffix ("texture." "Blue"), a folder or not; value is in
    // the file's text.
    Match find(const Profile &profile, QByteArrayView prefix, QByteArrayView value, QByteArrayView suffix,
               bool directory)
    {
        if (!list()) {
            return {};
        }
        if (isAscii(value)) {
            // Folded into one buffer kept from question to question, so that it keeps its memory.
            m_scratch.resize(prefix.size() + value.size() + suffix.size());
            char *out = m_scratch.data();
            for (const QByteArrayView part : {prefix, value, suffix}) {
                out = std::transform(part.begin(), part.end(), out, foldedAscii);
            }
        } else {
            const QString text = QString::fromLatin1(prefix) + profile.decoded(value) + QString::fromLatin1(suffix);
            m_scratch = text.toCaseFolded().toUtf8();
        }
        for (int i = 0; i < count(); ++i) {
            if (m_names[size_t(i)].isDirectory == directory && folded(i) == m_scratch) {
                return {true, i};
            }
        }
        return {true, -1};
    }

    // Lists the folder the first time; false when it cannot be listed.
    bool list()
    {
        if (!m_listed) {
            m_folded.reserve(1024);
            m_listed = m_parent.listChild(m_name, Links::Follow, [this](NativeNameView item, bool isDirectory, bool) {
                const qsizetype at = m_folded.size();
                appendFolded(m_folded, item, [item] { return fromNativeName(item); });
                m_names.push_back({at, m_folded.size() - at, m_native.size(), item.size(), isDirectory});
                m_native += item;
            });
        }
        return *m_listed;
    }

    // The entries listed, in the order the disk gave them.
    int count() const { return int(m_names.size()); }
    QByteArrayView folded(int i) const
    {
        return QByteArrayView(m_folded.constData() + m_names[size_t(i)].at, m_names[size_t(i)].size);
    }
    NativeNameView native(int i) const
    {
        return NativeNameView(m_native).substr(m_names[size_t(i)].nativeAt, m_names[size_t(i)].nativeSize);
    }
    bool isDirectory(int i) const { return m_names[size_t(i)].isDirectory; }
    const FolderHandle &parent() const { return m_parent; }
    NativeNameView name() const { return m_name; }

private:
    struct Name {
        qsizetype at;
        qsizetype size;
        size_t nativeAt;
        size_t nativeSize;
        bool isDirectory;
    };

    const FolderHandle &m_parent;
    NativeNameView m_name;
    std::optional<bool> m_listed;
    QByteArray m_folded;
    NativeName m_native; // every name as the disk gives it, one after another
    std::vector<Name> m_names;
    QByteArray m_scratch;
};

// The keys checked in each listed entry, in this order.
constexpr std::array<QByteArrayView, 9> EntryKeys = {"title", "ui_manufacturer", "ui_type", "texture",     "model",
                                                     "panel", "sound",           "sim",     "ui_variation"};
constexpr size_t ManufacturerKey = 1;
constexpr size_t TypeKey = 2;
constexpr size_t FirstFolderKey = 3;
constexpr size_t TextureKey = 3;
constexpr size_t SimKey = 7;
constexpr size_t VariationKey = 8;
constexpr std::array<QByteArrayView, SimKey - FirstFolderKey> DottedKeys = {"texture.", "model.", "panel.", "sound."};

// A text as shown and as compared, one after the other in one buffer: what the merge, on one
// thread, only has to compare.
struct Keyed {
    qsizetype at; // the text as shown
    int shownSize;
    qsizetype keyAt; // as compared
    int keySize;
    int section;
};

// What one aircraft folder contributes, made on a reader thread.
struct FolderCheck {
    std::vector<Finding> findings;
    std::vector<Keyed> titles;    // as shown; compared trimmed and case-folded
    std::vector<Keyed> selectors; // the title; compared: manufacturer, type and variation
    QByteArray keyedBytes;
    ScanReport report;  // this folder's part
    int variations = 1; // a folder without titled entries still lists as its one -EMPTY- row
};

using EntryRaws = std::array<std::optional<QByteArrayView>, EntryKeys.size()>;

// Appends a value as compared (trimmed and case-folded, as QString trims and folds); an ASCII
// value, nearly every one, is never decoded.
void appendKey(const Profile &profile, QByteArrayView raw, QByteArray &bytes)
{
    if (!isAscii(raw)) {
        bytes.append(profile.decodedValue(raw).trimmed().toCaseFolded().toUtf8());
        return;
    }
    QByteArrayView trimmed = raw.first(std::min<qsizetype>(raw.size(), Profile::MaxValueChars));
    const auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (!trimmed.isEmpty() && isSpace(trimmed.front())) {
        trimmed = trimmed.sliced(1);
    }
    while (!trimmed.isEmpty() && isSpace(trimmed.back())) {
        trimmed.chop(1);
    }
    appendFolded(bytes, std::string_view(trimmed.data(), size_t(trimmed.size())), [] { return QString(); });
}

// Adds a listed entry's title and selector, each as shown (the title) and as compared.
void addKeys(const Profile &profile, const EntryRaws &raws, int section, FolderCheck &folder)
{
    QByteArray &bytes = folder.keyedBytes;
    if (bytes.isEmpty()) {
        bytes.reserve(2048); // ten entries' texts, in one allocation
    }
    // The title as shown serves both: a title and a selector name the variation by it.
    const qsizetype at = bytes.size();
    if (isAscii(*raws[0])) {
        bytes.append(raws[0]->first(std::min<qsizetype>(raws[0]->size(), Profile::MaxValueChars)));
    } else {
        bytes.append(profile.decodedValue(*raws[0]).toUtf8());
    }
    const auto shownSize = int(bytes.size() - at);
    qsizetype keyAt = bytes.size();
    appendKey(profile, *raws[0], bytes);
    folder.titles.push_back({at, shownSize, keyAt, int(bytes.size() - keyAt), section});

    // Only an entry naming its maker and type is placed in the selector by them; one without is
    // broken in other ways. A value of fewer than two characters counts as none.
    std::array<bool, 3> present{};
    const std::array<size_t, 3> keys = {ManufacturerKey, TypeKey, VariationKey};
    for (size_t i = 0; i < keys.size(); ++i) {
        const std::optional<QByteArrayView> &raw = raws[keys[i]];
        present[i] = raw && (raw->size() >= 8 || Profile::isAircraftValue(profile.decodedValue(*raw)));
    }
    if (!present[0] || !present[1]) {
        return;
    }
    keyAt = bytes.size();
    for (size_t i = 0; i < keys.size(); ++i) {
        if (present[i]) {
            appendKey(profile, *raws[keys[i]], bytes);
        }
        bytes.append('\0'); // a value never holds a NUL (one ends it): the three stay apart
    }
    folder.selectors.push_back({at, shownSize, keyAt, int(bytes.size() - keyAt), section});
}

// The findings of one listed entry's values; its texture folder is looked into for a thumbnail
// when texturesSeen is given, which then gathers the folders looked into.
void checkEntry(const Profile &profile, int n, const EntryRaws &raws, FolderNames &names, const QString &folder,
                std::vector<int> *texturesSeen, std::vector<Finding> &findings)
{
    for (size_t k = 0; k < FirstFolderKey; ++k) {
        // Each character takes at least one byte, so only a long value can be cut.
        if (!raws[k] || raws[k]->size() <= Profile::MaxValueChars) {
            continue;
        }
        const qsizetype length = characterCount(profile.decoded(*raws[k]));
        if (length > Profile::MaxValueChars) {
            findings.push_back({folder, sectionName(n), FindingKind::Cut,
                                QStringLiteral("%1 is %2 characters long; it is shown cut to %3")
                                    .arg(QString::fromLatin1(EntryKeys[k]))
                                    .arg(length)
                                    .arg(Profile::MaxValueChars)});
        }
    }
    for (size_t k = FirstFolderKey; k < SimKey; ++k) {
        if (!raws[k]) {
            continue; // a key that is not there names nothing
        }
        const QByteArrayView value = effectiveValue(*raws[k]);
        // "texture" alone names the folder texture, "texture=Blue" the folder texture.Blue.
        const QByteArrayView prefix = value.isEmpty() ? EntryKeys[k] : DottedKeys[k - FirstFolderKey];
        const FolderNames::Match match = names.find(profile, prefix, value, {}, true);
        if (match.known && match.entry < 0) {
            findings.push_back({folder, sectionName(n), FindingKind::MissingFolder,
                                QStringLiteral("%1=%2 names the folder %3, which is not in the aircraft folder")
                                    .arg(QString::fromLatin1(EntryKeys[k]), profile.decoded(*raws[k]),
                                         QString::fromLatin1(prefix) + profile.decoded(value))});
        }
        // Each texture folder is looked into once, whichever variations share it.
        if (k == TextureKey && texturesSeen && match.entry >= 0
            && std::find(texturesSeen->begin(), texturesSeen->end(), match.entry) == texturesSeen->end()) {
            texturesSeen->push_back(match.entry);
            const NativeNameView texture = names.native(match.entry);
            if (!holdsFile(names.parent(), pathBelow(names.name(), texture), thumbnailName())) {
                findings.push_back({folder, sectionName(n), FindingKind::NoThumbnail,
                                    QStringLiteral("%1 has no thumbnail.jpg: the simulator's selector shows no "
                                                   "picture of this variation")
                                        .arg(fromNativeName(texture))});
            }
        }
    }
    if (raws[SimKey]) {
        const QByteArrayView value = effectiveValue(*raws[SimKey]);
        const FolderNames::Match match =
            value.isEmpty() ? FolderNames::Match{} : names.find(profile, {}, value, ".air", false);
        if (match.known && match.entry < 0) {
            findings.push_back(
                {folder, sectionName(n), FindingKind::MissingAir,
                 QStringLiteral("sim=%1 names %2, which is not in the aircraft folder")
                     .arg(profile.decoded(*raws[SimKey]), profile.decoded(value) + QStringLiteral(".air"))});
        }
    }
}

// N of a section named "fltsim.N" (any letter case) with 0 <= N <= MaxKnownFltsimIndex,
// written as a lookup of [fltsim.N] finds it; -1 for any other name.
int fltsimIndexOf(QByteArrayView name)
{
    constexpr QByteArrayView prefix = "fltsim.";
    if (name.size() <= prefix.size() || name.first(prefix.size()).compare(prefix, Qt::CaseInsensitive) != 0) {
        return -1;
    }
    const QByteArrayView digits = name.sliced(prefix.size());
    if (digits.size() > 2 || (digits.size() > 1 && digits[0] == '0')
        || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return -1;
    }
    return digits.size() == 1 ? digits[0] - '0' : (digits[0] - '0') * 10 + (digits[1] - '0');
}

// Whether a raw title is one the list would show.
bool isShownTitle(const Profile &profile, const std::optional<QByteArrayView> &raw)
{
    // Eight bytes always hold two characters or more (none takes more than four); only a
    // shorter title is decoded to count them.
    return raw && (raw->size() >= 8 || Profile::isAircraftValue(profile.decodedValue(*raw)));
}

// Whether [fltsim.n] has a title the list would show.
bool isTitled(const Profile &profile, int n)
{
    constexpr QByteArrayView titleKey = "title";
    std::optional<QByteArrayView> raw;
    profile.rawValues(fltsimSectionName(n), {&titleKey, 1}, {&raw, 1});
    return isShownTitle(profile, raw);
}

// The sub-folders of a listed aircraft folder that hold an aircraft.cfg, in name order. With
// skipParts, the aircraft's own parts (texture, model, panel and sound folders) are not looked
// into: each would cost a lookup, and none holds an aircraft.
QStringList subfoldersWithCfg(FolderNames &names, bool skipParts)
{
    QStringList found;
    for (int i = 0; names.list() && i < names.count(); ++i) {
        const QByteArrayView name = names.folded(i);
        if (!names.isDirectory(i)
            || (skipParts
                && (name.startsWith("texture") || name.startsWith("model") || name.startsWith("panel")
                    || name.startsWith("sound")))) {
            continue;
        }
        if (holdsFile(names.parent(), pathBelow(names.name(), names.native(i)), cfgName())) {
            found.append(fromNativeName(names.native(i)));
        }
    }
    found.sort(Qt::CaseInsensitive);
    return found;
}

// A listed folder's own name as the disk gives it: the last part of its native path.
NativeName nameOnDisk(const DirectoryEntry &folder)
{
    const NativeName::value_type separators[] = {'/', NativeName::value_type(fs::path::preferred_separator), 0};
    const size_t slash = folder.native.find_last_of(separators);
    return slash == NativeName::npos ? folder.native : folder.native.substr(slash + 1);
}

// What a folder without aircraft.cfg is: a junk folder (__MACOSX, or nothing but .DS_Store,
// Thumbs.db and desktop.ini), one unpacked a level too deep, or merely without one.
void checkFolderWithoutCfg(FolderNames &names, const QString &subdir, std::vector<Finding> &findings)
{
    const bool listed = names.list();
    bool junk = subdir.compare(u"\\__MACOSX", Qt::CaseInsensitive) == 0;
    if (!junk && listed && names.count() > 0) {
        junk = true;
        for (int i = 0; i < names.count() && junk; ++i) {
            junk = !names.isDirectory(i) && isOneOf(names.folded(i), {".ds_store", "thumbs.db", "desktop.ini"});
        }
    }
    if (junk) {
        findings.push_back({subdir,
                            {},
                            FindingKind::JunkFolder,
                            QStringLiteral("left by an archiver or a file browser, not an aircraft: the folder lists "
                                           "as -EMPTY-; delete it")});
        return;
    }
    const QStringList deeper = subfoldersWithCfg(names, false);
    if (!deeper.isEmpty()) {
        findings.push_back({subdir,
                            {},
                            FindingKind::NestedCfg,
                            QStringLiteral("no aircraft.cfg here, but %1 holds one: the aircraft was unpacked one "
                                           "level too deep; move the sub-folder up into the Aircraft directory")
                                .arg(deeper.join(QStringLiteral(", ")))});
        return;
    }
    findings.push_back({subdir,
                        {},
                        FindingKind::NoCfg,
                        QStringLiteral("no aircraft.cfg: the folder lists as -EMPTY- and holds no aircraft")});
}

// Sub-folders of an aircraft other than its own parts (texture, model, panel and sound folders)
// that hold an aircraft.cfg: a livery or a package copied inside another, which the simulator
// never reads.
void checkNestedAircraft(FolderNames &names, const QString &subdir, std::vector<Finding> &findings)
{
    for (const QString &folder : subfoldersWithCfg(names, true)) {
        findings.push_back({subdir,
                            {},
                            FindingKind::NestedAircraft,
                            QStringLiteral("the sub-folder %1 holds an aircraft.cfg of its own, which the simulator "
                                           "never reads: move it up into the Aircraft directory")
                                .arg(folder)});
    }
}

FolderCheck checkFolder(const FolderHandle &aircraftDir, const DirectoryEntry &folder, CheckScope scope)
{
    FolderCheck result;
    ScanReport &report = result.report;
    report.foldersSeen = 1;
    report.rows = 1;
    std::vector<Finding> &findings = result.findings;
    const QString subdir = u'\\' + folder.name;
    const NativeName name = nameOnDisk(folder);
    // Listed and read through the aircraft directory: the folder itself is never opened.
    const FolderHandle parent = aircraftDir.isOpen() ? FolderHandle() : FolderHandle::open(folder.path().parent_path());
    const FolderHandle &through = aircraftDir.isOpen() ? aircraftDir : parent;
    FolderNames names(through, name);
    const AircraftConfig config = readAircraftConfig(through, name);
    if (config.status == AircraftConfig::Missing) {
        report.noCfg = 1;
        checkFolderWithoutCfg(names, subdir, findings);
        return result;
    }
    if (config.status == AircraftConfig::Unreadable) {
        report.unreadable = 1;
        findings.push_back({subdir,
                            {},
                            FindingKind::Unreadable,
                            QStringLiteral("%1 cannot be read: the folder lists as -EMPTY-")
                                .arg(fromNativePath(fs::path(config.fileName)))});
        return result;
    }
    report.withCfg = 1;
    const Profile &profile = config.profile;

    // Only the [fltsim.N] that exist are looked up: a hundred lookups in every file would
    // cost more than the rest of the check. The listed entries are read once, every key
    // checked in one pass over the section; their findings follow the folder's own.
    std::array<bool, MaxKnownFltsimIndex + 1> exists{};
    for (const QByteArrayView section : profile.sectionNames()) {
        if (const int n = fltsimIndexOf(section); n >= 0) {
            exists[size_t(n)] = true;
        }
    }
    std::array<bool, MaxKnownFltsimIndex + 1> titled{};
    std::array<bool, MaxKnownFltsimIndex + 1> looked{};
    std::vector<Finding> entryFindings;
    std::vector<int> texturesSeen;
    const int lastListed = scope.extended ? MaxFltsimIndex : 0;
    for (int n = 0; n <= lastListed && exists[size_t(n)]; ++n) {
        EntryRaws raws;
        profile.rawValues(fltsimSectionName(n), EntryKeys, raws);
        looked[size_t(n)] = true;
        titled[size_t(n)] = isShownTitle(profile, raws[0]);
        if (!titled[size_t(n)]) {
            break; // the list stops at the first entry without a title
        }
        addKeys(profile, raws, n, result);
        checkEntry(profile, n, raws, names, subdir, scope.thumbnails ? &texturesSeen : nullptr, entryFindings);
    }
    for (int n = 0; n <= MaxKnownFltsimIndex; ++n) {
        if (exists[size_t(n)] && !looked[size_t(n)]) {
            titled[size_t(n)] = isTitled(profile, n);
        }
    }
    if (!titled[0]) {
        findings.push_back({subdir, sectionName(0), FindingKind::NoTitle,
                            QStringLiteral("[fltsim.0] has no title: the folder lists as -EMPTY-")});
    }
    const auto firstUntitled =
        int(std::find(titled.begin(), titled.begin() + MaxFltsimIndex + 1, false) - titled.begin());
    std::vector<int> skipped;
    std::vector<int> beyond;
    for (int n = 0; n <= MaxKnownFltsimIndex; ++n) {
        report.sections += exists[size_t(n)] ? 1 : 0;
        if (!titled[size_t(n)]) {
            continue;
        }
        ++report.titled;
        if (n > MaxFltsimIndex) {
            beyond.push_back(n);
            ++report.pastLast;
        } else if (n > firstUntitled) {
            skipped.push_back(n);
            ++report.pastGap;
        } else if (n > lastListed) {
            ++report.plainOnly;
        } else {
            ++report.listed;
        }
    }
    report.notValid = report.sections - report.titled;
    report.untitledFirst = titled[0] ? 0 : 1;
    report.rows = report.listed + report.untitledFirst;
    if (!skipped.empty()) {
        findings.push_back({subdir, sectionName(firstUntitled), FindingKind::Gap,
                            QStringLiteral("[fltsim.%1] has no title, so the list stops there: %2 not listed")
                                .arg(firstUntitled)
                                .arg(sectionList(skipped))});
    }
    if (!beyond.empty()) {
        findings.push_back(
            {subdir, sectionName(beyond.front()), FindingKind::Over33,
             QStringLiteral("the list shows fltsim.0 to fltsim.32 at most: %1 not listed").arg(sectionList(beyond))});
    }

    checkNestedAircraft(names, subdir, findings);
    std::move(entryFindings.begin(), entryFindings.end(), std::back_inserter(findings));
    result.variations = std::max(1, int(result.titles.size()));
    if (profile.encoding() == TextEncoding::Windows1252) {
        findings.push_back({subdir,
                            {},
                            FindingKind::Encoding,
                            QStringLiteral("aircraft.cfg is not valid UTF-8: its text was read as Windows-1252")});
    }
    return result;
}

} // namespace

QByteArrayView effectiveValue(QByteArrayView raw)
{
    // One pass for both comment marks: the check asks this of five values of every variation.
    qsizetype end = 0;
    while (end < raw.size() && raw[end] != ';' && !(raw[end] == '/' && end + 1 < raw.size() && raw[end + 1] == '/')) {
        ++end;
    }
    QByteArrayView value = raw.first(end);
    while (!value.isEmpty() && isBlank(value.front())) {
        value = value.sliced(1);
    }
    while (!value.isEmpty() && isBlank(value.back())) {
        value.chop(1);
    }
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.sliced(1, value.size() - 2);
    }
    return value;
}

bool CheckSummary::hasProblems() const
{
    for (int k = 0; k < FindingKindCount; ++k) {
        if (counts[size_t(k)] > 0 && !isInformational(FindingKind(k))) {
            return true;
        }
    }
    return false;
}

QString findingKindName(FindingKind kind)
{
    switch (kind) {
    case FindingKind::NoCfg:
        return QStringLiteral("no-cfg");
    case FindingKind::Unreadable:
        return QStringLiteral("unreadable");
    case FindingKind::NoTitle:
        return QStringLiteral("no-title");
    case FindingKind::Gap:
        return QStringLiteral("gap");
    case FindingKind::Over33:
        return QStringLiteral("over-33");
    case FindingKind::Cut:
        return QStringLiteral("cut");
    case FindingKind::MissingFolder:
        return QStringLiteral("missing-folder");
    case FindingKind::MissingAir:
        return QStringLiteral("missing-air");
    case FindingKind::Encoding:
        return QStringLiteral("encoding");
    case FindingKind::DuplicateTitle:
        return QStringLiteral("duplicate-title");
    case FindingKind::JunkFolder:
        return QStringLiteral("junk-folder");
    case FindingKind::NestedCfg:
        return QStringLiteral("nested-cfg");
    case FindingKind::NoThumbnail:
        return QStringLiteral("no-thumbnail");
    case FindingKind::NestedAircraft:
        return QStringLiteral("nested-aircraft");
    case FindingKind::SameSelector:
        return QStringLiteral("same-selector");
    }
    return {};
}

bool isInformational(FindingKind kind)
{
    return kind == FindingKind::Encoding || kind == FindingKind::NoThumbnail;
}

void add(ScanReport &total, const ScanReport &part)
{
    total.foldersSeen += part.foldersSeen;
    total.skipped += part.skipped;
    total.noCfg += part.noCfg;
    total.unreadable += part.unreadable;
    total.withCfg += part.withCfg;
    total.sections += part.sections;
    total.notValid += part.notValid;
    total.titled += part.titled;
    total.pastGap += part.pastGap;
    total.pastLast += part.pastLast;
    total.plainOnly += part.plainOnly;
    total.listed += part.listed;
    total.rows += part.rows;
    total.untitledFirst += part.untitledFirst;
}

namespace {

// A folder's name on disk when its text does not give it back (not valid UTF-8); else empty,
// so that nearly every finding carries no copy of it.
NativeName nativeNameOf(const DirectoryEntry &folder)
{
    NativeName name = nameOnDisk(folder);
    if (toNativePath(folder.name).native() == name) {
        name.clear();
    }
    return name;
}

} // namespace

CheckSummary checkCollection(const fs::path &aircraftDir, CheckScope scope, const FindingReport &report,
                             int readerThreads, const CheckProgress &progress)
{
    std::vector<DirectoryEntry> folders = listSubfolders(aircraftDir);
    CheckSummary summary;
    // The simulator's own folders are seen but skipped; every other folder counts itself.
    summary.report.skipped =
        std::erase_if(folders, [](const DirectoryEntry &folder) { return isSkippedSubdir(u'\\' + folder.name); });
    summary.report.foldersSeen = summary.report.skipped;
    // Opened once: each folder is then reached from it, not from the root again.
    const FolderHandle directory = FolderHandle::open(aircraftDir);

    summary.folders = int(folders.size());
    const auto tell = [&](const Finding &finding) {
        ++summary.findings;
        ++summary.counts[size_t(finding.kind)];
        if (report) {
            report(finding);
        }
    };
    TitleGroups titles;
    TitleGroups selectors;
    if (progress && !progress(0, summary.folders)) {
        summary.stopped = true;
        return summary;
    }
    constexpr int Window = 256;
    produceInOrder<FolderCheck>(
        summary.folders, readerThreadCount(readerThreads, summary.folders), Window,
        [&](int i) {
            try {
                return checkFolder(directory, folders[size_t(i)], scope);
            } catch (const std::exception &) {
                // Nothing a file holds may end the check: the folder is reported as unreadable.
                FolderCheck failed;
                failed.findings = {{u'\\' + folders[size_t(i)].name,
                                    {},
                                    FindingKind::Unreadable,
                                    QStringLiteral("aircraft.cfg cannot be read: the folder lists as -EMPTY-")}};
                failed.report.foldersSeen = failed.report.unreadable = failed.report.rows = 1;
                return failed;
            }
        },
        [&](int i, FolderCheck folder) {
            summary.variations += folder.variations;
            add(summary.report, folder.report);
            if (!folder.findings.empty()) {
                const NativeName name = nativeNameOf(folders[size_t(i)]);
                for (Finding &finding : folder.findings) {
                    if (!name.empty()) {
                        finding.folderName = name;
                    }
                    tell(finding);
                }
            }
            for (const auto &[keyed, groups] :
                 {std::pair(&folder.titles, &titles), std::pair(&folder.selectors, &selectors)}) {
                for (const Keyed &text : *keyed) {
                    const char *base = folder.keyedBytes.constData();
                    groups->add(i, text.section, QByteArrayView(base + text.at, text.shownSize),
                                QByteArrayView(base + text.keyAt, text.keySize));
                }
            }
            summary.stopped = progress && !progress(i + 1, summary.folders);
            return !summary.stopped;
        });
    if (summary.stopped) {
        return summary;
    }

    const auto tellGroups = [&](const TitleGroups &groups, FindingKind kind, const QString &what) {
        for (const std::vector<TitleGroups::Carrier> &group : groups.groups()) {
            Finding finding{{}, {}, kind, {}, {}};
            QStringList named;
            for (const TitleGroups::Carrier &carrier : group) {
                const QString folder = u'\\' + folders[size_t(carrier.folder)].name;
                finding.carriers.push_back({folder, sectionName(carrier.section), carrier.title,
                                            nativeNameOf(folders[size_t(carrier.folder)])});
                named.append(QStringLiteral("%1 [%2] \"%3\"").arg(folder, sectionName(carrier.section), carrier.title));
            }
            finding.message = what.arg(group.size()).arg(named.join(QStringLiteral(", ")));
            tell(finding);
        }
    };
    tellGroups(titles, FindingKind::DuplicateTitle,
               QStringLiteral("%1 variations carry the same title, the simulator keeps one: %2"));
    tellGroups(selectors, FindingKind::SameSelector,
               QStringLiteral("%1 variations have the same ui_manufacturer, ui_type and ui_variation, so the "
                              "simulator's selector shows them alike: %2"));
    return summary;
}

fs::path folderOnDisk(const QString &folder, const NativeName &folderName)
{
    return folderName.empty() ? toNativePath(folder.mid(1)) : fs::path(folderName);
}

CollectionCheck checkCollection(const fs::path &aircraftDir, CheckScope scope, int readerThreads)
{
    CollectionCheck check;
    check.summary = checkCollection(
        aircraftDir, scope, [&check](const Finding &finding) { check.findings.push_back(finding); }, readerThreads);
    return check;
}

} // namespace hangardeck::core

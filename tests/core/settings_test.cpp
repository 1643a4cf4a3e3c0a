// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/platform/profile.h"
#include "core/platform/profilewriter.h"
#include "core/settings/settingsconversion.h"
#include "core/settings/settingskeys.h"
#include "core/settings/settingswriter.h"
#include "core/settings/startup.h"
#include "core/settings/storedsettings.h"
#include "core/settings/windowgeometry.h"

#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <filesystem>

using namespace hangardeck::core;
using namespace hangardeck::core::settingsconversion;

namespace {

// "key=value" of each entry, one space between them.
QString entriesText(const SettingsValues &values)
{
    QStringList lines;
    for (const ProfileEntry &entry : values) {
        lines.append(entry.key + '=' + entry.value);
    }
    return lines.join(' ');
}

QString number(std::optional<int> v)
{
    return v ? QString::number(*v) : QString("-");
}

// Every field of stored settings in declaration order, "-" for nullopt.
QString describe(const StoredSettings &s)
{
    const auto single = [](std::optional<float> v) { return v ? singleToText(*v) : QString("-"); };
    const QStringList change{"check", "clear", "keep"};
    return QStringList{s.aircraftDirectory,        number(s.fieldWidthChars),   number(s.paddingCount),
                       change[int(s.actualWidth)], '[' + s.delimiter + ']',     '[' + s.terminator + ']',
                       number(s.leadField),        change[int(s.extendedMode)], number(s.frame),
                       single(s.topTwips),         single(s.leftTwips),         single(s.heightTwips),
                       single(s.widthTwips)}
        .join('|');
}

} // namespace

class SettingsTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // How each reader takes one stored text: the 16-bit integer (rounded, halves to even), the
    // single written back as text, the two-state change, whether a first run is due, the lead
    // field and the panel a stored file gives; "-": none.
    void storedText_converts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("readings");
        const auto row = [](const QString &text, const QString &readings) {
            QTest::addRow("'%s'", qPrintable(text)) << text << readings;
        };
        row("-1", "-1 -1 keep first - -");
        row("12.4", "12 12.4 keep first - -");
        row("12.6", "13 12.6 keep first - -");
        row("2.5", "2 2.5 keep first 2 2");
        row("3.5", "4 3.5 keep first - 4");
        row("2.6", "3 2.6 keep first 3 3");
        row("5", "5 5 keep first - 5");
        row("6", "6 6 keep first - -");
        row("1e2", "100 100 keep first - -");
        row("32767", "32767 32767 keep first - -");
        row("-32768", "-32768 -32768 keep first - -");
        row("32768", "- 32768 keep first - -");
        row("123456.7", "- 123456.7 keep first - -");
        row("1e39", "- - keep first - -");
        // Text that is not a number passes both equality tests, "= 1" and then "= 0".
        row("", "- - clear first - -");
        row("   ", "- - clear first - -");
        row("20px", "- - clear first - -");
        row("inf", "- - clear first - -");
        row("nan", "- - clear first - -");
        row("0x10", "- - clear first - -");
        row("1,000", "- - clear first - -");
        row("1", "1 1 check first 1 -");
        row("1.0", "1 1 check first 1 -");
        row("0", "0 0 clear first 0 0");
        row("9", "9 9 keep set - -");
        row(" 9 ", "9 9 keep set - -");
        row("9.0", "9 9 keep set - -");
    }

    void storedText_converts()
    {
        QFETCH(QString, text);
        QFETCH(QString, readings);
        const std::optional<int> int16 = toInt16(text);
        const std::optional<float> single = toSingle(text);
        // Only a number that names a lead-field button (0-3) or a panel (0, 2-5) reaches the window.
        const QByteArray file = "[main]\r\nleadfield=" + text.toUtf8() + "\r\nframe=" + text.toUtf8() + "\r\n";
        const StoredSettings stored = StoredSettings::fromProfile(Profile::fromBytes(file));
        const QStringList actual{number(int16),
                                 single ? singleToText(*single) : "-",
                                 QStringList{"check", "clear", "keep"}[int(checkChangeFor(text))],
                                 isFirstRun(text) ? QString("first") : "set",
                                 number(stored.leadField),
                                 number(stored.frame)};
        QCOMPARE(actual.join(' '), readings);
        // Text that is not a number passes every equality test; a number cannot equal both 1 and 0.
        QCOMPARE(passesEqualityTest(text, 1) && passesEqualityTest(text, 0), !toNumber(text));
    }

    void geometry_pixelsAndCentring()
    {
        const auto pixels = [](std::optional<float> twips) {
            const std::optional<int> result = pixelsFromTwips(twips);
            return result ? QString::number(*result) : QString("-");
        };
        // Rounded to the nearest pixel, halves away from zero; beyond +-32,767 pixels refused.
        const QStringList results{pixels(std::nullopt), pixels(1500),   pixels(7.4f),    pixels(7.5f),
                                  pixels(-7.5f),        pixels(491505), pixels(-491505), pixels(491520),
                                  pixels(-491520),      pixels(NAN),    pixels(INFINITY)};
        QCOMPARE(results.join(' '), "- 100 0 1 -1 32767 -32767 - - - -");
        QCOMPARE(twipsFromPixels(-480), -7200.0f);

        const WindowGeometryTwips centred = centredGeometry(11520, 15360, 7110, 9105.5f);
        QCOMPARE(centred.top, 2205.0f);
        QCOMPARE(centred.left, 3127.25f);
        QCOMPARE(centred.height, 7110.0f);
        QCOMPARE(centred.width, 9105.5f);
    }

    void planStartup_firstRunOnlyWithoutMarkerNine_data()
    {
        QTest::addColumn<QByteArray>("sheepLine");
        QTest::addColumn<bool>("firstRun");
        QTest::newRow("absent") << QByteArray() << true;
        QTest::newRow("0 after a reset") << QByteArray("sheep=0\r\n") << true;
        QTest::newRow("9") << QByteArray("sheep=9\r\n") << false;
        QTest::newRow("9.0") << QByteArray("sheep=9.0\r\n") << false;
    }

    void planStartup_firstRunOnlyWithoutMarkerNine()
    {
        QFETCH(QByteArray, sheepLine);
        QFETCH(bool, firstRun);
        const QByteArray file =
            "[main]\r\nfieldwidth=33\r\nfielddelimiter=\" | \"\r\nframe=3\r\ntop=150\r\n" + sheepLine;
        const StartupPlan plan = planStartup(Profile::fromBytes(file));
        QCOMPARE(plan.firstRun, firstRun);
        // A first run applies what it writes and leaves the window centred at its design size.
        const QString expected = firstRun ? QString(defaultAircraftDirectory() + "|20|0|clear|[]|[]|0|check|0|-|-|-|-")
                                          : QString("|33|-|clear|[ | ]|[]|-|clear|3|150|-|-|-");
        QCOMPARE(describe(plan.settings), expected);
    }

    // A home longer than a stored value can be: the directory reads back cut, never in half a character.
    void planStartup_firstRunSettingsAreWhatTheFileReadsBack()
    {
        const QByteArray home = "/" + QByteArray(124, 'p') + "\xF0\x9F\x9B\xA9/h";
        const QByteArray oldHome = qgetenv("HOME");
        qputenv("HOME", home);
        QTemporaryDir dir;
        const QString ini = dir.filePath("hangardeck.ini");
        const bool written = writeProfileStrings(ini, "main", firstRunValues({1, 2, 3, 4}));
        StoredSettings readBack = StoredSettings::fromProfile(Profile::fromFile(ini.toStdU16String()));
        const StoredSettings planned = planStartup(Profile()).settings;
        qputenv("HOME", oldHome);

        QVERIFY(written);
        QCOMPARE(readBack.topTwips, 1.0f);
        readBack.topTwips = readBack.leftTwips = readBack.heightTwips = readBack.widthTwips = std::nullopt;
        QCOMPARE(describe(planned), describe(readBack));
    }

    void values_keysInTableOrder()
    {
        const QString dir = defaultAircraftDirectory();
        QCOMPARE(entriesText(firstRunValues({150, 300.5f, 7065, 9090})),
                 "acpath=" + dir
                     + " fieldwidth=20 fieldpadding=0 fieldactualwidth=0 fielddelimiter= rowterminator= leadfield=0 "
                       "flsimx=1 frame=0 top=150 left=300.5 height=7065 width=9090 sheep=9");
        // A reset stores the design size and no marker.
        QCOMPARE(entriesText(resetValues(150, 300.5f)),
                 entriesText(firstRunValues({150, 300.5f, 7110, 9105})).replace("sheep=9", "sheep=0"));

        // Without a lead-field button, a visible panel or a geometry, those keys keep their stored value.
        ClosingState state{"/fs9/Aircraft", "33", "2", 1, " | ", ";", std::nullopt, false, std::nullopt, std::nullopt};
        QCOMPARE(entriesText(closingValues(state)), "acpath=/fs9/Aircraft fieldwidth=33 fieldpadding=2 "
                                                    "fieldactualwidth=1 fielddelimiter= |  rowterminator=; flsimx=0");
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "settings_test.moc"

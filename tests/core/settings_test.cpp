// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "platform/profile.h"
#include "settings/settingsconversion.h"
#include "settings/settingskeys.h"
#include "settings/settingswriter.h"
#include "settings/storedsettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>

using namespace hangardeck::core;
using namespace hangardeck::core::settingsconversion;

namespace {

// The stored values of some keys: values(ini, "top left") gives "150 300".
QString values(const QString &path, const QString &keys)
{
    const Profile profile = Profile::fromFile(std::filesystem::path(path.toStdString()));
    QStringList result;
    for (const QString &key : keys.split(' '))
        result.append(profile.settingsValue(u"main", key));
    return result.join(' ');
}

} // namespace

class SettingsTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // How each reader takes one stored text: the 16-bit integer (rounded, halves to even), the
    // single written back as text, the two-state change, whether a first run is due; "-": none.
    void storedText_converts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("readings");
        const auto row = [](const QString &text, const QString &readings) {
            QTest::addRow("'%s'", qPrintable(text)) << text << readings;
        };
        row("20", "20 20 keep first");
        row("  7 ", "7 7 keep first");
        row("-1", "-1 -1 keep first");
        row("12.4", "12 12.4 keep first");
        row("12.6", "13 12.6 keep first");
        row("2.5", "2 2.5 keep first");
        row("3.5", "4 3.5 keep first");
        row("1e2", "100 100 keep first");
        row("32767", "32767 32767 keep first");
        row("-32768", "-32768 -32768 keep first");
        row("32768", "- 32768 keep first");
        row("123456.7", "- 123456.7 keep first");
        row("1e39", "- - keep first");
        // Text that is not a number passes both equality tests, "= 1" and then "= 0".
        row("", "- - clear first");
        row("   ", "- - clear first");
        row("x", "- - clear first");
        row("20px", "- - clear first");
        row("inf", "- - clear first");
        row("nan", "- - clear first");
        row("0x10", "- - clear first");
        row("1,000", "- - clear first");
        row("1", "1 1 check first");
        row("1.0", "1 1 check first");
        row("0", "0 0 clear first");
        row("9", "9 9 keep set");
        row(" 9 ", "9 9 keep set");
        row("9.0", "9 9 keep set");
    }
    void storedText_converts()
    {
        QFETCH(QString, text);
        QFETCH(QString, readings);
        const std::optional<int> int16 = toInt16(text);
        const std::optional<float> single = toSingle(text);
        const QStringList actual{int16 ? QString::number(*int16) : QString("-"), single ? singleToText(*single) : "-",
                                 QStringList{"check", "clear", "keep"}[int(checkChangeFor(text))],
                                 isFirstRun(text) ? QString("first") : "set"};
        QCOMPARE(actual.join(' '), readings);
        // Text that is not a number passes every equality test; a number cannot equal both 1 and 0.
        QCOMPARE(passesEqualityTest(text, 1) && passesEqualityTest(text, 0), !toNumber(text));
    }

    void pathsAndLongValues()
    {
        QCOMPARE(settingsFilePath("/opt/hangardeck/"), "/opt/hangardeck/hangardeck.ini");
        QCOMPARE(settingsFilePath("/"), "/hangardeck.ini");
        const QByteArray longPath = "[main]\r\nacpath=/" + QByteArray(200, 'a');
        QCOMPARE(StoredSettings::fromProfile(Profile::fromBytes(longPath)).aircraftDirectory.size(),
                 qsizetype(Profile::MaxValueChars));
    }

    // Closing writes only its own keys: foreign lines, sections and keys stay, and so do sheep
    // and the keys whose control gave no value (no lead-field button, no panel).
    void writeClosing_keepsWhatItDoesNotOwn()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath("hangardeck.ini");
        QVERIFY(SettingsWriter(ini).writeFirstRun({1, 2, 3, 4}));
        QCOMPARE(values(ini, "acpath"), defaultAircraftDirectory());
        QFile file(ini);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("; kept comment\r\n[main]\r\nbroken line without equals\r\nsheep=9\r\nleadfield=2\r\nframe=4\r\n"
                   "extra=kept\r\n[other]\r\nx=1\r\n");
        file.close();
        ClosingState state;
        state.aircraftDirectory = "/fs9/Aircraft";
        state.fieldWidthText = "33";
        state.paddingText = "0";
        state.geometry = WindowGeometryTwips{150, 300.5f, 7110, 9105};
        QVERIFY(SettingsWriter(ini).writeClosing(state));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        QVERIFY(content.startsWith("; kept comment\r\n[main]\r\nbroken line without equals\r\n"));
        QVERIFY(content.contains("[other]\r\nx=1\r\n"));
        QCOMPARE(values(ini, "acpath fieldwidth left leadfield frame extra sheep"),
                 "/fs9/Aircraft 33 300.5 2 4 kept 9");
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "settings_test.moc"

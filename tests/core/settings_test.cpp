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

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList keysInFile(const QString &path)
{
    QStringList keys;
    for (const QByteArray &line : readAll(path).split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0) {
            keys.append(QString::fromUtf8(line.left(equals)));
        }
    }
    return keys;
}

QString valueOf(const QString &path, const QString &key)
{
    return Profile::fromFile(std::filesystem::path(path.toStdString())).settingsValue(u"main", key);
}

StoredSettings storedFrom(const QByteArray &content)
{
    return StoredSettings::fromProfile(Profile::fromBytes(content));
}

} // namespace

class SettingsTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Conversions of stored text

    void toInt16_convertsLikeTheSettingsReader_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain") << QStringLiteral("20") << true << 20;
        QTest::newRow("blanks around") << QStringLiteral("  7 ") << true << 7;
        QTest::newRow("negative") << QStringLiteral("-3") << true << -3;
        QTest::newRow("fraction rounds down") << QStringLiteral("12.4") << true << 12;
        QTest::newRow("fraction rounds up") << QStringLiteral("12.6") << true << 13;
        QTest::newRow("half to even, down") << QStringLiteral("2.5") << true << 2;
        QTest::newRow("half to even, up") << QStringLiteral("3.5") << true << 4;
        QTest::newRow("exponent") << QStringLiteral("1e2") << true << 100;
        QTest::newRow("upper limit") << QStringLiteral("32767") << true << 32767;
        QTest::newRow("lower limit") << QStringLiteral("-32768") << true << -32768;
        QTest::newRow("overflow") << QStringLiteral("32768") << false << 0;
        QTest::newRow("huge") << QStringLiteral("1e300") << false << 0;
        QTest::newRow("empty") << QString() << false << 0;
        QTest::newRow("blank") << QStringLiteral("   ") << false << 0;
        QTest::newRow("letters") << QStringLiteral("x") << false << 0;
        QTest::newRow("trailing letters") << QStringLiteral("20px") << false << 0;
        QTest::newRow("infinity") << QStringLiteral("inf") << false << 0;
        QTest::newRow("not a number") << QStringLiteral("nan") << false << 0;
        QTest::newRow("hex") << QStringLiteral("0x10") << false << 0;
        QTest::newRow("group separator") << QStringLiteral("1,000") << false << 0;
    }
    void toInt16_convertsLikeTheSettingsReader()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, expected);
        const std::optional<int> result = toInt16(text);
        QCOMPARE(result.has_value(), valid);
        if (valid) {
            QCOMPARE(*result, expected);
        }
    }

    void checkChange_followsTheTwoEqualityTests_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("1 checks") << QStringLiteral("1") << int(CheckChange::Check);
        QTest::newRow("1.0 checks") << QStringLiteral("1.0") << int(CheckChange::Check);
        QTest::newRow("0 clears") << QStringLiteral("0") << int(CheckChange::Clear);
        QTest::newRow("non-number clears") << QStringLiteral("x") << int(CheckChange::Clear);
        QTest::newRow("empty clears") << QString() << int(CheckChange::Clear);
        QTest::newRow("2 keeps") << QStringLiteral("2") << int(CheckChange::Keep);
        QTest::newRow("5 keeps") << QStringLiteral("5") << int(CheckChange::Keep);
        QTest::newRow("-1 keeps") << QStringLiteral("-1") << int(CheckChange::Keep);
    }
    void checkChange_followsTheTwoEqualityTests()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(int(checkChangeFor(text)), expected);
    }

    void firstRunMarker_onlyNineCountsAsInitialised_data()
    {
        QTest::addColumn<QString>("marker");
        QTest::addColumn<bool>("firstRun");
        QTest::newRow("absent") << QString() << true;
        QTest::newRow("nine") << QStringLiteral("9") << false;
        QTest::newRow("nine with blanks") << QStringLiteral(" 9 ") << false;
        QTest::newRow("nine as fraction") << QStringLiteral("9.0") << false;
        QTest::newRow("reset") << QStringLiteral("0") << true;
        QTest::newRow("other number") << QStringLiteral("8") << true;
        QTest::newRow("text") << QStringLiteral("nine") << true;
    }
    void firstRunMarker_onlyNineCountsAsInitialised()
    {
        QFETCH(QString, marker);
        QFETCH(bool, firstRun);
        QCOMPARE(isFirstRun(marker), firstRun);
    }

    void singleText_roundTrips()
    {
        QCOMPARE(singleToText(7110.0f), QStringLiteral("7110"));
        QCOMPARE(singleToText(7110.5f), QStringLiteral("7110.5"));
        QCOMPARE(singleToText(-150.0f), QStringLiteral("-150"));
        QCOMPARE(singleToText(0.0f), QStringLiteral("0"));
        for (const float value : {7110.0f, 4567.25f, -30.0f, 123456.7f}) {
            QCOMPARE(toSingle(singleToText(value)), std::optional<float>(value));
        }
        QVERIFY(!toSingle(u"1e39").has_value());
        QVERIFY(!toSingle(u"tall").has_value());
    }

    // The settings file path

    void settingsPath_hasOneSeparator()
    {
        QCOMPARE(settingsFilePath(QStringLiteral("/opt/hangardeck")), QStringLiteral("/opt/hangardeck/hangardeck.ini"));
        QCOMPARE(settingsFilePath(QStringLiteral("/opt/hangardeck/")), QStringLiteral("/opt/hangardeck/hangardeck.ini"));
        QCOMPARE(settingsFilePath(QStringLiteral("/")), QStringLiteral("/hangardeck.ini"));
    }

    // Reading a stored file

    void storedSettings_convertsEveryKey()
    {
        const StoredSettings s = storedFrom("[main]\r\nacpath=/fs9/Aircraft\r\nfieldwidth=30\r\nfieldpadding=2\r\n"
                                            "fieldactualwidth=1\r\nfielddelimiter=;\r\nrowterminator=|\r\n"
                                            "leadfield=2\r\nflsimx=0\r\nframe=3\r\ntop=150\r\nleft=300.5\r\n"
                                            "height=7110\r\nwidth=9105\r\nsheep=9\r\n");
        QCOMPARE(s.aircraftDirectory, QStringLiteral("/fs9/Aircraft"));
        QCOMPARE(s.fieldWidthChars, std::optional<int>(30));
        QCOMPARE(s.paddingCount, std::optional<int>(2));
        QCOMPARE(int(s.actualWidth), int(CheckChange::Check));
        QCOMPARE(s.delimiter, QStringLiteral(";"));
        QCOMPARE(s.terminator, QStringLiteral("|"));
        QCOMPARE(s.leadField, std::optional<int>(2));
        QCOMPARE(int(s.extendedMode), int(CheckChange::Clear));
        QCOMPARE(s.frame, std::optional<int>(3));
        QCOMPARE(s.topTwips, std::optional<float>(150));
        QCOMPARE(s.leftTwips, std::optional<float>(300.5f));
        QCOMPARE(s.heightTwips, std::optional<float>(7110));
        QCOMPARE(s.widthTwips, std::optional<float>(9105));
    }

    void storedSettings_missingKeysFailTheirConversions()
    {
        const StoredSettings s = storedFrom("[main]\r\nsheep=9\r\n");
        QVERIFY(s.aircraftDirectory.isEmpty());
        QVERIFY(!s.fieldWidthChars && !s.paddingCount && !s.leadField && !s.frame);
        QVERIFY(!s.topTwips && !s.leftTwips && !s.heightTwips && !s.widthTwips);
        // Empty text is not a number, so both two-state values end clear.
        QCOMPARE(int(s.actualWidth), int(CheckChange::Clear));
        QCOMPARE(int(s.extendedMode), int(CheckChange::Clear));
    }

    void storedSettings_longValuesAreCut()
    {
        const QByteArray longPath = "/" + QByteArray(200, 'a');
        const StoredSettings s = storedFrom("[main]\r\nacpath=" + longPath + "\r\n");
        QCOMPARE(s.aircraftDirectory.size(), qsizetype(Profile::MaxValueChars));
    }

    // Writing

    void writeFirstRun_writesFourteenKeysInTableOrder()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("hangardeck.ini"));
        QVERIFY(SettingsWriter(ini).writeFirstRun({2205, 3127.5f, 6750, 8985}));
        QCOMPARE(keysInFile(ini), settingsKeyOrder());
        QCOMPARE(valueOf(ini, QStringLiteral("acpath")), defaultAircraftDirectory());
        QCOMPARE(valueOf(ini, QStringLiteral("fieldwidth")), QStringLiteral("20"));
        QCOMPARE(valueOf(ini, QStringLiteral("fielddelimiter")), QString());
        QCOMPARE(valueOf(ini, QStringLiteral("flsimx")), QStringLiteral("1"));
        QCOMPARE(valueOf(ini, QStringLiteral("frame")), QStringLiteral("0"));
        QCOMPARE(valueOf(ini, QStringLiteral("left")), QStringLiteral("3127.5"));
        QCOMPARE(valueOf(ini, QStringLiteral("height")), QStringLiteral("6750"));
        QCOMPARE(valueOf(ini, QStringLiteral("sheep")), QStringLiteral("9"));
        QVERIFY(readAll(ini).contains("\r\nsheep=9\r\n"));
    }

    void writeReset_writesTheDesignSizeAndClearsTheMarker()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("hangardeck.ini"));
        SettingsWriter writer(ini);
        QVERIFY(writer.writeFirstRun({1, 2, 3, 4}));
        QVERIFY(writer.writeReset(2205, 3127.5f));
        QCOMPARE(keysInFile(ini), settingsKeyOrder());
        QCOMPARE(valueOf(ini, QStringLiteral("top")), QStringLiteral("2205"));
        QCOMPARE(valueOf(ini, QStringLiteral("height")), QStringLiteral("7110"));
        QCOMPARE(valueOf(ini, QStringLiteral("width")), QStringLiteral("9105"));
        QCOMPARE(valueOf(ini, QStringLiteral("sheep")), QStringLiteral("0"));
    }

    void writeClosing_leavesSheepAndUnknownValuesAlone()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("hangardeck.ini"));
        SettingsWriter writer(ini);
        QVERIFY(writer.writeFirstRun({1, 2, 3, 4}));
        QVERIFY(writeProfileString(ini, QStringLiteral("main"), QStringLiteral("leadfield"), QStringLiteral("2")));

        ClosingState state;
        state.aircraftDirectory = QStringLiteral("/fs9/Aircraft");
        state.fieldWidthText = QStringLiteral("33");
        state.paddingText = QStringLiteral("4");
        state.actualWidthState = 1;
        state.delimiter = QStringLiteral(";");
        state.extendedMode = false;
        state.geometry = WindowGeometryTwips{150, 300, 7110, 9105};
        // No lead-field button and no panel: those keys keep what is stored.
        QVERIFY(writer.writeClosing(state));

        QCOMPARE(keysInFile(ini), settingsKeyOrder());
        QCOMPARE(valueOf(ini, QStringLiteral("acpath")), QStringLiteral("/fs9/Aircraft"));
        QCOMPARE(valueOf(ini, QStringLiteral("fieldwidth")), QStringLiteral("33"));
        QCOMPARE(valueOf(ini, QStringLiteral("fieldactualwidth")), QStringLiteral("1"));
        QCOMPARE(valueOf(ini, QStringLiteral("fielddelimiter")), QStringLiteral(";"));
        QCOMPARE(valueOf(ini, QStringLiteral("leadfield")), QStringLiteral("2"));
        QCOMPARE(valueOf(ini, QStringLiteral("flsimx")), QStringLiteral("0"));
        QCOMPARE(valueOf(ini, QStringLiteral("frame")), QStringLiteral("0"));
        QCOMPARE(valueOf(ini, QStringLiteral("top")), QStringLiteral("150"));
        QCOMPARE(valueOf(ini, QStringLiteral("sheep")), QStringLiteral("9"));
    }

    void writeClosing_keepsForeignLinesAndKeys()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("hangardeck.ini"));
        QFile file(ini);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("; kept comment\r\n[main]\r\nbroken line without equals\r\nsheep=9\r\nextra=kept\r\n[other]\r\nx=1\r\n");
        file.close();

        ClosingState state;
        state.fieldWidthText = QStringLiteral("20");
        state.paddingText = QStringLiteral("0");
        QVERIFY(SettingsWriter(ini).writeClosing(state));

        const QByteArray content = readAll(ini);
        QVERIFY(content.startsWith("; kept comment\r\n[main]\r\nbroken line without equals\r\n"));
        QCOMPARE(valueOf(ini, QStringLiteral("extra")), QStringLiteral("kept"));
        QCOMPARE(valueOf(ini, QStringLiteral("sheep")), QStringLiteral("9"));
        QVERIFY(content.contains("[other]\r\nx=1\r\n"));
    }

    void write_intoReadOnlyFolder_failsWithoutHarm()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("hangardeck.ini"));
        QVERIFY(SettingsWriter(ini).writeFirstRun({1, 2, 3, 4}));
        const QByteArray before = readAll(ini);
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        if (QFileInfo(dir.path()).isWritable()) {
            QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            QSKIP("running with rights that ignore folder permissions");
        }
        const bool written = SettingsWriter(ini).writeReset(5, 6);
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QVERIFY(!written);
        QCOMPARE(readAll(ini), before);
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "settings_test.moc"

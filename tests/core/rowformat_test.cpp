// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/catalogue/rowformat.h"

#include <QTest>

using namespace hangardeck::core;
using namespace hangardeck::core::rowformat;

namespace {

CatalogueEntry entry747(int index = 3)
{
    CatalogueEntry entry;
    entry.manufacturer = "Boeing";                      // 6 letters
    entry.type = "747-400";                             // 7 characters
    entry.title = "Boeing 747-400 Intercontinental XL"; // 34 characters
    entry.subdir = "\\b747";
    entry.fltsimIndex = index;
    return entry;
}

QString spaces(int n)
{
    return QString(n, u' ');
}

} // namespace

Q_DECLARE_METATYPE(hangardeck::core::LeadField)

class RowFormatTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Fitting a field to W + 1 characters
    void fitField_padsOrCutsToWidthPlusOne_data();
    void fitField_padsOrCutsToWidthPlusOne();
    void fitField_countsCharactersNotUnits();

    // Tags and padding
    void fltsimTag_twoDigits_data();
    void fltsimTag_twoDigits();
    void padString_isCountPlusOneSpaces();

    // Whole rows in every lead order
    void formatRow_layout_data();
    void formatRow_layout();
    void formatRow_workedExampleIs77Characters();
};

void RowFormatTest::fitField_padsOrCutsToWidthPlusOne_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("fitted");

    QTest::newRow("exactly W gains one space") << QString(20, u'a') << 20 << QString(20, u'a') + " ";
    QTest::newRow("W + 1 unchanged") << QString(21, u'b') << 20 << QString(21, u'b');
    QTest::newRow("W + 2 cut") << QString(22, u'c') << 20 << QString(21, u'c');
    QTest::newRow("long title cut") << "Boeing 747-400 Intercontinental XL" << 20 << "Boeing 747-400 Interc";
    QTest::newRow("minimum width 5, longer") << "Cessna 172" << 5 << "Cessna";
    QTest::newRow("-EMPTY- padded") << "-EMPTY-" << 20 << "-EMPTY-" + spaces(14);
}

void RowFormatTest::fitField_padsOrCutsToWidthPlusOne()
{
    QFETCH(QString, value);
    QFETCH(int, width);
    QFETCH(QString, fitted);
    QCOMPARE(fitField(value, width), fitted);
}

void RowFormatTest::fitField_countsCharactersNotUnits()
{
    // A character outside the BMP is two UTF-16 units but one character: it is never cut in half.
    const QString plane = QStringLiteral("\U0001F6E9");
    QCOMPARE(fitField(plane + "abcd", 5), plane + "abcd ");
    QCOMPARE(fitField("abcde" + plane + "x", 5), "abcde" + plane);
    QCOMPARE(fitField("abcd" + plane + plane, 4), "abcd" + plane);
    // Accented letters are one character each, whatever their bytes.
    QCOMPARE(fitField(QString::fromUtf8("Société Aéro"), 5), QString::fromUtf8("Sociét"));
}

void RowFormatTest::fltsimTag_twoDigits_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("tag");
    QTest::newRow("0") << 0 << ".00";
    QTest::newRow("9") << 9 << ".09";
    QTest::newRow("10") << 10 << ".10";
    QTest::newRow("32") << 32 << ".32";
}

void RowFormatTest::fltsimTag_twoDigits()
{
    QFETCH(int, index);
    QFETCH(QString, tag);
    QCOMPARE(fltsimTag(index), tag);
}

void RowFormatTest::padString_isCountPlusOneSpaces()
{
    QCOMPARE(padString(0), " ");
    QCOMPARE(padString(20), spaces(21));
}

void RowFormatTest::formatRow_layout_data()
{
    QTest::addColumn<LeadField>("lead");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("padding");
    QTest::addColumn<bool>("actualWidth");
    QTest::addColumn<QString>("delimiter");
    QTest::addColumn<QString>("terminator");
    QTest::addColumn<QString>("row");

    const QString m = "Boeing" + spaces(15); // fitted to 21
    const QString t = "747-400" + spaces(14);
    const QString ti = "Boeing 747-400 Interc";

    QTest::newRow("manufacturer lead, defaults") << LeadField::Manufacturer << 20 << 0 << false << ""
                                                 << "" << m + " " + t + " " + ti + " " + ".03\\b747";
    QTest::newRow("type lead") << LeadField::Type << 20 << 0 << false << ";"
                               << "" << t + " ;" + m + " ;" + ti + " ;.03\\b747";
    QTest::newRow("title lead") << LeadField::Title << 20 << 0 << false << ";"
                                << "" << ti + " ;" + m + " ;" + t + " ;.03\\b747";
    QTest::newRow("subdir lead: no tag, title then terminator") << LeadField::Subdir << 20 << 0 << false << ";"
                                                                << "|"
                                                                << "\\b747 ;" + m + " ;" + t + " ;" + ti + "|";
    QTest::newRow("padding 20 gives 21 spaces")
        << LeadField::Manufacturer << 20 << 20 << false << ""
        << "" << m + spaces(21) + t + spaces(21) + ti + spaces(21) + ".03\\b747";
    QTest::newRow("five-character delimiter and terminator")
        << LeadField::Manufacturer << 20 << 0 << false << "<-|->"
        << "#" << m + " <-|->" + t + " <-|->" + ti + " <-|->.03\\b747#";
    QTest::newRow("actual width: own lengths, no padding")
        << LeadField::Manufacturer << 20 << 5 << true << ";"
        << ""
        << "Boeing;747-400;Boeing 747-400 Intercontinental XL;.03\\b747";
    QTest::newRow("actual width, subdir lead") << LeadField::Subdir << 20 << 0 << true << ","
                                               << ""
                                               << "\\b747,Boeing,747-400,Boeing 747-400 Intercontinental XL";
}

void RowFormatTest::formatRow_layout()
{
    QFETCH(LeadField, lead);
    QFETCH(int, width);
    QFETCH(int, padding);
    QFETCH(bool, actualWidth);
    QFETCH(QString, delimiter);
    QFETCH(QString, terminator);
    QFETCH(QString, row);

    FormatSettings settings;
    settings.leadField = lead;
    settings.fieldWidthChars = width;
    settings.paddingCount = padding;
    settings.actualWidth = actualWidth;
    settings.delimiter = delimiter;
    settings.terminator = terminator;
    QCOMPARE(formatRow(entry747(), settings), row);
}

void RowFormatTest::formatRow_workedExampleIs77Characters()
{
    FormatSettings settings;
    settings.delimiter = ";";
    const QString row = formatRow(entry747(), settings);
    QCOMPARE(row.size(), 3 * (21 + 1 + 1) + 3 + 5);
    QVERIFY(row.endsWith(";.03\\b747"));
    // The subdir starts at the first backslash, and the two characters before it are the entry number.
    const qsizetype slash = row.indexOf(u'\\');
    QCOMPARE(row.mid(slash), "\\b747");
    QCOMPARE(row.mid(slash - 2, 2), "03");
}

QTEST_GUILESS_MAIN(RowFormatTest)
#include "rowformat_test.moc"

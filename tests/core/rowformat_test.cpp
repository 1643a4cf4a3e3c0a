// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/catalogue/rowformat.h"

#include <QTest>

using namespace hangardeck::core;
using namespace hangardeck::core::rowformat;

namespace {

CatalogueEntry entry747()
{
    CatalogueEntry entry;
    entry.manufacturer = "Boeing";                      // 6 letters
    entry.type = "747-400";                             // 7 characters
    entry.title = "Boeing 747-400 Intercontinental XL"; // 34 characters
    entry.subdir = "\\b747";
    entry.fltsimIndex = 3;
    return entry;
}

QString spaces(int n)
{
    return QString(n, u' ');
}

} // namespace

Q_DECLARE_METATYPE(hangardeck::core::FormatSettings)

class RowFormatTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Fitting a field to W + 1 characters, counted in characters, not UTF-16 units
    void fitField_padsOrCutsToWidthPlusOne_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("fitted");
        const QString plane = QStringLiteral("\U0001F6E9"); // two units, one character: never cut in half

        QTest::newRow("exactly W gains one space") << QString(20, u'a') << 20 << QString(20, u'a') + " ";
        QTest::newRow("W + 1 unchanged") << QString(21, u'b') << 20 << QString(21, u'b');
        QTest::newRow("W + 2 cut") << QString(22, u'c') << 20 << QString(21, u'c');
        QTest::newRow("minimum width 5, longer") << "Cessna 172" << 5 << "Cessna";
        QTest::newRow("-EMPTY- padded") << "-EMPTY-" << 20 << "-EMPTY-" + spaces(14);
        QTest::newRow("plane first") << plane + "abcd" << 5 << plane + "abcd ";
        QTest::newRow("plane last kept") << "abcde" + plane + "x" << 5 << "abcde" + plane;
        QTest::newRow("second plane cut") << "abcd" + plane + plane << 4 << "abcd" + plane;
        QTest::newRow("accented letters") << QString::fromUtf8("Société Aéro") << 5 << QString::fromUtf8("Sociét");
    }

    void fitField_padsOrCutsToWidthPlusOne()
    {
        QFETCH(QString, value);
        QFETCH(int, width);
        QFETCH(QString, fitted);
        QCOMPARE(fitField(value, width), fitted);
    }

    void fltsimTag_twoDigits()
    {
        const QStringList tags{fltsimTag(0), fltsimTag(9), fltsimTag(10), fltsimTag(32)};
        QCOMPARE(tags, QStringList({".00", ".09", ".10", ".32"}));
    }

    void formatRow_layout_data()
    {
        QTest::addColumn<FormatSettings>("settings");
        QTest::addColumn<QString>("row");
        const auto row = [](const char *name, LeadField lead, int padding, bool actualWidth, const QString &delimiter,
                            const QString &terminator, const QString &formatted) {
            FormatSettings settings;
            settings.leadField = lead;
            settings.paddingCount = padding;
            settings.actualWidth = actualWidth;
            settings.delimiter = delimiter;
            settings.terminator = terminator;
            QTest::newRow(name) << settings << formatted;
        };
        const QString m = "Boeing" + spaces(15); // fitted to 21
        const QString t = "747-400" + spaces(14);
        const QString ti = "Boeing 747-400 Interc";
        using enum LeadField;

        row("manufacturer lead, ;", Manufacturer, 0, false, ";", "", m + " ;" + t + " ;" + ti + " ;.03\\b747");
        row("type lead", Type, 0, false, ";", "", t + " ;" + m + " ;" + ti + " ;.03\\b747");
        row("title lead", Title, 0, false, ";", "", ti + " ;" + m + " ;" + t + " ;.03\\b747");
        row("subdir lead: no tag, title then terminator", Subdir, 0, false, ";", "|",
            "\\b747 ;" + m + " ;" + t + " ;" + ti + "|");
        row("padding 20 gives 21 spaces", Manufacturer, 20, false, "", "",
            m + spaces(21) + t + spaces(21) + ti + spaces(21) + ".03\\b747");
        row("five-character delimiter and terminator", Manufacturer, 0, false, "<-|->", "#",
            m + " <-|->" + t + " <-|->" + ti + " <-|->.03\\b747#");
        row("actual width: own lengths, no padding", Manufacturer, 5, true, ";", "",
            "Boeing;747-400;Boeing 747-400 Intercontinental XL;.03\\b747");
    }

    void formatRow_layout()
    {
        QFETCH(FormatSettings, settings);
        QFETCH(QString, row);
        QCOMPARE(formatRow(entry747(), settings), row);
    }
};

QTEST_GUILESS_MAIN(RowFormatTest)
#include "rowformat_test.moc"

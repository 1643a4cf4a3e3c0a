// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "cli/checkoutput.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace hangardeck::cli {

namespace {

// Text as a terminal may be given it: each control character becomes U+FFFD.
QString shown(QString text)
{
    for (QChar &c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7f && u <= 0x9f)) {
            c = QChar::ReplacementCharacter;
        }
    }
    return text;
}

QString summaryLine(const core::CollectionCheck &check)
{
    const qsizetype total = qsizetype(check.findings.size());
    QString line = QStringLiteral("%1 %2, %3 %4, %5 %6")
                       .arg(check.folders)
                       .arg(check.folders == 1 ? QStringLiteral("folder") : QStringLiteral("folders"))
                       .arg(check.variations)
                       .arg(check.variations == 1 ? QStringLiteral("variation") : QStringLiteral("variations"))
                       .arg(total)
                       .arg(total == 1 ? QStringLiteral("finding") : QStringLiteral("findings"));
    QStringList perKind;
    for (int k = 0; k < core::FindingKindCount; ++k) {
        if (const int count = check.counts[size_t(k)]; count > 0) {
            perKind.append(core::findingKindName(core::FindingKind(k)) + u' ' + QString::number(count));
        }
    }
    if (!perKind.isEmpty()) {
        line += QStringLiteral(": ") + perKind.join(QStringLiteral(", "));
    }
    return line;
}

} // namespace

QByteArray checkOutput(const core::CollectionCheck &check, CheckFormat format)
{
    if (format == CheckFormat::Text) {
        QString text;
        for (const core::Finding &finding : check.findings) {
            QString where = finding.folder.isEmpty() ? QStringLiteral("(collection)") : finding.folder;
            if (!finding.section.isEmpty()) {
                where += u' ' + finding.section;
            }
            text += shown(where + u' ' + core::findingKindName(finding.kind) + QStringLiteral(": ") + finding.message);
            text += u'\n';
        }
        text += summaryLine(check) + u'\n';
        return text.toUtf8();
    }
    QJsonArray findings;
    for (const core::Finding &finding : check.findings) {
        findings.append(QJsonObject{{QStringLiteral("folder"), finding.folder},
                                    {QStringLiteral("section"), finding.section},
                                    {QStringLiteral("kind"), core::findingKindName(finding.kind)},
                                    {QStringLiteral("message"), finding.message}});
    }
    QJsonObject kinds;
    for (int k = 0; k < core::FindingKindCount; ++k) {
        kinds.insert(core::findingKindName(core::FindingKind(k)), check.counts[size_t(k)]);
    }
    const QJsonObject summary{{QStringLiteral("folders"), check.folders},
                              {QStringLiteral("variations"), check.variations},
                              {QStringLiteral("findings"), qint64(check.findings.size())},
                              {QStringLiteral("kinds"), kinds}};
    return QJsonDocument(QJsonObject{{QStringLiteral("findings"), findings}, {QStringLiteral("summary"), summary}})
        .toJson(QJsonDocument::Indented);
}

} // namespace hangardeck::cli

// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_TESTS_GUITESTSUPPORT_H
#define HANGARDECK_TESTS_GUITESTSUPPORT_H

#include "shell/messagepresenter.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace hangardeck::testsupport {

// Records every message the window would show, instead of blocking on a dialog.
class RecordingPresenter final : public gui::MessagePresenter
{
public:
    void showMessage(QWidget *, const QString &text) override { messages.append(text); }

    QStringList messages;
};

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// One [fltsim.N] entry per title, the manufacturer and type numbered after the folder:
//   [fltsim.1]
//   title=Cub Floats
//   ui_manufacturer=Piper
//   ui_type=J-3 1
inline bool writeAircraft(const QString &aircraftDir, const QString &folder, const QString &manufacturer,
                          const QStringList &titles)
{
    QByteArray cfg;
    for (qsizetype i = 0; i < titles.size(); ++i) {
        cfg += "[fltsim." + QByteArray::number(i) + "]\r\n";
        cfg += "title=" + titles[i].toUtf8() + "\r\n";
        cfg += "ui_manufacturer=" + manufacturer.toUtf8() + "\r\n";
        cfg += "ui_type=" + folder.toUtf8() + " " + QByteArray::number(i) + "\r\n\r\n";
    }
    return writeFile(aircraftDir + u'/' + folder + QStringLiteral("/aircraft.cfg"), cfg);
}

// The [main] key=value lines of a settings file, in file order.
inline QList<QPair<QString, QString>> iniEntries(const QString &path)
{
    QList<QPair<QString, QString>> entries;
    const QList<QByteArray> lines = readFile(path).split('\n');
    for (QByteArray line : lines) {
        line = line.trimmed();
        const qsizetype equals = line.indexOf('=');
        if (equals > 0 && !line.startsWith('[')) {
            entries.append({QString::fromUtf8(line.left(equals)), QString::fromUtf8(line.mid(equals + 1))});
        }
    }
    return entries;
}

inline QString iniValue(const QString &path, const QString &key)
{
    const auto entries = iniEntries(path);
    for (const auto &entry : entries) {
        if (entry.first == key) {
            return entry.second;
        }
    }
    return QStringLiteral("<absent>");
}

} // namespace hangardeck::testsupport

#endif

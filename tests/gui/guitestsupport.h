// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_TESTS_GUITESTSUPPORT_H
#define HANGARDECK_TESTS_GUITESTSUPPORT_H

#include "core/platform/system.h"
#include "gui/finder/directorylistbox.h"
#include "gui/shell/launcher.h"
#include "gui/shell/mainwindow.h"
#include "gui/shell/messagepresenter.h"
#include "testsupport.h"

#include <QtTest>
#include <QtWidgets>

namespace hangardeck::testsupport {

using gui::DirectoryListBox;
using gui::MainWindow;

// Records every message the window would show, and whether the window was on screen then.
struct RecordingPresenter final : gui::MessagePresenter {
    void showMessage(QWidget *parent, const QString &text) override
    {
        messages.append(text);
        windowVisible.append(parent && parent->isVisible());
    }
    QStringList messages;
    QList<bool> windowVisible;
};

inline QString iniIn(const QString &programFolder)
{
    return programFolder + "/hangardeck.ini";
}

inline const QString SubdirNotice = "The following is not available when subdir is NOT last field.\nImage Browsing\n"
                                    "Opening Aircraft.cfg w/double clicking\nViewing extended details.";

// One [fltsim.N] entry per title; ui_type is the folder name and N ("cub 0").
inline bool writeAircraft(const QString &dir, const QString &folder, const QString &maker, const QStringList &titles)
{
    QByteArray cfg;
    for (qsizetype i = 0; i < titles.size(); ++i) {
        const QByteArray n = QByteArray::number(i);
        cfg += "[fltsim." + n + "]\r\ntitle=" + titles[i].toUtf8() + "\r\nui_manufacturer=" + maker.toUtf8()
               + "\r\nui_type=" + folder.toUtf8() + ' ' + n + "\r\n\r\n";
    }
    return writeFile(dir + '/' + folder + "/aircraft.cfg", cfg);
}

// The key=value lines of a settings file, in file order.
inline QStringList iniLines(const QString &path)
{
    return QString::fromUtf8(readFile(path)).split(QRegularExpression("[\r\n]+")).filter(QRegularExpression("^\\w+="));
}

inline QStringList iniKeys(const QString &path)
{
    return iniLines(path).replaceInStrings(QRegularExpression("=.*"), QString());
}

// The stored values of some keys: iniValues(ini, "top left") gives "150 300" (an absent key gives "").
inline QString iniValues(const QString &path, const QString &keys)
{
    QStringList values;
    for (const QString &key : keys.split(' ')) {
        values.append(iniLines(path).filter(QRegularExpression('^' + key + '=')).value(0).section('=', 1));
    }
    return values.join(' ');
}

// The texts a list view shows, top to bottom (its model column of the shared catalogue model).
inline QStringList texts(const QListView *list)
{
    QStringList result;
    const QAbstractItemModel *model = list->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        result.append(model->index(row, list->modelColumn()).data().toString());
    }
    return result;
}

// Records the files the window would open in the desktop's programs; with startable false,
// it is a desktop without a program for them.
struct RecordingLauncher final : gui::Launcher {
    bool start(const QString &path) override
    {
        opened.append(QDir::fromNativeSeparators(path)); // the tests write paths with slashes
        return startable;
    }
    QStringList opened;
    bool startable = true;
};

// A main window started in a program folder (by default a new one), and its controls by object name.
struct Run {
    QTemporaryDir newFolder;
    QString folder;
    RecordingPresenter presenter;
    RecordingLauncher launcher;
    std::unique_ptr<MainWindow> window;

    explicit Run(const QString &programFolder = {})
        : folder(programFolder.isEmpty() ? newFolder.path() : programFolder),
          window(std::make_unique<MainWindow>(folder, &presenter, &launcher))
    {
    }

    template <typename T = QWidget> T *child(const QString &name) const
    {
        T *found = window->findChild<T *>(name);
        if (!found) {
            qFatal("no child named %s", qPrintable(name));
        }
        return found;
    }
    QWidget *panel(gui::Panel element) const { return child(QString("setframes_%1").arg(int(element))); }
    QLabel *label(const QString &name) const { return child<QLabel>(name); }
    QLineEdit *edit(const QString &name) const { return child<QLineEdit>(name); }
    QListView *list(const QString &name) const { return child<QListView>(name); }
    int rows(const QString &name) const { return list(name)->model()->rowCount(); }
    int currentRow(const QString &name) const
    {
        const QModelIndex current = list(name)->currentIndex();
        return current.isValid() ? current.row() : -1;
    }
    QScrollBar *scroll(const QString &name) const { return child<QScrollBar>(name); }
    QAction *action(const QString &name) const { return child<QAction>(name); }
    QRadioButton *radio(int i) const { return child<QRadioButton>(QString("Option1_%1").arg(i)); }
    DirectoryListBox *dir1() const { return child<DirectoryListBox>("Dir1"); }
    QStringList items(const QString &name) const { return name == "Dir1" ? dir1()->entryNames() : texts(list(name)); }
    QPoint centreOf(const QString &name, int row) const
    {
        QListView *view = list(name);
        return view->visualRect(view->model()->index(row, view->modelColumn())).center();
    }
    void click(const QString &name, int row) const
    {
        QTest::mouseClick(list(name)->viewport(), Qt::LeftButton, {}, centreOf(name, row));
    }
    // A double-click arrives after the press and release of its first click.
    void doubleClick(const QString &name, int row) const
    {
        click(name, row);
        QTest::mouseDClick(list(name)->viewport(), Qt::LeftButton, {}, centreOf(name, row));
    }
    // A radio button takes clicks on its circle and caption only, not on the rest of its box.
    void clickRadio(int i) const { QTest::mouseClick(radio(i), Qt::LeftButton, {}, QPoint(6, radio(i)->height() / 2)); }
    void type(const QString &name, const QString &text) const
    {
        edit(name)->setFocus();
        QTest::keyClicks(edit(name), text);
    }
    QString panels() const // the visible ones: "3"
    {
        QString shown;
        for (const gui::Panel element : gui::AllPanels) {
            if (!panel(element)->isHidden()) {
                shown += QString::number(int(element));
            }
        }
        return shown;
    }
    bool showAndActivate() const
    {
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }
};

// A window on an aircraft directory of its own, which `write` fills before the window opens it;
// the first start's welcome dismissed, the window shown and active on request.
struct AircraftRun : Run {
    QTemporaryDir aircraft;

    AircraftRun(const std::function<bool(const QString &)> &write, bool shown)
    {
        if (!write(aircraft.path())) {
            qFatal("cannot write the aircraft folders");
        }
        presenter.messages.clear();
        dir1()->setPath(aircraft.path());
        if (shown && !showAndActivate()) {
            qFatal("the window did not become active");
        }
    }
};

} // namespace hangardeck::testsupport

#endif

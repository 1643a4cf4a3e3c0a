// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/check/checkwindow.h"

#include "core/catalogue/aircraftfolder.h"
#include "core/platform/nativepath.h"
#include "core/platform/outputfile.h"
#include "gui/check/checkrun.h"
#include "gui/check/findingsmodel.h"
#include "gui/check/findingstore.h"
#include "gui/shell/launcher.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace hangardeck::gui {

namespace {

// The text filter waits for a pause in the typing: a million findings take a moment to sift.
constexpr int FilterDelayMs = 200;
constexpr int KindRole = Qt::UserRole;
constexpr int AllKinds = -1;

struct ReportChoice {
    const char *filter;
    const char *suffix;
    core::CheckReportFormat format;
};
constexpr std::array<ReportChoice, 3> ReportChoices{{{"Text (*.txt)", "txt", core::CheckReportFormat::Text},
                                                     {"CSV (*.csv)", "csv", core::CheckReportFormat::Csv},
                                                     {"JSON (*.json)", "json", core::CheckReportFormat::Json}}};

// "11 folders seen (1 without aircraft.cfg) → 10 with an aircraft.cfg → ...": each total of
// the scan report with what fell away before the next.
QString reportLine(const core::ScanReport &r)
{
    const auto step = [](qint64 total, const QString &what,
                         std::initializer_list<std::pair<qint64, const char *>> drops) {
        QStringList dropped;
        for (const auto &[count, cause] : drops) {
            if (count > 0) {
                dropped.append(QString::number(count) + u' ' + QLatin1StringView(cause));
            }
        }
        QString text = QString::number(total) + u' ' + what;
        return dropped.isEmpty() ? text : text + QStringLiteral(" (") + dropped.join(QStringLiteral(", ")) + u')';
    };
    return QStringList{
        step(r.foldersSeen, QStringLiteral("folders seen"),
             {{r.skipped, "skipped"}, {r.noCfg, "without aircraft.cfg"}, {r.unreadable, "unreadable"}}),
        step(r.withCfg, QStringLiteral("with an aircraft.cfg"), {}),
        step(r.sections, QStringLiteral("[fltsim.N] sections"), {{r.notValid, "not valid"}}),
        step(r.titled, QStringLiteral("titled"),
             {{r.pastGap, "past a gap"}, {r.pastLast, "past [fltsim.32]"}, {r.plainOnly, "past [fltsim.0]"}}),
        step(r.listed, QStringLiteral("listed"), {}),
        step(r.rows, QStringLiteral("rows"), {{r.rows - r.listed, "-EMPTY-"}})}
        .join(QStringLiteral(" \u2192 "));
}

// The variation a finding is about: its own, or for a collection finding the first it names.
struct Variation {
    QString subdir;
    QString section;
    std::filesystem::path::string_type folderName;
};

Variation variationOf(const core::Finding &finding)
{
    if (finding.folder.isEmpty() && !finding.carriers.empty()) {
        const core::FindingCarrier &first = finding.carriers.front();
        return {first.folder, first.section, first.folderName};
    }
    return {finding.folder, finding.section, finding.folderName};
}

} // namespace

CheckWindow::CheckWindow(Launcher *launcher, QWidget *parent)
    : QWidget(parent, Qt::Window),
      m_launcher(launcher)
{
    setObjectName(QStringLiteral("frmCheck"));
    setWindowTitle(QStringLiteral("Check Collection"));
    resize(960, 600);

    m_report = new QLabel(this);
    m_report->setObjectName(QStringLiteral("checkReport"));
    m_report->setWordWrap(true);
    m_report->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_thumbnails = new QCheckBox(QStringLiteral("&Thumbnails"), this);
    m_thumbnails->setObjectName(QStringLiteral("checkThumbnails"));
    m_thumbnails->setToolTip(QStringLiteral("Also look for the thumbnail.jpg of every texture folder (slower)"));
    m_again = new QPushButton(QStringLiteral("Check &Again"), this);
    m_again->setObjectName(QStringLiteral("checkAgain"));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("checkProgress"));
    m_progress->setFormat(QStringLiteral("%v of %m folders"));
    m_cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("checkCancel"));

    m_kinds = new QListWidget(this);
    m_kinds->setObjectName(QStringLiteral("checkKinds"));
    m_kinds->setMaximumWidth(200);
    m_filter = new QLineEdit(this);
    m_filter->setObjectName(QStringLiteral("checkFilter"));
    m_filter->setPlaceholderText(QStringLiteral("Filter findings"));
    m_filter->setClearButtonEnabled(true);
    m_filterDelay = new QTimer(this);
    m_filterDelay->setSingleShot(true);
    m_filterDelay->setInterval(FilterDelayMs);

    m_model = new FindingsModel(this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("checkFindings"));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    m_table->setToolTip(QStringLiteral("Double-click: show the variation in the list; Enter: open its aircraft.cfg"));
    // Rows of one height, never measured one by one: a million of them lay out at once.
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(FindingsModel::KindColumn, 110);
    m_table->setColumnWidth(FindingsModel::FolderColumn, 220);
    m_table->setColumnWidth(FindingsModel::SectionColumn, 70);
    m_table->installEventFilter(this);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("checkStatus"));
    m_save = new QPushButton(QStringLiteral("&Save Report..."), this);
    m_save->setObjectName(QStringLiteral("checkSave"));
    m_save->setEnabled(false);

    // The buttons keep their size whether or not the progress bar is there between them.
    m_again->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto *controls = new QHBoxLayout;
    controls->addWidget(m_thumbnails);
    controls->addWidget(m_again);
    controls->addWidget(m_progress, 1);
    controls->addWidget(m_cancel);
    controls->addStretch();
    auto *findings = new QVBoxLayout;
    findings->addWidget(m_filter);
    findings->addWidget(m_table);
    auto *middle = new QHBoxLayout;
    middle->addWidget(m_kinds);
    middle->addLayout(findings, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_status, 1);
    bottom->addWidget(m_save);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_report);
    layout->addLayout(controls);
    layout->addLayout(middle, 1);
    layout->addLayout(bottom);

    connect(m_thumbnails, &QCheckBox::toggled, this, &CheckWindow::restart);
    connect(m_again, &QPushButton::clicked, this, &CheckWindow::restart);
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        if (m_run) {
            m_run->cancel();
            m_cancel->setEnabled(false);
        }
    });
    connect(m_model, &FindingsModel::countsChanged, this, &CheckWindow::showCounts);
    connect(m_kinds, &QListWidget::currentRowChanged, this, &CheckWindow::applyFilter);
    connect(m_filter, &QLineEdit::textChanged, m_filterDelay, qOverload<>(&QTimer::start));
    connect(m_filterDelay, &QTimer::timeout, this, &CheckWindow::applyFilter);
    connect(m_table, &QTableView::doubleClicked, this, &CheckWindow::requestEntry);
    connect(m_save, &QPushButton::clicked, this, &CheckWindow::chooseReportFile);
    showCounts();
}

CheckWindow::~CheckWindow()
{
    m_run.reset(); // stops the check and waits for its threads
    if (m_saving) {
        m_saving->wait();
    }
}

void CheckWindow::check(const std::filesystem::path &aircraftDir, bool extended)
{
    m_directory = aircraftDir;
    m_extended = extended;
    setWindowTitle(QStringLiteral("Check Collection - ") + core::fromNativePath(aircraftDir));
    restart();
}

void CheckWindow::restart()
{
    if (m_directory.empty()) {
        return;
    }
    m_run.reset();
    m_summary.reset();
    m_foldersDone = 0;
    m_model->clear();
    m_save->setEnabled(false);
    m_status->clear();
    m_report->setText(QStringLiteral("Checking %1 (%2)...")
                          .arg(core::fromNativePath(m_directory), m_extended
                                                                      ? QStringLiteral("every listed [fltsim.N]")
                                                                      : QStringLiteral("[fltsim.0] of each folder")));
    m_report->setToolTip({});
    m_progress->setRange(0, 0); // busy until the folders are counted
    m_progress->show();
    m_cancel->show();
    m_cancel->setEnabled(true);
    m_run = std::make_unique<CheckRun>(m_directory, core::CheckScope{m_extended, m_thumbnails->isChecked()});
    connect(m_run.get(), &CheckRun::findingsArrived, this, &CheckWindow::onFindings);
    connect(m_run.get(), &CheckRun::finished, this, &CheckWindow::onFinished);
    m_run->start();
}

void CheckWindow::onFindings(const std::shared_ptr<FindingStore> &batch, int foldersDone, int foldersTotal)
{
    m_model->append(std::move(*batch));
    m_foldersDone = foldersDone;
    m_progress->setRange(0, foldersTotal);
    m_progress->setValue(foldersDone);
}

void CheckWindow::onFinished(const core::CheckSummary &summary)
{
    // The run sent this signal; it goes once the signal is over, its threads already ended.
    m_run.release()->deleteLater();
    m_progress->hide();
    m_cancel->hide();
    if (summary.stopped) {
        m_report->setText(QStringLiteral("Check cancelled: the findings shown are those of the folders checked "
                                         "before it stopped (%1 of %2).")
                              .arg(m_foldersDone)
                              .arg(summary.folders));
    } else {
        m_summary = summary;
        m_report->setText(reportLine(summary.report));
        m_report->setToolTip(core::scanReportLines(summary.report).join(u'\n'));
        m_status->setText(core::checkSummaryLine(summary));
        m_save->setEnabled(m_saving == nullptr);
    }
    Q_EMIT checkFinished();
}

void CheckWindow::showCounts()
{
    const int selected = m_model->kindFilter() ? int(*m_model->kindFilter()) : AllKinds;
    const QSignalBlocker blocker(m_kinds);
    m_kinds->clear();
    const auto add = [this, selected](const QString &text, int kind) {
        auto *item = new QListWidgetItem(text, m_kinds);
        item->setData(KindRole, kind);
        if (kind == selected) {
            m_kinds->setCurrentItem(item);
        }
    };
    add(QStringLiteral("All kinds: %1").arg(m_model->total()), AllKinds);
    for (int k = 0; k < core::FindingKindCount; ++k) {
        const auto kind = core::FindingKind(k);
        if (m_model->count(kind) > 0 || k == selected) {
            add(QStringLiteral("%1: %2").arg(core::findingKindName(kind)).arg(m_model->count(kind)), k);
        }
    }
}

void CheckWindow::applyFilter()
{
    m_filterDelay->stop();
    const QListWidgetItem *item = m_kinds->currentItem();
    const int kind = item ? item->data(KindRole).toInt() : AllKinds;
    m_model->setFilter(kind == AllKinds ? std::nullopt : std::optional(core::FindingKind(kind)), m_filter->text());
}

void CheckWindow::requestEntry(const QModelIndex &index)
{
    if (!index.isValid()) {
        return;
    }
    const Variation variation = variationOf(m_model->finding(index.row()));
    if (variation.subdir.isEmpty()) {
        return;
    }
    // "fltsim.3" is entry 3; a finding about the whole folder shows its first row.
    const int entry = variation.section.startsWith(u"fltsim.") ? variation.section.sliced(7).toInt() : 0;
    Q_EMIT entryRequested(m_directory, variation.subdir, entry);
}

void CheckWindow::openAircraftCfg(const QModelIndex &index)
{
    if (!index.isValid()) {
        return;
    }
    const Variation variation = variationOf(m_model->finding(index.row()));
    if (!variation.subdir.isEmpty()) {
        const std::filesystem::path folder = core::folderOnDisk(variation.subdir, variation.folderName);
        m_launcher->openTextFile(core::fromNativePath(core::aircraftConfigPath(m_directory / folder)));
    }
}

void CheckWindow::chooseReportFile()
{
    auto *dialog = new QFileDialog(this, QStringLiteral("Save Report"));
    dialog->setObjectName(QStringLiteral("saveReportDialog"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    QStringList filters;
    for (const ReportChoice &choice : ReportChoices) {
        filters.append(QLatin1StringView(choice.filter));
    }
    dialog->setNameFilters(filters);
    dialog->setDefaultSuffix(QLatin1StringView(ReportChoices[0].suffix));
    // The aircraft directory is the user's to change, not ours to fill: home, then the last place.
    dialog->setDirectory(m_reportFolder.isEmpty() ? QDir::homePath() : m_reportFolder);
    dialog->selectFile(QStringLiteral("check-report.txt"));
    // A name typed without a suffix takes the chosen format's (the dialog changes one typed with it).
    connect(dialog, &QFileDialog::filterSelected, dialog, [dialog, filters](const QString &filter) {
        dialog->setDefaultSuffix(
            QLatin1StringView(ReportChoices[size_t(std::max<qsizetype>(0, filters.indexOf(filter)))].suffix));
    });
    connect(dialog, &QFileDialog::fileSelected, this, [this, dialog, filters](const QString &file) {
        const qsizetype choice = std::max<qsizetype>(0, filters.indexOf(dialog->selectedNameFilter()));
        m_reportFolder = QFileInfo(file).absolutePath();
        saveReport(core::toNativePath(file), ReportChoices[size_t(choice)].format);
    });
    dialog->open();
}

void CheckWindow::saveReport(const std::filesystem::path &file, core::CheckReportFormat format)
{
    if (!m_summary || m_saving) {
        return;
    }
    m_save->setEnabled(false);
    const QString shownPath = core::fromNativePath(file);
    m_status->setText(QStringLiteral("Saving the report to %1...").arg(shownPath));
    auto failure = std::make_shared<std::optional<QString>>();
    m_saving = QThread::create([store = m_model->store(), summary = *m_summary, file, format, failure] {
        core::OutputFile target(file);
        bool written = target.open();
        core::CheckReportWriter writer(format, [&target](QByteArrayView bytes) { return target.write(bytes); });
        for (qsizetype i = 0; written && i < store->size(); ++i) {
            written = writer.finding(store->finding(i));
        }
        if (!written || !writer.finish(summary) || !target.finish()) {
            *failure = target.errorText();
        }
    });
    connect(m_saving, &QThread::finished, this, [this, shownPath, failure] {
        m_saving->deleteLater();
        m_saving = nullptr;
        m_save->setEnabled(m_summary.has_value() && !m_run);
        m_status->setText(*failure ? QStringLiteral("The report could not be saved to %1: %2").arg(shownPath, **failure)
                                   : QStringLiteral("Report saved to %1").arg(shownPath));
        Q_EMIT reportSaved(!failure->has_value());
    });
    m_saving->start();
}

void CheckWindow::closeEvent(QCloseEvent *event)
{
    // A check nobody sees is stopped; its findings so far stay until the next one.
    if (m_run) {
        m_run->cancel();
    }
    QWidget::closeEvent(event);
}

bool CheckWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openAircraftCfg(m_table->currentIndex());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace hangardeck::gui

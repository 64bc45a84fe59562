#include "tools/graphon/graphon_window.h"

#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QImage>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QSaveFile>
#include <QScopeGuard>
#include <QStatusBar>
#include <QSvgGenerator>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>
#include <cmath>

#include "tools/graphon/lib/number_format.h"
#include "tools/graphon/plot_widget.h"

namespace kestro::graphon {

CGraphonWindow::CGraphonWindow(QWidget* parent) : QMainWindow(parent) {
    m_plot = new CPlotWidget;
    setCentralWidget(m_plot);

    m_traces = new QListWidget;
    m_traces->setAccessibleName("Traces");
    auto* traceDock = new QDockWidget("Traces", this);
    traceDock->setObjectName("traces");
    traceDock->setWidget(m_traces);
    traceDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    addDockWidget(Qt::LeftDockWidgetArea, traceDock);
    connect(m_traces, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        m_plot->SetTraceShown(size_t(m_traces->row(item)), item->checkState() == Qt::Checked);
        UpdateReadout();
    });

    m_readout = new QTableWidget(0, 4);
    m_readout->setAccessibleName("Cursor readout");
    m_readout->setHorizontalHeaderLabels({"", "Cursor 1", "Cursor 2", "Difference (2 - 1)"});
    m_readout->verticalHeader()->hide();
    m_readout->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_readout->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* readoutDock = new QDockWidget("Cursors", this);
    readoutDock->setObjectName("cursors");
    readoutDock->setWidget(m_readout);
    readoutDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    addDockWidget(Qt::BottomDockWidgetArea, readoutDock);
    readoutDock->hide();
    connect(m_plot, &CPlotWidget::CursorsChanged, this, [this, readoutDock] {
        readoutDock->setVisible(m_plot->CursorsShown());
        UpdateReadout();
    });

    BuildMenus();
    statusBar()->showMessage("Ready");
    m_reloadTimer.setSingleShot(true);
    m_reloadTimer.setInterval(250);
    connect(&m_reloadTimer, &QTimer::timeout, this, &CGraphonWindow::OnFileChanged);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this] { m_reloadTimer.start(); });
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this,
            [this] { m_reloadTimer.start(); });
    resize(980, 700);
    UpdateTitle();
    m_plot->setFocus();
}

void CGraphonWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->addAction("&Open...", QKeySequence::Open, this, [this] {
        const QString path =
            QFileDialog::getOpenFileName(this, "Open Result File", QFileInfo(m_path).path(),
                                         "Result files (*.TXT *.txt);;All files (*)");
        if (!path.isEmpty()) OpenFile(path);
    });
    file->addAction("&Reload", QKeySequence::Refresh, this, [this] {
        if (!m_path.isEmpty()) Load(m_path, true);
    });
    file->addSeparator();
    file->addAction("Export Plot as &PNG...", this,
                    [this] { AskExport("PNG images (*.png)", "png", &CGraphonWindow::ExportPng); });
    file->addAction("Export Plot as &SVG...", this, [this] {
        AskExport("SVG drawings (*.svg)", "svg", &CGraphonWindow::ExportSvg);
    });
    file->addAction("Export Data as &CSV...", this, [this] {
        AskExport("Comma-separated values (*.csv)", "csv", &CGraphonWindow::ExportCsv);
    });
    file->addSeparator();
    file->addAction("E&xit", QKeySequence::Quit, this, &QWidget::close);

    QMenu* view = menuBar()->addMenu("&View");
    view->addAction("&Fit", QKeySequence(Qt::Key_F), m_plot, &CPlotWidget::Fit);
    view->addAction("Zoom &In", QKeySequence::ZoomIn, this, [this] {
        m_plot->ZoomTime(0.5, (m_plot->ViewStart() + m_plot->ViewEnd()) / 2);
    });
    view->addAction("Zoom &Out", QKeySequence::ZoomOut, this,
                    [this] { m_plot->ZoomTime(2, (m_plot->ViewStart() + m_plot->ViewEnd()) / 2); });
    view->addAction("Pan &Left", QKeySequence(Qt::ALT | Qt::Key_Left), this,
                    [this] { m_plot->Pan(-0.1); });
    view->addAction("Pan &Right", QKeySequence(Qt::ALT | Qt::Key_Right), this,
                    [this] { m_plot->Pan(0.1); });
    view->addSeparator();
    m_cursorsAction = view->addAction("&Cursors");
    m_cursorsAction->setCheckable(true);
    m_cursorsAction->setShortcut(QKeySequence(Qt::Key_C));
    connect(m_cursorsAction, &QAction::toggled, m_plot, &CPlotWidget::SetCursorsShown);

    QMenu* help = menuBar()->addMenu("&Help");
    help->addAction("&Mouse and Keys", this, [this] {
        QMessageBox::information(
            this, "Graphon",
            "Drag across the plot to zoom into that time; with Ctrl held the box zooms the "
            "values of its plot too. The wheel zooms the time axis around the mouse.\n"
            "Drag with the right or middle button, or press Alt+Left / Alt+Right, to pan.\n"
            "Double-click or press F to fit everything.\n"
            "C shows the two cursors: drag them, click to place the active one, 1 and 2 choose "
            "the active one, Ctrl+Left / Ctrl+Right move it (with Shift: ten pixels).");
    });
}

void CGraphonWindow::UpdateTitle() {
    setWindowTitle(m_path.isEmpty() ? QString("Graphon")
                                    : QString("Graphon - %1").arg(QFileInfo(m_path).fileName()));
}

void CGraphonWindow::FillTraceList() {
    const QSignalBlocker block(m_traces);
    m_traces->clear();
    const CResultData* data = m_plot->Data();
    if (!data) return;
    for (size_t i = 0; i < data->traces.size(); ++i) {
        const CTrace& trace = data->traces[i];
        auto* item = new QListWidgetItem(QString::fromStdString(
            trace.unit.empty() ? trace.name : trace.name + " [" + trace.unit + "]"));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(m_plot->TraceShown(i) ? Qt::Checked : Qt::Unchecked);
        item->setForeground(CPlotWidget::TraceColour(i));
        m_traces->addItem(item);
    }
}

void CGraphonWindow::UpdateReadout() {
    const CResultData* data = m_plot->Data();
    if (!data || !m_plot->CursorsShown()) return;
    const double t1 = m_plot->CursorTime(0), t2 = m_plot->CursorTime(1);
    const std::vector<size_t> shown = m_plot->ShownTraces();
    m_readout->setRowCount(int(shown.size()) + 1);
    const auto set = [this](int row, int column, const std::string& text) {
        m_readout->setItem(row, column, new QTableWidgetItem(QString::fromStdString(text)));
    };
    set(0, 0, data->timeName + " [" + data->timeUnit + "]");
    set(0, 1, FormatValue(t1));
    set(0, 2, FormatValue(t2));
    set(0, 3, FormatValue(t2 - t1));
    for (size_t r = 0; r < shown.size(); ++r) {
        const CTrace& trace = data->traces[shown[r]];
        const double v1 = ValueAt(data->time, trace.values, t1);
        const double v2 = ValueAt(data->time, trace.values, t2);
        const int row = int(r) + 1;
        set(row, 0, trace.unit.empty() ? trace.name : trace.name + " [" + trace.unit + "]");
        set(row, 1, FormatValue(v1));
        set(row, 2, FormatValue(v2));
        set(row, 3, FormatValue(v2 - v1));
    }
}

bool CGraphonWindow::OpenFile(const QString& path) {
    return Load(QFileInfo(path).absoluteFilePath(), false);
}

bool CGraphonWindow::Load(const QString& path, bool keepView) {
    QFile file(path);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    const QString name = QDir::toNativeSeparators(path);
    // Watch even a file that failed, so a corrected run is picked up.
    m_path = path;
    UpdateTitle();
    WatchFile();
    if (!file.open(QIODevice::ReadOnly)) {
        ShowError(QString("Cannot read %1: %2").arg(name, file.errorString()));
        return false;
    }
    const QFileInfo info(path);
    m_loadedSize = info.size();
    m_loadedTime = info.lastModified();
    const qint64 size = file.size();
    const uchar* mapped = size > 0 ? file.map(0, size) : nullptr;
    QByteArray bytes;
    if (!mapped && size > 0) bytes = file.readAll();
    const std::string_view text =
        mapped ? std::string_view(reinterpret_cast<const char*>(mapped), size_t(size))
               : std::string_view(bytes.constData(), size_t(bytes.size()));
    CReadResult result = ReadResultText(text, std::max(1, QThread::idealThreadCount()));
    if (!result.data) {
        ShowError(QString("Cannot read %1:\n%2").arg(name, QString::fromStdString(result.Text())));
        return false;
    }
    m_lastError.clear();
    m_plot->SetData(std::make_shared<const CResultData>(std::move(*result.data)), keepView);
    FillTraceList();
    UpdateReadout();
    statusBar()->showMessage(QString("%1: %2 rows, %3 traces")
                                 .arg(name)
                                 .arg(m_plot->Data()->Rows())
                                 .arg(m_plot->Data()->traces.size()));
    emit Loaded();
    return true;
}

void CGraphonWindow::ShowError(const QString& text) {
    m_lastError = text;
    statusBar()->showMessage(QString(text).replace('\n', ' '));
    // Not modal for the caller: the window stays usable while the message is up.
    auto* box = new QMessageBox(QMessageBox::Warning, "Graphon", text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

void CGraphonWindow::WatchFile() {
    if (!m_watcher.files().isEmpty()) m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty()) m_watcher.removePaths(m_watcher.directories());
    if (m_path.isEmpty()) return;
    // The engine replaces the file by renaming a new one over it: the folder sees that.
    m_watcher.addPath(QFileInfo(m_path).absolutePath());
    if (QFileInfo::exists(m_path)) m_watcher.addPath(m_path);
}

void CGraphonWindow::OnFileChanged() {
    if (m_path.isEmpty()) return;
    const QFileInfo info(m_path);
    if (!info.exists()) return;
    if (info.size() == m_loadedSize && info.lastModified() == m_loadedTime) {
        WatchFile();
        return;
    }
    Load(m_path, true);
}

bool CGraphonWindow::ExportPng(const QString& path) {
    QImage image(m_plot->size() * m_plot->devicePixelRatio(), QImage::Format_RGB32);
    image.setDevicePixelRatio(m_plot->devicePixelRatio());
    QPainter painter(&image);
    m_plot->Render(painter, m_plot->size());
    painter.end();
    return image.save(path, "PNG");
}

bool CGraphonWindow::ExportSvg(const QString& path) {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(m_plot->size());
    svg.setViewBox(QRect(QPoint(0, 0), m_plot->size()));
    svg.setTitle(windowTitle());
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    m_plot->Render(painter, m_plot->size());
    return painter.end() && QFileInfo(path).size() > 0;
}

bool CGraphonWindow::ExportCsv(const QString& path) {
    const CResultData* data = m_plot->Data();
    if (!data) return false;
    const std::string text =
        CsvText(*data, m_plot->ShownTraces(), m_plot->ViewStart(), m_plot->ViewEnd());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(text.data(), qint64(text.size()));
    return file.commit();
}

void CGraphonWindow::AskExport(const QString& filter, const QString& suffix,
                               bool (CGraphonWindow::*write)(const QString&)) {
    if (!m_plot->Data()) {
        QMessageBox::information(this, "Graphon", "There is nothing to export yet.");
        return;
    }
    const QFileInfo source(m_path);
    QString path = QFileDialog::getSaveFileName(
        this, "Export", source.path() + "/" + source.completeBaseName() + "." + suffix, filter);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += "." + suffix;
    if ((this->*write)(path))
        statusBar()->showMessage("Exported " + QDir::toNativeSeparators(path));
    else
        QMessageBox::warning(this, "Graphon", "Cannot write " + QDir::toNativeSeparators(path));
}

void CGraphonWindow::Raise() {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

}  // namespace kestro::graphon

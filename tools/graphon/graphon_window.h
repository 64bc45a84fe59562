#pragma once

// The viewer's main window: the plots, a list of traces to show or hide, the cursor readout,
// and the commands to open, export, zoom and fit. It reloads its file when the file changes.
#include <QDateTime>
#include <QFileSystemWatcher>
#include <QMainWindow>
#include <QString>
#include <QTimer>
#include <memory>

#include "tools/graphon/lib/result_file.h"

class QListWidget;
class QTableWidget;
class QAction;

namespace kestro::graphon {

class CPlotWidget;

class CGraphonWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit CGraphonWindow(QWidget* parent = nullptr);

    // Loads a result file; on failure one message names the file and the line, and what
    // was shown before stays. True when it loaded.
    bool OpenFile(const QString& path);
    const QString& FilePath() const { return m_path; }
    CPlotWidget* Plot() const { return m_plot; }
    QListWidget* TraceList() const { return m_traces; }
    QTableWidget* Readout() const { return m_readout; }
    // The last message about a file that could not be read; empty after a good load.
    const QString& LastError() const { return m_lastError; }

    bool ExportPng(const QString& path);
    bool ExportSvg(const QString& path);
    bool ExportCsv(const QString& path);

    // Comes to the front.
    void Raise();

signals:
    void Loaded();

private:
    void BuildMenus();
    void UpdateTitle();
    void FillTraceList();
    void UpdateReadout();
    void WatchFile();
    void OnFileChanged();
    bool Load(const QString& path, bool keepView);
    void ShowError(const QString& text);
    void AskExport(const QString& filter, const QString& suffix,
                   bool (CGraphonWindow::*write)(const QString&));

    CPlotWidget* m_plot;
    QListWidget* m_traces;
    QTableWidget* m_readout;
    QAction* m_cursorsAction = nullptr;
    QString m_path;
    QString m_lastError;
    QFileSystemWatcher m_watcher;
    QTimer m_reloadTimer;
    qint64 m_loadedSize = -1;
    QDateTime m_loadedTime;
};

}  // namespace kestro::graphon

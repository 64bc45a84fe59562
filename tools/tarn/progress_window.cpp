#include "tools/tarn/progress_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include "tools/tarn/engine_run.h"

namespace kestro::tarn {

namespace {

class CProgressWindow : public QWidget {
public:
    explicit CProgressWindow(CEngineRun& run) : m_run(run) {
        setWindowTitle("TARN");
        auto* layout = new QVBoxLayout(this);
        m_status =
            new QLabel(QString("Simulating %1").arg(QString::fromStdString(run.ResultPath())));
        m_status->setWordWrap(true);
        m_bar = new QProgressBar;
        m_bar->setRange(0, 1000);
        m_bar->setAccessibleName("Progress");
        m_log = new QPlainTextEdit;
        m_log->setReadOnly(true);
        m_log->setAccessibleName("Log");
        m_log->setMaximumBlockCount(5000);
        m_button = new QPushButton("&Stop");
        connect(m_button, &QPushButton::clicked, this, [this] { OnButton(); });
        layout->addWidget(m_status);
        layout->addWidget(m_bar);
        layout->addWidget(m_log, 1);
        layout->addWidget(m_button, 0, Qt::AlignRight);
        resize(560, 320);
        connect(&m_timer, &QTimer::timeout, this, [this] { Poll(); });
        m_timer.start(50);
    }

    int Status() const { return m_status_code; }
    void Begin() {
        if (auto status = m_run.Start()) End(*status);
    }

protected:
    void closeEvent(QCloseEvent* event) override {
        if (!m_done) {
            m_run.Stop();
            event->ignore();  // closes when the run has ended
            m_closeWhenDone = true;
            return;
        }
        event->accept();
    }

private:
    void OnButton() {
        if (m_done) {
            close();
            return;
        }
        m_button->setEnabled(false);
        m_run.Stop();
    }

    void AppendLog() {
        for (const std::string& line : m_run.TakeLog())
            m_log->appendPlainText(QString::fromStdString(line));
    }

    void Poll() {
        AppendLog();
        m_bar->setValue(static_cast<int>(m_run.Progress() * 1000));
        if (!m_done && !m_run.Running()) End(m_run.Finish());
    }

    void End(int status) {
        m_done = true;
        m_status_code = status;
        m_timer.stop();
        AppendLog();
        m_status->setText(status == 0 ? "Simulation complete." : "The simulation failed.");
        if (status == 0) m_bar->setValue(1000);
        m_button->setText("&Close");
        m_button->setEnabled(true);
        m_button->setFocus();
        if (m_closeWhenDone || (status == 0 && m_run.AutoExit())) close();
    }

    CEngineRun& m_run;
    QLabel* m_status;
    QProgressBar* m_bar;
    QPlainTextEdit* m_log;
    QPushButton* m_button;
    QTimer m_timer;
    bool m_done = false;
    bool m_closeWhenDone = false;
    int m_status_code = 0;
};

}  // namespace

int RunInWindow(int argc, char** argv, CEngineRun& run) {
    QApplication app(argc, argv);
    CProgressWindow window(run);
    window.show();
    QTimer::singleShot(0, &window, [&window] { window.Begin(); });
    app.exec();
    return window.Status();
}

}  // namespace kestro::tarn

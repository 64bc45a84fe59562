#include "gui/platform/qt_prompts.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <atomic>
#include <thread>

#include "gui/dialogs/choose_list_dialog.h"
#include "gui/dialogs/text_entry_dialog.h"

namespace kestro {

namespace {

const QString kTitle = QStringLiteral("Kestro");

QMessageBox::Icon QtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Stop:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons QtButtons(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok:
            return QMessageBox::Ok;
        case MessageButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

Answer AnswerOf(int button) {
    switch (button) {
        case QMessageBox::Ok:
            return Answer::Ok;
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

}  // namespace

QWidget* CQtPrompts::Parent() const {
    if (QWidget* active = QApplication::activeWindow()) return active;
    return m_parent;
}

void CQtPrompts::ShowMessage(const std::string& text, MessageIcon icon) {
    QMessageBox box(QtIcon(icon), kTitle, QString::fromStdString(text), QMessageBox::Ok, Parent());
    box.exec();
}

Answer CQtPrompts::Ask(const std::string& text, MessageButtons buttons, MessageIcon icon) {
    QMessageBox box(QtIcon(icon), kTitle, QString::fromStdString(text), QtButtons(buttons),
                    Parent());
    return AnswerOf(box.exec());
}

QString CQtPrompts::QtFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString name = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
        if (name.isEmpty() || patterns.isEmpty()) break;
        patterns.replace(';', ' ');
        filters << (name.contains('(') ? name : name + " (" + patterns + ")");
    }
    return filters.join(QStringLiteral(";;"));
}

std::optional<std::string> CQtPrompts::OpenFileName(const CFileDialogRequest& request) {
    const QString name = QFileDialog::getOpenFileName(
        Parent(), QString::fromStdString(request.title), QString::fromStdString(request.fileName),
        QtFilter(request.filter));
    if (name.isEmpty()) return std::nullopt;
    return name.toStdString();
}

std::optional<std::string> CQtPrompts::SaveFileName(const CFileDialogRequest& request) {
    QFileDialog dialog(Parent(), QString::fromStdString(request.title),
                       QString::fromStdString(request.fileName), QtFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    QString suffix = QString::fromStdString(request.defaultExtension);
    if (suffix.startsWith('.')) suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

std::optional<int> CQtPrompts::ChooseFromList(const std::string& title,
                                              const std::vector<std::string>& items) {
    QStringList rows;
    for (const std::string& item : items)
        rows << QString::fromStdString(item);
    CChooseListDialog dialog(QString::fromStdString(title), rows, 0, Parent());
    dialog.exec();
    const int chosen = dialog.Chosen();
    if (chosen < 0) return std::nullopt;
    return chosen;
}

std::optional<std::string> CQtPrompts::EnterText(const std::string& title,
                                                 const std::string& prompt,
                                                 const std::string& initial) {
    CTextEntryDlg dialog(QString::fromStdString(title), QString::fromStdString(prompt),
                         QString::fromStdString(initial), Parent());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Text().toStdString();
}

void CQtPrompts::RunCancellable(const std::string& title, const std::string& subject,
                                CCancellableTask& task) {
    QDialog dialog(Parent());
    dialog.setWindowTitle(QString::fromStdString(title));
    auto* subjectLabel = new QLabel(QString::fromStdString(subject), &dialog);
    auto* progressLabel = new QLabel(&dialog);
    progressLabel->setObjectName(QStringLiteral("progress"));
    progressLabel->setMinimumWidth(360);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), &dialog);
    cancel->setObjectName(QStringLiteral("id2"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(subjectLabel);
    layout->addWidget(progressLabel);
    layout->addWidget(cancel, 0, Qt::AlignRight);

    std::atomic<bool> cancelled{false};
    QObject::connect(cancel, &QPushButton::clicked, &dialog, [&] {
        cancelled = true;
        cancel->setEnabled(false);
    });
    // The dialog stays up until the worker has ended, so nothing it reports outlives it.
    std::thread worker([&] {
        task.Run(cancelled, [&](const std::string& text) {
            QMetaObject::invokeMethod(
                progressLabel,
                [progressLabel, t = QString::fromStdString(text)] {
                    // A deep folder shows its start and its end; the whole path is the tip.
                    progressLabel->setText(progressLabel->fontMetrics().elidedText(
                        t, Qt::ElideMiddle, progressLabel->width()));
                    progressLabel->setToolTip(t);
                },
                Qt::QueuedConnection);
        });
        QMetaObject::invokeMethod(
            &dialog, [&dialog] { dialog.done(QDialog::Accepted); }, Qt::QueuedConnection);
    });
    dialog.setWindowFlag(Qt::WindowCloseButtonHint, false);
    while (dialog.exec() != QDialog::Accepted) {
        // Escape or the window manager rejected it: treat it as Cancel and wait on.
        cancelled = true;
    }
    worker.join();
}

}  // namespace kestro

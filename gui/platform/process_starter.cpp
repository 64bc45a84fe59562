#include "gui/platform/process_starter.h"

#include <QProcess>
#include <QStringList>

namespace kestro {

namespace {

// Qt names the failing call before the system's text ("execv: No such file or directory");
// the user is told the system's text, and which folder when it is the working folder.
std::string ReasonOf(const QString& error, const CProcessRequest& request) {
    QString reason = error;
    for (const QString& prefix : {QStringLiteral("execv: "), QStringLiteral("execve: ")})
        if (reason.startsWith(prefix)) reason.remove(0, prefix.size());
    if (reason.startsWith(QStringLiteral("chdir: ")))
        reason = reason.mid(7) + QStringLiteral(" (working folder %1)")
                                     .arg(QString::fromStdString(request.workingFolder));
    if (reason.isEmpty()) reason = QStringLiteral("The program could not be started.");
    return reason.toStdString();
}

}  // namespace

int64_t CQtProcessStarter::Start(const CProcessRequest& request, std::string& reason) {
    QProcess process;
    process.setProgram(QString::fromStdString(request.program));
    QStringList arguments;
    for (const std::string& a : request.arguments)
        arguments << QString::fromStdString(a);
    process.setArguments(arguments);
    if (!request.workingFolder.empty())
        process.setWorkingDirectory(QString::fromStdString(request.workingFolder));
    qint64 pid = 0;
    if (process.startDetached(&pid) && pid > 0) return pid;
    reason = ReasonOf(process.errorString(), request);
    return 0;
}

}  // namespace kestro

#include "tests/gui/support/gui_test_support.h"

#include "gui/platform/process_starter.h"

#include <sys/resource.h>

#include <csignal>

#include <QDir>
#include <QFile>
#include <QWidget>

namespace kestro {

void IsolateUserFolders() {
    static QTemporaryDir home;  // lives as long as the test program
    QDir(home.path()).mkpath("config");
    QDir(home.path()).mkpath("data");
    QDir(home.path()).mkpath("runtime");
    QFile::setPermissions(home.path() + "/runtime",
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + "/config"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path() + "/data"));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(home.path() + "/runtime"));
    qputenv("XDG_STATE_HOME", QFile::encodeName(home.path() + "/state"));
}

QString BundledLibraryFile() {
    return QStringLiteral(KESTRO_BINARY_DIR) + "/bin/KESTRO.LIB";
}

namespace {

// A folder with the bundled library in it, the program folder of the test program.
std::string ProgramFolderWithLibrary(std::string folder) {
    static QTemporaryDir own;
    if (folder.empty()) folder = (own.path() + "/").toStdString();
    const QString library = QString::fromStdString(folder) + "KESTRO.LIB";
    if (QDir(QString::fromStdString(folder)).exists() && !QFile::exists(library))
        QFile::copy(BundledLibraryFile(), library);
    return folder;
}

}  // namespace

int64_t CRecordingStarter::Start(const CProcessRequest& request, std::string& reason) {
    requests.push_back(request);
    return CQtProcessStarter().Start(request, reason);
}

CTestApp MakeTestApp(const std::string& programFolder, const QString& viewerSocketName) {
    CTestApp t;
    auto store = std::make_unique<CMemorySettingsStore>();
    auto prompts = std::make_unique<CScriptedPrompts>();
    t.store = store.get();
    t.prompts = prompts.get();
    auto starter = std::make_unique<CRecordingStarter>();
    t.starter = starter.get();
    CKestroAppSetup setup;
    setup.processStarter = std::move(starter);
    setup.settingsStore = std::move(store);
    setup.prompts = std::move(prompts);
    setup.programFolder = ProgramFolderWithLibrary(programFolder);
    setup.viewerSocketName = viewerSocketName;
    t.app = std::make_unique<CKestroApp>(std::move(setup));
    return t;
}

CFileSizeLimit::CFileSizeLimit(unsigned long bytes) {
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    m_previous = limit.rlim_cur;
    m_previousHandler = ::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

CFileSizeLimit::~CFileSizeLimit() {
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = m_previous;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ::signal(SIGXFSZ, m_previousHandler);
}

bool WriteScript(const QString& path, const QByteArray& body) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const bool written = file.write("#!/bin/sh\n" + body) == body.size() + 10;
    file.close();
    return written && file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace kestro

#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "core/platform/scripted_prompts.h"
#include "core/platform/settings_store.h"
#include "gui/app/kestro_app.h"

class QWidget;

namespace kestro {

// Points the user's config, data and runtime folders at a fresh temporary folder, so that no
// test reads or writes the real user's settings or library copy, or reaches a real viewer.
// Call it first thing.
void IsolateUserFolders();

// Starts programs as the editor does and keeps every request, so a test can tell that a
// program was not started without waiting to see whether it shows up.
class CRecordingStarter : public CProcessStarter {
public:
    int64_t Start(const CProcessRequest& request, std::string& reason) override;
    std::vector<CProcessRequest> requests;
};

// An application made with an in-memory settings store, scripted prompts and a recording
// process starter; the test keeps plain pointers to them. Its program folder gets the
// bundled element library when it has none (a temporary folder of the test program when no
// folder is given).
struct CTestApp {
    CMemorySettingsStore* store = nullptr;
    CScriptedPrompts* prompts = nullptr;
    CRecordingStarter* starter = nullptr;
    std::unique_ptr<CKestroApp> app;
};
CTestApp MakeTestApp(const std::string& programFolder = std::string(),
                     const QString& viewerSocketName = QString());

// The element library built with the editor.
QString BundledLibraryFile();

// Writes an executable shell script (the stand-in engine or viewer of a test); false when
// it cannot be written.
bool WriteScript(const QString& path, const QByteArray& body);
// The whole content of a file; empty when it cannot be read.
QByteArray ReadFile(const QString& path);

// While it lives, files this process writes may not grow past `bytes`: a write beyond
// fails with EFBIG instead of stopping the process. The way to make a save fail when
// the tests run as root, who ignores permission bits.
class CFileSizeLimit {
public:
    explicit CFileSizeLimit(unsigned long bytes);
    ~CFileSizeLimit();
    CFileSizeLimit(const CFileSizeLimit&) = delete;
    CFileSizeLimit& operator=(const CFileSizeLimit&) = delete;

private:
    unsigned long m_previous;
    void (*m_previousHandler)(int);
};

}  // namespace kestro

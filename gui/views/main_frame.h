#pragma once

#include <QMainWindow>

namespace kestro {

// The editor's main window.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);

private:
    void CreateMenus();
};

}  // namespace kestro

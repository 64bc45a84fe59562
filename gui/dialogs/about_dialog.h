#pragma once

#include <QDialog>

namespace kestro {

// "About KESTRO": the program icon, its name and version, OK.
class CAboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDialog(QWidget* parent = nullptr);
};

}  // namespace kestro

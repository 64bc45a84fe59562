#pragma once

#include <QDialog>

class QTextBrowser;

namespace kestro {

// The help: bundled HTML pages in a window of their own. Keywords are anchors of the pages.
class CHelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit CHelpWindow(QWidget* parent = nullptr);

    void ShowContents();
    // The page part named by the keyword; the contents when there is no such part.
    void ShowKeyword(const QString& keyword);

    QTextBrowser* Browser() const { return m_browser; }

private:
    void Present();

    QTextBrowser* m_browser;
};

}  // namespace kestro

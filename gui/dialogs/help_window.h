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
    // The page part named by the keyword, else the element reference's entry of the
    // element of that netlist name; the contents when there is neither.
    void ShowKeyword(const QString& keyword);
    // The element reference at the entry of an element; false when it has none.
    bool ShowElement(const QString& netlistName);

    QTextBrowser* Browser() const { return m_browser; }

private:
    void Present();

    QTextBrowser* m_browser;
};

}  // namespace kestro

#include "gui/dialogs/help_window.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

// The help pages are linked in from a static library, whose resource initialiser the linker
// would otherwise drop; the macro must be used outside any namespace.
static void InitHelpResources() {
    Q_INIT_RESOURCE(kestro);
}

namespace kestro {

namespace {
const QUrl kContents(QStringLiteral("qrc:/help/index.html"));
const QUrl kElements(QStringLiteral("qrc:/help/elements.md"));
}  // namespace

CHelpWindow::CHelpWindow(QWidget* parent) : QDialog(parent) {
    InitHelpResources();
    setWindowTitle(QStringLiteral("Kestro Help"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(false);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    m_browser->setOpenExternalLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(640, 560);
}

void CHelpWindow::ShowContents() {
    m_browser->setSource(kContents);
    m_browser->scrollToAnchor(QStringLiteral("contents"));
    Present();
}

void CHelpWindow::ShowKeyword(const QString& keyword) {
    m_browser->setSource(kContents);
    const QString html = m_browser->document()->toHtml();
    if (keyword.isEmpty() || !html.contains(QStringLiteral("name=\"%1\"").arg(keyword))) {
        if (keyword.isEmpty() || !ShowElement(keyword)) ShowContents();
        return;
    }
    m_browser->scrollToAnchor(keyword);
    Present();
}

bool CHelpWindow::ShowElement(const QString& netlistName) {
    m_browser->setSource(kElements, QTextDocument::MarkdownResource);
    QTextDocument* document = m_browser->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() != 2 || block.text().trimmed() != netlistName)
            continue;
        QTextCursor cursor(block);
        m_browser->setTextCursor(cursor);
        Present();
        // The entry's heading at the top of the window.
        const QRectF at = document->documentLayout()->blockBoundingRect(block);
        m_browser->verticalScrollBar()->setValue(static_cast<int>(at.top()));
        return true;
    }
    return false;
}

void CHelpWindow::Present() {
    show();
    raise();
    activateWindow();
}

}  // namespace kestro

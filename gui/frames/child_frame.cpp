#include "gui/frames/child_frame.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QSplitter>

#include "gui/commands/command_ids.h"
#include "gui/frames/frame_document.h"
#include "gui/frames/placeholder_pane.h"

namespace kestro {

namespace {

QWidget* MakeSplitBox() {
    auto* box = new QWidget;
    box->setMinimumSize(0, 0);
    return box;
}

}  // namespace

CChildFrame::CChildFrame(CFrameDocument* document, CPaneFactory factory, QWidget* parent)
    : CDocumentFrame(parent), m_document(document), m_factory(std::move(factory)) {
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setChildrenCollapsible(true);
    m_splitter->setOpaqueResize(true);
    AddPane(MakePane(), 0);
    m_splitBox = MakeSplitBox();
    m_splitter->addWidget(m_splitBox);
    m_splitter->setSizes({1, 0});
    setWidget(m_splitter);
    setWindowTitle(document ? document->Title() : QStringLiteral("untitle"));
    connect(m_splitter, &QSplitter::splitterMoved, this, &CChildFrame::OnSplitterMoved);
    RegisterCommands();
}

void CChildFrame::RegisterCommands() {
    const auto whenSplit = [this](CCommandState& s) { s.enabled = PaneCount() == 2; };
    Commands().Add(
        kIdNextPane, [this] { ActivateNextPane(); }, whenSplit);
    Commands().Add(
        kIdPreviousPane, [this] { ActivatePreviousPane(); }, whenSplit);
}

QWidget* CChildFrame::MakePane() {
    if (m_factory) return m_factory(*this);
    return new CPlaceholderPane(QStringLiteral("Schematic"),
                                m_document ? m_document->CommandTarget() : nullptr);
}

void CChildFrame::AddPane(QWidget* pane, int index) {
    pane->setMinimumSize(1, 1);
    pane->installEventFilter(this);
    m_splitter->insertWidget(index, pane);
    if (!m_activePane) m_activePane = pane;
}

int CChildFrame::PaneCount() const {
    return m_splitBox ? 1 : 2;
}

QWidget* CChildFrame::Pane(int index) const {
    if (index < 0 || index >= PaneCount()) return nullptr;
    return m_splitter->widget(index);
}

QWidget* CChildFrame::ActiveView() const {
    for (int i = 0; i < PaneCount(); ++i)
        if (Pane(i) == m_activePane) return m_activePane;
    return Pane(0);
}

bool CChildFrame::Split() {
    if (!m_splitBox) return false;
    QWidget* pane = MakePane();
    pane->installEventFilter(this);
    pane->setMinimumSize(1, 1);
    delete m_splitter->replaceWidget(1, pane);
    m_splitBox = nullptr;
    const int half = m_splitter->width() / 2;
    m_splitter->setSizes({half, m_splitter->width() - half});
    pane->show();
    return true;
}

bool CChildFrame::Unsplit() {
    if (m_splitBox) return false;
    const int keep = ActiveView() == Pane(1) ? 1 : 0;
    QWidget* gone = Pane(1 - keep);
    if (m_activePane == gone) m_activePane = Pane(keep);
    m_splitBox = MakeSplitBox();
    m_splitter->replaceWidget(1 - keep, m_splitBox);
    // The kept pane goes first, the collapsed box after it.
    m_splitter->insertWidget(1, m_splitBox);
    m_splitter->setSizes({m_splitter->width(), 0});
    delete gone;
    return true;
}

void CChildFrame::OnSplitterMoved() {
    const QList<int> sizes = m_splitter->sizes();
    if (sizes.size() != 2) return;
    if (m_splitBox && sizes[1] > 0) {
        QWidget* pane = MakePane();
        pane->installEventFilter(this);
        pane->setMinimumSize(1, 1);
        delete m_splitter->replaceWidget(1, pane);
        m_splitBox = nullptr;
        m_splitter->setSizes(sizes);
        pane->show();
    } else if (!m_splitBox && (sizes[0] == 0 || sizes[1] == 0)) {
        m_activePane = Pane(sizes[0] == 0 ? 1 : 0);
        Unsplit();
    }
}

void CChildFrame::ActivateNextPane() {
    if (PaneCount() < 2) return;
    QWidget* other = ActiveView() == Pane(0) ? Pane(1) : Pane(0);
    m_activePane = other;
    other->setFocus(Qt::TabFocusReason);
}

void CChildFrame::ActivatePreviousPane() {
    // With two columns the previous pane is the next one.
    ActivateNextPane();
}

bool CChildFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonPress) {
        for (int i = 0; i < PaneCount(); ++i)
            if (Pane(i) == watched) m_activePane = Pane(i);
    }
    return CDocumentFrame::eventFilter(watched, event);
}

CDocumentFrame* CChildFrame::CreateAnotherWindow() const {
    auto* frame = new CChildFrame(m_document, m_factory);
    frame->setWindowTitle(windowTitle());
    return frame;
}

bool CChildFrame::OtherWindowShowsDocument() const {
    if (!mdiArea()) return false;
    for (QMdiSubWindow* w : mdiArea()->subWindowList()) {
        const auto* other = qobject_cast<const CChildFrame*>(w);
        if (other && other != this && other->m_document == m_document) return true;
    }
    return false;
}

void CChildFrame::Destroy() {
    m_destroying = true;
    close();
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (m_destroying || !m_document || OtherWindowShowsDocument() ||
        m_document->StaysLoadedWithoutWindows()) {
        CDocumentFrame::closeEvent(event);
        return;
    }
    if (!m_document->SaveModified()) {
        event->ignore();
        return;
    }
    m_destroying = true;
    m_document->CloseDocument();
    CDocumentFrame::closeEvent(event);
}

}  // namespace kestro

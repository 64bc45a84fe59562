#include "gui/attributes/kestro_attributes.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>

#include "core/document/circuit.h"
#include "core/library/lib_element.h"
#include "core/objects/label_object.h"
#include "core/objects/sim_label.h"
#include "core/objects/sim_link.h"
#include "core/objects/sim_part.h"
#include "core/objects/sim_text.h"
#include "core/platform/text_encoding.h"
#include "gui/attributes/attrib_base_dlg.h"
#include "gui/attributes/default_attribute.h"
#include "gui/attributes/element_attribute.h"
#include "gui/attributes/library_summary_page.h"
#include "gui/attributes/sim_control_attribute.h"
#include "gui/attributes/subcircuit_attribute.h"
#include "gui/attributes/terminal_attribute.h"
#include "gui/attributes/text_attr_dlg.h"
#include "gui/attributes/tool_window_keys.h"
#include "gui/views/kestro_view.h"

namespace kestro {

namespace {

const QString kWindowTitle = QStringLiteral("Attributes");

QString Utf8(const std::string& bytes) {
    return QString::fromStdString(TextAsUtf8(bytes));
}

// The one object a selection stands for: its only object that is not a text link of a
// selected element, or its only object; null when it holds several.
CPart* SingleObject(const CSelection& selection) {
    if (selection.Count() == 1) return selection.First();
    CPart* single = nullptr;
    for (CPart* part : selection.Items()) {
        const CSimLink* link = part->AsLink();
        if (link && link->GetOwnerElement() && selection.Contains(link->GetOwnerElement()))
            continue;
        if (single) return nullptr;
        single = part;
    }
    return single;
}

QString LabelText(CSimLabel& label) {
    const CLabelObject* object = label.GetLabelObject();
    const size_t occurrences = object ? object->GetLabels().size() : 1;
    return QStringLiteral("Text: '%1'\n\nOccurrences: %2")
        .arg(Utf8(label.GetName()))
        .arg(occurrences);
}

// The help pages name their parts by subject; an element is looked up by its netlist
// name first.
QString HelpKeyword(const CPart& part) {
    if (const CLibElement* element = part.GetElement(); element && part.IsSimPart())
        return Utf8(element->GetName());
    if (part.IsSubCircuit() || part.IsPort()) return QStringLiteral("subcircuits");
    if (part.IsSimControl()) return QStringLiteral("simulation");
    return QStringLiteral("drawing");
}

}  // namespace

CKestroAttributes::CKestroAttributes(CAttributeServices services, QWidget* mainFrame)
    : QDialog(mainFrame, Qt::Tool), m_services(std::move(services)) {
    setObjectName(QStringLiteral("id164"));
    setWindowTitle(kWindowTitle);
    setAttribute(Qt::WA_ShowWithoutActivating);
    CreatePages();
    FitToPage();
}

CKestroView* CKestroAttributes::View() const {
    return m_view;
}

CKestroAttributes::~CKestroAttributes() {
    if (m_document) m_document->RemoveObserver(*this);
}

void CKestroAttributes::CreatePages() {
    m_pages[size_t(Page::Library)] = new CLibrarySummaryPage(*this);
    m_pages[size_t(Page::Element)] = new CElementAttribute(*this);
    m_pages[size_t(Page::Text)] = new CTextAttrDlg(*this);
    m_pages[size_t(Page::Port)] = new CTerminalAttribute(*this);
    m_pages[size_t(Page::Subcircuit)] = new CSubcircuitAttribute(*this);
    m_pages[size_t(Page::SimControl)] = new CSimControlAttribute(*this);
    m_pages[size_t(Page::Information)] = new CDefaultAttribute(*this);
}

void CKestroAttributes::SetLibraryPage(CAttribBaseDlg* page) {
    CAttribBaseDlg*& slot = m_pages[size_t(Page::Library)];
    if (m_current == slot) {
        slot->hide();
        m_current = nullptr;
    }
    delete slot;
    slot = page;
    page->setParent(this);
    page->hide();
}

// --- Choosing the page ---------------------------------------------------------------------

bool CKestroAttributes::ShowSelection(CPart* object, CCircuit* document, CKestroView* view,
                                      bool force) {
    if (!force && !isVisible()) return false;
    if (object && m_current && object == m_object && document == m_document && view == m_view) {
        m_current->ApplyPage();
        return true;
    }
    if (object) return ShowObject(*object, document, view);
    const bool none = !view || view->Selection().IsEmpty();
    ShowInformation(none ? QStringLiteral("No selection") : QStringLiteral("Multiple selections"),
                    kWindowTitle, nullptr, document, view);
    return true;
}

bool CKestroAttributes::ShowObject(CPart& object, CCircuit* document, CKestroView* view) {
    if (CSimPart* element = object.AsSimPart()) {
        if (element->IsGround()) {
            ShowInformation(QStringLiteral("Ground Element"), QStringLiteral("Ground"), &object,
                            document, view);
            return true;
        }
        const CLibElement* library = element->GetElement();
        TurnTo(Page::Element, {&object, document, view},
               library ? Utf8(library->GetName()) : kWindowTitle);
    } else if (object.IsText() || object.IsLink()) {
        TurnTo(Page::Text, {&object, document, view}, QStringLiteral("Text"));
    } else if (object.IsPort()) {
        TurnTo(Page::Port, {&object, document, view}, QStringLiteral("Port"));
    } else if (object.IsSubCircuit()) {
        TurnTo(Page::Subcircuit, {&object, document, view}, QStringLiteral("Subcircuit"));
    } else if (object.IsSimControl()) {
        if (!document && view) document = view->Document();
        TurnTo(Page::SimControl, {&object, document, view}, QStringLiteral("Simulation Control"));
    } else if (CSimLabel* label = object.AsLabel()) {
        ShowInformation(LabelText(*label), QStringLiteral("Label"), &object, document, view);
    } else {
        return false;  // wires have nothing to edit
    }
    return true;
}

void CKestroAttributes::ShowInformation(const QString& text, const QString& title, CPart* object,
                                        CCircuit* document, CKestroView* view) {
    static_cast<CDefaultAttribute*>(PageOf(Page::Information))->SetText(text);
    TurnTo(Page::Information, {object, document, view}, title);
}

bool CKestroAttributes::ShowLibraryElement(CLibElement* element, QObject* document, QWidget* view,
                                           bool force) {
    if (!force && !isVisible()) return false;
    if (m_current == PageOf(Page::Library) && element == m_libraryElement &&
        document == m_libraryDocument && view == m_libraryView) {
        m_current->ApplyPage();
        return true;
    }
    // The schematic selection is forgotten: the library element is shown instead.
    TurnTo(Page::Library, {nullptr, nullptr, nullptr, element, document, view},
           element ? Utf8(element->GetName()) : kWindowTitle);
    return true;
}

void CKestroAttributes::TurnTo(Page page, const CShown& shown, const QString& title) {
    if (m_current) {
        m_current->ApplyPage();
        m_current->hide();
    }
    Forget();
    Remember(shown);
    m_current = PageOf(page);
    m_current->LoadPage();
    m_current->show();
    setWindowTitle(title);
    FitToPage();
}

void CKestroAttributes::Remember(const CShown& shown) {
    m_object = shown.object;
    m_document = shown.document;
    m_view = shown.view;
    m_libraryElement = shown.libraryElement;
    m_libraryDocument = shown.libraryDocument;
    m_libraryView = shown.libraryView;
    if (m_document) m_document->AddObserver(*this);
}

void CKestroAttributes::Forget() {
    if (m_document) m_document->RemoveObserver(*this);
    m_object = nullptr;
    m_document = nullptr;
    m_view = nullptr;
    m_libraryElement = nullptr;
    m_libraryDocument = nullptr;
    m_libraryView = nullptr;
}

void CKestroAttributes::FitToPage() {
    const QSize size = m_current ? m_current->PageSize() : QSize(200, 60);
    if (m_current) m_current->setGeometry(QRect(QPoint(0, 0), size));
    setFixedSize(size);
    // The window keeps its top-left corner, unless a wider page would leave the screen.
    if (const QScreen* display = screen(); display && isVisible()) {
        const QRect room = display->availableGeometry();
        const int overhang = frameGeometry().right() - room.right();
        if (overhang > 0) move(std::max(room.left(), x() - overhang), y());
    }
}

// --- Operations ----------------------------------------------------------------------------

bool CKestroAttributes::ApplyCurrentPage() {
    if (!m_current) return false;
    m_current->ApplyPage();
    return true;
}

void CKestroAttributes::ClearSelection(bool hide) {
    if (m_current) {
        m_current->ApplyPage();
        m_current->hide();
        m_current = nullptr;
    }
    Forget();
    if (hide) {
        QDialog::hide();
        return;
    }
    // A window left open says that nothing is chosen rather than standing empty.
    if (isVisible())
        ShowInformation(QStringLiteral("No selection"), kWindowTitle, nullptr, nullptr, nullptr);
}

bool CKestroAttributes::RefreshFromActiveView() {
    CKestroView* view = m_services.activeView ? m_services.activeView() : nullptr;
    if (view && view->Document() && !view->Selection().IsEmpty())
        return ShowSelection(SingleObject(view->Selection()), view->Document(), view, true);
    if (CLibElement* element =
            m_services.activeLibraryElement ? m_services.activeLibraryElement() : nullptr)
        return ShowLibraryElement(element, nullptr, nullptr, true);
    return false;
}

void CKestroAttributes::ShowWindowNow() {
    if (RefreshFromActiveView()) show();
}

void CKestroAttributes::ToggleWindow() {
    if (isVisible())
        ClearSelection(true);
    else
        ShowWindowNow();
}

void CKestroAttributes::ForgetView(const CKestroView& view) {
    if (m_view != &view) return;
    ClearSelection(false);
}

void CKestroAttributes::HideTrackingImage() const {
    if (m_services.hideTrackingImage) m_services.hideTrackingImage();
}

void CKestroAttributes::ShowHelp() {
    if (m_object && m_services.showHelp) m_services.showHelp(HelpKeyword(*m_object));
}

// --- The document ----------------------------------------------------------------------------

void CKestroAttributes::OnCircuitUpdate(CCircuit&, int, const CRectF*) {}

void CKestroAttributes::OnObjectRemoved(CCircuit& document, CPart& part) {
    if (&document != m_document || &part != m_object) return;
    // The object is going: nothing may be written into it any more.
    if (m_current) m_current->hide();
    m_current = nullptr;
    Forget();
    QDialog::hide();
}

// --- Window ----------------------------------------------------------------------------------

bool CKestroAttributes::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        // F1 asks for help on the object shown here rather than for the contents.
        if (IsToolWindowKey(key) || (key.key() == Qt::Key_F1 && key.modifiers() == 0)) {
            event->accept();
            return true;
        }
    }
    return QDialog::event(event);
}

void CKestroAttributes::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        QDialog::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        ShowHelp();
        return;
    }
    const QKeySequence key(event->keyCombination());
    if (m_services.offerKey && m_services.offerKey(key)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CKestroAttributes::reject() {
    ClearSelection(true);
}

void CKestroAttributes::closeEvent(QCloseEvent* event) {
    ClearSelection(true);
    event->accept();
}

void CKestroAttributes::PlaceBesideTheSheet() {
    if (m_placed || !parentWidget()) return;
    m_placed = true;
    const QRect frame = parentWidget()->frameGeometry();
    constexpr int kInset = 32, kBelowToolbars = 96;
    move(std::max(frame.left(), frame.right() - width() - kInset), frame.top() + kBelowToolbars);
}

void CKestroAttributes::showEvent(QShowEvent* event) {
    PlaceBesideTheSheet();
    QDialog::showEvent(event);
    HideTrackingImage();
    emit VisibilityChanged(true);
}

void CKestroAttributes::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    HideTrackingImage();
    emit VisibilityChanged(false);
}

}  // namespace kestro

#pragma once

#include <QDialog>
#include <QPointer>
#include <array>

#include "core/document/circuit_observer.h"
#include "gui/attributes/attribute_services.h"

namespace kestro {

class CAttribBaseDlg;
class CCircuit;
class CDefaultAttribute;
class CElementAttribute;
class CKestroView;
class CLibElement;
class CPart;

// The modeless tool window "Attributes": it shows one page at a time for what the user
// works on (a placed element, a text or text link, a port, a subcircuit instance, the
// simulation control, a label, or a library element) and sizes itself to that page.
// Edits are written back when Enter is pressed in the page, when the window closes or
// hides, and whenever it turns to another object.
//
// The window follows the document of the object it shows: when that object leaves the
// sheet, or its view lets go of the document, the window forgets it without writing.
class CKestroAttributes : public QDialog, public CCircuitObserver {
    Q_OBJECT
public:
    // The pages, in the order they are made.
    enum class Page { Library, Element, Text, Port, Subcircuit, SimControl, Information };

    CKestroAttributes(CAttributeServices services, QWidget* mainFrame);
    ~CKestroAttributes() override;

    // --- Operations -----------------------------------------------------------------
    // Turns to the page of `object` (null: what the view's selection is); with `force`
    // off a hidden window does nothing and answers false. The same object again only
    // writes the page back. False for an object without a page (a wire).
    bool ShowSelection(CPart* object, CCircuit* document, CKestroView* view, bool force);
    // The library page for a library element (of a library editor window, or of the menu
    // editor when `document` and `view` are null).
    bool ShowLibraryElement(CLibElement* element, QObject* document, QWidget* view, bool force);
    // Writes the current page back; false when there is none.
    bool ApplyCurrentPage();
    // Writes back and forgets the object; `hide` also hides the window.
    void ClearSelection(bool hide);
    // Shows what the active window has selected; false when it has nothing to show.
    bool RefreshFromActiveView();
    // RefreshFromActiveView, and the window appears (without taking the focus) when there
    // was something to show.
    void ShowWindowNow();
    // "Attributes" (F4).
    void ToggleWindow();
    // The view is letting go of its document: forget what came from it (after writing
    // the page back while the document is still whole).
    void ForgetView(const CKestroView& view);

    // --- What is shown --------------------------------------------------------------
    CPart* SelectedObject() const { return m_object; }
    CCircuit* Document() const { return m_document; }
    CKestroView* View() const;
    CLibElement* LibraryElement() const { return m_libraryElement; }
    CAttribBaseDlg* CurrentPage() const { return m_current; }
    CAttribBaseDlg* PageOf(Page page) const { return m_pages[size_t(page)]; }
    // The library page is made by the library editor; until then a summary stands in.
    void SetLibraryPage(CAttribBaseDlg* page);
    const CAttributeServices& Services() const { return m_services; }
    void HideTrackingImage() const;
    // Help on the object shown (button "Help" and F1); nothing without an object.
    void ShowHelp();

    // CCircuitObserver
    void OnCircuitUpdate(CCircuit& document, int hint, const CRectF* area) override;
    void OnObjectRemoved(CCircuit& document, CPart& part) override;

signals:
    void VisibilityChanged(bool visible);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void CreatePages();
    bool ShowObject(CPart& object, CCircuit* document, CKestroView* view);
    void ShowInformation(const QString& text, const QString& title, CPart* object,
                         CCircuit* document, CKestroView* view);
    // What a page is shown for.
    struct CShown {
        CPart* object = nullptr;
        CCircuit* document = nullptr;
        CKestroView* view = nullptr;
        CLibElement* libraryElement = nullptr;
        QObject* libraryDocument = nullptr;
        QWidget* libraryView = nullptr;
    };
    // Writes back and hides the old page, takes the new object, loads and shows `page`.
    void TurnTo(Page page, const CShown& shown, const QString& title);
    void Remember(const CShown& shown);
    void Forget();
    void FitToPage();
    // The first time it appears the window goes to the main window's top right corner,
    // over the empty side of the sheet rather than over the drawing.
    void PlaceBesideTheSheet();

    CAttributeServices m_services;
    std::array<CAttribBaseDlg*, 7> m_pages{};
    CAttribBaseDlg* m_current = nullptr;
    CPart* m_object = nullptr;
    CCircuit* m_document = nullptr;
    QPointer<CKestroView> m_view;
    CLibElement* m_libraryElement = nullptr;
    QPointer<QObject> m_libraryDocument;
    QPointer<QWidget> m_libraryView;
    bool m_placed = false;
};

}  // namespace kestro

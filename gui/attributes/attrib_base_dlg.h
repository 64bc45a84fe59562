#pragma once

#include <QWidget>

namespace kestro {

class CKestroAttributes;

// A page of the attribute window: a borderless child that edits one kind of object.
// Enter anywhere in the page writes the page back into the object (the page stays);
// Escape goes on to the window, which closes.
class CAttribBaseDlg : public QWidget {
    Q_OBJECT
public:
    // `templateId` names the page: its object name is "id<templateId>".
    CAttribBaseDlg(CKestroAttributes& window, int templateId);

    // The room the page needs.
    virtual QSize PageSize() const;
    // Fills the controls from the window's object.
    virtual void LoadPage() = 0;
    // Writes the controls back into the object; true when the object changed.
    virtual bool ApplyPage() { return false; }

protected:
    CKestroAttributes& Window() const { return m_window; }
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

private:
    CKestroAttributes& m_window;
};

}  // namespace kestro

#pragma once
// Shows a form modally and returns when it is closed: the runtime's
// "Show vbModal". Every modal form goes through here, so tests can stand in
// for the user: their handler receives the form, fills it and presses its
// buttons, and no event loop waits for a person.
class QWidget;

class ModalBackend
{
public:
    virtual ~ModalBackend() = default;
    virtual int showModal(QWidget& form) = 0;
};

// Returns the dialog's result code (QDialog::Accepted or Rejected) for a
// QDialog, 0 for any other form. A form already shown modelessly is hidden
// first and shown again modally.
int ShowModal(QWidget& form);

// Installs the backend every modal form goes through; nullptr restores the
// real event loop. The caller keeps ownership.
void setModalBackend(ModalBackend* backend);

#pragma once
#include <QMessageBox>
#include <QString>
#include <functional>
#include <memory>

class QDialog;
class QWidget;

// Every modal dialog of the program goes through this one interface, so tests can
// replace it with scripted answers and no test ever blocks on a dialog.
class TDialogs {
public:
    virtual ~TDialogs() = default;
    virtual void Beep();
    // A message box with one OK button.
    virtual void ShowMessage(const QString &text, const QString &caption,
                             QMessageBox::Icon icon = QMessageBox::Critical);
    // A question answered by one of the given standard buttons, captioned in Persian;
    // closing the box without a choice answers Cancel.
    virtual QMessageBox::StandardButton Ask(const QString &text, const QString &caption,
                                            QMessageBox::StandardButtons buttons);
    // Open and save dialogs, starting in StartFolder (the working folder when empty); an
    // empty string means the reader cancelled. A save filter of one file type, such as
    // "Notes (*.bmk)", adds its suffix to a name typed without one.
    virtual QString OpenFileName(QWidget *parent, const QString &filter);
    virtual QString SaveFileName(QWidget *parent, const QString &filter);
    // Runs any other modal dialog (printer dialog, print preview) and returns its result.
    virtual int Exec(QDialog *dialog);

    QString StartFolder;
};

TDialogs &Dialogs();
// Installs another implementation (tests); returns the previous one.
std::unique_ptr<TDialogs> SetDialogs(std::unique_ptr<TDialogs> dialogs);

#pragma once
// Dialogs for tests: messages are recorded, open and save dialogs answer from a queue of
// file names (empty: the reader cancelled), other dialogs answer through OnExec.
#include "app/Dialogs.h"
#include <QDialog>
#include <QStringList>
#include <functional>

class TScriptedDialogs : public TDialogs {
public:
    QStringList Messages;
    QStringList FileNames;
    std::function<int(QDialog *)> OnExec;

    void Beep() override {}
    void ShowMessage(const QString &text, const QString &, QMessageBox::Icon) override { Messages << text; }
    QString OpenFileName(QWidget *, const QString &) override { return FileNames.isEmpty() ? QString() : FileNames.takeFirst(); }
    QString SaveFileName(QWidget *, const QString &) override { return FileNames.isEmpty() ? QString() : FileNames.takeFirst(); }
    int Exec(QDialog *dialog) override { return OnExec ? OnExec(dialog) : QDialog::Rejected; }

    // Installs a new set as the program's dialogs and returns it.
    static TScriptedDialogs *Install()
    {
        auto dialogs = std::make_unique<TScriptedDialogs>();
        TScriptedDialogs *raw = dialogs.get();
        SetDialogs(std::move(dialogs));
        return raw;
    }
};

#pragma once
// Dialogs for tests: messages and questions are recorded, questions answer from a queue
// (empty: Cancel), open and save dialogs from a queue of file names (empty: the reader
// cancelled), other dialogs through OnExec. Nothing ever waits for a reader.
#include "app/Dialogs.h"
#include <QDialog>
#include <QStringList>
#include <functional>

class TScriptedDialogs : public TDialogs {
public:
    QStringList Messages;
    QStringList FileNames;
    QStringList Questions;
    QList<QMessageBox::StandardButton> Answers;
    std::function<int(QDialog *)> OnExec;

    void Beep() override {}
    void ShowMessage(const QString &text, const QString &, QMessageBox::Icon) override { Messages << text; }
    QMessageBox::StandardButton Ask(const QString &text, const QString &, QMessageBox::StandardButtons) override
    {
        Questions << text;
        return Answers.isEmpty() ? QMessageBox::Cancel : Answers.takeFirst();
    }
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

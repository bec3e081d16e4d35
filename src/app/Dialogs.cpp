#include "app/Dialogs.h"
#include <QApplication>
#include <QDialog>
#include <QFileDialog>

namespace {
std::unique_ptr<TDialogs> &Current()
{
    static std::unique_ptr<TDialogs> dialogs = std::make_unique<TDialogs>();
    return dialogs;
}
}

void TDialogs::Beep() { QApplication::beep(); }

void TDialogs::ShowMessage(const QString &text, const QString &caption, QMessageBox::Icon icon)
{
    QMessageBox box(icon, caption, text, QMessageBox::Ok, QApplication::activeWindow());
    box.setAccessibleName(caption);
    // A screen reader announcing the box reads its message with its caption.
    box.setAccessibleDescription(text);
    box.exec();
}

QString TDialogs::OpenFileName(QWidget *parent, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
}

QString TDialogs::SaveFileName(QWidget *parent, const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, QString(), QString(), filter);
}

int TDialogs::Exec(QDialog *dialog) { return dialog->exec(); }

TDialogs &Dialogs() { return *Current(); }

std::unique_ptr<TDialogs> SetDialogs(std::unique_ptr<TDialogs> dialogs)
{
    std::swap(Current(), dialogs);
    return dialogs;
}

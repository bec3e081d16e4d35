#include "reader/TNotesList.h"
#include "app/Dialogs.h"
#include "reader/TNotesFile.h"
#include <QCoreApplication>
#include <QFileInfo>
#include <QListWidget>

const QString TNotesList::SaveQuestion =
    QStringLiteral("فهرست يادداشتها پس از آخرين ذخيره تغيير كرده است. پيش از خروج ذخيره شود؟");
const QString TNotesList::SaveCaption = QStringLiteral("يادداشتها");

QStringList TNotesList::Entries() const
{
    QStringList entries;
    for (int i = 0; i < FBox->count(); ++i) entries << FBox->item(i)->text();
    return entries;
}

bool TNotesList::Save(QWidget *parent)
{
    QString path;
    for (;;) {
        const QString chosen = Choose(&TDialogs::SaveFileName, parent, QStringLiteral("BookMark (*.bmk)"));
        if (chosen.isEmpty()) return false;
        path = TNotesFile::SaveName(chosen);
        // The dialog asked about the name chosen; the one written may be another file.
        if (path == chosen || !QFileInfo(path).exists()) break;
        const QString question =
            QCoreApplication::translate("TNotesList", "The file \"%1\" already exists. Do you want to replace it?").arg(path);
        if (Dialogs().Ask(question, SaveCaption, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes) break;
    }
    const QStringList entries = Entries();
    TNotesFile::Save(path, entries);
    FSettled = entries;
    return true;
}

void TNotesList::Load(QWidget *parent)
{
    const QString chosen = Choose(&TDialogs::OpenFileName, parent, QStringLiteral("BookMark Files (*.bmk)"));
    if (chosen.isEmpty()) return;
    const QStringList entries = TNotesFile::Load(chosen);
    FBox->clear();
    FBox->addItems(entries);
    FSettled = entries;
}

QString TNotesList::Choose(QString (TDialogs::*dialog)(QWidget *, const QString &), QWidget *parent,
                          const QString &filter)
{
    TDialogs &dialogs = Dialogs();
    dialogs.StartFolder = FFolder;
    const QString chosen = (dialogs.*dialog)(parent, filter);
    if (!chosen.isEmpty()) FFolder = QFileInfo(chosen).absolutePath();
    return chosen;
}

bool TNotesList::Changed() const { return Entries() != FSettled; }

bool TNotesList::MayLeave(QWidget *parent)
{
    if (!Changed()) return true;
    switch (Dialogs().Ask(SaveQuestion, SaveCaption, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel)) {
    case QMessageBox::Save: return Save(parent);
    case QMessageBox::Discard: return true;
    default: return false;
    }
}

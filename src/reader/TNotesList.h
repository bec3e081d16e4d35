#pragma once
#include <QStringList>

class QListWidget;
class TDialogs;
class QWidget;

// The notes list as the reading window keeps it, in its list box: saved to and loaded
// from notes files, and compared with the list last saved or loaded (empty at start),
// so leaving the program with notes that were never saved offers to save them first.
class TNotesList {
public:
    explicit TNotesList(QListWidget *box) : FBox(box) {}

    QStringList Entries() const;
    // Runs the save dialog and writes the list; false when the reader cancelled. When
    // ".bmk" is added to the chosen name and that file exists, asks before replacing it;
    // "No" goes back to the dialog.
    bool Save(QWidget *parent);
    // Runs the open dialog and replaces the list with the file's entries. A failed load
    // raises and keeps the list.
    void Load(QWidget *parent);
    // The entries differ from those last saved or loaded.
    bool Changed() const;
    // Whether the program may end now: true for unchanged notes, and otherwise as the
    // reader answers: saved (and the save went through), or left unsaved. False when
    // the reader cancels, either the question or the save dialog; a failed save raises.
    bool MayLeave(QWidget *parent);
    // The folder the open and save dialogs start in: that of the file last chosen in either.
    QString Folder() const { return FFolder; }
    void SetFolder(const QString &folder) { FFolder = folder; }

    static const QString SaveQuestion;
    static const QString SaveCaption;

private:
    QListWidget *FBox;
    // Runs a dialog in Folder() and moves Folder() to where the chosen file lies.
    QString Choose(QString (TDialogs::*dialog)(QWidget *, const QString &), QWidget *parent, const QString &filter);
    QStringList FSettled;
    QString FFolder;
};

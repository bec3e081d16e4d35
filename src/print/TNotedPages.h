#pragma once
#include <QStringList>

// The pages of the reading window's notes list, in list order, as page files.
class TNotedPages {
public:
    // The file of every entry: the entry's section and page digits joined unchanged.
    // An entry whose digit places hold anything but digits raises EConvertError, so an
    // edited notes file can never point the print at files outside the data folder.
    static QStringList PageFiles();
    static QString PageFileOf(const QString &entry);
    // The notes panel's print: nothing for an empty list; otherwise the noted pages
    // into the print document and the preview shown over the reading window.
    static void PrintFromNotesPanel();
};

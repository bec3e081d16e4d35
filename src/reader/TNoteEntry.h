#pragma once
#include <QCoreApplication>
#include <QString>

// One entry of the notes list: "جلد:" + " " + SS + " -- " + "صفحه:" + " " + PPPP,
// 21 characters, the section at characters 6-7 and the page at 18-21 (1-based).
// Everything that composes or reads an entry back goes through here.
class TNoteEntry {
    Q_DECLARE_TR_FUNCTIONS(TNoteEntry)

public:
    static const QString VolCaption;   // "جلد:"
    static const QString PageCaption;  // "صفحه:"

    static QString Compose(int section, int page);
    // The digits at the section and page places, as they stand (may be anything).
    static QString SectionDigits(const QString &entry);
    static QString PageDigits(const QString &entry);
    // The numbers at those places; raise EConvertError when the places are not all digits.
    static int Section(const QString &entry);
    static int Page(const QString &entry);
};

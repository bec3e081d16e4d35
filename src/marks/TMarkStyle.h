#pragma once
#include "marks/TMark.h"
#include <QCoreApplication>
#include <QString>

// The styles a mark is made in: the name a marks file and an export keep, the caption the
// reader sees, and the colour exports paint the passage with (for the underline, its line).
class TMarkStyle {
    Q_DECLARE_TR_FUNCTIONS(TMarkStyle)
public:
    static QString Name(TMark::TStyle style);
    static QLatin1StringView Latin1Name(TMark::TStyle style);
    // False, leaving style as it was, for a name that is none of the styles.
    static bool FromName(const QString &name, TMark::TStyle &style);
    static QString Caption(TMark::TStyle style);
    static QString Colour(TMark::TStyle style);  // #rrggbb
};

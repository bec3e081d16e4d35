#pragma once
#include "app/TPdfPageChoice.h"
#include <QCoreApplication>
#include <QString>
#include <functional>

class QObject;

// Cuts the pages a printer dialog chose out of the PDF the engine wrote, with the PDF tool
// (qpdf), in a process of its own, so the program goes on answering meanwhile and the text
// stays text. The file is written beside its target and renamed over it at the end: a
// failed cut leaves no half file and the old one as it was.
class TPdfCutter {
    Q_DECLARE_TR_FUNCTIONS(TPdfCutter)

public:
    static bool Available();
    // done(why) follows on the user-interface thread, with an empty why on success and a
    // message for the reader otherwise; context's end drops it.
    static void Cut(const QString &whole, const QString &target, const TPdfPageChoice &choice, QObject *context,
                    std::function<void(const QString &why)> done);
};

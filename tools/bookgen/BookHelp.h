#pragma once
#include <QString>

// The program's help page help.htm, beside the executable: how to use the reader,
// with its own contents at the top linking to the topics further down.
class TBookHelp {
public:
    static QString Text();
};

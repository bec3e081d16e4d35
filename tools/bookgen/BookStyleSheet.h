#pragma once
#include <QString>

// The pages' style sheet datas/sheet1.css: right-to-left reading typography in the
// book's font.
class TBookStyleSheet {
public:
    static QString Text();
};

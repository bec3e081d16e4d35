#include "app/Errors.h"
#include <QCoreApplication>

int StrToInt(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok) throw EConvertError(QCoreApplication::translate("StrToInt", "'%1' is not a valid integer value").arg(text));
    return value;
}

#include "reader/TNoteEntry.h"
#include "app/Errors.h"
#include "app/ReaderState.h"

const QString TNoteEntry::VolCaption = QStringLiteral("جلد:");
const QString TNoteEntry::PageCaption = QStringLiteral("صفحه:");

namespace {
constexpr int SectionAt = 5;  // 0-based start of the two section digits
constexpr int PageAt = 17;    // 0-based start of the four page digits

int DigitsToInt(const QString &digits, int expected, const QString &entry)
{
    bool ok = digits.size() == expected;
    for (QChar c : digits) ok = ok && c >= u'0' && c <= u'9';
    if (!ok) throw EConvertError(TNoteEntry::tr("'%1' is not a valid integer value (notes entry \"%2\")").arg(digits, entry));
    return digits.toInt();
}
}

QString TNoteEntry::Compose(int section, int page)
{
    return VolCaption + u' ' + SectionNo2(section) + QStringLiteral(" -- ") + PageCaption + u' ' + PageNo4(page);
}

QString TNoteEntry::SectionDigits(const QString &entry) { return entry.mid(SectionAt, 2); }

QString TNoteEntry::PageDigits(const QString &entry) { return entry.mid(PageAt, 4); }

int TNoteEntry::Section(const QString &entry) { return DigitsToInt(SectionDigits(entry), 2, entry); }

int TNoteEntry::Page(const QString &entry) { return DigitsToInt(PageDigits(entry), 4, entry); }

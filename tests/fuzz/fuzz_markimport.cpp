// The import of marks from another reader's file, and the finding of each again on a page:
// the input is a page's text (its length in the first two bytes, then UTF-8) and the file.
// What is imported lies in the book, exports and imports back the same, and is found, if
// at all, within the page's text; a mark made on the page is found where it was made.
#include "FuzzSupport.h"
#include "app/ReaderState.h"
#include "marks/TMarkAnchor.h"
#include "marks/TMarkExport.h"
#include "marks/TMarkFile.h"
#include <algorithm>
#include <tuple>

namespace {
void CheckFound(const TMark &m, const QString &page)
{
    const TMarkAnchor::TFound f = TMarkAnchor::Find(m, page);
    FUZZ_CHECK(!f.Found || (0 <= f.Start && f.Start < f.End && f.End <= page.size()));
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TFuzzInput in(data, size);
    const QString page = QString::fromUtf8(in.Bytes(in.Word() % 4096));
    const int from = int(in.Word()), to = int(in.Word());
    const QByteArray json = in.Rest();

    const TImported imported = TMarkExport::Import(json);
    FUZZ_CHECK(imported.Marks.isEmpty() != imported.Error.isEmpty());
    QList<TMark> live;
    for (const TMark &m : imported.Marks) {
        FUZZ_CHECK(m.Page >= 1 && m.Page <= BookPageCount);
        FUZZ_CHECK(m.Start >= 0 && m.Start <= m.End && m.End <= TMarkFile::MaxOffset);
        FUZZ_CHECK(!m.Id.isEmpty() && m.Created.isValid() && m.Changed.isValid());
        CheckFound(m, page);
        if (!m.Removed) live << m;
    }
    if (!live.isEmpty()) {
        static const TCitationNames names = TCitationNames::OfBook();
        const TImported back = TMarkExport::Import(TMarkExport::WebAnnotation(live, names));
        std::stable_sort(live.begin(), live.end(), [](const TMark &a, const TMark &b) {
            return std::tie(a.Page, a.Start) < std::tie(b.Page, b.Start);
        });
        FUZZ_CHECK(back.Error.isEmpty() && back.Marks == live);
        (void)TMarkExport::Markdown(live, names);
        (void)TMarkExport::Html(live, names);
    }

    // A mark made on the page is found where it was made, on the unchanged page.
    const TMark made = TMarkAnchor::Make(1, page, from % (page.size() + 1), to % (page.size() + 1), TMark::msYellow);
    const TMarkAnchor::TFound f = TMarkAnchor::Find(made, page);
    FUZZ_CHECK(made.Start == made.End || (f.Found && f.Start == made.Start && f.End == made.End));
    TMark moved = made;
    moved.Start = moved.End = 0;  // found again by its words alone
    CheckFound(moved, page);
    return 0;
}

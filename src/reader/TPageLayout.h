#pragma once
#include "app/TPageLayers.h"
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

// The page laid out the reader's way, over the book's own style by the view: its files
// stay as they are, and a print, its preview and a PDF keep the book's layout.
//   Line spacing: lines 1.55, 1.9 or 2.4 times the text's size apart; 1.9 is the book's.
//   Text column: at most 30 em wide (about 60 letters a line), 46 em (the book's), or
//   the view's whole width.
//   Typeface: the book's own, or a Persian family that one of the reader's font
//   packages installs, offered only when the font database has it and it draws every
//   letter of the Persian alphabet.
//   Justified: the book's paragraphs with both edges even, or flush at the start of
//   the line and ragged at its end.
// The book's own step of each choice adds nothing, so a reader who chooses nothing sees
// the book as it is, whatever its style sheet says.
class TPageLayout {
public:
    static constexpr int Steps = 3;
    static constexpr int BookSpacing = 1;
    static constexpr int BookWidth = 1;
    static constexpr std::array<double, Steps> LineHeights{1.55, 1.9, 2.4};
    static constexpr std::array<double, Steps> ColumnEms{30, 46, 0};  // 0: no bound
    static const char *const BookTypeface;
    static const char *const LayerName;

    struct TChoice {
        int Spacing = BookSpacing;
        int Width = BookWidth;
        QString Typeface;  // empty: the book's own
        bool Justified = true;
        bool IsBook() const { return *this == TChoice(); }
        bool operator==(const TChoice &) const = default;
    };

    // The Persian families of the reader's font packages, in the order they are offered.
    static const QStringList &Candidates();
    // Installed, and draws every Persian letter in its own glyphs.
    static bool Qualifies(const QString &family);
    // The candidates that qualify here, in order.
    static QStringList Typefaces();
    // The choice with its steps in range; a typeface that no longer qualifies is the book's.
    static TChoice Checked(TChoice choice);

    // The style laid over the page for a choice: empty for the book's own.
    static QString StyleSheet(const TChoice &choice);
    static TPageLayer Layer(const TChoice &choice);
    // Lays choice over the pages of layers and keeps the shown page's place: the line of
    // text at the top of the view before the change is at its top after it.
    static void Apply(TPageLayers &layers, const TChoice &choice, std::function<void(const QVariant &)> done = {});
};

#pragma once
#include "marks/TMark.h"
#include "search/TFoldedText.h"
#include <QAbstractListModel>
#include <QCoreApplication>
#include <QList>
#include <QSet>
#include <vector>

// The list of marks as the reader sees it: every live mark in book order, a line each
// with its style, its quote, the first line of its note and its place ("جلد دوم، بخش
// يكم، صفحه 900"). It can be narrowed to one style and to a text, which is matched with
// the search window's folded rules (yeh and kaf forms, hamza, diacritics, a half-space
// for a blank) against the quotes and the notes; an empty text matches every mark. A
// mark that was looked for on its page and not found there says so on its line.
class TMarksList : public QAbstractListModel {
    Q_OBJECT
public:
    enum TRole { StyleRole = Qt::UserRole + 1, NoteRole, PlaceRole, LostRole, IdRole };
    static constexpr int AnyStyle = -1;

    explicit TMarksList(QObject *parent = nullptr);

    // The marks in book order, and those not found on their pages.
    void SetMarks(const QList<TMark> &marks, const QSet<QString> &lost);
    void SetFilter(int style, const QString &text);
    int Style() const { return FStyle; }
    QString FilterText() const { return FText; }

    // The marks the filter lets through, in book order.
    QList<TMark> Shown() const;
    const TMark &At(int row) const { return FEntries[FShown[row]].Mark; }
    int RowOf(const QString &id) const;
    int Count() const { return static_cast<int>(FEntries.size()); }

    // "جلد ...، صفحه N" for a page of the book.
    static QString Place(int page);
    static QString FirstLine(const QString &note);
    static QString LostText();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    struct TEntry {
        TMark Mark;
        bool Lost = false;
        // Folded when the filter first needs them.
        mutable bool Folded = false;
        mutable TFoldedText Quote, Note;
    };
    bool Passes(const TEntry &entry, const TFoldedTerm *term) const;
    void Refilter();
    std::vector<TEntry> FEntries;
    std::vector<int> FShown;
    int FStyle = AnyStyle;
    QString FText;
};

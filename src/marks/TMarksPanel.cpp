#include "marks/TMarksPanel.h"
#include "app/KetabApplication.h"
#include "app/TKeyAction.h"
#include "marks/TMarkStyle.h"
#include "marks/TMarksLayer.h"
#include "marks/TMarksList.h"
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QStyledItemDelegate>

namespace {
// A line of the list: the style's swatch at the right, then the quote; under it the note's
// first line (or that the mark was not found), then the place, in a smaller grey.
class TMarkLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    static constexpr int Swatch = 10, Pad = 3;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const override
    {
        const int line = option.fontMetrics.lineSpacing();
        return {option.rect.width(), 3 * line + 2 * Pad};
    }

    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem o(option);
        initStyleOption(&o, index);
        o.text.clear();
        o.widget->style()->drawControl(QStyle::CE_ItemViewItem, &o, p, o.widget);
        const bool selected = o.state & QStyle::State_Selected;
        const QPalette::ColorGroup group = o.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
        const QColor ink = o.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
        const QColor dim = selected ? ink : QColor(0x5a, 0x4a, 0x35);
        const QRect r = o.rect.adjusted(Pad, Pad, -Pad, -Pad);
        const int line = o.fontMetrics.lineSpacing();
        const auto style = static_cast<TMark::TStyle>(index.data(TMarksList::StyleRole).toInt());
        // Right to left: the swatch at the right edge.
        const QRect swatch(r.right() - Swatch + 1, r.top() + (line - Swatch) / 2, Swatch, Swatch);
        p->save();
        if (style == TMark::msUnderline) {
            p->fillRect(swatch.adjusted(0, Swatch - 3, 0, 0), TMarksLayer::UnderlineColour(false));
        } else {
            p->fillRect(swatch, TMarksLayer::DayColour(style));
            p->setPen(QColor(0x7a, 0x6a, 0x55));
            p->drawRect(swatch.adjusted(0, 0, -1, -1));
        }
        const QRect text = r.adjusted(0, 0, -(Swatch + Pad), 0);
        // The quote in the list's font, the lines under it a little smaller; each cut where
        // it is longer than the line.
        const auto row = [&](int n, const QString &s, const QColor &colour, bool bold, Qt::TextElideMode cut = Qt::ElideRight) {
            QFont f = o.font;
            f.setBold(bold);
            if (n > 0 && f.pixelSize() > 0) f.setPixelSize(f.pixelSize() * 9 / 10);
            else if (n > 0) f.setPointSizeF(f.pointSizeF() * 0.9);
            p->setFont(f);
            p->setPen(colour);
            const QRect at(text.left(), text.top() + n * line, text.width(), line);
            p->drawText(at, Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                        QFontMetrics(f).elidedText(s, cut, at.width()));
        };
        row(0, index.data(Qt::DisplayRole).toString(), ink, false);
        if (index.data(TMarksList::LostRole).toBool()) row(1, TMarksList::LostText(), selected ? ink : QColor(0xa0, 0, 0), true);
        else row(1, index.data(TMarksList::NoteRole).toString(), dim, false);
        // The place keeps its page number, cut in its middle.
        row(2, index.data(TMarksList::PlaceRole).toString(), dim, false, Qt::ElideMiddle);
        p->restore();
    }
};
}

TMarksPanel::TMarksPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("MarksPanel"));
    setLayoutDirection(Qt::RightToLeft);
    FilterEdit = new QLineEdit(this);
    FilterEdit->setObjectName(QStringLiteral("MarksFilter"));
    FilterEdit->setAccessibleName(tr("Find in the marks"));
    FilterEdit->setPlaceholderText(tr("Find in the marks"));
    FilterEdit->setClearButtonEnabled(true);
    StyleBox = new QComboBox(this);
    StyleBox->setObjectName(QStringLiteral("MarksStyle"));
    StyleBox->setAccessibleName(tr("Colour of the marks listed"));
    StyleBox->addItem(tr("All colours"), TMarksList::AnyStyle);
    for (int s = 0; s < TMark::StyleCount; ++s) StyleBox->addItem(TMarkStyle::Caption(TMark::TStyle(s)), s);

    FModel = new TMarksList(this);
    List = new QListView(this);
    List->setObjectName(QStringLiteral("MarksList"));
    List->setAccessibleName(tr("Marks"));
    List->setLayoutDirection(Qt::RightToLeft);
    List->setModel(FModel);
    List->setItemDelegate(new TMarkLineDelegate(List));
    List->setUniformItemSizes(true);
    List->setSelectionMode(QAbstractItemView::SingleSelection);
    List->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    const auto button = [this](QPushButton *&b, const char *name, const QString &caption) {
        b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAccessibleName(caption);
    };
    button(GotoButton, "MarksGoto", tr("Go to"));
    button(RemoveButton, "MarksRemove", tr("Remove"));
    button(ExportButton, "MarksExport", tr("Export"));
    button(ImportButton, "MarksImport", tr("Import"));
    ExportMenu = new QMenu(ExportButton);
    ExportMenu->setObjectName(QStringLiteral("MarksExportMenu"));
    ExportMenu->setAccessibleName(ExportButton->text());
    ExportMenu->setLayoutDirection(Qt::RightToLeft);
    const auto format = [this](const QString &caption, const char *name, TFormat f) {
        QAction *a = ExportMenu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        TKetabApplication::Connect(a, &QAction::triggered, this, [this, f] {
            if (OnExport) OnExport(f);
        });
    };
    format(QStringLiteral("Markdown"), "ExportMarkdown", efMarkdown);
    format(QStringLiteral("HTML"), "ExportHtml", efHtml);
    format(tr("Web Annotation (JSON-LD)"), "ExportJsonLd", efJsonLd);
    ExportButton->setMenu(ExportMenu);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(3);
    grid->addWidget(FilterEdit, 0, 0, 1, 2);
    grid->addWidget(StyleBox, 1, 0, 1, 2);
    grid->addWidget(List, 2, 0, 1, 2);
    grid->addWidget(GotoButton, 3, 0);
    grid->addWidget(RemoveButton, 3, 1);
    grid->addWidget(ExportButton, 4, 0);
    grid->addWidget(ImportButton, 4, 1);
    grid->setRowStretch(2, 1);

    using G = TKetabApplication;
    G::Connect(FilterEdit, &QLineEdit::textChanged, this, [this] { Filter(); });
    G::Connect(StyleBox, &QComboBox::currentIndexChanged, this, [this] { Filter(); });
    G::Connect(List, &QAbstractItemView::doubleClicked, this, [this] { OpenCurrent(); });
    G::Connect(GotoButton, &QPushButton::clicked, this, [this] { OpenCurrent(); });
    G::Connect(RemoveButton, &QPushButton::clicked, this, [this] {
        if (OnRemove && !CurrentId().isEmpty()) OnRemove(CurrentId());
    });
    G::Connect(ImportButton, &QPushButton::clicked, this, [this] {
        if (OnImport) OnImport();
    });
    TKeyAction::Bind(List, {Qt::Key_Return, Qt::Key_Enter}, [this] { OpenCurrent(); });
    TKeyAction::Bind(List, {Qt::Key_Delete}, [this] {
        if (OnRemove && !CurrentId().isEmpty()) OnRemove(CurrentId());
    });
    auto *undo = new QShortcut(QKeySequence::Undo, List);
    undo->setContext(Qt::WidgetShortcut);
    G::Connect(undo, &QShortcut::activated, this, [this] {
        if (OnUndo) OnUndo();
    });
}

void TMarksPanel::showEvent(QShowEvent *event)
{
    if (OnShowing) TKetabApplication::Guarded([this] { OnShowing(); });
    QWidget::showEvent(event);
}

void TMarksPanel::Show(const QList<TMark> &marks, const QSet<QString> &lost)
{
    const QString current = CurrentId();
    const int row = List->currentIndex().row();
    FModel->SetMarks(marks, lost);
    if (!current.isEmpty() && FModel->RowOf(current) >= 0) SetCurrent(current);
    else if (FModel->rowCount() > 0 && row >= 0) List->setCurrentIndex(FModel->index(std::min(row, FModel->rowCount() - 1)));
}

QString TMarksPanel::CurrentId() const
{
    const QModelIndex at = List->currentIndex();
    return at.isValid() ? at.data(TMarksList::IdRole).toString() : QString();
}

void TMarksPanel::SetCurrent(const QString &id)
{
    const int row = FModel->RowOf(id);
    if (row >= 0) List->setCurrentIndex(FModel->index(row));
}

QList<TMark> TMarksPanel::Listed() const { return FModel->Shown(); }

void TMarksPanel::Filter()
{
    const QString current = CurrentId();
    FModel->SetFilter(StyleBox->currentData().toInt(), FilterEdit->text());
    SetCurrent(current);
}

void TMarksPanel::OpenCurrent()
{
    if (OnOpen && !CurrentId().isEmpty()) OnOpen(CurrentId());
}

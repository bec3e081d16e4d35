#include "marks/TMarkNoteEditor.h"
#include "app/KetabApplication.h"
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
const QColor PanelBlue(4, 50, 88);
}

TMarkNoteEditor::TMarkNoteEditor(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("MarkNoteEditor"));
    setAccessibleName(tr("Note on the mark"));
    setLayoutDirection(Qt::RightToLeft);
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(232, 232, 232));
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);

    Title = new QLabel(tr("Note on the mark"), this);
    Title->setObjectName(QStringLiteral("MarkNoteTitle"));
    Title->setAccessibleName(Title->text());
    Title->setAutoFillBackground(true);
    QPalette blue = Title->palette();
    blue.setColor(QPalette::Window, PanelBlue);
    blue.setColor(QPalette::WindowText, Qt::white);
    Title->setPalette(blue);
    Title->setContentsMargins(6, 2, 6, 2);
    QFont bold = Title->font();
    bold.setBold(true);
    Title->setFont(bold);

    Edit = new QPlainTextEdit(this);
    Edit->setObjectName(QStringLiteral("MarkNoteText"));
    Edit->setAccessibleName(tr("Note"));
    Edit->setLayoutDirection(Qt::RightToLeft);
    Edit->setTabChangesFocus(true);
    Edit->installEventFilter(this);
    const auto button = [this](QPushButton *&b, const char *name, const QString &caption) {
        b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAccessibleName(caption);
        b->setAutoDefault(true);
    };
    button(SaveButton, "MarkNoteSave", tr("Save"));
    button(CancelButton, "MarkNoteCancel", tr("Cancel"));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(1, 1, 1, 4);
    grid->setSpacing(4);
    grid->addWidget(Title, 0, 0, 1, 3);
    grid->addWidget(Edit, 1, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    grid->addWidget(SaveButton, 2, 0);
    grid->addWidget(CancelButton, 2, 1);
    setTabOrder(Edit, SaveButton);
    setTabOrder(SaveButton, CancelButton);
    TKetabApplication::Connect(SaveButton, &QPushButton::clicked, this, [this] { Close(true); });
    TKetabApplication::Connect(CancelButton, &QPushButton::clicked, this, [this] { Close(false); });
    hide();
}

QRect TMarkNoteEditor::Place(const QRect &beside, const QRect &room, const QSize &size)
{
    const QSize s = size.boundedTo(room.size());
    QRect r(QPoint(beside.right() - s.width() + 1, 0), s);
    if (beside.bottom() + 4 + s.height() <= room.bottom()) r.moveTop(beside.bottom() + 4);
    else if (beside.top() - 4 - s.height() >= room.top()) r.moveBottom(beside.top() - 4);
    else r.moveTop(room.top());
    if (r.left() < room.left()) r.moveLeft(room.left());
    if (r.right() > room.right()) r.moveRight(room.right());
    return r;
}

void TMarkNoteEditor::Open(const QString &note, const QRect &beside, const QRect &room)
{
    Edit->setPlainText(note);
    Edit->moveCursor(QTextCursor::End);
    setGeometry(Place(beside, room, QSize(EditorWidth, EditorHeight)));
    show();
    raise();
    Edit->setFocus(Qt::OtherFocusReason);
}

void TMarkNoteEditor::Close(bool save)
{
    if (isHidden()) return;
    hide();
    if (save && OnSave) OnSave(Text());
    if (OnClosed) OnClosed();
}

QString TMarkNoteEditor::Text() const { return Edit->toPlainText().trimmed(); }

bool TMarkNoteEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Edit && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && (key->modifiers() & Qt::ControlModifier)) {
            TKetabApplication::Guarded([this] { Close(true); });
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            TKetabApplication::Guarded([this] { Close(false); });
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void TMarkNoteEditor::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        TKetabApplication::Guarded([this] { Close(false); });
        return;
    }
    QFrame::keyPressEvent(event);
}

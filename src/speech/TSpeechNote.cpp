#include "speech/TSpeechNote.h"
#include <QPainter>
#include <QStyle>

TSpeechNote::TSpeechNote(QWidget *parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("SpeechNote"));
    setAccessibleDescription(tr("Reading aloud"));
    // Hidden, it keeps its share of the bar, so the page buttons stay where they are.
    QSizePolicy policy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    policy.setRetainSizeWhenHidden(true);
    setSizePolicy(policy);
    hide();
}

void TSpeechNote::Say(const QString &note)
{
    setText(note);
    setToolTip(note);
    setVisible(!note.isEmpty());
}

QSize TSpeechNote::minimumSizeHint() const { return {0, QLabel::minimumSizeHint().height()}; }

void TSpeechNote::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
    p.drawText(contentsRect(), QStyle::visualAlignment(layoutDirection(), Qt::AlignLeading | Qt::AlignVCenter), shown);
}

#include "skin/TsuiCheckBox.h"
#include "skin/TsuiRadioButton.h"
#include "skin/TsuiThemes.h"
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

// Stands for a button of a skinned radio group, the one place focus may check a radio button from.
class TsuiRadioGroupButton : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};

class TestCheckBox : public QObject {
    Q_OBJECT
private slots:
    void checkBoxClickEventOnEveryChange();
    void radioGroupByParentAndIndex();
    void grayedIsNeverShown();
    void mouseAndKeys();
    void focusRuleForRadioButtons();
    void autoSizeAndLayout();
    void glyphFramesByState();
    void transparency();
    void accessibility();
    void focusFrameOfACaptionlessBoxSurroundsItsGlyph();
};

void TestCheckBox::checkBoxClickEventOnEveryChange()
{
    TsuiCheckBox box;
    QCOMPARE(box.size(), QSize(93, 17));
    QVERIFY(!box.Checked());
    QList<QObject *> senders;
    box.OnClick = [&](QObject *sender) { senders << sender; };
    box.SetChecked(true);
    QCOMPARE(senders, QList<QObject *>({&box}));
    box.SetChecked(true);   // no change, no event
    QCOMPARE(senders.size(), 1);
    box.SetChecked(false);
    QCOMPARE(senders.size(), 2);
    box.SetLoading(true);
    box.SetChecked(true);
    QCOMPARE(senders.size(), 2);
    QVERIFY(box.Checked());
}

void TestCheckBox::radioGroupByParentAndIndex()
{
    QWidget panel, otherPanel;
    TsuiRadioButton musicOn(&panel), musicOff(&panel), otherGroup(&panel), elsewhere(&otherPanel);
    musicOn.setObjectName(QStringLiteral("MusicOn"));
    musicOff.setObjectName(QStringLiteral("MusicOff"));
    otherGroup.SetGroupIndex(1);
    QStringList fired;
    for (TsuiRadioButton *r : {&musicOn, &musicOff, &otherGroup, &elsewhere})
        r->OnClick = [&](QObject *sender) { fired << sender->objectName(); };
    musicOn.SetChecked(true);
    otherGroup.SetChecked(true);
    elsewhere.SetChecked(true);
    fired.clear();

    musicOff.SetChecked(true);
    QVERIFY(musicOff.Checked());
    QVERIFY(!musicOn.Checked());
    QVERIFY(otherGroup.Checked());   // another GroupIndex
    QVERIFY(elsewhere.Checked());    // another parent
    QCOMPARE(fired, QStringList({"MusicOff"}));

    // Unchecking from code fires nothing and checks no other button.
    fired.clear();
    musicOff.SetChecked(false);
    QVERIFY(fired.isEmpty());
    QVERIFY(!musicOn.Checked());

    // Click never unchecks a radio button.
    musicOn.Click();
    QCOMPARE(fired, QStringList({"MusicOn"}));
    musicOn.Click();
    QVERIFY(musicOn.Checked());
    QCOMPARE(fired.size(), 1);
}

void TestCheckBox::grayedIsNeverShown()
{
    TsuiCheckBox box;
    int clicks = 0;
    box.OnClick = [&](QObject *) { ++clicks; };
    box.SetState(cbGrayed);
    QVERIFY(!box.Checked());
    QCOMPARE(box.State(), cbUnchecked);
    QCOMPARE(clicks, 0);
    box.SetState(cbChecked);
    QCOMPARE(box.State(), cbChecked);
    box.SetState(cbGrayed);
    QCOMPARE(box.State(), cbUnchecked);
    QCOMPARE(clicks, 2);
}

void TestCheckBox::mouseAndKeys()
{
    QWidget window;
    TsuiCheckBox box(&window);
    box.SetCaption(QStringLiteral("Box"));
    TsuiRadioButton radio(&window);
    radio.move(0, 30);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(box.Checked());
    QVERIFY(box.hasFocus());
    QTest::mouseClick(&box, Qt::RightButton, {}, QPoint(5, 5));
    QVERIFY(box.Checked());
    // Pressed inside, released outside: no toggle.
    QTest::mousePress(&box, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(5, 200));
    QVERIFY(box.Checked());
    QTest::keyClick(&box, Qt::Key_Space);
    QVERIFY(!box.Checked());
    QTest::keyClick(&box, Qt::Key_Return);
    QVERIFY(box.Checked());
    QTest::keyClick(&box, Qt::Key_Space, Qt::AltModifier);  // the desktop's key, not a toggle
    QVERIFY(box.Checked());

    // Space checks a radio button (the keyboard's only way to choose); a second press keeps it checked.
    radio.setFocus();
    QTest::keyClick(&radio, Qt::Key_Space);
    QVERIFY(radio.Checked());
    QTest::keyClick(&radio, Qt::Key_Return);
    QVERIFY(radio.Checked());

    // Disabled: clicks do nothing.
    box.SetEnabled(false);
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(box.Checked());

    // The caption's accelerator toggles.
    TsuiCheckBox accel(&window);
    accel.move(0, 60);
    accel.SetCaption(QStringLiteral("&Music"));
    accel.show();
    QTest::keyClick(&window, Qt::Key_M, Qt::AltModifier);
    QVERIFY(accel.Checked());
}

void TestCheckBox::focusRuleForRadioButtons()
{
    QWidget window;
    QLineEdit edit(&window);
    TsuiRadioButton radio(&window);
    radio.move(0, 40);
    TsuiRadioGroupButton groupButton(&window);
    groupButton.setFocusPolicy(Qt::StrongFocus);
    groupButton.move(0, 80);
    groupButton.resize(20, 20);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    edit.setFocus();
    QTRY_VERIFY(edit.hasFocus());
    QTest::keyClick(&edit, Qt::Key_Tab);
    QTRY_VERIFY(radio.hasFocus());
    QVERIFY(!radio.Checked());

    // Focus arriving from a skinned radio group's button checks it.
    groupButton.setFocus();
    QTRY_VERIFY(groupButton.hasFocus());
    radio.setFocus();
    QTRY_VERIFY(radio.hasFocus());
    QVERIFY(radio.Checked());
}

void TestCheckBox::autoSizeAndLayout()
{
    TsuiCheckBox box;
    box.SetUIStyle(TsuiUIStyle::DeepBlue);
    box.SetCaption(QStringLiteral("همه در بالا"));
    const QFontMetrics fm(box.font());
    QCOMPARE(box.height(), std::max(fm.height() + 2, 13) + 4);
    QCOMPARE(box.width(), 13 + fm.horizontalAdvance(box.Caption()) + 8);
    QCOMPARE(fm.height(), 13);   // an 8-point Tahoma's line, or its stand-in's
    QCOMPARE(box.height(), 19);
    // MacOS glyphs are larger (15x17).
    box.SetUIStyle(TsuiUIStyle::MacOS);
    QCOMPARE(box.height(), std::max(fm.height() + 2, 17) + 4);
    box.SetAutoSize(false);
    box.resize(200, 40);
    box.SetCaption(QStringLiteral("x"));
    QCOMPARE(box.size(), QSize(200, 40));

    // A layout gives the boxes their automatic size, also without a caption, and a click
    // where the reader sees them reaches them.
    QWidget panel;
    auto *grid = new QGridLayout(&panel);
    grid->addWidget(new QLabel(QStringLiteral("موسيقی"), &panel), 0, 0, 1, 2);
    auto *on = new TsuiRadioButton(&panel);
    on->SetCaption(QStringLiteral("On"));
    auto *off = new TsuiRadioButton(&panel);
    off->SetCaption(QStringLiteral("Off"));
    auto *pin = new TsuiCheckBox(&panel);
    grid->addWidget(on, 1, 0);
    grid->addWidget(off, 1, 1);
    grid->addWidget(pin, 2, 1);
    grid->setRowStretch(3, 1);
    panel.resize(160, 300);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    for (TsuiCheckBox *b : {static_cast<TsuiCheckBox *>(on), static_cast<TsuiCheckBox *>(off), pin}) {
        QCOMPARE(b->height(), 19);
        QCOMPARE(b->size(), b->AutoSizeExtent());
    }
    QCOMPARE(pin->width(), 13 + 8);
    QTest::mouseClick(off, Qt::LeftButton, {}, QPoint(off->width() / 2, off->height() / 2));
    QVERIFY(off->Checked() && !on->Checked());
    QTest::mouseClick(pin, Qt::LeftButton, {}, QPoint(pin->width() / 2, pin->height() / 2));
    QVERIFY(pin->Checked());
}

void TestCheckBox::glyphFramesByState()
{
    for (TsuiUIStyle style : {TsuiUIStyle::DeepBlue, TsuiUIStyle::WinXP, TsuiUIStyle::MacOS}) {
        const TsuiTheme theme = TsuiThemes::ResolveTheme(style);
        TsuiCheckBox box;
        box.SetUIStyle(style);
        box.SetColor(Qt::white);
        box.SetAutoSize(false);
        box.resize(60, 25);
        const struct { bool checked, enabled; int frame; } cases[] = {
            {true, true, 1}, {false, true, 2}, {true, false, 3}, {false, false, 4}};
        for (const auto &c : cases) {
            box.SetChecked(c.checked);
            box.SetEnabled(c.enabled);
            QPixmap expected;
            TsuiThemes::LoadFrame(theme, TsuiEntry::CheckBoxImage, expected, 4, c.frame);
            const QImage shot = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
            const QImage glyph = shot.copy(1, (25 - expected.height()) / 2, expected.width(), expected.height());
            QCOMPARE(glyph, expected.toImage().convertToFormat(QImage::Format_RGB32));
            QCOMPARE(QColor(shot.pixel(0, 0)), QColor(Qt::white));
        }
    }
}

void TestCheckBox::transparency()
{
    const TsuiTheme theme = TsuiThemes::ResolveTheme(TsuiUIStyle::DeepBlue);
    // The radio glyph's bottom-left colour lets the background through; the check box's does not.
    TsuiRadioButton radio;
    radio.SetColor(Qt::red);
    radio.SetAutoSize(false);
    radio.resize(40, 13);
    QImage shot = radio.grab().toImage();
    QCOMPARE(QColor(shot.pixel(1, 12)), QColor(Qt::red));
    QVERIFY(QColor(shot.pixel(7, 6)) != QColor(Qt::red));

    TsuiCheckBox box;
    box.SetColor(Qt::red);
    box.SetAutoSize(false);
    box.resize(40, 13);
    QPixmap frame;
    TsuiThemes::LoadFrame(theme, TsuiEntry::CheckBoxImage, frame, 4, 2);
    QCOMPARE(QColor(box.grab().toImage().pixel(1, 12)), QColor(frame.toImage().pixel(0, 12)));

    // A transparent control shows its parent where it draws nothing.
    QWidget parent;
    parent.resize(200, 40);
    QPalette pal = parent.palette();
    pal.setColor(QPalette::Window, Qt::blue);
    parent.setPalette(pal);
    parent.setAutoFillBackground(true);
    TsuiCheckBox clear(&parent);
    clear.SetColor(Qt::green);
    clear.SetTransparent(true);
    clear.SetAutoSize(false);
    clear.setGeometry(10, 5, 150, 30);
    TsuiCheckBox opaque(&parent);
    opaque.SetColor(Qt::green);
    opaque.SetAutoSize(false);
    opaque.setGeometry(170, 5, 20, 30);
    const QImage all = parent.grab().toImage();
    QCOMPARE(QColor(all.pixel(10 + 140, 5 + 2)), QColor(Qt::blue));
    QCOMPARE(QColor(all.pixel(170 + 18, 5 + 2)), QColor(Qt::green));
}

void TestCheckBox::accessibility()
{
    QWidget window;
    TsuiCheckBox box(&window);
    box.SetCaption(QStringLiteral("نمایش &یادداشت"));
    TsuiRadioButton radio(&window);
    radio.SetCaption(QStringLiteral("موسیقی"));
    QAccessibleInterface *ibox = QAccessible::queryAccessibleInterface(&box);
    QVERIFY(ibox);
    QCOMPARE(ibox->role(), QAccessible::CheckBox);
    QCOMPARE(ibox->text(QAccessible::Name), QStringLiteral("نمایش یادداشت"));
    QVERIFY(ibox->state().checkable);
    QVERIFY(!ibox->state().checked);
    box.SetChecked(true);
    QVERIFY(ibox->state().checked);
    QVERIFY(ibox->actionInterface());
    ibox->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(!box.Checked());
    QAccessibleInterface *iradio = QAccessible::queryAccessibleInterface(&radio);
    QCOMPARE(iradio->role(), QAccessible::RadioButton);
    QCOMPARE(iradio->text(QAccessible::Name), QStringLiteral("موسیقی"));
    QCOMPARE(radio.accessibleName(), QStringLiteral("موسیقی"));
}

void TestCheckBox::focusFrameOfACaptionlessBoxSurroundsItsGlyph()
{
    // The options panel's boxes have no caption: their focus must show round the glyph.
    QWidget window;
    TsuiCheckBox box(&window);
    box.SetColor(Qt::white);
    QLineEdit elsewhere(&window);
    elsewhere.move(0, 40);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    elsewhere.setFocus();
    QTRY_VERIFY(!box.hasFocus());
    const QImage unfocused = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
    box.setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(box.hasFocus());
    const QImage focused = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int glyphTop = (box.height() - 13) / 2;
    // Left of the glyph, in column 0, a dot of the frame; nothing there without the focus.
    int dots = 0;
    for (int y = glyphTop; y < glyphTop + 13; ++y) dots += focused.pixel(0, y) != unfocused.pixel(0, y);
    QVERIFY(dots >= 4);
    // Below the glyph too.
    dots = 0;
    for (int x = 0; x < 15; ++x) dots += focused.pixel(x, glyphTop + 13) != unfocused.pixel(x, glyphTop + 13);
    QVERIFY(dots >= 4);
}

QTEST_MAIN(TestCheckBox)
#include "tst_checkbox.moc"

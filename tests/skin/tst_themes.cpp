#include "app/Errors.h"
#include "skin/TsuiCheckBox.h"
#include "skin/TsuiFileTheme.h"
#include "skin/TsuiForm.h"
#include "skin/TsuiStyledControl.h"
#include "skin/TsuiThemeManager.h"
#include "skin/TsuiThemeTable.h"
#include "skin/TsuiThemes.h"
#include <QTemporaryDir>
#include <QTest>

// A style-bearing control that records how it was styled.
class StyledProbe : public QWidget, public TsuiStyledControl {
    Q_OBJECT
public:
    explicit StyledProbe(QWidget *parent, const QString &name = {}, bool fileTheme = true)
        : QWidget(parent), FPublishesFileTheme(fileTheme)
    {
        setObjectName(name);
    }
    TsuiUIStyle UIStyle() const override { return FStyle; }
    void SetUIStyle(TsuiUIStyle style) override
    {
        FStyle = style;
        Calls << QStringLiteral("style");
    }
    bool PublishesFileTheme() const override { return FPublishesFileTheme; }
    TsuiFileTheme *FileTheme() const override { return FFile; }
    void SetFileTheme(TsuiFileTheme *file) override
    {
        FFile = file;
        Calls << QStringLiteral("file");
    }
    QStringList Calls;

private:
    bool FPublishesFileTheme;
    TsuiUIStyle FStyle = TsuiUIStyle::DeepBlue;
    TsuiFileTheme *FFile = nullptr;
};

class TestThemes : public QObject {
    Q_OBJECT
private slots:
    void fromThemeFileFallsBackToDeepBlue();
    void entryLookupAndNeutralValues();
    void everyTableBitmapExistsAtItsSize();
    void scrollButtonNamePerTheme();
    void frameCutting();
    void missingBitmapRaises();
    void loadedFileThemeServesItsEntries();
    void propagateStyleVisitsDirectChildrenOnly();
    void defaultStyleWithoutSkinnedForm();
    void defaultStyleFromTheFormsSkinnedFrame();
    void managerAppliesToListedComponents();
    void managerFiresOnlyOnChange();
    void managerRemovalNotifications();
};

void TestThemes::fromThemeFileFallsBackToDeepBlue()
{
    const TsuiTheme none = TsuiThemes::ResolveTheme(TsuiUIStyle::FromThemeFile, nullptr);
    QCOMPARE(none.Number, int(TsuiUIStyle::DeepBlue));
    QVERIFY(!none.File);
    TsuiFileTheme unloaded;
    unloaded.SetThemeFile(QStringLiteral("/nonexistent/theme.txt"));
    QVERIFY(!unloaded.Loaded());
    QCOMPARE(TsuiThemes::ResolveTheme(TsuiUIStyle::FromThemeFile, &unloaded).Number, int(TsuiUIStyle::DeepBlue));
    // A file theme is ignored by every built-in style.
    QCOMPARE(TsuiThemes::ResolveTheme(TsuiUIStyle::WinXP, &unloaded).Number, int(TsuiUIStyle::WinXP));

    // Drawn: a check box with FromThemeFile is pixel for pixel the DeepBlue one.
    for (bool checked : {true, false}) {
        TsuiCheckBox deep, file;
        deep.SetUIStyle(TsuiUIStyle::DeepBlue);
        file.SetUIStyle(TsuiUIStyle::FromThemeFile);
        for (TsuiCheckBox *box : {&deep, &file}) {
            box->SetCaption(QStringLiteral("Box"));
            box->SetColor(QColor(232, 232, 232));
            box->SetChecked(checked);
        }
        QCOMPARE(file.size(), deep.size());
        QCOMPARE(file.grab().toImage(), deep.grab().toImage());
    }
}

void TestThemes::entryLookupAndNeutralValues()
{
    const auto theme = [](TsuiUIStyle s) { return TsuiThemes::ResolveTheme(s); };
    QCOMPARE(TsuiThemes::GetInteger(theme(TsuiUIStyle::BlueGlass), TsuiEntry::FormMinWidthInt), 270);
    QCOMPARE(TsuiThemes::GetInteger(theme(TsuiUIStyle::MacOS), TsuiEntry::TitleBarButtonRightOffsetInt), -2);
    QCOMPARE(TsuiThemes::GetInteger(theme(TsuiUIStyle::WinXP), TsuiEntry::FormBorderWidthInt), 3);
    QCOMPARE(TsuiThemes::GetColor(theme(TsuiUIStyle::WinXP), TsuiEntry::FormBorderColor), QColor(0, 44, 200));
    QCOMPARE(TsuiThemes::GetColor(theme(TsuiUIStyle::MacOS), TsuiEntry::MenuBackgroundColor), QColor(0, 0, 0));
    QCOMPARE(TsuiThemes::GetColor(theme(TsuiUIStyle::WinXP), TsuiEntry::ControlFontColor), QColor(2, 70, 207));
    QCOMPARE(TsuiThemes::GetColor(theme(TsuiUIStyle::DeepBlue), TsuiEntry::MenuSelectedBackgroundColor),
             QColor(68, 74, 160));
    QCOMPARE(TsuiThemes::GetColor(theme(TsuiUIStyle::BlueGlass), TsuiEntry::ToolBarButtonDownBackgroundColor),
             QColor(216, 216, 216));
    QVERIFY(TsuiThemes::GetBool(theme(TsuiUIStyle::MacOS), TsuiEntry::ButtonTransparentBool));
    QVERIFY(!TsuiThemes::GetBool(theme(TsuiUIStyle::MacOS), TsuiEntry::TitleBarButtonTransparentBool));
    QVERIFY(TsuiThemes::GetBool(theme(TsuiUIStyle::Protein), TsuiEntry::TitleBarButtonTransparentBool));

    // Kind mismatches give the neutral value instead of the cell.
    const TsuiTheme deep = theme(TsuiUIStyle::DeepBlue);
    QCOMPARE(TsuiThemes::GetColor(deep, TsuiEntry::FormMinWidthInt), QColor(0, 0, 0));
    QCOMPARE(TsuiThemes::GetInteger(deep, TsuiEntry::FormBackgroundColor), -1);
    QCOMPARE(TsuiThemes::GetBool(deep, TsuiEntry::FormMinWidthInt), false);
    QCOMPARE(TsuiThemes::GetInteger(deep, TsuiEntry::CheckBoxImage), -1);
    QCOMPARE(TsuiThemes::GetInteger(deep, 0), -1);
    QCOMPARE(TsuiThemes::GetInteger(deep, 43), -1);
    QPixmap untouched(3, 3);
    untouched.fill(Qt::red);
    TsuiThemes::LoadBitmap(deep, TsuiEntry::FormBorderColor, untouched);
    QCOMPARE(untouched.size(), QSize(3, 3));

    // A theme outside 1..5 yields nothing.
    for (int number : {0, 6, -1}) {
        const TsuiTheme bad{number, nullptr};
        QCOMPARE(TsuiThemes::GetInteger(bad, TsuiEntry::FormMinWidthInt), -1);
        QCOMPARE(TsuiThemes::GetColor(bad, TsuiEntry::FormBackgroundColor), QColor(0, 0, 0));
        QCOMPARE(TsuiThemes::GetBool(bad, TsuiEntry::ButtonTransparentBool), false);
        TsuiThemes::LoadBitmap(bad, TsuiEntry::CheckBoxImage, untouched);
        QCOMPARE(untouched.size(), QSize(3, 3));
    }
}

void TestThemes::everyTableBitmapExistsAtItsSize()
{
    // Sizes of the theme bitmaps the skinned controls cut and stretch (MacOS .. BlueGlass).
    const QHash<int, QList<QSize>> sizes = {
        {TsuiEntry::ButtonImage, {{252, 23}, {54, 21}, {222, 21}, {222, 21}, {231, 27}}},
        {TsuiEntry::CheckBoxImage, {{60, 17}, {52, 13}, {52, 13}, {52, 13}, {52, 13}}},
        {TsuiEntry::RadioButtonImage, {{64, 17}, {52, 13}, {52, 13}, {52, 13}, {52, 13}}},
        {TsuiEntry::TitleBarButtonImage, {{306, 17}, {378, 21}, {342, 19}, {342, 19}, {342, 19}}},
        {TsuiEntry::TitleBarLeftImage, {{48, 23}, {35, 29}, {97, 32}, {441, 23}, {162, 33}}},
        {TsuiEntry::TitleBarClientImage, {{49, 23}, {37, 29}, {98, 32}, {1, 23}, {179, 33}}},
        {TsuiEntry::TitleBarRightImage, {{48, 23}, {35, 29}, {97, 32}, {1, 23}, {101, 33}}},
        {TsuiEntry::SideChannelHandleImage, {{7, 84}, {8, 86}, {8, 83}, {8, 83}, {8, 86}}},
        {TsuiEntry::SideChannelBarImage, {{1, 21}, {1, 21}, {1, 20}, {1, 21}, {1, 21}}},
    };
    for (int theme = 1; theme <= 5; ++theme) {
        for (int entry = 1; entry <= TsuiEntry::Count; ++entry) {
            if (TsuiThemeTable::Entry(entry)->Kind != TsuiEntryKind::Bitmap) continue;
            QPixmap bitmap;
            TsuiThemes::LoadBitmap(TsuiTheme{theme, nullptr}, entry, bitmap);
            QVERIFY2(!bitmap.isNull(), qPrintable(TsuiThemes::BitmapName(TsuiTheme{theme, nullptr}, entry)));
            if (sizes.contains(entry))
                QCOMPARE(bitmap.size(), sizes[entry][theme - 1]);
        }
    }
    const QList<QPair<QString, QSize>> free = {{"SIDECHANNEL_BTN", {7, 9}},      {"MACOS_FORM_BACKGROUND", {8, 8}},
                                               {"PROTEIN_FORM_BACKGROUND", {8, 8}}, {"MACOS_MENU_BAR", {1, 22}},
                                               {"MACOS_MENU_SELECT", {1, 21}},    {"MENU_CHECKED", {16, 16}}};
    for (const auto &[name, size] : free) QCOMPARE(TsuiThemes::NamedBitmap(name).size(), size);
}

void TestThemes::scrollButtonNamePerTheme()
{
    const auto name = [](TsuiUIStyle s) {
        return TsuiThemes::BitmapName(TsuiThemes::ResolveTheme(s), TsuiEntry::ScrollButtonImage);
    };
    QCOMPARE(name(TsuiUIStyle::MacOS), QStringLiteral("MACOS_SCROLLBUTTON"));
    QCOMPARE(name(TsuiUIStyle::WinXP), QStringLiteral("WINXP_SCROLLBUTTON"));
    QCOMPARE(name(TsuiUIStyle::DeepBlue), QStringLiteral("MORE_SCROLLBUTTON"));
    QCOMPARE(name(TsuiUIStyle::Protein), QStringLiteral("MORE_SCROLLBUTTON"));
    QCOMPARE(name(TsuiUIStyle::BlueGlass), QStringLiteral("MORE_SCROLLBUTTON"));
    QCOMPARE(name(TsuiUIStyle::FromThemeFile), QStringLiteral("MORE_SCROLLBUTTON"));
    QCOMPARE(TsuiThemes::BitmapName(TsuiThemes::ResolveTheme(TsuiUIStyle::DeepBlue), TsuiEntry::SideChannelBarImage),
             QStringLiteral("DEEPBLUE_SIDECHENNEL_BAR"));
}

void TestThemes::frameCutting()
{
    const TsuiTheme deep = TsuiThemes::ResolveTheme(TsuiUIStyle::DeepBlue);
    QPixmap strip, frame;
    TsuiThemes::LoadBitmap(deep, TsuiEntry::TitleBarButtonImage, strip);
    QCOMPARE(strip.width(), 342);
    TsuiThemes::LoadFrame(deep, TsuiEntry::TitleBarButtonImage, frame, 18, 16);
    QCOMPARE(frame.size(), QSize(19, 19));
    QCOMPARE(frame.toImage(), strip.copy(285, 0, 19, 19).toImage());

    // Integer division: 342 / 5 = 68, frame 5 starts at 272.
    TsuiThemes::LoadFrame(deep, TsuiEntry::TitleBarButtonImage, frame, 5, 5);
    QCOMPARE(frame.toImage(), strip.copy(272, 0, 68, 19).toImage());
    // Count 0 loads the whole bitmap; an index outside the strip leaves the target alone.
    TsuiThemes::LoadFrame(deep, TsuiEntry::TitleBarButtonImage, frame, 0, 1);
    QCOMPARE(frame.size(), strip.size());
    QPixmap kept(2, 2);
    TsuiThemes::LoadFrame(deep, TsuiEntry::TitleBarButtonImage, kept, 18, 19);
    TsuiThemes::LoadFrame(deep, TsuiEntry::TitleBarButtonImage, kept, 18, 0);
    TsuiThemes::LoadFrame(deep, TsuiEntry::TitleBarButtonImage, kept, -3, 1);
    QCOMPARE(kept.size(), QSize(2, 2));
    // More frames than the strip has columns: every frame is empty, never the whole strip.
    TsuiThemes::LoadFrame(deep, TsuiEntry::TitleBarButtonImage, frame, 400, 3);
    QVERIFY(frame.isNull());

    // Bottom-left transparency of a glyph frame.
    QPixmap radio;
    TsuiThemes::LoadFrame(deep, TsuiEntry::RadioButtonImage, radio, 4, 1);
    const QImage keyed = TsuiThemes::Transparented(radio).toImage();
    QCOMPARE(qAlpha(keyed.pixel(0, 12)), 0);
    QCOMPARE(qAlpha(keyed.pixel(6, 6)), 255);
}

void TestThemes::missingBitmapRaises()
{
    QVERIFY_THROWS_EXCEPTION(EKetabError, TsuiThemes::NamedBitmap(QStringLiteral("NO_SUCH_BITMAP")));
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("theme.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("CheckBoxImage=missing.png\n");
    file.close();
    TsuiFileTheme theme;
    theme.SetThemeFile(file.fileName());
    QPixmap target;
    QVERIFY_THROWS_EXCEPTION(EKetabError,
                             TsuiThemes::LoadBitmap(TsuiThemes::ResolveTheme(TsuiUIStyle::FromThemeFile, &theme),
                                                    TsuiEntry::CheckBoxImage, target));
}

void TestThemes::loadedFileThemeServesItsEntries()
{
    QTemporaryDir dir;
    QImage strip(40, 10, QImage::Format_RGB32);
    strip.fill(Qt::green);
    QVERIFY(strip.save(dir.filePath(QStringLiteral("box.png"))));
    QFile file(dir.filePath(QStringLiteral("theme.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("; a theme\nFormBorderWidthInt=5\nFormBackgroundColor=1,2,3\nButtonTransparentBool=1\n"
               "CheckBoxImage=box.png\nFormMinWidthInt=wide\n");
    file.close();
    TsuiFileTheme fileTheme;
    fileTheme.SetThemeFile(file.fileName());
    QVERIFY(fileTheme.Loaded());
    const TsuiTheme theme = TsuiThemes::ResolveTheme(TsuiUIStyle::FromThemeFile, &fileTheme);
    QCOMPARE(theme.File, &fileTheme);
    QCOMPARE(TsuiThemes::GetInteger(theme, TsuiEntry::FormBorderWidthInt), 5);
    QCOMPARE(TsuiThemes::GetColor(theme, TsuiEntry::FormBackgroundColor), QColor(1, 2, 3));
    QVERIFY(TsuiThemes::GetBool(theme, TsuiEntry::ButtonTransparentBool));
    QCOMPARE(TsuiThemes::GetInteger(theme, TsuiEntry::FormMinWidthInt), -1);   // unreadable value
    QCOMPARE(TsuiThemes::GetInteger(theme, TsuiEntry::FormBackgroundColor), -1);  // kind mismatch
    QPixmap frame;
    TsuiThemes::LoadFrame(theme, TsuiEntry::CheckBoxImage, frame, 4, 2);
    QCOMPARE(frame.size(), QSize(10, 10));
}

void TestThemes::propagateStyleVisitsDirectChildrenOnly()
{
    QWidget container;
    StyledProbe child(&container, QStringLiteral("child"));
    StyledProbe imageButton(&container, QStringLiteral("image"), false);
    QWidget panel(&container);
    TsuiCheckBox grandchild(&panel);
    grandchild.SetUIStyle(TsuiUIStyle::DeepBlue);
    TsuiFileTheme file;
    TsuiThemes::PropagateStyle(&container, TsuiUIStyle::Protein, &file);
    QCOMPARE(child.UIStyle(), TsuiUIStyle::Protein);
    QCOMPARE(child.FileTheme(), &file);
    QCOMPARE(child.Calls, QStringList({"file", "style"}));
    QVERIFY(imageButton.Calls.isEmpty());
    QCOMPARE(grandchild.UIStyle(), TsuiUIStyle::DeepBlue);
    QVERIFY(!grandchild.FileTheme());
}

void TestThemes::defaultStyleWithoutSkinnedForm()
{
    QWidget form;
    QWidget inner(&form);
    StyledProbe notAForm(&form);
    notAForm.SetUIStyle(TsuiUIStyle::WinXP);
    QCOMPARE(TsuiThemes::DefaultStyleFor(&form), TsuiUIStyle::DeepBlue);
    QCOMPARE(TsuiThemes::DefaultStyleFor(&inner), TsuiUIStyle::DeepBlue);
    QCOMPARE(TsuiThemes::DefaultStyleFor(nullptr), TsuiUIStyle::DeepBlue);
}

void TestThemes::defaultStyleFromTheFormsSkinnedFrame()
{
    QWidget host;
    auto *frame = new TsuiForm(&host, TFormBorderStyle::bsSingle);
    QCOMPARE(frame->UIStyle(), TsuiUIStyle::DeepBlue);
    frame->SetUIStyle(TsuiUIStyle::Protein);
    QCOMPARE(TsuiThemes::DefaultStyleFor(&host), TsuiUIStyle::Protein);
    QCOMPARE(TsuiThemes::DefaultStyleFor(frame), TsuiUIStyle::DeepBlue);   // the frame is not a form
    QWidget *panel = new QWidget(frame);
    auto *box = new TsuiCheckBox(panel);
    QCOMPARE(box->UIStyle(), TsuiUIStyle::Protein);
}

void TestThemes::managerAppliesToListedComponents()
{
    QWidget form;
    QWidget panel(&form);
    StyledProbe suiForm(&form, QStringLiteral("suiForm"));
    StyledProbe hide(&panel, QStringLiteral("RHidePanel"));   // nested components are found too
    StyledProbe channel(&form, QStringLiteral("BookMarkChannel"));
    StyledProbe unlisted(&form, QStringLiteral("Other"));
    auto *manager = new TsuiThemeManager(&form);
    QCOMPARE(manager->UIStyle(), TsuiUIStyle::DeepBlue);
    manager->SetCompList({"suiForm", "RHidePanel", "BookMarkChannel", "suiRadioButton1", "suiRadioButton2",
                          "suiCheckBox1"});
    QVERIFY(suiForm.Calls.isEmpty());   // assigning the list applies nothing
    TsuiFileTheme file;
    manager->SetFileTheme(&file);
    manager->SetUIStyle(TsuiUIStyle::BlueGlass);
    for (StyledProbe *probe : {&suiForm, &hide, &channel}) {
        QCOMPARE(probe->UIStyle(), TsuiUIStyle::BlueGlass);
        QCOMPARE(probe->FileTheme(), &file);
        QCOMPARE(probe->Calls.mid(probe->Calls.size() - 2), QStringList({"style", "file"}));
    }
    QVERIFY(unlisted.Calls.isEmpty());
    QCOMPARE(manager->CompList().size(), 6);

    // A manager that is not owned by a form applies nothing.
    QWidget container;
    QWidget child(&container);
    StyledProbe inside(&child, QStringLiteral("inside"));
    TsuiThemeManager orphan(&child);
    orphan.SetCompList({"inside"});
    orphan.SetUIStyle(TsuiUIStyle::MacOS);
    QVERIFY(inside.Calls.isEmpty());
}

void TestThemes::managerFiresOnlyOnChange()
{
    QWidget form;
    StyledProbe target(&form, QStringLiteral("target"));
    TsuiThemeManager manager(&form);
    manager.SetCompList({"target"});
    int fired = 0;
    manager.OnUIStyleChanged = [&](TsuiThemeManager *sender) {
        QCOMPARE(sender, &manager);
        ++fired;
    };
    manager.SetUIStyle(TsuiUIStyle::DeepBlue);   // the value it already has
    QCOMPARE(fired, 0);
    QCOMPARE(target.Calls.count(QStringLiteral("style")), 1);   // reapplied all the same
    manager.SetUIStyle(TsuiUIStyle::WinXP);
    QCOMPARE(fired, 1);
    manager.SetUIStyle(TsuiUIStyle::WinXP);
    QCOMPARE(fired, 1);
    QCOMPARE(target.UIStyle(), TsuiUIStyle::WinXP);
}

void TestThemes::managerRemovalNotifications()
{
    QWidget form;
    auto *first = new StyledProbe(&form, QStringLiteral("first"));
    StyledProbe second(&form, QStringLiteral("second"));
    TsuiThemeManager manager(&form);
    manager.SetCompList({"first", "second"});
    delete first;
    QCOMPARE(manager.CompList(), QStringList({"second"}));

    auto *file = new TsuiFileTheme(&form);
    manager.SetUIStyle(TsuiUIStyle::Protein);
    manager.SetFileTheme(file);
    second.Calls.clear();
    delete file;
    QVERIFY(!manager.FileTheme());
    QCOMPARE(manager.UIStyle(), TsuiUIStyle::DeepBlue);
    QVERIFY(second.Calls.isEmpty());   // not reapplied

    // A check box whose file theme goes away returns to DeepBlue.
    TsuiCheckBox box;
    auto *own = new TsuiFileTheme;
    box.SetFileTheme(own);
    box.SetUIStyle(TsuiUIStyle::FromThemeFile);
    delete own;
    QVERIFY(!box.FileTheme());
    QCOMPARE(box.UIStyle(), TsuiUIStyle::DeepBlue);
}

QTEST_MAIN(TestThemes)
#include "tst_themes.moc"

#include "base/recovery_store.h"
#include "panel/document/panel_document.h"
#include "panel/effect_window/effect_window.h"
#include "panel/main_window/design_canvas.h"
#include "panel/main_window/panel_recovery.h"
#include "panel/main_window/panel_window.h"
#include "panel/text/text_layer.h"
#include "panel/text_window/text_window.h"
#include "services/dialog_folder.h"
#include "support/recording_dialogs.h"
#include "support/recording_launcher.h"
#include "support/temp_paths.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "support/filled_image.h"

#include <gtest/gtest.h>

namespace kq::panel {
namespace {

using testing::RecordingDialogs;
using Kind = RecordingDialogs::Kind;

constexpr QSize kPartSize(100, 80);

void WriteFilledPicture(const QString &path, QSize size, QColor colour, const char *format)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QImage image = testing::FilledImage(size, colour);
    // Pictures are read by their content, so a PNG may carry a ".gif" name.
    ASSERT_TRUE(image.save(path, format)) << path.toStdString();
}

// A TL-1 panel window over a temporary program folder holding the default
// background, one part and a photo.
class PanelWindowTest : public ::testing::Test {
protected:
    PanelWindowTest()
    {
        WriteFilledPicture(m_paths.ProgramFile(DefaultBackground(KitModelAt(0))), {860, 1060}, QColor(200, 230, 255), "PNG");
        WriteFilledPicture(PartPath(), kPartSize, QColor(220, 40, 40), "PNG");
        WriteFilledPicture(PhotoPath(), {200, 150}, QColor(40, 160, 60), "JPEG");
        m_window = std::make_unique<PanelWindow>(m_dialogs, m_launcher, m_paths, m_recovery);
        m_window->ShowForModel(0);
    }

    QString PartPath() const { return m_paths.ProgramFile(PartsFolder(KitModelAt(0)) + QStringLiteral("/P1.gif")); }
    QString PhotoPath() const { return m_temp.Root() + QStringLiteral("/photo.jpg"); }
    QString FilePath(const QString &name) const { return m_temp.Root() + QLatin1Char('/') + name; }

    // Parts at the given positions (layer 0 first), saved and opened through
    // the window's open command.
    void OpenPanelWithParts(const QList<QPoint> &positions)
    {
        PanelDocument document(KitModelAt(0), m_paths);
        for (const QPoint &position : positions)
            ASSERT_TRUE(document.AddPart(PartPath(), position));
        const QString path = FilePath(QStringLiteral("parts.kq18"));
        ASSERT_TRUE(document.Save(path));
        m_dialogs.fileNames.enqueue(path);
        Click("ReadBtn");
        ASSERT_EQ(m_window->Document().LayerCount(), positions.size());
        m_dialogs.Clear();
    }

    template <typename T> T *Child(const QString &name) const
    {
        T *child = m_window->findChild<T *>(name);
        EXPECT_NE(child, nullptr) << name.toStdString();
        return child;
    }

    void Click(const char *button) { Child<QToolButton>(QString::fromLatin1(button))->click(); }
    void Trigger(const char *action) { Child<QAction>(QString::fromLatin1(action))->trigger(); }
    QListWidget &LayerList() const { return *Child<QListWidget>(QStringLiteral("LayerList")); }
    DesignCanvas &Canvas() const { return *Child<DesignCanvas>(QStringLiteral("DesignCanvas")); }
    const PanelDocument &Document() const { return m_window->Document(); }
    QString Record(int line) const { return Document().Records().value(line); }

    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, QPointF(at), QPointF(Canvas().mapToGlobal(at)), button, held, Qt::NoModifier);
        QApplication::sendEvent(&Canvas(), &event);
    }

    void Key(int key)
    {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&Canvas(), &event);
    }

    // The canvas point over a document point.
    QPoint CanvasPoint(QPoint documentPoint) const
    {
        const KitModel &model = KitModelAt(0);
        return {int(std::ceil(documentPoint.x() * DisplayScaleX(model))),
                int(std::ceil(documentPoint.y() * DisplayScaleY(model)))};
    }

    // Runs `act` on the modal window that `open` shows.
    static void WithModal(const std::function<void(QWidget &)> &act, const std::function<void()> &open)
    {
        bool seen = false;
        QTimer timer;  // of this scope: it never fires late if nothing blocks in open()
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            seen = true;
            act(*modal);
        });
        timer.start(0);
        open();
        EXPECT_TRUE(seen);
    }

    testing::TempPaths m_temp;
    kq::Paths m_paths {m_temp.Paths().PanelProgramFolder(), m_temp.Paths().AppDataFolder()};
    RecordingDialogs m_dialogs;
    testing::RecordingLauncher m_launcher;
    RecoveryStore m_recovery {PanelRecoveryFolder(m_paths)};
    std::unique_ptr<PanelWindow> m_window;
};

TEST_F(PanelWindowTest, OpensResetWithTheBackgroundEntryAlone)
{
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("パネル製作ソフト"));
    EXPECT_EQ(Document().Records(),
              QStringList {QStringLiteral("-1,背景,") + Document().BackgroundPath() + QStringLiteral(",0,0")});
    ASSERT_EQ(LayerList().count(), 1);
    EXPECT_EQ(LayerList().item(0)->text(), QStringLiteral("背景：1.gif"));
    EXPECT_FALSE(Child<QWidget>(QStringLiteral("EB31"))->isVisible());
    EXPECT_EQ(m_window->CurrentPage(), PanelWindow::Page::Design);
}

TEST_F(PanelWindowTest, RefusesCommandsWithTheirMessages)
{
    struct Case {
        const char *name;
        std::function<void()> command;
        QString message;
    };
    const QList<Case> cases = {
        {"effect without selection", [this] { Trigger("E1"); }, kNoImageToProcessMessage},
        {"grey scale without selection", [this] { Trigger("E19"); }, kNoImageToProcessMessage},
        {"up without selection", [this] { Click("LayerUp"); }, kNothingToChangeMessage},
        {"down on the background",
         [this] {
             LayerList().setCurrentRow(0);
             Click("LayerDown");
         },
         kBackgroundFixedMessage},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        m_dialogs.Clear();
        c.command();
        EXPECT_EQ(m_dialogs.Texts(Kind::Warning), QStringList {c.message});
    }
}

TEST_F(PanelWindowTest, AddCommandsNeedABackground)
{
    QFile::remove(m_paths.ProgramFile(DefaultBackground(KitModelAt(0))));
    m_window->ShowForModel(0);
    for (const char *button : {"AddPicture", "Image3", "Image10"}) {
        SCOPED_TRACE(button);
        m_dialogs.Clear();
        Click(button);
        EXPECT_EQ(m_dialogs.Texts(Kind::Warning), QStringList {kNoBackgroundMessage});
        EXPECT_TRUE(m_dialogs.Texts(Kind::OpenFile).isEmpty());
    }
    // Nothing to export without a background: no dialog at all.
    m_dialogs.Clear();
    Click("OutputBtn");
    EXPECT_TRUE(m_dialogs.Records().isEmpty());
}

TEST_F(PanelWindowTest, AddsAPhotoChosenInTheDesktopFolder)
{
    m_dialogs.fileNames.enqueue(PhotoPath());
    Click("AddPicture");
    EXPECT_EQ(m_dialogs.Texts(Kind::OpenFile), QStringList {DesktopOrHomeFolder()});
    ASSERT_EQ(Document().LayerCount(), 1);
    EXPECT_EQ(Record(1), QStringLiteral("0,写真,") + PhotoPath() + QStringLiteral(",0,0,False,clWhite,"));
    EXPECT_EQ(LayerList().item(0)->text(), QStringLiteral("写真：photo.jpg"));
    EXPECT_TRUE(Document().HasSnapshot());

    // Cancelling the dialog adds nothing.
    Click("AddPicture");
    EXPECT_EQ(Document().LayerCount(), 1);
}

TEST_F(PanelWindowTest, PanelFilesPhotosAndExportsStartWhereTheLastFileWas)
{
    const QString photos = FilePath(QStringLiteral("photos"));
    const QString panels = FilePath(QStringLiteral("panels"));
    ASSERT_TRUE(QDir().mkpath(photos) && QDir().mkpath(panels));
    const QString photo = photos + QStringLiteral("/dog.jpg");
    WriteFilledPicture(photo, {40, 30}, Qt::yellow, "JPEG");

    Click("SaveBtn");
    m_dialogs.fileNames.enqueue(photo);
    Click("AddPicture");
    m_dialogs.fileNames.enqueue(panels + QStringLiteral("/mine"));
    Click("SaveBtn");
    Click("OutputBtn");
    Click("ReadBtn");
    m_dialogs.fileNames.enqueue(photos + QStringLiteral("/picture"));
    Click("OutputBtn");
    ASSERT_TRUE(QFile::exists(photos + QStringLiteral("/picture.bmp")));
    Click("AddPicture");

    const QString desktop = DesktopOrHomeFolder();
    EXPECT_EQ(m_dialogs.Texts(Kind::SaveFile), (QStringList {desktop, photos, panels, panels}));
    EXPECT_EQ(m_dialogs.Texts(Kind::OpenFile), (QStringList {desktop, panels, photos}));
}

TEST_F(PanelWindowTest, DragKeepsTheGrabPointAndReleaseWritesTheRecord)
{
    OpenPanelWithParts({{10, 20}});
    const QPoint grab = CanvasPoint({50, 60});
    const QPoint drop = grab + QPoint(100, 50);
    Mouse(QEvent::MouseButtonPress, grab);
    ASSERT_EQ(Document().Selected(), 0);
    Mouse(QEvent::MouseMove, drop);
    const QPoint expected = Canvas().DocumentPoint(drop) - (Canvas().DocumentPoint(grab) - QPoint(10, 20));
    EXPECT_EQ(Document().Layer(0).position, expected);
    // Before the release the record still holds the old place.
    EXPECT_EQ(Record(1), QStringLiteral("0,部品,") + PartPath() + QStringLiteral(",10,20"));
    Mouse(QEvent::MouseButtonRelease, drop);
    EXPECT_EQ(Record(1), QStringLiteral("0,部品,%1,%2,%3").arg(PartPath()).arg(expected.x()).arg(expected.y()));

    Key(Qt::Key_Left);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    EXPECT_EQ(Record(1), QStringLiteral("0,部品,%1,%2,%3").arg(PartPath()).arg(expected.x() - 1).arg(expected.y() + 2));
}

TEST_F(PanelWindowTest, ListRowsSelectLayersFromTheTop)
{
    OpenPanelWithParts({{0, 0}, {200, 0}, {400, 0}});
    ASSERT_EQ(LayerList().count(), 4);
    for (int row = 0; row < 4; ++row) {
        LayerList().setCurrentRow(row);
        EXPECT_EQ(Document().Selected(), 3 - 1 - row) << row;
    }
    // A press on the canvas marks the layer's entry.
    Mouse(QEvent::MouseButtonPress, CanvasPoint({210, 10}));
    Mouse(QEvent::MouseButtonRelease, CanvasPoint({210, 10}));
    EXPECT_EQ(Document().Selected(), 1);
    EXPECT_EQ(LayerList().currentRow(), 1);
}

TEST_F(PanelWindowTest, UpAndDownButtonsMoveTheSelectedEntry)
{
    OpenPanelWithParts({{0, 0}, {200, 0}});
    LayerList().setCurrentRow(1);  // layer 0
    Click("LayerUp");
    EXPECT_EQ(Document().Selected(), 1);
    EXPECT_EQ(LayerList().currentRow(), 0);
    EXPECT_EQ(Document().Layer(1).position, QPoint(0, 0));
    EXPECT_TRUE(Record(1).startsWith(QStringLiteral("1,部品,"))) << Record(1).toStdString();

    // Already on top: nothing happens and nothing is said.
    Click("LayerUp");
    EXPECT_EQ(Document().Selected(), 1);
    EXPECT_TRUE(m_dialogs.Records().isEmpty());

    Click("LayerDown");
    EXPECT_EQ(Document().Selected(), 0);
    EXPECT_EQ(LayerList().currentRow(), 1);
    EXPECT_EQ(Document().Layer(0).position, QPoint(0, 0));
}

TEST_F(PanelWindowTest, DeleteAsksFirst)
{
    OpenPanelWithParts({{0, 0}, {200, 0}});
    Mouse(QEvent::MouseButtonPress, CanvasPoint({10, 10}), Qt::RightButton);
    Mouse(QEvent::MouseButtonRelease, CanvasPoint({10, 10}), Qt::RightButton);
    ASSERT_EQ(Document().Selected(), 0);
    EXPECT_TRUE(Child<QMenu>(QStringLiteral("LayerMenu"))->isVisible());
    Child<QMenu>(QStringLiteral("LayerMenu"))->hide();

    m_dialogs.yesNoAnswers.enqueue(false);
    Trigger("DeleteLayer");
    EXPECT_EQ(m_dialogs.Texts(Kind::Question), QStringList {kDeleteQuestion});
    EXPECT_EQ(Document().LayerCount(), 2);

    m_dialogs.yesNoAnswers.enqueue(true);
    Trigger("DeleteLayer");
    EXPECT_EQ(Document().LayerCount(), 1);
    EXPECT_EQ(Document().Selected(), kNoSelection);
    EXPECT_EQ(Document().Layer(0).position, QPoint(200, 0));
    EXPECT_EQ(LayerList().count(), 2);
    EXPECT_TRUE(Record(1).startsWith(QStringLiteral("0,部品,"))) << Record(1).toStdString();
}

TEST_F(PanelWindowTest, QuickButtonsShowOnlyForLayers)
{
    OpenPanelWithParts({{0, 0}});
    auto *quick = Child<QWidget>(QStringLiteral("EB31"));
    LayerList().setCurrentRow(0);
    EXPECT_TRUE(quick->isVisible());
    EXPECT_EQ(Child<QLabel>(QStringLiteral("WidthPixels"))->text(), QStringLiteral("100"));
    EXPECT_EQ(Child<QLabel>(QStringLiteral("HeightCentimetres"))->text(), QStringLiteral("0.8"));
    LayerList().setCurrentRow(1);
    EXPECT_FALSE(quick->isVisible());
    EXPECT_EQ(Child<QLabel>(QStringLiteral("WidthCentimetres"))->text(), QStringLiteral("8.6"));

    // A quick turn: the record, and the edit preview's sizes show the result.
    LayerList().setCurrentRow(0);
    Click("EB31");
    EXPECT_EQ(Document().Records().last(),
              QStringLiteral("0,加工,Rotation,0/0/0/0/0/0/0/0,90,False,False,True,0,0,0,False"));
    EXPECT_EQ(Child<QLabel>(QStringLiteral("WidthPixels"))->text(), QStringLiteral("80"));
    EXPECT_TRUE(quick->isVisible());

    // A cut needs a rectangle on the edit preview.
    Click("EB35");
    EXPECT_EQ(m_dialogs.Texts(Kind::Warning), QStringList {kCutWithoutAreaMessage});

    m_dialogs.yesNoAnswers.enqueue(true);
    Trigger("ClearAll");
    EXPECT_EQ(m_dialogs.Texts(Kind::Question), QStringList {kClearQuestion});
    EXPECT_EQ(Document().LayerCount(), 0);
    EXPECT_FALSE(quick->isVisible());
}

// What the quick buttons make must be what a load makes again from the
// records: a turn, a mirror and an ellipse cut on a text layer.
TEST_F(PanelWindowTest, QuickEffectsLookTheSameAfterSavingAndLoading)
{
    QImage marked(30, 20, QImage::Format_RGB32);
    marked.fill(Qt::white);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            marked.setPixel(x, y, qRgb(0, 0, 200));
    const QString part = FilePath(QStringLiteral("marked.png"));
    ASSERT_TRUE(marked.save(part, "PNG"));
    PanelDocument document(KitModelAt(0), m_paths);
    ASSERT_TRUE(document.AddPart(part, {}));
    ASSERT_TRUE(document.AddPart(part, {10, 10}));
    TextRecord text;
    text.description = {QStringLiteral("ほし"), kDefaultTextFace, Qt::black, 14, false, false, Qt::yellow};
    text.measured = MeasureText(text.description);
    text.transparent = false;
    text.transparentColour = Qt::yellow;
    ASSERT_TRUE(document.AddText(text));

    const QSize textSize = document.Layer(2).image.size();
    const struct {
        int layer;
        QuickEffect effect;
        QRect selection;
    } cases[] = {
        {0, QuickEffect::TurnRight, {}},
        {1, QuickEffect::Mirror, {}},
        {2, QuickEffect::EllipseCut, QRect(QPoint(3, 2), textSize - QSize(6, 4))},
    };
    for (const auto &c : cases) {
        const std::optional<AppliedEffect> applied =
            ApplyQuickEffect(c.effect, document.Layer(c.layer).image, c.selection);
        ASSERT_TRUE(applied.has_value());
        document.ApplyProcessed(c.layer, applied->image, applied->recordsFromName);
    }
    ASSERT_EQ(document.Layer(0).image.pixel(19, 0), qRgb(0, 0, 200)) << "turned clockwise";
    ASSERT_EQ(document.Layer(1).image.pixel(29, 0), qRgb(0, 0, 200)) << "mirrored";
    const QString path = FilePath(QStringLiteral("quick.kq18"));
    ASSERT_TRUE(document.Save(path));

    PanelDocument loaded(KitModelAt(0), m_paths);
    ASSERT_TRUE(loaded.Load(path));
    ASSERT_EQ(loaded.LayerCount(), 3);
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(loaded.Layer(n).image, document.Layer(n).image) << n;
        EXPECT_EQ(loaded.Layer(n).position, document.Layer(n).position) << n;
    }
    EXPECT_TRUE(loaded.Layer(2).transparent);
    EXPECT_EQ(loaded.Layer(2).transparentColour, QColor(Qt::white));
    EXPECT_EQ(loaded.Layer(2).image.pixel(0, 0), qRgb(255, 255, 255)) << "the corners are cut away";
}

TEST_F(PanelWindowTest, RectangleDraggedOnTheEditPreviewCutsInImagePixels)
{
    OpenPanelWithParts({{0, 0}});
    LayerList().setCurrentRow(0);
    auto *preview = Child<QWidget>(QStringLiteral("EditImage"));
    // The part is smaller than the view: shown at its own size, centred.
    const QPoint corner((preview->width() - kPartSize.width()) / 2, (preview->height() - kPartSize.height()) / 2);
    const auto send = [preview](QEvent::Type type, QPoint at) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(at), QPointF(preview->mapToGlobal(at)), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(preview, &event);
    };
    send(QEvent::MouseButtonPress, corner + QPoint(10, 20));
    send(QEvent::MouseMove, corner + QPoint(40, 30));
    send(QEvent::MouseButtonRelease, corner + QPoint(60, 50));
    Click("EB35");
    EXPECT_TRUE(m_dialogs.Texts(Kind::Warning).isEmpty());
    EXPECT_EQ(Document().Records().last(), QStringLiteral("0,加工,CutRectImage,10/20/60/50"));
    EXPECT_EQ(Document().Layer(0).image.size(), QSize(50, 30));
    EXPECT_EQ(Child<QLabel>(QStringLiteral("WidthPixels"))->text(), QStringLiteral("50"));
    EXPECT_EQ(Child<QLabel>(QStringLiteral("HeightCentimetres"))->text(), QStringLiteral("0.3"));
}

TEST_F(PanelWindowTest, TransparencyOfAPhotoFromTheBoxAndTheColourPanel)
{
    m_dialogs.fileNames.enqueue(PhotoPath());
    Click("AddPicture");
    LayerList().setCurrentRow(0);
    Child<QCheckBox>(QStringLiteral("CheckBox1"))->click();
    EXPECT_EQ(Record(1), QStringLiteral("0,写真,") + PhotoPath() + QStringLiteral(",0,0,True,clWhite,"));

    m_dialogs.colours.enqueue(QColor(255, 0, 0));
    Child<QAbstractButton>(QStringLiteral("Panel1"))->click();
    EXPECT_EQ(Record(1), QStringLiteral("0,写真,") + PhotoPath() + QStringLiteral(",0,0,True,clRed,"));
    EXPECT_TRUE(Document().Layer(0).transparent);

    // A cancelled colour dialog changes nothing.
    Child<QAbstractButton>(QStringLiteral("Panel1"))->click();
    EXPECT_EQ(Document().Layer(0).transparentColour, QColor(255, 0, 0));
}

TEST_F(PanelWindowTest, SavesAndOpensThroughTheDialogs)
{
    OpenPanelWithParts({{30, 40}});
    const QString chosen = FilePath(QStringLiteral("mine"));
    m_dialogs.fileNames.enqueue(chosen);
    Click("SaveBtn");
    const QString saved = chosen + QStringLiteral(".kq18");
    ASSERT_TRUE(QFile::exists(saved));
    EXPECT_TRUE(m_dialogs.Texts(Kind::Question).isEmpty());

    // Saving over it asks; No leaves the file as it was.
    m_dialogs.Clear();
    m_dialogs.fileNames.enqueue(saved);
    m_dialogs.yesNoAnswers.enqueue(false);
    QFile::remove(PartPath());
    const QDateTime before = QFileInfo(saved).lastModified();
    Click("SaveBtn");
    EXPECT_EQ(m_dialogs.Texts(Kind::Question), QStringList {kPanelOverwriteQuestion});
    EXPECT_EQ(QFileInfo(saved).lastModified(), before);

    // A wrong extension is refused before anything is read.
    m_dialogs.Clear();
    m_dialogs.fileNames.enqueue(FilePath(QStringLiteral("mine.txt")));
    Click("ReadBtn");
    EXPECT_EQ(m_dialogs.Texts(Kind::Warning), QStringList {kPanelWrongExtensionMessage});
    EXPECT_EQ(Document().LayerCount(), 1);

    // The part file has gone: the not-found message, nothing loaded.
    m_dialogs.Clear();
    m_dialogs.fileNames.enqueue(saved);
    Click("ReadBtn");
    EXPECT_EQ(m_dialogs.Texts(Kind::Warning), QStringList {PictureNotFoundMessage(kPartKind, PartPath())});

    // With the part back the panel opens as saved.
    WriteFilledPicture(PartPath(), kPartSize, QColor(220, 40, 40), "PNG");
    m_dialogs.Clear();
    Trigger("ClearAll");
    m_dialogs.fileNames.enqueue(saved);
    Trigger("Read");
    EXPECT_TRUE(m_dialogs.Texts(Kind::Warning).isEmpty());
    ASSERT_EQ(Document().LayerCount(), 1);
    EXPECT_EQ(Document().Layer(0).position, QPoint(30, 40));
    EXPECT_EQ(LayerList().item(0)->text(), QStringLiteral("部品：P1.gif"));
}

TEST_F(PanelWindowTest, EffectWindowOkAppendsTheRecordAndClearsTheEditPreview)
{
    OpenPanelWithParts({{0, 0}});
    LayerList().setCurrentRow(0);
    WithModal([](QWidget &effects) { effects.findChild<QPushButton *>(QStringLiteral("OkButton"))->click(); },
              [this] { Trigger("E3"); });
    EXPECT_EQ(Document().Records().last(), QStringLiteral("0,加工,Blur,0/0/0/0/0/0/0/0,10"));
    EXPECT_EQ(Document().Selected(), kNoSelection);
    EXPECT_TRUE(Child<QLabel>(QStringLiteral("WidthPixels"))->text().isEmpty());
    EXPECT_FALSE(Child<QWidget>(QStringLiteral("EB31"))->isVisible());
}

TEST_F(PanelWindowTest, ResizeLeavesTheNewSizeInTheLabels)
{
    OpenPanelWithParts({{0, 0}});
    LayerList().setCurrentRow(0);
    WithModal(
        [](QWidget &effects) {
            effects.findChild<QRadioButton *>(QStringLiteral("ByRatio"))->click();
            auto *percent = effects.findChild<QLineEdit *>(QStringLiteral("WidthPercentEdit"));
            percent->clear();
            QTest::keyClicks(percent, QStringLiteral("50"));
            effects.findChild<QPushButton *>(QStringLiteral("OkButton"))->click();
        },
        [this] { Trigger("E16"); });
    EXPECT_EQ(Document().Layer(0).image.size(), QSize(50, 40));
    EXPECT_EQ(Child<QLabel>(QStringLiteral("WidthPixels"))->text(), QStringLiteral("50"));
    EXPECT_EQ(Child<QLabel>(QStringLiteral("HeightPixels"))->text(), QStringLiteral("40"));
    EXPECT_EQ(Child<QLabel>(QStringLiteral("WidthCentimetres"))->text(), QStringLiteral("0.5"));
    EXPECT_EQ(Child<QLabel>(QStringLiteral("HeightCentimetres"))->text(), QStringLiteral("0.4"));
}

// Whatever changes the document while the preview or product page is shown
// shows on that page at once.
TEST_F(PanelWindowTest, ThePageShownFollowsEveryChangeOfTheDocument)
{
    OpenPanelWithParts({{0, 0}, {40, 30}});
    m_dialogs.fileNames.enqueue(PhotoPath());
    Click("AddPicture");  // on top of both parts
    auto *transparent = Child<QCheckBox>(QStringLiteral("CheckBox1"));
    LayerList().setCurrentRow(0);
    transparent->click();
    m_dialogs.colours.enqueue(QColor(Document().Layer(2).image.pixel(0, 0)));
    Child<QAbstractButton>(QStringLiteral("Panel1"))->click();
    transparent->click();
    ASSERT_FALSE(Document().Layer(2).transparent);

    for (const char *page : {"PreviewPage", "ProductImage"}) {
        Click(page == QByteArray("PreviewPage") ? "TabButton2" : "TabButton3");
        QWidget *shown = Child<QWidget>(QString::fromLatin1(page));
        const auto picture = [shown] { return shown->grab().toImage(); };
        const struct {
            const char *change;
            int row;
            std::function<void()> make;
        } changes[] = {
            {"transparency on", 0, [&] { transparent->click(); }},
            {"transparency off", 0, [&] { transparent->click(); }},
            {"up", 1, [&] { Click("LayerUp"); }},
            {"down", 0, [&] { Click("LayerDown"); }},
        };
        for (const auto &c : changes) {
            LayerList().setCurrentRow(c.row);
            const QImage before = picture();
            c.make();
            EXPECT_NE(picture(), before) << page << ": " << c.change;
        }
    }
}

TEST_F(PanelWindowTest, AddsTextFromTheTextWindow)
{
    Click("Image10");
    auto *text = m_window->findChild<TextWindow *>();
    ASSERT_NE(text, nullptr);
    ASSERT_TRUE(text->isVisible());
    text->findChild<QLineEdit *>(QStringLiteral("Edit1"))->setText(QStringLiteral("とけい"));
    text->findChild<QAbstractButton *>(QStringLiteral("Image1"))->click();
    ASSERT_EQ(Document().LayerCount(), 1);
    EXPECT_EQ(LayerList().item(0)->text(), QStringLiteral("文字：とけい"));
    EXPECT_TRUE(Record(1).startsWith(QStringLiteral("0,文字,"))) << Record(1).toStdString();
}

TEST_F(PanelWindowTest, DoubleClickEditsATextLayerInPlace)
{
    PanelDocument document(KitModelAt(0), m_paths);
    TextRecord record;
    record.description = {QStringLiteral("はじめ"), kDefaultTextFace, Qt::black, 14, false, false, Qt::white};
    record.measured = MeasureText(record.description);
    ASSERT_TRUE(document.AddText(record));
    document.MoveLayerTo(0, {100, 200});
    document.CommitPosition(0);
    const QString path = FilePath(QStringLiteral("text.kq18"));
    ASSERT_TRUE(document.Save(path));
    m_dialogs.fileNames.enqueue(path);
    Click("ReadBtn");

    const QPoint onText = CanvasPoint({120, 220});
    Mouse(QEvent::MouseButtonPress, onText);
    Mouse(QEvent::MouseButtonRelease, onText);
    WithModal(
        [](QWidget &text) {
            text.findChild<QLineEdit *>(QStringLiteral("Edit1"))->setText(QStringLiteral("あたらしい"));
            text.findChild<QAbstractButton *>(QStringLiteral("Image1"))->click();
        },
        [&] { Mouse(QEvent::MouseButtonDblClick, onText); });
    EXPECT_EQ(LayerList().item(0)->text(), QStringLiteral("文字：あたらしい"));
    const std::optional<TextRecord> edited = ParseTextRecord(Document().CreationRecord(0));
    ASSERT_TRUE(edited);
    EXPECT_EQ(edited->position, QPoint(100, 200));
    EXPECT_EQ(Document().Layer(0).position, QPoint(100, 200));

    // The next press only ends the double-click; the one after selects.
    const int before = Document().Selected();
    const QPoint onBackground = CanvasPoint({600, 900});
    Mouse(QEvent::MouseButtonPress, onBackground);
    Mouse(QEvent::MouseButtonRelease, onBackground);
    EXPECT_EQ(Document().Selected(), before);
    Mouse(QEvent::MouseButtonPress, onBackground);
    EXPECT_EQ(Document().Selected(), kBackgroundLayer);
}

TEST_F(PanelWindowTest, UndoPutsBackTheLastStep)
{
    OpenPanelWithParts({{0, 0}, {200, 0}});
    LayerList().setCurrentRow(1);
    Click("LayerUp");
    Trigger("Undo");
    EXPECT_EQ(Document().Layer(1).position, QPoint(200, 0));
    EXPECT_EQ(Document().Selected(), kNoSelection);
    EXPECT_EQ(LayerList().currentRow(), -1);
}

TEST_F(PanelWindowTest, PagesAndHelp)
{
    Click("TabButton2");
    EXPECT_EQ(m_window->CurrentPage(), PanelWindow::Page::Preview);
    Click("TabButton3");
    EXPECT_EQ(m_window->CurrentPage(), PanelWindow::Page::Product);
    Click("TabButton1");
    EXPECT_EQ(m_window->CurrentPage(), PanelWindow::Page::Design);

    Click("Image7");
    EXPECT_EQ(m_launcher.documents, QStringList {m_paths.ProgramFile(QStringLiteral("HTML/KQ-18navi.html"))});
}

TEST_F(PanelWindowTest, ClosingAsksAndEndsOnYesOnly)
{
    QSignalSpy closed(m_window.get(), &PanelWindow::Closed);
    m_dialogs.yesNoAnswers.enqueue(false);
    EXPECT_FALSE(m_window->close());
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_EQ(closed.count(), 0);
    EXPECT_EQ(m_dialogs.Texts(Kind::Question), QStringList {kCloseQuestion});

    m_dialogs.yesNoAnswers.enqueue(true);
    EXPECT_TRUE(m_window->close());
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(PanelWindowTest, WideModelsUseTheWidePage)
{
    m_window->ShowForModel(2);
    EXPECT_EQ(Document().Model().code, QStringLiteral("TL-3"));
    EXPECT_EQ(Canvas().geometry(), KitModelAt(2).canvas);
    EXPECT_EQ(Child<QWidget>(QStringLiteral("Pages"))->size(), QSize(798, 292));
    m_window->ShowForModel(0);
    EXPECT_EQ(Child<QWidget>(QStringLiteral("Pages"))->size(), QSize(480, 530));
}

}  // namespace
}  // namespace kq::panel

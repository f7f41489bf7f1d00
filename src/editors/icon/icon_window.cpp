#include "editors/icon/icon_window.h"

#include "editors/common/program_runner.h"

#include "context/studio_context.h"
#include "controls/dropped_files.h"
#include "controls/font_fit.h"
#include "device/device_messages.h"
#include "editors/common/program_file_commands.h"
#include "editors/common/step_preview.h"
#include "editors/common/step_switch.h"
#include "editors/icon/icon_drag.h"
#include "editors/icon/icon_program.h"
#include "learning/report_window.h"
#include "learning/transfer_data_window.h"
#include "services/dialogs.h"
#include "services/help.h"
#include "services/window_registry.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSlider>
#include <QVBoxLayout>

#include <cmath>

namespace kq {

namespace {

constexpr int kSlotWidth = 100;
constexpr int kSlotHeight = 130;
constexpr int kRowHeight = 150;
constexpr int kArrowStep = 45;
constexpr int kPaletteCell = 75;
constexpr int kPaletteRowHeight = 60;

const QString kDemoFiles[] = {
    QStringLiteral("Data\\Demo\\dd\\demo1(アイコン).kq27"),
    QStringLiteral("Data\\Demo\\dd\\demo2(アイコン).kq27"),
};
const QStringList kColourEntries = {
    QStringLiteral("赤色"), QStringLiteral("緑色"), QStringLiteral("青色"), QStringLiteral("黄色"),
    QStringLiteral("紫色"), QStringLiteral("水色"), QStringLiteral("白色"), QStringLiteral("消灯"),
};

QString PictureName(const QString &name)
{
    return QStringLiteral("Img\\Icon\\DD\\") + name + QStringLiteral(".bmp");
}

QLabel *PanelText(const QString &text, QWidget *parent, int pointSize)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace

IconWindow::IconWindow(StudioContext &context, WindowRegistry &windows, StepWindows &steps, Launcher &launcher,
                       QWidget *parent)
    : QMainWindow(parent),
      m_context(context),
      m_windows(windows),
      m_steps(steps),
      m_launcher(launcher),
      m_document(context.Generation())
{
    setObjectName(QStringLiteral("TForm8"));
    setWindowTitle(kStudioCaption);
    setAcceptDrops(true);
    LoadPictures();
    // The row still works without them; the pupil learns the installation is damaged.
    if (m_emptyPicture.isNull() || m_arrowPicture.isNull())
        m_context.Dialogs().Warning(this, kIconPicturesMissingMessage);

    auto *central = new QWidget(this);
    auto *layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(BuildPalette());

    auto *scroll = new QScrollArea(central);
    scroll->setObjectName(QStringLiteral("ScrollBox"));
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_rowArea = new QWidget;
    m_rowArea->setObjectName(QStringLiteral("DropPanel"));
    m_rowArea->setAutoFillBackground(true);
    QPalette rowPalette = m_rowArea->palette();
    rowPalette.setColor(QPalette::Window, QColor(0x2b, 0x4c, 0x7e));
    m_rowArea->setPalette(rowPalette);
    m_rowArea->installEventFilter(this);
    scroll->setWidget(m_rowArea);
    layout->addWidget(scroll, 1);
    setCentralWidget(central);

    for (int i = 0; i < kIconSlotCount - 1; ++i) {
        m_arrows[i] = new QLabel(m_rowArea);
        m_arrows[i]->setObjectName(QStringLiteral("Arrow%1").arg(i));
        m_arrows[i]->setPixmap(m_arrowPicture);
        m_arrows[i]->resize(25, 21);
    }

    BuildMenu();
    BuildPanels(central);
    PlaceOnScreen();
    FitMenuBarEntries(*menuBar(), minimumWidth());
    RebuildSlots();

    connect(&m_document, &StepDocument::Changed, this, [this] {
        if (!m_movingSlider)
            RebuildSlots();
    });
}

IconWindow::~IconWindow() = default;

void IconWindow::LoadPictures()
{
    const Paths &paths = m_context.Paths();
    for (const PalettePlace &place : IconPalette())
        m_pictures.insert(place.icon, QPixmap(paths.ProgramFile(PictureName(QString::number(place.icon)))));
    m_emptyPicture = QPixmap(paths.ProgramFile(PictureName(QStringLiteral("Empty"))));
    m_arrowPicture = QPixmap(paths.ProgramFile(PictureName(QStringLiteral("arrow"))));
}

void IconWindow::PlaceOnScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const int width = std::max(780, int(std::lround(area.width() * 0.75)));
    const int height = std::max(580, int(std::lround(area.height() * 0.75)));
    setMinimumSize(780, 580);
    resize(width, height);
    move(area.x() + int(std::lround(area.width() / 8.0)), area.y() + int(std::lround(area.height() / 8.0)));
}

void IconWindow::BuildMenu()
{
    QMenuBar *bar = menuBar();
    auto add = [this](auto *owner, const QString &name, const QString &text, auto handler) {
        QAction *action = owner->addAction(text);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };

    QMenu *demos = bar->addMenu(QStringLiteral("デモ読み込み"));
    demos->setObjectName(QStringLiteral("DemoMenu"));
    add(demos, QStringLiteral("Demo1"), QStringLiteral("デモ１"), [this] { OpenDemo(0); });
    add(demos, QStringLiteral("Demo2"), QStringLiteral("デモ２"), [this] { OpenDemo(1); });
    add(bar, QStringLiteral("OpenFile"), QStringLiteral("ファイル読み込み"), [this] {
        if (MayReplaceProgram(m_context, m_document, *this))
            (void)OpenProgramFileFromDialog(m_context, m_document, *this);
    });
    add(bar, QStringLiteral("SaveFile"), QStringLiteral("ファイルへ保存"),
        [this] { (void)SaveProgramFile(m_context, m_document, *this); });
    QMenu *edit = bar->addMenu(QStringLiteral("編集"));
    edit->setObjectName(QStringLiteral("EditMenu"));
    add(edit, QStringLiteral("N110"), QStringLiteral("元に戻す"), [this] {
        m_document.Undo();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    add(edit, QStringLiteral("N111"), QStringLiteral("やり直す"), [this] {
        m_document.Redo();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    add(bar, QStringLiteral("ClearAll"), QStringLiteral("　　全削除　　"), [this] { ClearAll(); });

    QMenu *view = bar->addMenu(QStringLiteral("　　表示　　"));
    view->setObjectName(QStringLiteral("ViewMenu"));
    add(view, QStringLiteral("ShowMemory"), QStringLiteral("消費メモリーの表示"), [this] { ShowMemory(); });
    add(view, QStringLiteral("ShowTransferData"), QStringLiteral("送信データの表示"),
        [this] { ShowTransferDataView(); });
    add(view, QStringLiteral("Preview"), kPreviewCommandText, [this] { Preview(); });
    add(view, QStringLiteral("ShowFlowchart"), QStringLiteral("STEP2 フローチャートで表示"),
        [this] { SwitchTo(Step::Flowchart); });
    add(view, QStringLiteral("ShowText"), QStringLiteral("STEP3 文字で表示"), [this] { SwitchTo(Step::Text); });

    add(bar, QStringLiteral("Transfer"), QStringLiteral("　　転送(F6)　　"), [this] {
        Transfer();
    })->setShortcut(Qt::Key_F6);
    add(bar, QStringLiteral("Run"), QStringLiteral("　　実行(F7)　　"), [this] { m_runner->Run(); })->setShortcut(Qt::Key_F7);
    add(bar, QStringLiteral("Report"), QStringLiteral("レポート作成"), [this] { MakeReport(); });

    QMenu *help = bar->addMenu(QStringLiteral("　　ヘルプ　　"));
    help->setObjectName(QStringLiteral("HelpMenu"));
    add(help, QStringLiteral("ShowHelp"), QStringLiteral("ヘルプ表示"),
        [this] { OpenHelp(m_context.Paths(), m_launcher, kGeneralHelpPage); });
}

QAction *IconWindow::Action(const QString &name) const
{
    return findChild<QAction *>(name);
}

QWidget *IconWindow::BuildPalette()
{
    auto *palette = new QWidget;
    palette->setObjectName(QStringLiteral("Palette"));
    palette->setAutoFillBackground(true);
    QPalette colours = palette->palette();
    colours.setColor(QPalette::Window, QColor(0xfd, 0xf3, 0xd8));
    palette->setPalette(colours);
    palette->setFixedWidth(3 * kPaletteCell + 20);
    palette->setMinimumHeight(8 * kPaletteRowHeight + 20);
    // The drawing the icons were cut from, so each lies on its own place.
    auto *background = new QLabel(palette);
    background->setObjectName(QStringLiteral("PaletteBack"));
    background->setPixmap(QPixmap(m_context.Paths().ProgramFile(PictureName(QStringLiteral("Palette")))));
    background->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    background->setGeometry(0, 0, 3 * kPaletteCell + 20, 8 * kPaletteRowHeight + 20);
    for (const PalettePlace &place : IconPalette()) {
        auto *icon = new PaletteIcon(place.icon, m_pictures.value(place.icon), palette);
        icon->setGeometry(12 + (place.column - 1) * kPaletteCell, 10 + (place.row - 1) * kPaletteRowHeight, 65, 50);
    }
    return palette;
}

void IconWindow::BuildPanels(QWidget *central)
{
    m_memoryPanel = new QFrame(central);
    m_memoryPanel->setObjectName(QStringLiteral("MemoryPanel"));
    m_memoryPanel->setFrameShape(QFrame::Box);
    m_memoryPanel->setAutoFillBackground(true);
    m_memoryPanel->setStyleSheet(QStringLiteral("#MemoryPanel { background: #fffbe6; border: 2px solid #e0a800; }"));
    auto *memoryLayout = new QVBoxLayout(m_memoryPanel);
    memoryLayout->addWidget(PanelText(QStringLiteral("消費メモリー"), m_memoryPanel, 14));
    auto *countRow = new QHBoxLayout;
    m_memoryCount = PanelText(QStringLiteral("0"), m_memoryPanel, 24);
    m_memoryCount->setObjectName(QStringLiteral("MemoryCount"));
    countRow->addWidget(m_memoryCount);
    countRow->addWidget(PanelText(QStringLiteral("/ 120"), m_memoryPanel, 14));
    memoryLayout->addLayout(countRow);
    auto *ok = new QPushButton(QStringLiteral("OK"), m_memoryPanel);
    ok->setObjectName(QStringLiteral("MemoryOk"));
    connect(ok, &QPushButton::clicked, m_memoryPanel, &QWidget::hide);
    memoryLayout->addWidget(ok);
    m_memoryPanel->resize(260, 150);
    m_memoryPanel->hide();

    m_runner = new ProgramRunner(m_context, ReceiverRole::IconEditor, *central,
                                 [this](bool enabled) { SetCommandsEnabled(enabled); });
}

QPixmap IconWindow::SlotPicture(int slot) const
{
    const std::optional<IconSlot> &content = m_document.Row().At(slot);
    if (content)
        return m_pictures.value(content->icon);
    QPixmap picture = m_emptyPicture.isNull() ? QPixmap(65, 50) : m_emptyPicture;
    if (m_emptyPicture.isNull())
        picture.fill(Qt::white);
    QPainter painter(&picture);
    QFont font = painter.font();
    font.setPointSize(20);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0x55, 0x55, 0x55));
    painter.drawText(picture.rect(), Qt::AlignCenter, QString::number(slot));
    return picture;
}

void IconWindow::RebuildSlots()
{
    for (int slot = 0; slot < kIconSlotCount; ++slot)
        BuildSlot(slot);
    LayoutSlots();
}

void IconWindow::BuildSlot(int slot)
{
    SlotView &view = m_slots[slot];
    if (view.frame) {
        // The old controls may be the sender of the change being handled.
        view.frame->hide();
        view.frame->deleteLater();
    }
    view = {};
    view.frame = new QFrame(m_rowArea);
    view.frame->setObjectName(QStringLiteral("Slot%1").arg(slot));
    view.frame->setFrameShape(QFrame::Box);
    view.frame->setStyleSheet(SlotFrameStyle(slot));
    view.frame->resize(kSlotWidth, kSlotHeight);

    view.icon = new SlotIconArea(slot, view.frame);
    view.icon->setGeometry(17, 10, 65, 50);
    view.icon->setPixmap(SlotPicture(slot));
    connect(view.icon, &SlotIconArea::IconDropped, this, [this, slot](int icon) { DropIcon(icon, slot); });
    connect(view.icon, &SlotIconArea::MenuRequested, this,
            [this, slot](const QPoint &pos) { ShowSlotMenu(slot, pos); });

    const std::optional<IconSlot> &content = m_document.Row().At(slot);
    if (content) {
        const QStringList choices = ChoicesOf(content->icon);
        if (!choices.isEmpty()) {
            view.choice = new QComboBox(view.frame);
            view.choice->setObjectName(QStringLiteral("Choice%1").arg(slot));
            view.choice->setGeometry(5, 65, 90, 20);
            view.choice->addItems(choices);
            FitFontToWidth(*view.choice, view.choice->width());
            view.choice->setCurrentIndex(content->choice);
            connect(view.choice, &QComboBox::currentIndexChanged, this,
                    [this, slot](int index) { m_document.SetChoice(slot, index); });
        }
        const std::optional<SliderKind> kind = SliderOf(content->icon, content->choice, m_document.Generation());
        if (kind && content->value) {
            const SliderRange range = SliderRangeOf(*kind);
            view.caption = new QLabel(SliderCaption(*kind, *content->value), view.frame);
            view.caption->setObjectName(QStringLiteral("Caption%1").arg(slot));
            view.caption->setGeometry(5, 88, 90, 12);
            view.caption->setStyleSheet(QStringLiteral("color: white; font-size: 10px;"));
            view.slider = new QSlider(Qt::Horizontal, view.frame);
            view.slider->setObjectName(QStringLiteral("Slider%1").arg(slot));
            view.slider->setGeometry(5, 100, 90, 20);
            view.slider->setTickPosition(QSlider::NoTicks);
            view.slider->setStyleSheet(
                QStringLiteral("QSlider::handle:horizontal { width: 18px; background: #f8f9fa; "
                               "border: 1px solid #868e96; margin: -4px 0; border-radius: 3px; }"
                               "QSlider::groove:horizontal { height: 6px; background: #adb5bd; }"));
            view.slider->setRange(range.minimum, range.maximum);
            view.slider->setPageStep(range.pageStep);
            view.slider->setValue(*content->value);
            QLabel *caption = view.caption;
            connect(view.slider, &QSlider::valueChanged, this, [this, slot, caption, kind = *kind](int value) {
                caption->setText(SliderCaption(kind, value));
                m_movingSlider = true;
                m_document.SetValue(slot, value);
                m_movingSlider = false;
            });
        }
    }
    view.frame->show();
}

void IconWindow::LayoutSlots()
{
    const int width = m_rowArea->width();
    int x = 20;
    int y = 0;
    for (int slot = 0; slot < kIconSlotCount; ++slot) {
        if (width - 120 < x) {
            x = 20;
            y += kRowHeight;
        }
        m_slots[slot].frame->move(x, y);
        x += kSlotWidth;
        if (slot == kIconSlotCount - 1)
            break;
        if (width - 65 < x) {
            x = 20;
            y += kRowHeight;
        }
        m_arrows[slot]->move(x + 10, y + 40);
        x += kArrowStep;
    }
    m_rowArea->setMinimumHeight(y + kSlotHeight + 10);
}

bool IconWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_rowArea && event->type() == QEvent::Resize) {
        LayoutSlots();
    }
    return QMainWindow::eventFilter(watched, event);
}

void IconWindow::DropIcon(int icon, int slot)
{
    if (IsSlotIcon(icon) && m_pictures.value(icon).isNull()) {
        m_context.Dialogs().Warning(this, kIconDropErrorMessage);
        return;
    }
    m_document.Drop(icon, slot);
}

QMenu *IconWindow::SlotMenu(int slot)
{
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("SlotMenu"));
    const std::optional<IconSlot> &content = m_document.Row().At(slot);
    if (content && IsLampIcon(content->icon)) {
        for (int colour = 0; colour < kColourEntries.size(); ++colour) {
            QAction *action = menu->addAction(kColourEntries[colour]);
            action->setCheckable(true);
            action->setChecked(colour == content->icon);
            connect(action, &QAction::triggered, this, [this, slot, colour] {
                if (!m_pictures.value(colour).isNull())
                    m_document.Recolour(slot, colour);
                else
                    m_context.Dialogs().Warning(this, kIconDropErrorMessage);
            });
        }
        menu->addSeparator();
    }
    QAction *copy = menu->addAction(QStringLiteral("コピー"));
    copy->setEnabled(content.has_value());
    connect(copy, &QAction::triggered, this, [this, slot] { m_document.Copy(slot); });
    QAction *paste = menu->addAction(QStringLiteral("貼り付け"));
    connect(paste, &QAction::triggered, this, [this, slot] { m_document.Paste(slot); });
    return menu;
}

void IconWindow::ShowSlotMenu(int slot, const QPoint &globalPos)
{
    QMenu *menu = SlotMenu(slot);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}

void IconWindow::CentrePanel(QWidget *panel)
{
    const QWidget *parent = panel->parentWidget();
    panel->move((parent->width() - panel->width()) / 2, (parent->height() - panel->height()) / 2);
    panel->show();
    panel->raise();
}

void IconWindow::SetCommandsEnabled(bool enabled)
{
    Action(QStringLiteral("Transfer"))->setEnabled(enabled);
    Action(QStringLiteral("Run"))->setEnabled(enabled);
}

void IconWindow::OpenDemo(int number)
{
    if (!MayReplaceProgram(m_context, m_document, *this))
        return;
    (void)OpenProgramFile(m_context, m_document, *this, m_context.Paths().ProgramFile(kDemoFiles[number]),
                          OpenOrigin::Demo);
}

void IconWindow::ClearAll()
{
    if (!m_context.Dialogs().AskYesNo(this, kClearAllQuestion))
        return;
    m_document.Clear();
    m_memoryCount->setText(QStringLiteral("0"));
}

void IconWindow::ShowMemory()
{
    m_memoryCount->setText(QString::number(IconMemoryCount(m_document.Row(), m_document.Generation())));
    CentrePanel(m_memoryPanel);
}

void IconWindow::ShowTransferDataView()
{
    ShowTransferData(m_windows, this, IconProgramLines(m_document.Row(), m_document.Generation()));
}

void IconWindow::SwitchTo(Step target)
{
    // This window is closed by the switch; nothing of it is used afterwards.
    (void)SwitchStep(m_context, m_steps, Editor(), target);
}

void IconWindow::Transfer()
{
    if (!CheckIconLoops(m_document.Row())) {
        m_context.Dialogs().Warning(this, kIconLoopMessage);
        return;
    }
    m_runner->Transfer(EncodeIconRow(m_document.Row(), m_document.Generation()));
}

void IconWindow::MakeReport()
{
    m_reportEntries = IconReportEntries(m_document.Row());
    ReportWork work;
    work.kind = ReportKind::Icons;
    work.iconEntries = m_reportEntries;
    OpenReport(m_windows, this, work);
}

void IconWindow::closeEvent(QCloseEvent *event)
{
    if (MayCloseStep(m_context, m_document, *this)) {
        m_recovery.Closed();
        event->accept();
    } else {
        event->ignore();
    }
}

void IconWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void IconWindow::dropEvent(QDropEvent *event)
{
    const QStringList paths = DroppedFilePaths(*event->mimeData());
    event->acceptProposedAction();
    (void)OpenDroppedProgramFiles(m_context, m_document, *this, paths);
}

}  // namespace kq

#include "editors/icon/icon_window.h"

#include "context/studio_context.h"
#include "controls/font_fit.h"
#include "editors/common/memory_panel.h"
#include "editors/common/program_runner.h"
#include "editors/icon/icon_drag.h"
#include "editors/icon/icon_program.h"
#include "learning/report_window.h"
#include "learning/transfer_data_window.h"
#include "services/dialogs.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QScrollArea>
#include <QSlider>

namespace kq {

namespace {

constexpr int kSlotWidth = 100;
constexpr int kSlotHeight = 130;
constexpr int kRowHeight = 150;
constexpr int kArrowStep = 45;
constexpr int kPaletteCell = 75;
constexpr int kPaletteRowHeight = 60;

const StepFrameLook kIconLook {.objectName = QStringLiteral("TForm8"), .minimumSize = {780, 580}, .fitsMenuBar = true};
const QStringList kDemoFiles = {
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

}  // namespace

IconWindow::IconWindow(StudioContext &context, WindowRegistry &windows, StepWindows &steps, Launcher &launcher,
                       QWidget *parent)
    : StepWindowFrame(context, windows, steps, launcher, std::make_unique<IconDocument>(context.Generation()),
                      kIconLook, parent),
      m_document(static_cast<IconDocument &>(*Editor().document))
{
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

    for (int i = 0; i < kIconSlotCount - 1; ++i) {
        m_arrows[i] = new QLabel(m_rowArea);
        m_arrows[i]->setObjectName(QStringLiteral("Arrow%1").arg(i));
        m_arrows[i]->setPixmap(m_arrowPicture);
        m_arrows[i]->resize(25, 21);
    }

    SetUpFrame(central, MenuBar());
    m_memoryPanel = new MemoryPanel(*central, QString());
    AttachRunner(ReceiverRole::IconEditor);
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

QList<StepMenuEntry> IconWindow::MenuBar()
{
    return {
        DemoMenu(kDemoFiles),
        OpenEntry(QStringLiteral("ファイル読み込み")),
        SaveEntry(),
        {.name = QStringLiteral("EditMenu"),
         .text = QStringLiteral("編集"),
         .entries = {{.name = QStringLiteral("N110"), .text = QStringLiteral("元に戻す"),
                      .run = [this] { m_document.Undo(); }, .key = QKeySequence(Qt::CTRL | Qt::Key_Z)},
                     {.name = QStringLiteral("N111"), .text = QStringLiteral("やり直す"),
                      .run = [this] { m_document.Redo(); }, .key = QKeySequence(Qt::CTRL | Qt::Key_Y)}}},
        ClearEntry(QStringLiteral("ClearAll"), QStringLiteral("　　全削除　　")),
        ViewMenu(QStringLiteral("　　表示　　"),
                 {{.name = QStringLiteral("ShowMemory"), .text = QStringLiteral("消費メモリーの表示"),
                   .run = [this] { ShowMemory(); }},
                  TransferDataEntry([this] { ShowTransferDataView(); }), PreviewEntry([this] { Preview(); })}),
        TransferEntry(QStringLiteral("　　転送(F6)　　"), [this] { Transfer(); }),
        RunEntry(QStringLiteral("　　実行(F7)　　"), [this] { Runner().Run(); }),
        ReportEntry([this] { MakeReport(); }),
        HelpMenu(QStringLiteral("　　ヘルプ　　")),
    };
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
    return StepWindowFrame::eventFilter(watched, event);
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

void IconWindow::ClearProgram()
{
    m_document.Clear();
    m_memoryPanel->SetCount(0);
}

void IconWindow::ShowMemory()
{
    m_memoryPanel->Show(IconMemoryCount(m_document.Row(), m_document.Generation()));
}

void IconWindow::ShowTransferDataView()
{
    ShowTransferData(m_windows, this, IconProgramLines(m_document.Row(), m_document.Generation()));
}

void IconWindow::Transfer()
{
    if (!CheckIconLoops(m_document.Row())) {
        m_context.Dialogs().Warning(this, kIconLoopMessage);
        return;
    }
    Runner().Transfer(EncodeIconRow(m_document.Row(), m_document.Generation()));
}

void IconWindow::MakeReport()
{
    m_reportEntries = IconReportEntries(m_document.Row());
    ReportWork work;
    work.kind = ReportKind::Icons;
    work.iconEntries = m_reportEntries;
    OpenReport(m_windows, this, work);
}

}  // namespace kq

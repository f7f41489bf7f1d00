#include "editors/flowchart/flowchart_window.h"

#include "base/text_file.h"
#include "context/studio_context.h"
#include "controls/notice_text.h"
#include "editors/common/memory_panel.h"
#include "editors/common/program_file_commands.h"
#include "editors/flowchart/flowchart_sheet.h"
#include "editors/flowchart/palette_image.h"
#include "editors/flowchart/parameters/parameter_controls.h"
#include "model/program_file.h"
#include "services/dialogs.h"
#include "services/window_registry.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace kq {
namespace {

constexpr int kWheelStep = 32;
constexpr int kStatusInterval = 100;
const StepFrameLook kFlowchartLook {.objectName = QStringLiteral("TForm2"), .minimumSize = {780, 750}};

QString PalettePictureName(int paletteNumber)
{
    return QStringLiteral("Img\\Icon\\Fro\\Icon\\") + KindBitmapOf(paletteNumber);
}

}  // namespace

FlowchartWindow::FlowchartWindow(StudioContext &context, WindowRegistry &windows, StepWindows &steps,
                                 Launcher &launcher, QWidget *parent)
    : StepWindowFrame(context, windows, steps, launcher, std::make_unique<FlowchartDocument>(context.Generation()),
                      kFlowchartLook, parent),
      m_document(static_cast<FlowchartDocument &>(*Editor().document)),
      m_painter(context.Paths())
{
    auto *central = new QWidget(this);
    auto *layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(BuildPaletteColumn());
    layout->addWidget(BuildSheetColumn(), 1);

    SetUpFrame(central, MenuBar());
    BuildPopupMenu();
    m_memoryPanel = new MemoryPanel(*central, QStringLiteral("各命令の消費メモリ数はヘルプにてご確認下さい。"));
    BuildRunPanel();

    m_statusTimer.setObjectName(QStringLiteral("StatusTimer"));
    m_statusTimer.setParent(this);
    m_statusTimer.setInterval(kStatusInterval);
    connect(&m_statusTimer, &QTimer::timeout, this, &FlowchartWindow::ShowStatus);
    m_context.DeviceLink().RegisterReceiver(ReceiverRole::FlowchartEditor, this);
}

FlowchartWindow::~FlowchartWindow()
{
    m_context.DeviceLink().UnregisterReceiver(this);
}

QWidget *FlowchartWindow::BuildPaletteColumn()
{
    auto *column = new QWidget;
    column->setObjectName(QStringLiteral("PaletteColumn"));
    column->setAutoFillBackground(true);
    QPalette colours = column->palette();
    colours.setColor(QPalette::Window, QColor(0xfd, 0xf3, 0xd8));
    column->setPalette(colours);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(8, 8, 8, 8);

    auto *palette = new QWidget(column);
    palette->setObjectName(QStringLiteral("Palette"));
    auto *grid = new QGridLayout(palette);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(8);
    for (int number = 0; number <= static_cast<int>(InstructionKind::Train); ++number) {
        const QPixmap picture(m_context.Paths().ProgramFile(PalettePictureName(number)));
        grid->addWidget(new PaletteImage(number, picture, palette), number / 2, number % 2);
    }
    layout->addWidget(palette);

    m_panel = new ParameterControls(ParameterControls::Mode::Panel, column);
    m_panel->setObjectName(QStringLiteral("ParaPanel"));
    m_panel->hide();
    connect(m_panel, &ParameterControls::Accepted, this, [this](const ParameterChoice &choice) {
        const int slot = m_panelSlot;
        if (slot == kNoSlot || !m_document.Chart().Node(slot).IsUsed())
            return;
        // The panel closes with its OK, so one OK makes one undo record.
        HidePanel();
        m_document.Edit([&](Flowchart &chart) {
            chart.SetParameters(slot, choice.parameters);
            if (choice.subroutineName)
                chart.SetSubroutineName(choice.parameters.p[0], *choice.subroutineName);
            chart.ClearSelection();
        });
    });
    layout->addWidget(m_panel);
    layout->addStretch(1);
    column->setFixedWidth(2 * 100 + 8 + 16);
    return column;
}

QWidget *FlowchartWindow::BuildSheetColumn()
{
    auto *column = new QWidget;
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *top = new QWidget(column);
    top->setObjectName(QStringLiteral("StatusRow"));
    auto *row = new QHBoxLayout(top);
    row->setContentsMargins(6, 4, 6, 4);
    m_routineCombo = new QComboBox(top);
    m_routineCombo->setObjectName(QStringLiteral("Routine_Combo"));
    m_routineCombo->addItems(kRoutineNames);
    connect(m_routineCombo, &QComboBox::currentIndexChanged, this, [this](int index) { SwitchRoutine(index); });
    row->addWidget(m_routineCombo);
    row->addSpacing(20);
    // The sensor values are filled in while the clock reports them.
    row->addWidget(new QLabel(QStringLiteral("温度："), top));
    m_temperature = new QLabel(top);
    m_temperature->setObjectName(QStringLiteral("TemperatureLabel"));
    row->addWidget(m_temperature);
    row->addWidget(new QLabel(QStringLiteral("度"), top));
    row->addSpacing(12);
    row->addWidget(new QLabel(QStringLiteral("明るさ："), top));
    m_brightness = new QLabel(top);
    m_brightness->setObjectName(QStringLiteral("BrightnessLabel"));
    row->addWidget(m_brightness);
    row->addSpacing(12);
    row->addWidget(new QLabel(QStringLiteral("状態："), top));
    m_connection = new QLabel(top);
    m_connection->setObjectName(QStringLiteral("Label21"));
    row->addWidget(m_connection);
    row->addStretch(1);
    auto showConnection = [this] {
        m_connection->setText(m_context.DeviceLink().IsConnected() ? QStringLiteral("接続中")
                                                                   : QStringLiteral("接続されていません"));
    };
    showConnection();
    connect(&m_context.DeviceLink(), &DeviceLink::ClockConnected, this, showConnection);
    connect(&m_context.DeviceLink(), &DeviceLink::ClockRemoved, this, showConnection);
    layout->addWidget(top);

    m_sheetArea = new QScrollArea(column);
    m_sheetArea->setObjectName(QStringLiteral("DropPanel"));
    m_sheetArea->setWidgetResizable(true);
    m_sheet = new FlowchartSheet(m_document, m_painter, *m_sheetArea);
    m_sheetArea->setWidget(m_sheet);
    m_sheetArea->viewport()->installEventFilter(this);
    layout->addWidget(m_sheetArea, 1);

    connect(m_sheet, &FlowchartSheet::PaletteDropped, this, &FlowchartWindow::DropInstruction);
    connect(m_sheet, &FlowchartSheet::BoxClicked, this, &FlowchartWindow::ShowPanel);
    connect(m_sheet, &FlowchartSheet::EmptySheetPressed, this, &FlowchartWindow::HidePanel);
    connect(m_sheet, &FlowchartSheet::MenuRequested, this,
            [this](QPoint globalPoint, bool onBox) { PopupMenu(onBox)->popup(globalPoint); });
    return column;
}

QList<StepMenuEntry> FlowchartWindow::MenuBar()
{
    auto edit = [this](auto change) {
        return [this, change] {
            HidePanel();
            m_document.Edit(change);
            SyncRoutineCombo();
        };
    };
    return {
        DemoMenu(kFlowDemoFiles),
        OpenEntry(QStringLiteral("保存ファイルの読み込み"), QKeySequence(Qt::CTRL | Qt::Key_O)),
        SaveEntry(QKeySequence(Qt::CTRL | Qt::Key_S)),
        {.name = QStringLiteral("EditMenu"),
         .text = QStringLiteral("編集"),
         .entries = {{.name = QStringLiteral("N110"), .text = QStringLiteral("元に戻す"),
                      .run = edit([](Flowchart &chart) { chart.Undo(); }), .key = QKeySequence(Qt::CTRL | Qt::Key_Z)},
                     {.name = QStringLiteral("N111"), .text = QStringLiteral("やり直す"),
                      .run = edit([](Flowchart &chart) { chart.Redo(); }),
                      .key = QKeySequence(Qt::CTRL | Qt::Key_Y)}}},
        ClearEntry(QStringLiteral("AllDelete"), QStringLiteral("全削除")),
        ViewMenu(QStringLiteral("表示"),
                 {{.name = QStringLiteral("N34"), .text = QStringLiteral("消費メモリの表示"),
                   .run = [this] { ShowMemory(); }},
                  {.name = QStringLiteral("N40"), .text = QStringLiteral("命令をカラーで表示"),
                   .run = [this] { ToggleColourMode(); }, .checkable = true},
                  TransferDataEntry([this] { ShowTransferDataView(); }), PreviewEntry([this] { Preview(); }),
                  {.name = QStringLiteral("ReadBack"), .text = QStringLiteral("送信済データの読み込み"),
                   .run = [this] { ReadBack(); }}}),
        TransferEntry(QStringLiteral("転送(F6)"), [this] { Transfer(); }),
        RunEntry(QStringLiteral("実行(F7)"), [this] { Run(); }),
        ReportEntry([this] { MakeReport(); }),
        HelpMenu(QStringLiteral("ヘルプ")),
    };
}

void FlowchartWindow::BuildPopupMenu()
{
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenu1"));
    auto add = [this](QMenu *owner, const QString &name, const QString &text, auto handler) {
        QAction *action = owner->addAction(text);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    // Added to the window too, so that their keys work wherever the focus is.
    auto keyed = [this](QAction *action, const QKeySequence &key) {
        action->setShortcut(key);
        addAction(action);
    };
    keyed(add(m_popup, QStringLiteral("Delete1"), QStringLiteral("命令の削除"),
              [this] {
                  if (m_document.Chart().Selection().isEmpty())
                      return;
                  HidePanel();
                  m_document.Edit([](Flowchart &chart) { chart.DeleteSelection(); });
              }),
          QKeySequence::Delete);
    add(m_popup, QStringLiteral("N1"), QStringLiteral("矢印を消す"),
        [this] { m_document.Edit([](Flowchart &chart) { chart.UnlinkSelection(); }); });
    keyed(add(m_popup, QStringLiteral("Copy1"), QStringLiteral("コピー"),
              [this] { ShowMessage(m_document.Edit([](Flowchart &chart) { return chart.CopySelection(); })); }),
          QKeySequence(Qt::CTRL | Qt::Key_C));
    keyed(add(m_popup, QStringLiteral("Paste1"), QStringLiteral("貼り付け"),
              [this] { ShowMessage(m_document.Edit([](Flowchart &chart) { return chart.Paste(); })); }),
          QKeySequence(Qt::CTRL | Qt::Key_V));

    struct AlignEntry {
        const char *name;
        QString text;
        AlignMode mode;
    };
    const std::pair<QString, QList<AlignEntry>> submenus[] = {
        {QStringLiteral("水平（左右）方向位置揃え"),
         {{"N13", QStringLiteral("左揃え"), AlignMode::Left},
          {"N14", QStringLiteral("中央揃え"), AlignMode::CentreHorizontal},
          {"N15", QStringLiteral("右揃え"), AlignMode::Right},
          {"N16", QStringLiteral("左右均等揃え"), AlignMode::SpreadHorizontal}}},
        {QStringLiteral("垂直（上下）方向位置揃え"),
         {{"N25", QStringLiteral("上揃え"), AlignMode::Top},
          {"N26", QStringLiteral("中央揃え"), AlignMode::CentreVertical},
          {"N27", QStringLiteral("下揃え"), AlignMode::Bottom},
          {"N28", QStringLiteral("上下均等揃え"), AlignMode::SpreadVertical}}},
    };
    const QString submenuNames[] = {QStringLiteral("N12"), QStringLiteral("N24")};
    for (int i = 0; i < 2; ++i) {
        QMenu *submenu = m_popup->addMenu(submenus[i].first);
        submenu->menuAction()->setObjectName(submenuNames[i]);
        for (const AlignEntry &entry : submenus[i].second) {
            const AlignMode mode = entry.mode;
            add(submenu, QString::fromLatin1(entry.name), entry.text,
                [this, mode] { m_document.Edit([mode](Flowchart &chart) { chart.Align(mode); }); });
        }
    }
    // The keys stay available after a menu opened on the empty sheet.
    connect(m_popup, &QMenu::aboutToHide, this, [this] {
        for (QAction *action : m_popup->actions())
            action->setEnabled(true);
    });
}

QMenu *FlowchartWindow::PopupMenu(bool onBox)
{
    for (const char *name : {"Delete1", "N1", "N12", "N24"})
        Action(QString::fromLatin1(name))->setEnabled(onBox);
    return m_popup;
}

void FlowchartWindow::BuildRunPanel()
{
    m_runPanel = new QFrame(centralWidget());
    m_runPanel->setObjectName(QStringLiteral("RunPanel"));
    m_runPanel->setAutoFillBackground(true);
    m_runPanel->setStyleSheet(QStringLiteral("#RunPanel { background: #2f9e44; } QLabel { color: white; }"));
    auto *layout = new QVBoxLayout(m_runPanel);
    layout->addWidget(NoticeText(QStringLiteral("プログラム実行中"), m_runPanel, 20));
    layout->addWidget(NoticeText(QStringLiteral("プログラム終了後この画面は自動的に消えます。"), m_runPanel, 11));
    m_stopButton = new QPushButton(QStringLiteral("プログラム停止"), m_runPanel);
    m_stopButton->setObjectName(QStringLiteral("StopButton"));
    // The clock ends the program itself; the stop command stays in reserve.
    m_stopButton->hide();
    connect(m_stopButton, &QPushButton::clicked, this, [this] { Stop(); });
    layout->addWidget(m_stopButton);
    m_runPanel->resize(420, 120);
    m_runPanel->installEventFilter(this);
    m_runPanel->hide();

    m_readPanel = new QFrame(centralWidget());
    m_readPanel->setObjectName(QStringLiteral("ReadPanel"));
    m_readPanel->setAutoFillBackground(true);
    m_readPanel->setStyleSheet(QStringLiteral("#ReadPanel { background: #1c7ed6; } QLabel { color: white; }"));
    auto *readLayout = new QVBoxLayout(m_readPanel);
    readLayout->addWidget(NoticeText(QStringLiteral("プログラム取得中"), m_readPanel, 20));
    readLayout->addWidget(NoticeText(QStringLiteral("プログラムの取得中は他の操作はしないで下さい。"), m_readPanel, 11));
    readLayout->addWidget(NoticeText(QStringLiteral("プログラムの取得後この画面は自動的に消えます。"), m_readPanel, 11));
    m_readPanel->resize(420, 130);
    m_readPanel->hide();
}

void FlowchartWindow::DropInstruction(int paletteNumber, QPoint sheetPoint, int slot)
{
    const std::optional<InstructionKind> kind = KindOfPaletteNumber(paletteNumber);
    if (!kind)
        return;
    const bool onBox = slot != kNoSlot && m_document.Chart().Node(slot).IsUsed();
    if (!onBox) {
        if (const std::optional<QString> refusal = m_document.Chart().PlaceRefusal(*kind)) {
            ShowMessage(refusal);
            return;
        }
    }
    std::optional<ParameterChoice> choice;
    if (*kind == InstructionKind::Start || *kind == InstructionKind::End) {
        choice = ParameterChoice {};
    } else {
        auto *dialog = qobject_cast<ParameterDialog *>(m_windows.Made(WindowKind::ParameterDialog));
        if (!dialog) {
            m_context.Dialogs().Warning(this, kFlowchartPlaceErrorMessage);
            return;
        }
        const QRect visible(m_sheetArea->viewport()->mapToGlobal(QPoint(0, 0)), m_sheetArea->viewport()->size());
        choice = dialog->Ask(*kind, m_document.Chart().SubroutineNames(), m_document.Chart().Generation(),
                             m_sheet->mapToGlobal(sheetPoint), visible);
        if (!choice)
            return;
    }
    auto nameChosen = [&](Flowchart &chart) {
        if (choice->subroutineName)
            chart.SetSubroutineName(choice->parameters.p[0], *choice->subroutineName);
    };
    if (onBox) {
        m_document.Edit([&](Flowchart &chart) {
            chart.Replace(slot, *kind, choice->parameters);
            nameChosen(chart);
        });
        return;
    }
    if (m_panel->isVisible()) {
        HidePanel();
        m_document.Edit([](Flowchart &chart) { chart.ClearSelection(); });
    }
    const Flowchart::PlaceResult placed = m_document.Edit([&](Flowchart &chart) {
        const Flowchart::PlaceResult result = chart.Place(*kind, sheetPoint.x(), sheetPoint.y(), choice->parameters);
        if (result.slot != kNoSlot)
            nameChosen(chart);
        return result;
    });
    ShowMessage(placed.message);
}

void FlowchartWindow::ShowPanel(int slot)
{
    const FlowNode &node = m_document.Chart().Node(slot);
    const std::optional<InstructionKind> kind = InstructionKindOfName(node.kind);
    HidePanel();
    if (!kind || *kind == InstructionKind::Start || *kind == InstructionKind::End)
        return;
    m_panelSlot = slot;
    m_panel->ShowFor(*kind, ParameterList::FromText(node.params).value_or(ParameterList {}),
                     m_document.Chart().SubroutineNames(), m_document.Chart().Generation());
    m_panel->show();
}

void FlowchartWindow::HidePanel()
{
    m_panel->hide();
    m_panelSlot = kNoSlot;
}

void FlowchartWindow::SwitchRoutine(int routine)
{
    if (routine == m_document.Chart().CurrentRoutine())
        return;
    HidePanel();
    m_document.Edit([routine](Flowchart &chart) { chart.SwitchRoutine(routine); });
    m_sheetArea->verticalScrollBar()->setValue(0);
}

void FlowchartWindow::SyncRoutineCombo()
{
    const QSignalBlocker blocker(m_routineCombo);
    m_routineCombo->setCurrentIndex(m_document.Chart().CurrentRoutine());
}

void FlowchartWindow::ShowMessage(const std::optional<QString> &message)
{
    if (message)
        m_context.Dialogs().Warning(this, *message);
}

void FlowchartWindow::ClearProgram()
{
    HidePanel();
    m_document.Edit([](Flowchart &chart) { chart.ClearAll(); });
    SyncRoutineCombo();
    SetCaption(kStudioCaption);
}

void FlowchartWindow::ShowMemory()
{
    m_memoryPanel->Show(m_document.Chart().TotalBytes());
}

void FlowchartWindow::ToggleColourMode()
{
    m_painter.SetColourMode(Action(QStringLiteral("N40"))->isChecked());
    // The flowchart goes through the redraw file and back, as every open does.
    const QString path = m_context.Paths().TempFolder() + kRedrawFileName;
    const QStringList lines = ProgramFileLines(m_document.ProgramLines().lines, m_context.ReportFields().Value(),
                                               m_document.SectionMarker(), m_document.SectionLines());
    if (!WriteTextLines(path, lines)) {
        m_context.Dialogs().Warning(this, kSaveFailedMessage);
        m_sheet->update();
        return;
    }
    const std::optional<TextFileContent> read = ReadTextLines(path);
    const ProgramFileParts parts = read ? SplitProgramFile(read->lines) : ProgramFileParts {};
    if (!read || read->hasDecodingErrors || parts.sectionMarker != kFlowchartSectionMarker
        || !m_document.LoadSection(parts.section)) {
        m_context.Dialogs().Warning(this, kReadFailedMessage);
        return;
    }
    HidePanel();
    SyncRoutineCombo();
}

bool FlowchartWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_sheetArea->viewport() && event->type() == QEvent::Wheel) {
        // One step of 32 pixels per wheel message, whatever its size.
        const auto *wheel = static_cast<QWheelEvent *>(event);
        QScrollBar *bar = m_sheetArea->verticalScrollBar();
        bar->setValue(bar->value() + (wheel->angleDelta().y() < 0 ? kWheelStep : -kWheelStep));
        return true;
    }
    if (watched == m_runPanel && event->type() == QEvent::MouseButtonPress) {
        m_runPanelGrab = static_cast<QMouseEvent *>(event)->position().toPoint();
        return true;
    }
    if (watched == m_runPanel && event->type() == QEvent::MouseMove) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->buttons() & Qt::LeftButton)
            m_runPanel->move(m_runPanel->mapToParent(mouse->position().toPoint() - m_runPanelGrab));
        return true;
    }
    return StepWindowFrame::eventFilter(watched, event);
}

}  // namespace kq

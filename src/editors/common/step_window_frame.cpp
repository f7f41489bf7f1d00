#include "editors/common/step_window_frame.h"

#include "context/studio_context.h"
#include "controls/dropped_files.h"
#include "controls/font_fit.h"
#include "editors/common/program_file_commands.h"
#include "editors/common/program_runner.h"
#include "editors/common/step_preview.h"
#include "editors/common/step_switch.h"
#include "services/dialogs.h"
#include "services/help.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>

#include <cmath>

namespace kq {

namespace {

struct StepCommand {
    Step step;
    const char *name;
    QString text;
};

const StepCommand kSwitchCommands[] = {
    {Step::Icons, "ShowIcons", QStringLiteral("STEP1 アイコンで表示")},
    {Step::Flowchart, "ShowFlowchart", QStringLiteral("STEP2 フローチャートで表示")},
    {Step::Text, "ShowText", QStringLiteral("STEP3 文字で表示")},
};

}  // namespace

StepWindowFrame::StepWindowFrame(StudioContext &context, WindowRegistry &windows, StepWindows &steps,
                                 Launcher &launcher, std::unique_ptr<StepDocument> document,
                                 const StepFrameLook &look, QWidget *parent)
    : QMainWindow(parent),
      m_context(context),
      m_windows(windows),
      m_steps(steps),
      m_launcher(launcher),
      m_look(look),
      m_document(std::move(document)),
      m_recovery(context, *m_document, *this)
{
    setObjectName(look.objectName);
    setWindowTitle(kStudioCaption);
    setAcceptDrops(true);
}

StepWindowFrame::~StepWindowFrame() = default;

void StepWindowFrame::SetUpFrame(QWidget *central, const QList<StepMenuEntry> &menuBar)
{
    setCentralWidget(central);
    AddEntries(*this->menuBar(), menuBar);
    PlaceOnScreen();
    if (m_look.fitsMenuBar)
        FitMenuBarEntries(*this->menuBar(), minimumWidth());
}

void StepWindowFrame::AddEntries(QWidget &owner, const QList<StepMenuEntry> &entries)
{
    for (const StepMenuEntry &entry : entries) {
        if (!entry.run) {
            auto *menu = new QMenu(entry.text, &owner);
            menu->setObjectName(entry.name);
            owner.addAction(menu->menuAction());
            AddEntries(*menu, entry.entries);
            continue;
        }
        auto *action = new QAction(entry.text, &owner);
        action->setObjectName(entry.name);
        action->setShortcut(entry.key);
        action->setCheckable(entry.checkable);
        action->setChecked(entry.checkable);
        connect(action, &QAction::triggered, this, entry.run);
        owner.addAction(action);
    }
}

void StepWindowFrame::PlaceOnScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const QSize minimum = m_look.minimumSize;
    setMinimumSize(minimum);
    resize(std::max(minimum.width(), int(std::lround(area.width() * 0.75))),
           std::max(minimum.height(), int(std::lround(area.height() * 0.75))));
    move(area.x() + int(std::lround(area.width() / 8.0)), area.y() + int(std::lround(area.height() / 8.0)));
}

QAction *StepWindowFrame::Action(const QString &name) const
{
    return findChild<QAction *>(name);
}

void StepWindowFrame::AttachRunner(ReceiverRole role)
{
    m_runner = new ProgramRunner(m_context, role, *centralWidget(), [this](bool enabled) {
        SetCommandsEnabled(enabled);
    });
}

void StepWindowFrame::SetCommandsEnabled(bool enabled)
{
    Action(QStringLiteral("Transfer"))->setEnabled(enabled);
    Action(QStringLiteral("Run"))->setEnabled(enabled);
}

StepMenuEntry StepWindowFrame::DemoMenu(const QStringList &demoFiles)
{
    StepMenuEntry menu {.name = QStringLiteral("DemoMenu"), .text = QStringLiteral("デモ読み込み")};
    for (int i = 0; i < demoFiles.size(); ++i) {
        menu.entries.append(StepMenuEntry {.name = QStringLiteral("Demo%1").arg(i + 1),
                             .text = QStringLiteral("デモ") + QChar(0xFF11 + i),
                             .run = [this, file = demoFiles[i]] { OpenDemo(file); }});
    }
    return menu;
}

StepMenuEntry StepWindowFrame::OpenEntry(const QString &text, const QKeySequence &key)
{
    return {.name = QStringLiteral("OpenFile"), .text = text, .run = [this] { OpenFromDialog(); }, .key = key};
}

StepMenuEntry StepWindowFrame::SaveEntry(const QKeySequence &key)
{
    return {.name = QStringLiteral("SaveFile"),
            .text = QStringLiteral("ファイルへ保存"),
            .run =
                [this] {
                    MarkFailingPlace();
                    (void)SaveProgramFile(m_context, *m_document, *this);
                },
            .key = key};
}

StepMenuEntry StepWindowFrame::ClearEntry(const QString &name, const QString &text)
{
    return {.name = name, .text = text, .run = [this] {
                if (m_context.Dialogs().AskYesNo(this, kStepClearQuestion))
                    ClearProgram();
            }};
}

StepMenuEntry StepWindowFrame::TransferDataEntry(std::function<void()> show)
{
    return {.name = QStringLiteral("ShowTransferData"), .text = QStringLiteral("送信データの表示"),
            .run = std::move(show)};
}

StepMenuEntry StepWindowFrame::PreviewEntry(std::function<void()> preview)
{
    return {.name = QStringLiteral("Preview"), .text = kPreviewCommandText, .run = std::move(preview)};
}

StepMenuEntry StepWindowFrame::ViewMenu(const QString &text, QList<StepMenuEntry> entries)
{
    for (const StepCommand &command : kSwitchCommands) {
        if (command.step != m_document->StepKind()) {
            entries.append(StepMenuEntry {.name = QString::fromLatin1(command.name), .text = command.text,
                            .run = [this, step = command.step] { SwitchTo(step); }});
        }
    }
    return {.name = QStringLiteral("ViewMenu"), .text = text, .entries = std::move(entries)};
}

StepMenuEntry StepWindowFrame::TransferEntry(const QString &text, std::function<void()> transfer)
{
    return {.name = QStringLiteral("Transfer"), .text = text, .run = std::move(transfer), .key = Qt::Key_F6};
}

StepMenuEntry StepWindowFrame::RunEntry(const QString &text, std::function<void()> run)
{
    return {.name = QStringLiteral("Run"), .text = text, .run = std::move(run), .key = Qt::Key_F7};
}

StepMenuEntry StepWindowFrame::ReportEntry(std::function<void()> report)
{
    return {.name = QStringLiteral("Report"), .text = QStringLiteral("レポート作成"), .run = std::move(report)};
}

StepMenuEntry StepWindowFrame::HelpMenu(const QString &text)
{
    return {.name = QStringLiteral("HelpMenu"),
            .text = text,
            .entries = {{.name = QStringLiteral("ShowHelp"), .text = QStringLiteral("ヘルプ表示"), .run = [this] {
                             OpenHelp(m_context.Paths(), m_launcher, kGeneralHelpPage);
                         }}}};
}

void StepWindowFrame::OpenDemo(const QString &file)
{
    if (m_look.asksBeforeReplacing && !MayReplaceProgram(m_context, *m_document, *this))
        return;
    LeavingProgram();
    (void)OpenProgramFile(m_context, *m_document, *this, m_context.Paths().ProgramFile(file), OpenOrigin::Demo);
    ProgramReplaced();
}

void StepWindowFrame::OpenFromDialog()
{
    if (m_look.asksBeforeReplacing && !MayReplaceProgram(m_context, *m_document, *this))
        return;
    LeavingProgram();
    (void)OpenProgramFileFromDialog(m_context, *m_document, *this);
    ProgramReplaced();
}

void StepWindowFrame::SwitchTo(Step target)
{
    MarkFailingPlace();
    // This window is closed by the switch; nothing of it is used afterwards.
    (void)SwitchStep(m_context, m_steps, Editor(), target);
}

void StepWindowFrame::closeEvent(QCloseEvent *event)
{
    MarkFailingPlace();
    if (MayCloseStep(m_context, *m_document, *this)) {
        m_recovery.Closed();
        event->accept();
    } else {
        event->ignore();
    }
}

void StepWindowFrame::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void StepWindowFrame::dropEvent(QDropEvent *event)
{
    const QStringList paths = DroppedFilePaths(*event->mimeData());
    event->acceptProposedAction();
    LeavingProgram();
    (void)OpenDroppedProgramFiles(m_context, *m_document, *this, paths);
    ProgramReplaced();
}

}  // namespace kq

#include "editors/text/text_window.h"

#include "editors/common/program_runner.h"

#include "context/studio_context.h"
#include "controls/code_editor.h"
#include "controls/dropped_files.h"
#include "controls/font_fit.h"
#include "controls/help_pane.h"
#include "device/device_messages.h"
#include "editors/common/program_file_commands.h"
#include "editors/common/step_preview.h"
#include "editors/common/step_switch.h"
#include "editors/text/keyword_settings.h"
#include "learning/report_window.h"
#include "learning/transfer_data_window.h"
#include "model/memory_messages.h"
#include "services/dialogs.h"
#include "services/help.h"
#include "services/window_registry.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <cmath>

namespace kq {

namespace {

const QColor kCommentColour(0, 128, 0);

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

TextWindow::TextWindow(StudioContext &context, WindowRegistry &windows, StepWindows &steps, Launcher &launcher,
                       QWidget *parent)
    : QMainWindow(parent),
      m_context(context),
      m_windows(windows),
      m_steps(steps),
      m_launcher(launcher),
      m_document(context.Generation())
{
    setObjectName(QStringLiteral("TForm9"));
    setWindowTitle(kStudioCaption);
    setAcceptDrops(true);

    auto *central = new QWidget(this);
    auto *layout = new QHBoxLayout(central);
    auto *splitter = new QSplitter(Qt::Horizontal, central);
    m_editor = new CodeEditor(splitter);
    m_editor->setObjectName(QStringLiteral("Editor"));
    // Files dropped on the text open as programs instead of being typed in.
    m_editor->setAcceptDrops(false);
    QFont font = m_editor->font();
    font.setPointSize(12);
    m_editor->setFont(font);
    splitter->addWidget(m_editor);
    splitter->addWidget(BuildHelpPane());
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    layout->addWidget(splitter);
    setCentralWidget(central);

    BuildMenu();
    BuildPanels(central);
    BuildErrorLineStatus();
    PlaceOnScreen();
    FitMenuBarEntries(*menuBar(), minimumWidth());

    connect(m_editor, &QPlainTextEdit::textChanged, this, [this] {
        m_document.SetText(m_editor->Text());
        ColourComments();
    });
    connect(&m_document, &StepDocument::Changed, this, [this] {
        if (m_editor->Text() != QString(m_document.Text()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")))
            m_editor->SetText(m_document.Text());
    });

    const bool keywordsRead = LoadKeywords();
    SetCommandsEnabled(true);
    if (!LoadHelpStartPage() || !keywordsRead)
        m_context.Dialogs().Warning(this, kKeywordReadErrorMessage);
}

TextWindow::~TextWindow() = default;

bool TextWindow::LoadKeywords()
{
    // Read when the window opens and kept while it is open.
    m_context.Keywords().Reload(m_context.Paths());
    const std::optional<QStringList> &lines = m_context.Keywords().Value();
    const std::optional<KeywordFile> keywords = lines ? ParseKeywordFile(*lines) : std::nullopt;
    m_document.SetKeywords(keywords.value_or(KeywordFile {}));
    return keywords.has_value();
}

QString TextWindow::HelpStartPage() const
{
    // The copy the settings wrote, else the installed page.
    const QString user = m_context.Paths().TempFolder() + kUserHelpPageName;
    return QFileInfo::exists(user) ? user : m_context.Paths().ProgramFile(kInstalledHelpPage);
}

bool TextWindow::LoadHelpStartPage()
{
    const QString page = HelpStartPage();
    if (!QFileInfo::exists(page))
        return false;
    m_help->setSource(QUrl::fromLocalFile(page));
    return true;
}

void TextWindow::PlaceOnScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const int width = std::max(780, int(std::lround(area.width() * 0.75)));
    const int height = std::max(750, int(std::lround(area.height() * 0.75)));
    setMinimumSize(780, 750);
    resize(width, height);
    move(area.x() + int(std::lround(area.width() / 8.0)), area.y() + int(std::lround(area.height() / 8.0)));
}

void TextWindow::BuildMenu()
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
    const QString demoCaptions[] = {QStringLiteral("デモ１"), QStringLiteral("デモ２"), QStringLiteral("デモ３"),
                                    QStringLiteral("デモ４")};
    for (int i = 0; i < 4; ++i)
        add(demos, QStringLiteral("Demo%1").arg(i + 1), demoCaptions[i], [this, i] { OpenDemo(i); });
    add(bar, QStringLiteral("OpenFile"), QStringLiteral("ファイル読み込み"),
        [this] { (void)OpenProgramFileFromDialog(m_context, m_document, *this); });
    add(bar, QStringLiteral("SaveFile"), QStringLiteral("ファイルへ保存"), [this] {
        MarkFailingLine();
        (void)SaveProgramFile(m_context, m_document, *this);
    });
    add(bar, QStringLiteral("ClearAll"), QStringLiteral("　　全削除　　"), [this] { ClearAll(); });
    QMenu *view = bar->addMenu(QStringLiteral("　　　表示　　　"));
    view->setObjectName(QStringLiteral("ViewMenu"));
    add(view, QStringLiteral("ShowMemory"), QStringLiteral("消費メモリの表示"), [this] { ShowMemory(); });
    add(view, QStringLiteral("ShowTransferData"), QStringLiteral("送信データの表示"),
        [this] { ShowTransferDataView(); });
    add(view, QStringLiteral("Preview"), kPreviewCommandText, [this] { Preview(); });
    add(view, QStringLiteral("ShowIcons"), QStringLiteral("STEP1 アイコンで表示"), [this] { SwitchTo(Step::Icons); });
    add(view, QStringLiteral("ShowFlowchart"), QStringLiteral("STEP2 フローチャートで表示"),
        [this] { SwitchTo(Step::Flowchart); });
    add(bar, QStringLiteral("Transfer"), QStringLiteral("　　転送(F6)　　"), [this] {
        Transfer();
    })->setShortcut(Qt::Key_F6);
    add(bar, QStringLiteral("Run"), QStringLiteral("　　実行(F7)　　"), [this] {
        m_runner->Run();
    })->setShortcut(Qt::Key_F7);
    add(bar, QStringLiteral("Report"), QStringLiteral("レポート作成"), [this] { MakeReport(); });
    QMenu *help = bar->addMenu(QStringLiteral("　　　ヘルプ　　　"));
    help->setObjectName(QStringLiteral("HelpMenu"));
    add(help, QStringLiteral("ShowHelp"), QStringLiteral("ヘルプ表示"),
        [this] { OpenHelp(m_context.Paths(), m_launcher, kGeneralHelpPage); });
}

QAction *TextWindow::Action(const QString &name) const
{
    return findChild<QAction *>(name);
}

QWidget *TextWindow::BuildHelpPane()
{
    const HelpPane pane = MakeHelpPane(nullptr);
    m_help = pane.browser;
    connect(pane.top, &QPushButton::clicked, this, [this] {
        if (!LoadHelpStartPage())
            m_context.Dialogs().Warning(this, kKeywordReadErrorMessage);
    });
    return pane.widget;
}

void TextWindow::BuildPanels(QWidget *central)
{
    m_memoryPanel = new QFrame(central);
    m_memoryPanel->setObjectName(QStringLiteral("MemoryPanel"));
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
    memoryLayout->addWidget(
        PanelText(QStringLiteral("各命令の消費メモリ数はヘルプにてご確認下さい。"), m_memoryPanel, 9));
    auto *ok = new QPushButton(QStringLiteral("OK"), m_memoryPanel);
    ok->setObjectName(QStringLiteral("MemoryOk"));
    connect(ok, &QPushButton::clicked, m_memoryPanel, &QWidget::hide);
    memoryLayout->addWidget(ok);
    m_memoryPanel->resize(330, 180);
    m_memoryPanel->hide();

    m_runner = new ProgramRunner(m_context, ReceiverRole::TextEditor, *central,
                                 [this](bool enabled) { SetCommandsEnabled(enabled); });
}

void TextWindow::BuildErrorLineStatus()
{
    m_errorLine = new QLabel(this);
    m_errorLine->setObjectName(QStringLiteral("ErrorLine"));
    m_errorLine->setStyleSheet(QStringLiteral("color: #d32f2f; font-weight: bold;"));
    statusBar()->addWidget(m_errorLine, 1);
    connect(m_editor, &CodeEditor::ErrorLineChanged, this,
            [this](int line) { m_errorLine->setText(line < 0 ? QString() : QStringLiteral("%1行目").arg(line + 1)); });
}

void TextWindow::MarkFailingLine()
{
    if (const std::optional<TextCheckFailure> failure = m_document.CheckFailure())
        m_editor->MarkErrorLine(failure->line - 1);
}

void TextWindow::ColourComments()
{
    m_editor->ClearColouring();
    const QStringList lines = m_editor->Lines();
    for (int i = 0; i < lines.size(); ++i) {
        const qsizetype comment = lines[i].indexOf(QStringLiteral("//"));
        if (comment >= 0)
            m_editor->ColourRange(i, int(comment), int(lines[i].size() - 2 - comment), kCommentColour, Qt::white);
    }
}

void TextWindow::CentrePanel(QWidget *panel)
{
    const QWidget *parent = panel->parentWidget();
    panel->move((parent->width() - panel->width()) / 2, (parent->height() - panel->height()) / 2);
    panel->show();
    panel->raise();
}

void TextWindow::SetCommandsEnabled(bool enabled)
{
    Action(QStringLiteral("Transfer"))->setEnabled(enabled);
    Action(QStringLiteral("Run"))->setEnabled(enabled);
}

void TextWindow::OpenDemo(int number)
{
    (void)OpenProgramFile(m_context, m_document, *this, m_context.Paths().ProgramFile(kTextDemoFiles[number]),
                          OpenOrigin::Demo);
}

void TextWindow::ClearAll()
{
    if (m_context.Dialogs().AskYesNo(this, kTextClearAllQuestion))
        m_document.SetText(QString());
}

void TextWindow::ShowMemory()
{
    MarkFailingLine();
    if (const std::optional<QString> message = m_document.Check()) {
        m_context.Dialogs().Warning(this, *message);
        m_context.Dialogs().Warning(this, kTextMemoryUnavailable);
        return;
    }
    const std::optional<TextDocument::Program> program = m_document.CheckedProgram();
    if (!program)
        return;
    m_memoryCount->setText(QString::number(program->memory));
    CentrePanel(m_memoryPanel);
}

void TextWindow::ShowTransferDataView()
{
    MarkFailingLine();
    if (const std::optional<QString> message = m_document.Check()) {
        m_context.Dialogs().Warning(this, *message);
        m_context.Dialogs().Warning(this, kTextDataUnavailable);
        return;
    }
    if (const std::optional<TextDocument::Program> program = m_document.CheckedProgram())
        ShowTransferData(m_windows, this, program->lines);
}

void TextWindow::SwitchTo(Step target)
{
    MarkFailingLine();
    // This window is closed by the switch; nothing of it is used afterwards.
    (void)SwitchStep(m_context, m_steps, Editor(), target);
}

std::optional<ByteList> TextWindow::CheckedBytes(const QString &overflowMessage)
{
    MarkFailingLine();
    if (const std::optional<QString> message = m_document.Check()) {
        m_context.Dialogs().Warning(this, *message);
        return std::nullopt;
    }
    const std::optional<TextDocument::Program> program = m_document.CheckedProgram();
    if (!program)
        return std::nullopt;
    // Addresses past a byte would not be what the clock runs.
    if (program->memory > kMemoryLimit || !program->bytes) {
        m_context.Dialogs().Warning(this, overflowMessage);
        return std::nullopt;
    }
    return program->bytes;
}

void TextWindow::Transfer()
{
    if (const std::optional<ByteList> bytes = CheckedBytes(kTextTransferOverflowMessage))
        m_runner->Transfer(*bytes);
}

void TextWindow::MakeReport()
{
    ReportWork work;
    work.kind = ReportKind::Word;
    work.programText = m_editor->Text().split(QLatin1Char('\n'));
    OpenReport(m_windows, this, work);
}

void TextWindow::closeEvent(QCloseEvent *event)
{
    MarkFailingLine();
    if (MayCloseStep(m_context, m_document, *this)) {
        m_recovery.Closed();
        event->accept();
    } else {
        event->ignore();
    }
}

void TextWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TextWindow::dropEvent(QDropEvent *event)
{
    const QStringList paths = DroppedFilePaths(*event->mimeData());
    event->acceptProposedAction();
    (void)OpenDroppedProgramFiles(m_context, m_document, *this, paths);
}

}  // namespace kq

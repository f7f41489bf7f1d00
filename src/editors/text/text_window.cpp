#include "editors/text/text_window.h"

#include "context/studio_context.h"
#include "controls/code_editor.h"
#include "controls/help_pane.h"
#include "device/device_messages.h"
#include "editors/common/memory_panel.h"
#include "editors/common/program_runner.h"
#include "editors/text/keyword_settings.h"
#include "learning/report_window.h"
#include "learning/transfer_data_window.h"
#include "model/memory_messages.h"
#include "services/dialogs.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTextBrowser>
#include <QUrl>

namespace kq {

namespace {

const QColor kCommentColour(0, 128, 0);
const StepFrameLook kTextLook {.objectName = QStringLiteral("TForm9"),
                               .minimumSize = {780, 750},
                               .fitsMenuBar = true,
                               .asksBeforeReplacing = false};

}  // namespace

TextWindow::TextWindow(StudioContext &context, WindowRegistry &windows, StepWindows &steps, Launcher &launcher,
                       QWidget *parent)
    : StepWindowFrame(context, windows, steps, launcher, std::make_unique<TextDocument>(context.Generation()),
                      kTextLook, parent),
      m_document(static_cast<TextDocument &>(*Editor().document))
{
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

    SetUpFrame(central, MenuBar());
    m_memoryPanel = new MemoryPanel(*central, QStringLiteral("各命令の消費メモリ数はヘルプにてご確認下さい。"));
    AttachRunner(ReceiverRole::TextEditor);
    BuildErrorLineStatus();

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

QList<StepMenuEntry> TextWindow::MenuBar()
{
    return {
        DemoMenu(kTextDemoFiles),
        OpenEntry(QStringLiteral("ファイル読み込み")),
        SaveEntry(),
        ClearEntry(QStringLiteral("ClearAll"), QStringLiteral("　　全削除　　")),
        ViewMenu(QStringLiteral("　　　表示　　　"),
                 {{.name = QStringLiteral("ShowMemory"), .text = QStringLiteral("消費メモリの表示"),
                   .run = [this] { ShowMemory(); }},
                  TransferDataEntry([this] { ShowTransferDataView(); }), PreviewEntry([this] { Preview(); })}),
        TransferEntry(QStringLiteral("　　転送(F6)　　"), [this] { Transfer(); }),
        RunEntry(QStringLiteral("　　実行(F7)　　"), [this] { Runner().Run(); }),
        ReportEntry([this] { MakeReport(); }),
        HelpMenu(QStringLiteral("　　　ヘルプ　　　")),
    };
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

void TextWindow::BuildErrorLineStatus()
{
    m_errorLine = new QLabel(this);
    m_errorLine->setObjectName(QStringLiteral("ErrorLine"));
    m_errorLine->setStyleSheet(QStringLiteral("color: #d32f2f; font-weight: bold;"));
    statusBar()->addWidget(m_errorLine, 1);
    connect(m_editor, &CodeEditor::ErrorLineChanged, this,
            [this](int line) { m_errorLine->setText(line < 0 ? QString() : QStringLiteral("%1行目").arg(line + 1)); });
}

void TextWindow::MarkFailingPlace()
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

void TextWindow::ClearProgram()
{
    m_document.SetText(QString());
}

void TextWindow::ShowMemory()
{
    MarkFailingPlace();
    if (const std::optional<QString> message = m_document.Check()) {
        m_context.Dialogs().Warning(this, *message);
        m_context.Dialogs().Warning(this, kTextMemoryUnavailable);
        return;
    }
    const std::optional<TextDocument::Program> program = m_document.CheckedProgram();
    if (!program)
        return;
    m_memoryPanel->Show(program->memory);
}

void TextWindow::ShowTransferDataView()
{
    MarkFailingPlace();
    if (const std::optional<QString> message = m_document.Check()) {
        m_context.Dialogs().Warning(this, *message);
        m_context.Dialogs().Warning(this, kTextDataUnavailable);
        return;
    }
    if (const std::optional<TextDocument::Program> program = m_document.CheckedProgram())
        ShowTransferData(m_windows, this, program->lines);
}

std::optional<ByteList> TextWindow::CheckedBytes(const QString &overflowMessage)
{
    MarkFailingPlace();
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
        Runner().Transfer(*bytes);
}

void TextWindow::MakeReport()
{
    ReportWork work;
    work.kind = ReportKind::Word;
    work.programText = m_editor->Text().split(QLatin1Char('\n'));
    OpenReport(m_windows, this, work);
}

}  // namespace kq

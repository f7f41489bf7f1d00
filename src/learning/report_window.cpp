#include "learning/report_window.h"

#include "base/paths.h"
#include "base/text_file.h"
#include "base/waiter.h"
#include "context/studio_context.h"
#include "learning/report_save.h"
#include "model/program_file.h"
#include "model/report_lines.h"
#include "services/dialogs.h"
#include "services/window_registry.h"

#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextLayout>
#include <QUrl>
#include <QVBoxLayout>

namespace kq {

namespace {

const QString kSaveFilter = QStringLiteral("レポートファイル(*.html)");

// The lines as the box shows them: a line the box wraps counts as several.
QString ShownText(const QPlainTextEdit &box)
{
    QStringList lines;
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        if (!layout || layout->lineCount() <= 1) {
            lines.append(block.text());
            continue;
        }
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            lines.append(block.text().mid(line.textStart(), line.textLength()));
        }
    }
    return box.toPlainText().isEmpty() ? QString() : lines.join(QLatin1Char('\n'));
}

std::optional<QSize> PictureSize(const QString &path)
{
    const QSize size = QImageReader(path).size();
    return size.isValid() ? std::optional<QSize>(size) : std::nullopt;
}

}  // namespace

ReportWindow::ReportWindow(StudioContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_recovery(context.Recovery(), kReportRecoveryWindow, [this] {
        RecoveryCopy copy;
        copy.window = kReportRecoveryWindow;
        return std::pair {copy, RecoveryWriter::BodyMaker([fields = m_context.ReportFields().Value()] {
                              // Percent-encoded: ASCII, which the code page always holds.
                              return EncodeTextLines(ExactReportLines(fields)).value_or(QByteArray());
                          })};
    })
{
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QStringLiteral("レポート印刷"));
    setModal(false);

    auto *input = new QWidget;
    auto *form = new QFormLayout;
    const auto line = [](const char *name) {
        auto *edit = new QLineEdit;
        edit->setObjectName(QLatin1String(name));
        return edit;
    };
    const auto memo = [](const char *name) {
        auto *box = new QPlainTextEdit;
        box->setObjectName(QLatin1String(name));
        box->setTabChangesFocus(true);
        box->setFixedHeight(70);
        return box;
    };
    m_year = line("Edit1");
    m_group = line("Edit2");
    m_number = line("Edit4");
    m_name = line("Edit3");
    m_title = memo("Memo2");
    m_conception = memo("Memo3");
    m_features = memo("Memo4");
    m_ingenuity = memo("Memo5");
    m_impressions = memo("Memo6");
    auto *identity = new QHBoxLayout;
    for (const auto &[edit, label] : {std::pair{m_year, "年"}, {m_group, "組"}, {m_number, "番"}}) {
        edit->setFixedWidth(50);
        identity->addWidget(edit);
        identity->addWidget(new QLabel(QString::fromUtf8(label)));
    }
    identity->addWidget(new QLabel(QStringLiteral("名前")));
    identity->addWidget(m_name, 1);
    form->addRow(identity);
    form->addRow(QStringLiteral("■タイトル"), m_title);
    form->addRow(QStringLiteral("■構想"), m_conception);
    form->addRow(QStringLiteral("■仕様"), m_features);
    form->addRow(QStringLiteral("■工夫点"), m_ingenuity);
    form->addRow(QStringLiteral("■感想"), m_impressions);
    auto *next = new QPushButton(QStringLiteral("次へ →"));
    next->setObjectName(QStringLiteral("NextButton"));
    connect(next, &QPushButton::clicked, this, &ReportWindow::Next);
    form->addRow(next);
    input->setLayout(form);

    auto *preview = new QWidget;
    auto *previewLayout = new QVBoxLayout(preview);
    m_preview = new QTextBrowser;
    m_preview->setObjectName(QStringLiteral("WebBrowser1"));
    previewLayout->addWidget(m_preview, 1);
    auto *buttons = new QHBoxLayout;
    const auto button = [&](const QString &text, const char *name, void (ReportWindow::*command)()) {
        auto *b = new QPushButton(text);
        b->setObjectName(QLatin1String(name));
        connect(b, &QPushButton::clicked, this, command);
        buttons->addWidget(b);
    };
    button(QStringLiteral("印刷"), "PrintButton", &ReportWindow::Print);
    button(QStringLiteral("ファイル保存"), "SaveButton", &ReportWindow::Save);
    button(QStringLiteral("入力画面に戻る"), "BackButton", &ReportWindow::BackToInput);
    previewLayout->addLayout(buttons);

    m_pages = new QStackedWidget;
    m_pages->addWidget(input);
    m_pages->addWidget(preview);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    setFixedSize(640, 720);

    // Typing edits the shared fields; loading a program file changes them under us.
    for (QLineEdit *edit : {m_year, m_group, m_number, m_name})
        connect(edit, &QLineEdit::textEdited, this, &ReportWindow::StoreFields);
    for (QPlainTextEdit *box : {m_title, m_conception, m_features, m_ingenuity, m_impressions})
        connect(box, &QPlainTextEdit::textChanged, this, &ReportWindow::StoreFields);
    connect(&m_context.ReportFields(), &ReportFieldsState::Changed, this, &ReportWindow::ShowFields);
    ShowFields();
}

void ReportWindow::SetWork(const ReportWork &work)
{
    m_work = work;
}

void ReportWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_pages->setCurrentIndex(0);
    m_year->setFocus();
}

void ReportWindow::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    // Minimising is no closing.
    if (!event->spontaneous())
        m_recovery.Remove();
}

bool ReportWindow::Restore(const RecoveryCopy &copy)
{
    const TextFileContent content = DecodeTextLines(copy.body);
    const std::optional<ReportFields> fields =
        content.hasDecodingErrors ? std::nullopt : ReadExactReportLines(content.lines);
    if (!fields)
        return false;
    m_context.ReportFields().Set(*fields);
    m_recovery.NoteChange();
    m_recovery.Flush();
    return true;
}

void ReportWindow::ShowFields()
{
    const ReportFields fields = m_context.ReportFields().Value();
    m_showingFields = true;
    const auto setLine = [](QLineEdit *edit, const QString &text) {
        if (edit->text() != text)
            edit->setText(text);
    };
    const auto setBox = [](QPlainTextEdit *box, const QString &text) {
        if (box->toPlainText() != text)
            box->setPlainText(text);
    };
    setLine(m_year, fields.year);
    setLine(m_group, fields.group);
    setLine(m_number, fields.number);
    setLine(m_name, fields.name);
    setBox(m_title, fields.title);
    setBox(m_conception, fields.conception);
    setBox(m_features, fields.features);
    setBox(m_ingenuity, fields.ingenuity);
    setBox(m_impressions, fields.impressions);
    m_showingFields = false;
}

void ReportWindow::StoreFields()
{
    if (m_showingFields)
        return;
    const ReportFields before = m_context.ReportFields().Value();
    m_context.ReportFields().Set(ReportFields{m_year->text(), m_group->text(), m_number->text(), m_name->text(),
                                              m_title->toPlainText(), m_conception->toPlainText(),
                                              m_features->toPlainText(), m_ingenuity->toPlainText(),
                                              m_impressions->toPlainText()});
    if (m_context.ReportFields().Value() != before)
        m_recovery.NoteChange();
}

ReportFields ReportWindow::ShownFields() const
{
    ReportFields fields = m_context.ReportFields().Value();
    fields.title = ShownText(*m_title);
    fields.conception = ShownText(*m_conception);
    fields.features = ShownText(*m_features);
    fields.ingenuity = ShownText(*m_ingenuity);
    fields.impressions = ShownText(*m_impressions);
    return fields;
}

std::optional<QStringList> ReportWindow::Build()
{
    const ReportFields fields = ShownFields();
    if (!HasReportIdentity(fields)) {
        m_context.Dialogs().Warning(this, kReportWarningIdentity);
        return std::nullopt;
    }
    const Paths &paths = m_context.Paths();
    const QString templatePath = paths.ProgramFile(ReportTemplatePath(m_work.kind));
    const std::optional<TextFileContent> templateLines = ReadTextLines(templatePath);
    if (!templateLines) {
        m_context.Dialogs().Warning(this, QStringLiteral("ファイル %1 が開けません。").arg(QDir::toNativeSeparators(templatePath)));
        return std::nullopt;
    }
    const QString reportFolder = paths.TempFolder() + QStringLiteral("Report/");
    ReportWork work = m_work;
    work.iconFolder = paths.ProgramFile(QStringLiteral("Img/Icon/DD/"));
    for (int n = 0; n < kRoutinePictureCount; ++n)
        work.routineSizes[n] = PictureSize(reportFolder + QStringLiteral("Img/Routine%1.bmp").arg(n));
    if (work.kind == ReportKind::Sound) {
        const QString sound = reportFolder + QStringLiteral("Img/Sound.bmp");
        const std::optional<QSize> size = PictureSize(sound);
        if (!size) {
            m_context.Dialogs().Warning(this, QStringLiteral("ファイル %1 が開けません。").arg(QDir::toNativeSeparators(sound)));
            return std::nullopt;
        }
        work.soundSize = *size;
    }
    const QStringList lines = BuildReportLines(templateLines->lines, fields, work);
    if (!QDir().mkpath(reportFolder) || !WriteTextLines(reportFolder + QStringLiteral("print.html"), lines)) {
        m_context.Dialogs().Warning(this, QStringLiteral("レポートを書き込めませんでした。"));
        return std::nullopt;
    }
    // The page is handed over as text: the view's own decoding knows no CP932.
    m_preview->document()->setBaseUrl(QUrl::fromLocalFile(reportFolder));
    m_preview->setSearchPaths({reportFolder});
    m_preview->setHtml(lines.join(QLatin1Char('\n')));
    // Lets the view lay out the pictures before the next step.
    m_context.Waiter().WaitProcessing(1000);
    return lines;
}

void ReportWindow::Next()
{
    if (Build())
        m_pages->setCurrentIndex(1);
}

void ReportWindow::BackToInput()
{
    m_pages->setCurrentIndex(0);
}

void ReportWindow::Print()
{
    if (!Build())
        return;
    QPrinter printer;
    if (m_context.Dialogs().SetUpPrinter(this, printer))
        m_preview->print(&printer);
}

void ReportWindow::Save()
{
    const std::optional<QStringList> lines = Build();
    if (!lines)
        return;
    const QString chosen = m_context.Dialogs().SaveFileName(this, m_fileFolder.StartWith(m_name->text()), kSaveFilter);
    if (chosen.isEmpty())
        return;
    const QString file = ReportFileName(chosen);
    if (QFileInfo::exists(file) && !m_context.Dialogs().AskYesNo(this, kOverwriteQuestion))
        return;
    const QString pictures = m_context.Paths().TempFolder() + QStringLiteral("Report/Img");
    if (SaveReport(*lines, m_work.kind, file, pictures) != ReportSaveResult::Saved) {
        m_context.Dialogs().Warning(this, QStringLiteral("レポートを保存できませんでした。"));
        return;
    }
    m_fileFolder.Remember(file);
}

void OpenReport(WindowRegistry &windows, QWidget *caller, const ReportWork &work)
{
    auto *report = qobject_cast<ReportWindow *>(windows.Made(WindowKind::Report));
    if (!report)
        return;
    report->SetWork(work);
    QRect area(QPoint(), report->size());
    area.moveCenter(caller->window()->geometry().center());
    report->setGeometry(area);
    windows.OpenFromEditor(WindowKind::Report, caller->window());
}

}  // namespace kq

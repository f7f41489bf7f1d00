#include "editors/text/keyword_settings_window.h"

#include "base/text_file.h"
#include "context/studio_context.h"
#include "model/program_file.h"
#include "services/dialogs.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kq {

KeywordSettingsWindow::KeywordSettingsWindow(StudioContext &context, QWidget *parent)
    : QWidget(parent),
      m_context(context),
      m_recovery(context.Recovery(), kKeywordsRecoveryWindow, [this] {
          RecoveryCopy copy;
          copy.window = kKeywordsRecoveryWindow;
          copy.filePath = UserKeywordFilePath(m_context.Paths());
          return std::pair {copy, RecoveryWriter::BodyMaker([body = m_copyBody] { return body; })};
      })
{
    setObjectName(QStringLiteral("TForm10"));
    setWindowTitle(QStringLiteral("設定"));

    auto *layout = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    layout->addLayout(grid);
    QGroupBox *box = nullptr;
    QFormLayout *form = nullptr;
    QString group;
    int boxes = 0;
    for (const KeywordSlotField &field : KeywordSlotFields()) {
        if (QString::fromUtf16(field.group) != group) {
            group = QString::fromUtf16(field.group);
            box = new QGroupBox(group, this);
            form = new QFormLayout(box);
            // Three columns: the longer groups stand beside each other.
            grid->addWidget(box, boxes / 3, boxes % 3, Qt::AlignTop);
            ++boxes;
        }
        auto *entry = new QLineEdit(box);
        entry->setObjectName(QStringLiteral("Edit%1").arg(field.slot));
        entry->setMinimumWidth(130);
        form->addRow(QString::fromUtf16(field.label), entry);
        connect(entry, &QLineEdit::textEdited, this, &KeywordSettingsWindow::EntriesChanged);
        m_entries[std::size_t(field.slot - 1)] = entry;
    }
    for (const int slot : kHiddenKeywordSlots) {
        auto *entry = new QLineEdit(this);
        entry->setObjectName(QStringLiteral("Edit%1").arg(slot));
        entry->hide();
        m_entries[std::size_t(slot - 1)] = entry;
    }

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    const auto button = [this, buttons](const QString &name, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(name);
        buttons->addWidget(b);
        return b;
    };
    connect(button(QStringLiteral("ApplyButton"), QStringLiteral("適用")), &QPushButton::clicked, this,
            &KeywordSettingsWindow::Apply);
    connect(button(QStringLiteral("CancelButton"), QStringLiteral("キャンセル")), &QPushButton::clicked, this,
            &QWidget::close);
    connect(button(QStringLiteral("RestoreButton"), QStringLiteral("初期状態に戻す")), &QPushButton::clicked, this,
            &KeywordSettingsWindow::RestoreDefaults);
    layout->addLayout(buttons);

    const std::optional<KeywordFile> file = ReadKeywordFile(KeywordFilePath(m_context.Paths()));
    if (file)
        Fill(*file);
    else
        m_context.Dialogs().Warning(this, kKeywordReadErrorMessage);
    const std::optional<TextFileContent> defaults = ReadTextLines(DefaultKeywordFilePath(m_context.Paths()));
    if (defaults && !defaults->hasDecodingErrors)
        m_defaultLines = defaults->lines;
    // The texts as shown are no change yet.
    m_copyBody = CopyBody().value_or(QByteArray());
}

std::optional<QByteArray> KeywordSettingsWindow::CopyBody() const
{
    // The keyword file holds no empty keyword, no comma and nothing outside
    // the code page: while a text is so, the copy keeps the last texts that fit.
    const KeywordEntries entries = Entries();
    if (m_defaultLines.isEmpty() || !EntriesValid(entries))
        return std::nullopt;
    return EncodeTextLines(KeywordFileWithEntries(m_defaultLines, entries));
}

void KeywordSettingsWindow::EntriesChanged()
{
    const std::optional<QByteArray> body = CopyBody();
    if (!body || *body == m_copyBody)
        return;
    m_copyBody = *body;
    m_recovery.NoteChange();
}

bool KeywordSettingsWindow::Restore(const RecoveryCopy &copy)
{
    const TextFileContent content = DecodeTextLines(copy.body);
    const std::optional<KeywordFile> file = content.hasDecodingErrors ? std::nullopt : ParseKeywordFile(content.lines);
    if (!file)
        return false;
    Fill(*file);
    m_copyBody = copy.body;
    m_recovery.NoteChange();
    m_recovery.Flush();
    return true;
}

void KeywordSettingsWindow::closeEvent(QCloseEvent *event)
{
    m_recovery.Remove();
    QWidget::closeEvent(event);
}

void KeywordSettingsWindow::Fill(const KeywordFile &file)
{
    for (int slot = 1; slot <= kKeywordSlots; ++slot) {
        if (QLineEdit *entry = Entry(slot))
            entry->setText(file.Line(slot).keyword);
    }
}

KeywordEntries KeywordSettingsWindow::Entries() const
{
    KeywordEntries entries;
    for (int slot = 1; slot <= kKeywordSlots; ++slot) {
        if (const QLineEdit *entry = Entry(slot))
            entries[std::size_t(slot - 1)] = entry->text();
    }
    return entries;
}

void KeywordSettingsWindow::RestoreDefaults()
{
    if (const std::optional<KeywordFile> file = ReadKeywordFile(DefaultKeywordFilePath(m_context.Paths()))) {
        Fill(*file);
        EntriesChanged();
    } else
        m_context.Dialogs().Warning(this, kKeywordReadErrorMessage);
}

void KeywordSettingsWindow::Apply()
{
    using Status = KeywordApplyResult::Status;
    const KeywordApplyResult result = ApplyKeywordEntries(m_context.Paths(), Entries());
    switch (result.status) {
    case Status::Invalid:
        m_context.Dialogs().Information(this, kKeywordSettingsInvalidMessage);
        break;
    case Status::Refused:
        // The window stays, with the field to change ready for typing.
        m_context.Dialogs().Warning(this, result.refusal->message);
        Entry(result.refusal->slot)->setFocus();
        Entry(result.refusal->slot)->selectAll();
        return;
    case Status::ReadFailed:
        m_context.Dialogs().Warning(this, kKeywordReadErrorMessage);
        break;
    case Status::WriteFailed:
        m_context.Dialogs().Warning(this, kSaveFailedMessage);
        break;
    case Status::Applied:
        m_context.Keywords().Reload(m_context.Paths());
        break;
    }
    close();
}

}  // namespace kq

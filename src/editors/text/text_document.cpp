#include "editors/text/text_document.h"

#include "editors/text/lines_to_text.h"
#include "editors/text/text_program.h"
#include "editors/text/text_section.h"
#include "model/device_generation.h"
#include "model/instruction_table.h"
#include "model/memory_messages.h"
#include "model/program_file.h"

namespace kq {

TextDocument::TextDocument(DeviceGeneration &generation, QObject *parent)
    : StepDocument(parent), m_generation(generation)
{
}

void TextDocument::SetText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    emit Changed();
}

QStringList TextDocument::Lines() const
{
    return EditorLines(m_text);
}

int TextDocument::Generation() const
{
    return m_generation.Value();
}

std::optional<QString> TextDocument::Check() const
{
    return CheckTextProgram(Lines(), m_keywords);
}

std::optional<TextCheckFailure> TextDocument::CheckFailure() const
{
    return FirstFailingCheck(Lines(), m_keywords);
}

std::optional<TextDocument::Program> TextDocument::ProgramOf(const QStringList &programLines) const
{
    const ParsedProgramLines parsed = ParseProgramLines(programLines);
    if (parsed.error)
        return std::nullopt;
    Program program{programLines, ProgramLinesMemoryCount(parsed.instructions, Generation()), std::nullopt};
    if (const std::optional<InstructionTable> table = BuildInstructionTable(parsed.instructions))
        program.bytes = EncodeProgram(RoutinesOf(*table), Generation());
    return program;
}

std::optional<TextDocument::Program> TextDocument::CheckedProgram() const
{
    if (Check())
        return std::nullopt;
    const std::optional<QStringList> lines = TranslateText(Lines(), m_keywords);
    return lines ? ProgramOf(*lines) : std::nullopt;
}

QString TextDocument::SectionMarker() const
{
    return kTextSectionMarker;
}

QString TextDocument::DefaultEnding() const
{
    return QStringLiteral("(文字).kq27");
}

QString TextDocument::SaveFailedMessage() const
{
    return kSaveFailedMessage;
}

StepMessage TextDocument::ForeignFileRefusal() const
{
    return {StepMessage::Kind::Warning, kTextForeignFileMessage};
}

ProgramLinesResult TextDocument::ProgramLines() const
{
    if (const std::optional<QString> message = Check())
        return {std::nullopt, {{StepMessage::Kind::Warning, *message}}};
    return {TranslateText(Lines(), m_keywords), {}};
}

QStringList TextDocument::SectionLines() const
{
    QStringList lines;
    for (const QString &line : Lines())
        lines.append(line.chopped(2));
    return lines;
}

bool TextDocument::LoadSection(const QStringList &section)
{
    SetText(TextOfSection(section));
    return true;
}

std::optional<StepMessage> TextDocument::LoadProgramLines(const QStringList &programLines)
{
    SetText(QString());
    const ParsedProgramLines parsed = ParseProgramLines(programLines);
    const std::optional<QString> text =
        parsed.error ? std::nullopt : LinesToText(parsed.instructions, m_keywords, Generation());
    if (!text)
        return StepMessage{StepMessage::Kind::Warning, kReadFailedMessage};
    // Measured on the lines themselves: the older clocks' brightness
    // conditions are shown as text the translation does not know.
    if (ProgramLinesMemoryCount(parsed.instructions, Generation()) > kMemoryLimit)
        return StepMessage{StepMessage::Kind::Warning, kTextOpenOverflowMessage};
    SetText(*text);
    return std::nullopt;
}

}  // namespace kq

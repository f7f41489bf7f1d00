#include "editors/icon/icon_document.h"

#include "editors/icon/icon_program.h"
#include "editors/icon/icon_section.h"
#include "model/device_generation.h"
#include "model/program_file.h"

namespace kq {

IconDocument::IconDocument(DeviceGeneration &generation, QObject *parent)
    : StepDocument(parent), m_generation(generation)
{
    connect(&m_generation, &DeviceGeneration::Changed, this, [this](int value) {
        m_row.AdaptToGeneration(value);
        emit Changed();
    });
}

int IconDocument::Generation() const
{
    return m_generation.Value();
}

void IconDocument::Drop(int icon, int slot)
{
    m_row.Drop(icon, slot, Generation());
    emit Changed();
}

void IconDocument::SetChoice(int slot, int choice)
{
    if (m_row.SetChoice(slot, choice))
        emit Changed();
}

void IconDocument::SetValue(int slot, int value)
{
    m_row.SetValue(slot, value);
    emit Changed();
}

void IconDocument::Recolour(int slot, int colour)
{
    m_row.Recolour(slot, colour);
    emit Changed();
}

void IconDocument::Paste(int slot)
{
    m_row.Paste(slot);
    emit Changed();
}

void IconDocument::Clear()
{
    m_row.Clear();
    emit Changed();
}

QString IconDocument::SectionMarker() const
{
    return kIconSectionMarker;
}

QString IconDocument::DefaultEnding() const
{
    return QStringLiteral("(アイコン).kq27");
}

QString IconDocument::SaveFailedMessage() const
{
    return kSaveFailedMessage;
}

StepMessage IconDocument::ForeignFileRefusal() const
{
    return{StepMessage::Kind::Warning, kIconForeignFileMessage};
}

ProgramLinesResult IconDocument::ProgramLines() const
{
    if (!CheckIconLoops(m_row))
        return{std::nullopt, {StepMessage{StepMessage::Kind::Warning, kIconLoopMessage}}};
    return{IconProgramLines(m_row, Generation()), {}};
}

QStringList IconDocument::SectionLines() const
{
    return IconSectionLines(m_row, Generation());
}

bool IconDocument::LoadSection(const QStringList &section)
{
    const bool read = ReadIconSection(section, Generation(), m_row);
    emit Changed();
    return read;
}

std::optional<StepMessage> IconDocument::LoadProgramLines(const QStringList &programLines)
{
    IconLinesResult result = LinesToIcons(programLines, Generation());
    if (!result.row)
        return StepMessage{StepMessage::Kind::Warning, result.refusal};
    m_row = *result.row;
    emit Changed();
    return std::nullopt;
}

}  // namespace kq

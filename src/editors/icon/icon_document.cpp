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

template <typename EditFunction> void IconDocument::Edit(EditFunction &&edit)
{
    const IconRow::Slots before = m_row.SlotsOf();
    edit();
    if (m_row.SlotsOf() == before)
        return;
    m_history.Record(before);
    emit Changed();
}

void IconDocument::Drop(int icon, int slot)
{
    Edit([&] { m_row.Drop(icon, slot, Generation()); });
}

void IconDocument::SetChoice(int slot, int choice)
{
    Edit([&] { m_row.SetChoice(slot, choice); });
}

void IconDocument::SetValue(int slot, int value)
{
    const IconRow::Slots before = m_row.SlotsOf();
    m_row.SetValue(slot, value);
    if (m_row.SlotsOf() == before)
        return;
    m_history.RecordValueChange(before, slot);
    emit Changed();
}

void IconDocument::Recolour(int slot, int colour)
{
    Edit([&] { m_row.Recolour(slot, colour); });
}

void IconDocument::Paste(int slot)
{
    Edit([&] { m_row.Paste(slot); });
}

void IconDocument::Clear()
{
    Edit([&] { m_row.Clear(); });
}

void IconDocument::Undo()
{
    Restore(m_history.Undo(m_row.SlotsOf()));
}

void IconDocument::Redo()
{
    Restore(m_history.Redo(m_row.SlotsOf()));
}

void IconDocument::Restore(const std::optional<IconRow::Slots> &restored)
{
    if (!restored)
        return;
    // The copy source stays: copying is no edit.
    for (int slot = 0; slot < kIconSlotCount; ++slot)
        m_row.Set(slot, (*restored)[std::size_t(slot)]);
    // The slots may have been recorded under the other generation.
    m_row.AdaptToGeneration(Generation());
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
    bool read = false;
    Edit([&] { read = ReadIconSection(section, Generation(), m_row); });
    return read;
}

std::optional<StepMessage> IconDocument::LoadProgramLines(const QStringList &programLines)
{
    IconLinesResult result = LinesToIcons(programLines, Generation());
    if (!result.row)
        return StepMessage{StepMessage::Kind::Warning, result.refusal};
    Edit([&] { m_row = *result.row; });
    return std::nullopt;
}

}  // namespace kq

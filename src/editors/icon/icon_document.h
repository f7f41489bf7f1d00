#pragma once

#include "editors/common/step_document.h"
#include "editors/icon/icon_history.h"
#include "editors/icon/icon_row.h"

namespace kq {

class DeviceGeneration;

// The STEP1 program as the shared file commands see it: the icon row, with
// every gesture that changes it announced through Changed() and kept in the
// undo history (loading a file too, so a damaged one can be undone).
class IconDocument final : public StepDocument {
    Q_OBJECT

public:
    explicit IconDocument(DeviceGeneration &generation, QObject *parent = nullptr);

    const IconRow &Row() const { return m_row; }
    int Generation() const;

    void Drop(int icon, int slot);
    void SetChoice(int slot, int choice);
    void SetValue(int slot, int value);
    void Recolour(int slot, int colour);
    void Copy(int slot) { m_row.Copy(slot); }
    void Paste(int slot);
    void Clear();
    void Undo();
    void Redo();
    const IconHistory &History() const { return m_history; }

    Step StepKind() const override { return Step::Icons; }
    QString SectionMarker() const override;
    QString DefaultEnding() const override;
    QString SaveFailedMessage() const override;
    StepMessage ForeignFileRefusal() const override;
    [[nodiscard]] ProgramLinesResult ProgramLines() const override;
    QStringList SectionLines() const override;
    bool HasInstructions() const override { return !m_row.IsEmpty(); }
    [[nodiscard]] bool LoadSection(const QStringList &section) override;
    [[nodiscard]] std::optional<StepMessage> LoadProgramLines(const QStringList &programLines) override;
    void MarkSaved() override { m_history.MarkSaved(); }
    void ClearHistory() override { m_history.Clear(); }
    bool IsMarkedSaved() const override { return m_history.IsMarkedSaved(); }

private:
    // Runs an edit of the row; when it changed the slots, records what they
    // were and announces the change.
    template <typename EditFunction> void Edit(EditFunction &&edit);
    void Restore(const std::optional<IconRow::Slots> &restored);

    DeviceGeneration &m_generation;
    IconRow m_row;
    IconHistory m_history;
};

}  // namespace kq

#pragma once

#include "editors/common/step_document.h"
#include "editors/text/keyword_file.h"
#include "editors/text/text_program.h"
#include "model/encoder.h"

namespace kq {

class DeviceGeneration;

inline const QString kTextForeignFileMessage =
    QStringLiteral("このファイルは開けません。\r\nファイルを作成したステップで開いて下さい。");

// The STEP3 program as the shared file commands see it: the editor's text
// and the keywords it was read with.
class TextDocument final : public StepDocument {
    Q_OBJECT

public:
    explicit TextDocument(DeviceGeneration &generation, QObject *parent = nullptr);

    const QString &Text() const { return m_text; }
    // Emits Changed when the text differs.
    void SetText(const QString &text);
    // Every line with the CR LF the editor hands lines over with.
    QStringList Lines() const;

    const KeywordFile &Keywords() const { return m_keywords; }
    void SetKeywords(const KeywordFile &keywords) { m_keywords = keywords; }
    int Generation() const;

    // The first failing check's message.
    [[nodiscard]] std::optional<QString> Check() const;
    // The first failing check with the line it names.
    [[nodiscard]] std::optional<TextCheckFailure> CheckFailure() const;

    struct Program {
        QStringList lines;  // "START" .. "END"
        int memory = 0;
        // The clock's bytes; empty when the program needs more table entries
        // than there are, which it never fits the memory with anyway.
        std::optional<ByteList> bytes;
    };
    // The program of a text that passed the checks.
    [[nodiscard]] std::optional<Program> CheckedProgram() const;

    Step StepKind() const override { return Step::Text; }
    QString SectionMarker() const override;
    QString DefaultEnding() const override;
    QString SaveFailedMessage() const override;
    StepMessage ForeignFileRefusal() const override;
    [[nodiscard]] ProgramLinesResult ProgramLines() const override;
    QStringList SectionLines() const override;
    bool HasInstructions() const override { return !m_text.isEmpty(); }
    [[nodiscard]] bool LoadSection(const QStringList &section) override;
    [[nodiscard]] std::optional<StepMessage> LoadProgramLines(const QStringList &programLines) override;

private:
    std::optional<Program> ProgramOf(const QStringList &programLines) const;

    DeviceGeneration &m_generation;
    KeywordFile m_keywords;
    QString m_text;
};

}  // namespace kq

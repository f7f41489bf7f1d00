#pragma once

#include "editors/common/step_window_frame.h"
#include "editors/text/text_document.h"

class QLabel;
class QTextBrowser;

namespace kq {

class CodeEditor;
class MemoryPanel;

inline const QString kTextClearAllQuestion = kStepClearQuestion;
inline const QString kTextMemoryUnavailable = QStringLiteral("プログラムが正しくない為メモリ数の表示ができません。");
inline const QString kTextDataUnavailable = QStringLiteral("プログラムが正しくないため表示できません。");
inline const QString kTextPreviewOverflowMessage =
    QStringLiteral("メモリ数が最大数を超えている為プレビューできません。メモリ数を") + QString::number(kMemoryLimit)
    + QStringLiteral("以下にして下さい。\r\n「表示」→「消費メモリの表示」からメモリ数を確認できます。");
inline const QStringList kTextDemoFiles = kFlowDemoFiles;

// STEP3: the program text with line numbers beside the help pane, its own
// commands in the step window's menus and the memory panel.
class TextWindow final : public StepWindowFrame {
    Q_OBJECT

public:
    TextWindow(StudioContext &context, WindowRegistry &windows, StepWindows &steps, Launcher &launcher,
               QWidget *parent = nullptr);
    ~TextWindow() override;

    TextDocument &Document() { return m_document; }
    CodeEditor &EditorControl() { return *m_editor; }

    // The help pane's start page, as "トップページ" loads it.
    QString HelpStartPage() const;

private:
    QList<StepMenuEntry> MenuBar();
    QWidget *BuildHelpPane();
    bool LoadKeywords();
    bool LoadHelpStartPage();
    void ColourComments();
    void BuildErrorLineStatus();
    // Before a command shows a check's message: where the check failed.
    void MarkFailingPlace() override;
    // The program's bytes after the checks (the failing line marked, the
    // message shown) and the memory limit (overflowMessage shown).
    std::optional<ByteList> CheckedBytes(const QString &overflowMessage);

    void ClearProgram() override;
    void ShowMemory();
    void ShowTransferDataView();
    void Transfer();
    void MakeReport();
    // In text_window_preview.cpp.
    void Preview();

    TextDocument &m_document;  // owned by the frame

    CodeEditor *m_editor = nullptr;
    QTextBrowser *m_help = nullptr;
    MemoryPanel *m_memoryPanel = nullptr;
    QLabel *m_errorLine = nullptr;
};

}  // namespace kq

#pragma once

#include "editors/common/step_document.h"
#include "editors/common/step_recovery.h"
#include "editors/text/text_document.h"

#include <QMainWindow>
#include <QPoint>

class QAction;
class QFrame;
class QLabel;
class QPushButton;
class QTextBrowser;

namespace kq {

class ProgramRunner;

class CodeEditor;
class Launcher;
class StepWindows;
class StudioContext;
class WindowRegistry;

inline const QString kTextClearAllQuestion = QStringLiteral("プログラムを全て消去します。よろしいですか？");
inline const QString kTextMemoryUnavailable = QStringLiteral("プログラムが正しくない為メモリ数の表示ができません。");
inline const QString kTextDataUnavailable = QStringLiteral("プログラムが正しくないため表示できません。");
inline const QString kTextPreviewOverflowMessage =
    QStringLiteral("メモリ数が最大数を超えている為プレビューできません。メモリ数を") + QString::number(kMemoryLimit)
    + QStringLiteral("以下にして下さい。\r\n「表示」→「消費メモリの表示」からメモリ数を確認できます。");
inline const QString kTextDemoFiles[] = {
    QStringLiteral("Data\\Demo\\fro\\demo1(フロー).kq27"),
    QStringLiteral("Data\\Demo\\fro\\demo2(フロー).kq27"),
    QStringLiteral("Data\\Demo\\fro\\demo3(フロー).kq27"),
    QStringLiteral("Data\\Demo\\fro\\demo4(フロー).kq27"),
};

// STEP3: the program text with line numbers beside the help pane, the
// commands of the menu, the memory panel and the running notice.
class TextWindow final : public QMainWindow, public StepWindowHost {
    Q_OBJECT

public:
    TextWindow(StudioContext &context, WindowRegistry &windows, StepWindows &steps, Launcher &launcher,
               QWidget *parent = nullptr);
    ~TextWindow() override;

    TextDocument &Document() { return m_document; }
    StepEditor Editor() { return {&m_document, this, &m_recovery}; }
    CodeEditor &EditorControl() { return *m_editor; }

    QWidget *DialogParent() override { return this; }
    void SetCaption(const QString &caption) override { setWindowTitle(caption); }

    // The menu commands, by their form names.
    QAction *Action(const QString &name) const;
    // The help pane's start page, as "トップページ" loads it.
    QString HelpStartPage() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void BuildMenu();
    QWidget *BuildHelpPane();
    void BuildPanels(QWidget *central);
    void PlaceOnScreen();
    bool LoadKeywords();
    bool LoadHelpStartPage();
    void ColourComments();
    void CentrePanel(QWidget *panel);
    void SetCommandsEnabled(bool enabled);
    void BuildErrorLineStatus();
    // Before a command shows a check's message: where the check failed.
    void MarkFailingLine();
    // The program's bytes after the checks (the failing line marked, the
    // message shown) and the memory limit (overflowMessage shown).
    std::optional<ByteList> CheckedBytes(const QString &overflowMessage);

    void OpenDemo(int number);
    void ClearAll();
    void ShowMemory();
    void ShowTransferDataView();
    void SwitchTo(Step target);
    void Transfer();
    void MakeReport();
    // In text_window_preview.cpp.
    void Preview();

    StudioContext &m_context;
    WindowRegistry &m_windows;
    StepWindows &m_steps;
    Launcher &m_launcher;
    TextDocument m_document;
    StepRecovery m_recovery {m_context, m_document, *this};

    CodeEditor *m_editor = nullptr;
    QTextBrowser *m_help = nullptr;
    QFrame *m_memoryPanel = nullptr;
    QLabel *m_memoryCount = nullptr;
    QLabel *m_errorLine = nullptr;
    ProgramRunner *m_runner = nullptr;
};

}  // namespace kq

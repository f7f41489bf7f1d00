#pragma once

#include "editors/flowchart/flow_node.h"
#include "editors/flowchart/undo_record.h"
#include "model/catalogue.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace kq {

inline constexpr int kSubroutineNameLimit = 14;
// The first line of the flowchart's section, before the subroutine names.
inline const QString kSubroutineMarker = QStringLiteral("SUB");

inline const QString kTooManyBoxesMessage = QStringLiteral("配置できる命令数は") + QString::number(kRoutineSlots)
    + QStringLiteral("個までです。これ以上命令を追加できません。");
inline const QString kSecondStartMessage = QStringLiteral("スタート命令はすでに配置しております。");
inline const QString kRoutineOutsideMainMessage =
    QStringLiteral("サブルーチン命令はメインルーチン以外には配置出来ません。");
inline const QString kByteOverMessage = QStringLiteral("これ以上命令を追加できません。(バイト数オーバー)");
inline const QString kNothingToCopyMessage = QStringLiteral("コピーする命令がありません。");
inline const QString kNothingToPasteMessage = QStringLiteral("貼り付けする命令がありません。");
inline const QString kStartInClipboardMessage = QStringLiteral("開始命令が含まれている為コピー出来ません。");

// The instruction a palette picture stands for: 0 start .. 13 train.
[[nodiscard]] std::optional<InstructionKind> KindOfPaletteNumber(int paletteNumber);

enum class Connector {
    Next,
    Branch
};

// Where a press on a box lands, relative to the box's top-left corner.
enum class PressZone {
    BottomConnector,
    RightConnector,
    Body
};
PressZone PressZoneOf(QPoint pointInBox);

enum class AlignMode {
    Left,
    CentreHorizontal,
    Right,
    SpreadHorizontal,
    Top,
    CentreVertical,
    Bottom,
    SpreadVertical
};

// The STEP2 program: five routines of 60 box slots, the selection, the
// clipboard and the undo history, with every editing operation and its rules.
// Operations that the pupil can be refused return the message to show.
class Flowchart {
public:
    explicit Flowchart(int generation = kCurrentGeneration) : m_generation(generation) {}

    int Generation() const { return m_generation; }
    void SetGeneration(int generation) { m_generation = generation; }

    const FlowNode &Node(int routine, int slot) const { return m_routines[routine][slot]; }
    const FlowNode &Node(int slot) const { return m_routines[m_current][slot]; }
    int CurrentRoutine() const { return m_current; }
    int CurrentNode() const { return m_currentNode; }
    const QList<int> &Selection() const { return m_selection; }
    bool HasBoxes() const { return NodeCount() > 0; }

    QString SubroutineName(int n) const { return m_subroutineNames[n - 1]; }
    void SetSubroutineName(int n, const QString &name);
    QStringList SubroutineNames() const;

    int TotalBytes() const;
    int NodeCount() const;

    // Placing from the palette: the checks that come before the parameter
    // dialog; nullopt when the box may be placed.
    [[nodiscard]] std::optional<QString> PlaceRefusal(InstructionKind kind) const;
    struct PlaceResult {
        int slot = kNoSlot;  // kNoSlot when refused
        std::optional<QString> message;
    };
    // Places the box with its parameters (start and end ignore them), or
    // refuses it; a box that takes the program over 120 bytes is removed again.
    PlaceResult Place(InstructionKind kind, int x, int y, const ParameterList &params);
    // A palette picture dropped onto a used box: no placing check runs.
    void Replace(int slot, InstructionKind kind, const ParameterList &params);
    // OK in the parameter panel.
    void SetParameters(int slot, const ParameterList &params);

    // The used box with the lowest slot whose rectangle strictly holds point.
    int SlotAt(QPoint point) const;
    // An arrow released at point; false when nothing changed.
    bool Link(int source, Connector connector, QPoint releasePoint);

    // A left press on a box: it becomes the current node and, unless it is
    // already selected, the whole selection.
    void Press(int slot);
    void ClearSelection() { m_selection.clear(); }
    // Every used box whose rectangle overlaps the band between the two
    // corners, in slot order.
    void SelectBand(QPoint corner, QPoint oppositeCorner);
    // Records the selection as it was and stores it dx, dy further, each box
    // kept at or right of minX and at or below minY (and never below 0).
    void MoveSelection(int dx, int dy, int minX = 0, int minY = 0);

    void UnlinkSelection();
    void DeleteSelection();
    [[nodiscard]] std::optional<QString> CopySelection();
    // Messages in the order shown; the selection is cleared after a paste.
    [[nodiscard]] std::optional<QString> Paste();
    void Align(AlignMode mode);

    void SwitchRoutine(int routine);
    void ClearAll();
    void Undo();
    void Redo();
    void MarkSaved();
    void ClearHistory();
    const QList<UndoRecord> &UndoStack() const { return m_undo; }
    const QList<UndoRecord> &RedoStack() const { return m_redo; }

    // "SUB", the four names and the 300 node lines.
    QStringList SectionLines() const;
    // False, with the flowchart unchanged, for a damaged section.
    [[nodiscard]] bool LoadSection(const QStringList &section);

private:
    using Routine = std::array<FlowNode, kRoutineSlots>;

    Routine &Current() { return m_routines[m_current]; }
    const Routine &Current() const { return m_routines[m_current]; }
    int LowestFreeSlot() const;
    int BytesOf(const FlowNode &node) const;
    void EmptySlot(int slot);
    void RemoveLinksTo(const QList<int> &gone);
    void RemovePred(int target, int source);
    void Restore(const QString &line);
    QString LineOf(int slot) const { return NodeLine(Current()[slot]); }
    void Push(const UndoRecord &record);
    void PushKeepingRedo(const UndoRecord &record);
    UndoRecord CurrentStates(const UndoRecord &record) const;
    bool IsSelected(int slot) const { return m_selection.contains(slot); }

    int m_generation;
    std::array<Routine, kRoutineCount> m_routines {};
    std::array<QString, kRoutineCount - 1> m_subroutineNames;
    int m_current = 0;
    int m_currentNode = kNoSlot;
    bool m_pressedSinceClear = false;
    QList<int> m_selection;
    int m_clipboardRoutine = 0;
    QList<int> m_clipboard;
    QList<UndoRecord> m_undo;
    QList<UndoRecord> m_redo;
};

// The part of a routine's sheet its report picture shows: from the smallest
// to the largest corner over all 60 slots (free ones count as 0, 0), plus the
// box and a margin of 35.
QRect RoutinePictureRect(const Flowchart &flowchart, int routine);

}  // namespace kq

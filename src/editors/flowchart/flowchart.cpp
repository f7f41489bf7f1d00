#include "editors/flowchart/flowchart.h"

#include "base/transfer_progress.h"

#include <algorithm>

namespace kq {
namespace {

const QString kNoParameters = QStringLiteral("0,0,0,0,0,0");

bool TakesNoParameters(InstructionKind kind)
{
    return kind == InstructionKind::Start || kind == InstructionKind::End;
}

int SlotOfLine(const QString &line)
{
    const std::optional<FlowNode> node = ParseNodeLine(line);
    return node ? node->id : kNoSlot;
}

}  // namespace

std::optional<InstructionKind> KindOfPaletteNumber(int paletteNumber)
{
    if (paletteNumber < 0 || paletteNumber > static_cast<int>(InstructionKind::Train))
        return std::nullopt;
    return static_cast<InstructionKind>(paletteNumber);
}

PressZone PressZoneOf(QPoint p)
{
    if (p.x() > 35 && p.x() < 65 && p.y() > 30 && p.y() < 50)
        return PressZone::BottomConnector;
    if (p.x() > 80 && p.x() < 100 && p.y() > 10 && p.y() < 40)
        return PressZone::RightConnector;
    return PressZone::Body;
}

void Flowchart::SetSubroutineName(int n, const QString &name)
{
    m_subroutineNames[n - 1] = name.left(kSubroutineNameLimit);
}

QStringList Flowchart::SubroutineNames() const
{
    return QStringList(m_subroutineNames.begin(), m_subroutineNames.end());
}

int Flowchart::BytesOf(const FlowNode &node) const
{
    if (!node.IsUsed())
        return 0;
    return CommandSizeOf(node.kind, ParameterList::FromText(node.params).value_or(ParameterList {}), m_generation);
}

int Flowchart::TotalBytes() const
{
    int total = 0;
    for (const Routine &routine : m_routines)
        for (const FlowNode &node : routine)
            total += BytesOf(node);
    return total;
}

int Flowchart::NodeCount() const
{
    int count = 0;
    for (const Routine &routine : m_routines)
        count += static_cast<int>(
            std::count_if(routine.begin(), routine.end(), [](const FlowNode &node) { return node.IsUsed(); }));
    return count;
}

int Flowchart::LowestFreeSlot() const
{
    for (int slot = 1; slot < kRoutineSlots; ++slot)
        if (!Current()[slot].IsUsed())
            return slot;
    return kNoSlot;
}

std::optional<QString> Flowchart::PlaceRefusal(InstructionKind kind) const
{
    if (LowestFreeSlot() == kNoSlot)
        return kTooManyBoxesMessage;
    // Slot 0 belongs to the start box: a start there, or a box another
    // instruction was dropped onto, is never overwritten.
    if (kind == InstructionKind::Start && Current()[0].IsUsed())
        return kSecondStartMessage;
    if (kind == InstructionKind::Routine && m_current != 0)
        return kRoutineOutsideMainMessage;
    return std::nullopt;
}

Flowchart::PlaceResult Flowchart::Place(InstructionKind kind, int x, int y, const ParameterList &params)
{
    if (const std::optional<QString> refusal = PlaceRefusal(kind))
        return {kNoSlot, refusal};
    const int slot = kind == InstructionKind::Start ? 0 : LowestFreeSlot();
    FlowNode &node = Current()[slot];
    node = FlowNode {slot, NameOf(kind), std::max(0, x), std::max(0, y),
                     {},   kNoSlot,      kNoSlot,        TakesNoParameters(kind) ? kNoParameters : params.ToText()};
    if (TotalBytes() > kMemoryLimit) {
        EmptySlot(slot);
        return {kNoSlot, kByteOverMessage};
    }
    Push({UndoType::Place, {LineOf(slot)}});
    return {slot, std::nullopt};
}

void Flowchart::Replace(int slot, InstructionKind kind, const ParameterList &params)
{
    FlowNode &node = Current()[slot];
    if (!node.IsUsed())
        return;
    Push({UndoType::Replace, {LineOf(slot)}});
    // The old branch target keeps its entry in preds, as arrows drawn to it did.
    if (kind != InstructionKind::If)
        node.branch = kNoSlot;
    node.kind = NameOf(kind);
    node.params = TakesNoParameters(kind) ? kNoParameters : params.ToText();
}

void Flowchart::SetParameters(int slot, const ParameterList &params)
{
    if (!Current()[slot].IsUsed())
        return;
    Push({UndoType::Parameters, {LineOf(slot)}});
    Current()[slot].params = params.ToText();
}

int Flowchart::SlotAt(QPoint p) const
{
    for (int slot = 0; slot < kRoutineSlots; ++slot) {
        const FlowNode &node = Current()[slot];
        if (node.IsUsed() && node.x < p.x() && p.x() < node.x + kBoxWidth && node.y < p.y()
            && p.y() < node.y + kBoxHeight)
            return slot;
    }
    return kNoSlot;
}

bool Flowchart::Link(int source, Connector connector, QPoint releasePoint)
{
    const int target = SlotAt(releasePoint);
    if (target == kNoSlot || Current()[target].kind == NameOf(InstructionKind::Start) || !Current()[source].IsUsed())
        return false;
    if (connector == Connector::Next)
        Push({UndoType::NextArrow, {LineOf(source), LineOf(target)}});
    int &link = connector == Connector::Next ? Current()[source].next : Current()[source].branch;
    if (link != kNoSlot)
        RemovePred(link, source);
    link = target;
    if (!Current()[target].preds.contains(source))
        Current()[target].preds << source;
    return true;
}

void Flowchart::Press(int slot)
{
    if (!IsSelected(slot))
        m_selection = {slot};
    m_currentNode = slot;
    m_pressedSinceClear = true;
}

void Flowchart::SelectBand(QPoint corner, QPoint oppositeCorner)
{
    const int left = std::min(corner.x(), oppositeCorner.x());
    const int right = std::max(corner.x(), oppositeCorner.x());
    const int top = std::min(corner.y(), oppositeCorner.y());
    const int bottom = std::max(corner.y(), oppositeCorner.y());
    m_selection.clear();
    for (int slot = 0; slot < kRoutineSlots; ++slot) {
        const FlowNode &node = Current()[slot];
        if (node.IsUsed() && left < node.x + kBoxWidth && node.x < right && top < node.y + kBoxHeight
            && node.y < bottom)
            m_selection << slot;
    }
}

void Flowchart::MoveSelection(int dx, int dy, int minX, int minY)
{
    if (m_selection.isEmpty())
        return;
    UndoRecord record {UndoType::Move, {}};
    for (const int slot : m_selection)
        record.nodeLines << LineOf(slot);
    Push(record);
    for (const int slot : m_selection) {
        FlowNode &node = Current()[slot];
        node.x = std::max({0, minX, node.x + dx});
        node.y = std::max({0, minY, node.y + dy});
    }
}

void Flowchart::UnlinkSelection()
{
    if (m_selection.isEmpty())
        return;
    UndoRecord record {UndoType::Unlink, {}};
    for (const int slot : m_selection)
        record.nodeLines << LineOf(slot);
    for (const int slot : m_selection)
        for (const int partner : {Current()[slot].next, Current()[slot].branch})
            if (partner != kNoSlot && !IsSelected(partner))
                record.nodeLines << LineOf(partner);
    Push(record);
    for (const int slot : m_selection) {
        FlowNode &node = Current()[slot];
        if (node.next != kNoSlot)
            RemovePred(node.next, slot);
        if (node.branch != kNoSlot)
            RemovePred(node.branch, slot);
        node.next = kNoSlot;
        node.branch = kNoSlot;
    }
}

void Flowchart::DeleteSelection()
{
    if (m_selection.isEmpty())
        return;
    UndoRecord record {UndoType::Delete, {}};
    for (const int slot : m_selection)
        record.nodeLines << LineOf(slot);
    record.deletedCount = static_cast<int>(m_selection.size());
    for (const int slot : m_selection) {
        const FlowNode &node = Current()[slot];
        QList<int> partners = node.preds;
        partners << node.next << node.branch;
        for (const int partner : partners)
            if (partner != kNoSlot && !IsSelected(partner))
                record.nodeLines << LineOf(partner);
    }
    Push(record);
    for (const int slot : m_selection)
        EmptySlot(slot);
    RemoveLinksTo(m_selection);
    m_selection.clear();
}

std::optional<QString> Flowchart::CopySelection()
{
    if (m_selection.isEmpty())
        return kNothingToCopyMessage;
    m_clipboardRoutine = m_current;
    m_clipboard = m_selection;
    return std::nullopt;
}

std::optional<QString> Flowchart::Paste()
{
    if (m_clipboard.isEmpty())
        return kNothingToPasteMessage;
    const Routine &source = m_routines[m_clipboardRoutine];
    for (const int slot : m_clipboard)
        if (source[slot].kind == NameOf(InstructionKind::Start))
            return kStartInClipboardMessage;
    // Boxes from the routine being pasted into are read as they were before
    // the paste: a source slot may be the one a new box takes.
    const Routine sources = source;
    QList<int> newSlots;  // per clipboard entry; kNoSlot where the source had become free
    for (const int slot : m_clipboard) {
        const int free = LowestFreeSlot();
        if (free == kNoSlot)
            return kTooManyBoxesMessage;
        if (TotalBytes() > kMemoryLimit)
            return kByteOverMessage;
        const FlowNode &from = sources[slot];
        if (!from.IsUsed()) {
            newSlots << kNoSlot;
            continue;
        }
        Current()[free] =
            FlowNode {free, from.kind, from.x + kBoxWidth, from.y + kBoxHeight, {}, kNoSlot, kNoSlot, from.params};
        newSlots << free;
    }
    for (int i = 0; i < m_clipboard.size(); ++i) {
        if (newSlots[i] == kNoSlot)
            continue;
        const FlowNode &from = sources[m_clipboard[i]];
        for (const Connector connector : {Connector::Next, Connector::Branch}) {
            const int oldTarget = connector == Connector::Next ? from.next : from.branch;
            const qsizetype entry = oldTarget == kNoSlot ? -1 : m_clipboard.indexOf(oldTarget);
            if (entry < 0 || newSlots[entry] == kNoSlot)
                continue;
            FlowNode &node = Current()[newSlots[i]];
            (connector == Connector::Next ? node.next : node.branch) = newSlots[entry];
            Current()[newSlots[entry]].preds << newSlots[i];
        }
    }
    UndoRecord record {UndoType::Paste, {}};
    for (const int slot : newSlots)
        if (slot != kNoSlot)
            record.nodeLines << LineOf(slot);
    if (!record.nodeLines.isEmpty())
        Push(record);
    m_selection.clear();
    return std::nullopt;
}

void Flowchart::Align(AlignMode mode)
{
    if (m_selection.isEmpty())
        return;
    UndoRecord record {UndoType::Align, {}};
    for (const int slot : m_selection)
        record.nodeLines << LineOf(slot);
    Push(record);

    const bool horizontal = mode == AlignMode::Left || mode == AlignMode::CentreHorizontal || mode == AlignMode::Right
        || mode == AlignMode::SpreadHorizontal;
    auto coordinate = [horizontal](FlowNode &node) -> int & { return horizontal ? node.x : node.y; };
    int low = coordinate(Current()[m_selection.first()]);
    int high = low;
    for (const int slot : m_selection) {
        low = std::min(low, coordinate(Current()[slot]));
        high = std::max(high, coordinate(Current()[slot]));
    }
    switch (mode) {
    case AlignMode::Left:
    case AlignMode::Top:
        for (const int slot : m_selection)
            coordinate(Current()[slot]) = low;
        break;
    case AlignMode::CentreHorizontal:
    case AlignMode::CentreVertical:
        for (const int slot : m_selection)
            coordinate(Current()[slot]) = low + RoundHalfEven((high - low) / 2.0);
        break;
    case AlignMode::Right:
    case AlignMode::Bottom:
        for (const int slot : m_selection)
            coordinate(Current()[slot]) = high;
        break;
    case AlignMode::SpreadHorizontal:
    case AlignMode::SpreadVertical: {
        if (m_selection.size() <= 2)
            break;
        const int step = RoundHalfEven(double(high - low) / double(m_selection.size() - 1));
        QList<int> ordered = m_selection;
        std::stable_sort(ordered.begin(), ordered.end(),
                         [&](int a, int b) { return coordinate(Current()[a]) < coordinate(Current()[b]); });
        for (int i = 0; i < ordered.size(); ++i)
            coordinate(Current()[ordered[i]]) = low + i * step;
        break;
    }
    }
    if (m_pressedSinceClear)
        m_selection.clear();
}

void Flowchart::SwitchRoutine(int routine)
{
    if (routine < 0 || routine >= kRoutineCount)
        return;
    Push({UndoType::SwitchRoutine, {}, m_current});
    m_current = routine;
    m_selection.clear();
}

void Flowchart::ClearAll()
{
    m_routines = {};
    m_subroutineNames = {};
    m_current = 0;
    m_currentNode = kNoSlot;
    m_pressedSinceClear = false;
    m_selection.clear();
    m_clipboard.clear();
    m_undo.clear();
    m_redo.clear();
}

UndoRecord Flowchart::CurrentStates(const UndoRecord &record) const
{
    UndoRecord states = record;
    states.nodeLines.clear();
    for (const QString &line : record.nodeLines) {
        const int slot = SlotOfLine(line);
        if (slot != kNoSlot)
            states.nodeLines << LineOf(slot);
    }
    return states;
}

void Flowchart::Undo()
{
    if (!m_undo.isEmpty() && m_undo.last().type == UndoType::Saved)
        m_undo.removeLast();
    if (m_undo.isEmpty())
        return;
    const UndoRecord record = m_undo.takeLast();
    m_selection.clear();
    if (record.type == UndoType::SwitchRoutine) {
        m_redo << UndoRecord {UndoType::SwitchRoutine, {}, m_current};
        m_current = record.routine;
        return;
    }
    const UndoRecord states = CurrentStates(record);
    const bool addsBoxes = record.type == UndoType::Place || record.type == UndoType::Paste;
    for (const QString &line : record.nodeLines) {
        if (addsBoxes) {
            const int slot = SlotOfLine(line);
            if (slot != kNoSlot)
                EmptySlot(slot);
        } else {
            Restore(line);
        }
    }
    m_redo << (addsBoxes || record.type == UndoType::Delete ? record : states);
}

void Flowchart::Redo()
{
    if (m_redo.isEmpty())
        return;
    const UndoRecord record = m_redo.takeLast();
    m_selection.clear();
    if (record.type == UndoType::SwitchRoutine) {
        PushKeepingRedo({UndoType::SwitchRoutine, {}, m_current});
        m_current = record.routine;
        return;
    }
    if (record.type == UndoType::Delete) {
        // The record holds the boxes before the deletion, as they are now.
        QList<int> deleted;
        for (const QString &line : record.nodeLines.mid(0, record.deletedCount))
            if (const int slot = SlotOfLine(line); slot != kNoSlot)
                deleted << slot;
        for (const int slot : deleted)
            EmptySlot(slot);
        RemoveLinksTo(deleted);
        PushKeepingRedo(record);
        return;
    }
    const UndoRecord states = CurrentStates(record);
    for (const QString &line : record.nodeLines)
        Restore(line);
    const bool addsBoxes = record.type == UndoType::Place || record.type == UndoType::Paste;
    PushKeepingRedo(addsBoxes ? record : states);
}

void Flowchart::MarkSaved()
{
    Push({UndoType::Saved, {}});
}

void Flowchart::ClearHistory()
{
    m_undo.clear();
    m_redo.clear();
}

void Flowchart::Push(const UndoRecord &record)
{
    PushKeepingRedo(record);
    m_redo.clear();
}

void Flowchart::PushKeepingRedo(const UndoRecord &record)
{
    m_undo << record;
    while (m_undo.size() > kUndoLimit)
        m_undo.removeFirst();
}

void Flowchart::Restore(const QString &line)
{
    const std::optional<FlowNode> node = ParseNodeLine(line);
    if (node && node->IsUsed())
        Current()[node->id] = *node;
}

void Flowchart::EmptySlot(int slot)
{
    Current()[slot] = FlowNode {};
}

void Flowchart::RemovePred(int target, int source)
{
    Current()[target].preds.removeAll(source);
}

void Flowchart::RemoveLinksTo(const QList<int> &gone)
{
    for (FlowNode &node : Current()) {
        if (!node.IsUsed())
            continue;
        if (gone.contains(node.next))
            node.next = kNoSlot;
        if (gone.contains(node.branch))
            node.branch = kNoSlot;
        node.preds.removeIf([&](int pred) { return gone.contains(pred); });
    }
}

QStringList Flowchart::SectionLines() const
{
    QStringList lines {kSubroutineMarker};
    lines << SubroutineNames();
    for (const Routine &routine : m_routines)
        for (const FlowNode &node : routine)
            lines << NodeLine(node);
    return lines;
}

bool Flowchart::LoadSection(const QStringList &section)
{
    const qsizetype names = kRoutineCount - 1;
    if (section.size() < 1 + names + kRoutineCount * kRoutineSlots || section[0] != kSubroutineMarker)
        return false;
    std::array<Routine, kRoutineCount> routines {};
    for (int routine = 0; routine < kRoutineCount; ++routine) {
        for (int slot = 0; slot < kRoutineSlots; ++slot) {
            const std::optional<FlowNode> node = ParseNodeLine(section[1 + names + routine * kRoutineSlots + slot]);
            if (!node)
                return false;
            routines[routine][slot] = *node;
            // Undo finds a box by its id: a used box is always in its own slot.
            if (node->IsUsed())
                routines[routine][slot].id = slot;
        }
    }
    m_routines = routines;
    for (int n = 1; n <= names; ++n)
        SetSubroutineName(n, section[n]);
    m_current = 0;
    m_currentNode = kNoSlot;
    m_pressedSinceClear = false;
    m_selection.clear();
    // The copied slot numbers named boxes of the program that was there.
    m_clipboard.clear();
    return true;
}

QRect RoutinePictureRect(const Flowchart &flowchart, int routine)
{
    const FlowNode &first = flowchart.Node(routine, 0);
    int minX = first.x;
    int maxX = first.x;
    int minY = first.y;
    int maxY = first.y;
    for (int slot = 0; slot < kRoutineSlots; ++slot) {
        const FlowNode &node = flowchart.Node(routine, slot);
        minX = std::min(minX, node.x);
        maxX = std::max(maxX, node.x);
        minY = std::min(minY, node.y);
        maxY = std::max(maxY, node.y);
    }
    return QRect(QPoint(minX, minY), QPoint(maxX + kBoxWidth + 35, maxY + kBoxHeight + 35) - QPoint(1, 1));
}

}  // namespace kq

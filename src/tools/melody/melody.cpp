#include "tools/melody/melody.h"

namespace kq {

namespace {
constexpr std::array<int, 7> kNaturalSemitone {0, 2, 4, 5, 7, 9, 11};
constexpr std::array<int, 12> kWhiteOfPitch {0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6};
constexpr std::array<bool, 12> kSharpPitch {false, true,  false, true,  false, false,
                                            true,  false, true,  false, true,  false};

QString NoteValues(int index, const MelodyNote &note)
{
    return QStringLiteral("%1:%2+%3+%4+%5+%6")
        .arg(index)
        .arg(note.length)
        .arg(note.key)
        .arg(note.sharp)
        .arg(note.x)
        .arg(note.y);
}
}  // namespace

bool HasBlackKeyRight(int whiteKey)
{
    const int degree = whiteKey % 7;
    // The keyboard ends on C6: nothing lies to the right of its last key.
    return whiteKey >= 0 && whiteKey + 1 < kWhiteKeyCount && degree != 2 && degree != 6;
}

bool IsRest(const MelodyNote &note)
{
    return note.key == kRestKey;
}

int LengthWidth(int length)
{
    return kStaffUnit * (length + 1);
}

int KeyY(int key)
{
    return key == kRestKey ? 0 : 40 - 4 * key;
}

int SemitoneOf(int key, int sharp)
{
    return 12 * (key / 7) + kNaturalSemitone[std::size_t(key % 7)] + sharp;
}

int LedOf(const MelodyNote &note)
{
    return IsRest(note) ? kRestLed : SemitoneOf(note.key, note.sharp) % 12;
}

KeyChoice KeyOfSemitone(int semitone)
{
    const std::size_t pitch = std::size_t(semitone % 12);
    return {7 * (semitone / 12) + kWhiteOfPitch[pitch], kSharpPitch[pitch]};
}

QList<MelodyNote> Melody::Notes() const
{
    return QList<MelodyNote>(m_notes.begin(), m_notes.begin() + m_count);
}

void Melody::SetLedColour(int led, int colour)
{
    if (led >= 0 && led < kLedCount && colour >= 0 && colour < kColourCount)
        m_leds[std::size_t(led)] = colour;
}

void Melody::SetCurrentLength(int length)
{
    if (length >= 0 && length < kLengthCount)
        m_currentLength = length;
}

bool Melody::Append(const KeyChoice &choice)
{
    if (IsFull())
        return false;
    const MelodyNote note {choice.key, m_currentLength, choice.sharp ? 1 : 0, m_nextX, KeyY(choice.key)};
    PlaceAt(m_count, note);
    AddHistory({false, EditKind::Append, m_count - 1, note, {}});
    return true;
}

bool Melody::InsertBefore(int index, const KeyChoice &choice, int length)
{
    if (IsFull() || index < 0 || index >= m_count)
        return false;
    const MelodyNote note {choice.key, length, choice.sharp ? 1 : 0, m_notes[std::size_t(index)].x, KeyY(choice.key)};
    PlaceAt(index, note);
    AddHistory({false, EditKind::Insert, index, note, {}});
    return true;
}

bool Melody::Edit(int index, const KeyChoice &choice, int length)
{
    if (index < 0 || index >= m_count)
        return false;
    const MelodyNote before = m_notes[std::size_t(index)];
    const MelodyNote after {choice.key, length, choice.sharp ? 1 : 0, before.x, KeyY(choice.key)};
    Replace(index, after);
    AddHistory({false, EditKind::Edit, index, before, after});
    return true;
}

bool Melody::ChangeLength(int index, int length)
{
    if (index < 0 || index >= m_count || length < 0 || length >= kLengthCount)
        return false;
    const MelodyNote before = m_notes[std::size_t(index)];
    MelodyNote after = before;
    after.length = length;
    Replace(index, after);
    AddHistory({false, EditKind::ChangeLength, index, before, after});
    return true;
}

bool Melody::Delete(int index)
{
    if (index < 0 || index >= m_count)
        return false;
    AddHistory({false, EditKind::Delete, index, m_notes[std::size_t(index)], {}});
    RemoveAt(index);
    return true;
}

bool Melody::PlaceAt(int index, const MelodyNote &note)
{
    if (IsFull() || index < 0 || index > m_count)
        return false;
    for (int slot = m_count; slot > index; --slot)
        m_notes[std::size_t(slot)] = m_notes[std::size_t(slot - 1)];
    m_notes[std::size_t(index)] = note;
    ++m_count;
    ShiftAfter(index, LengthWidth(note.length));
    return true;
}

bool Melody::RemoveAt(int index)
{
    if (index < 0 || index >= m_count)
        return false;
    const int width = LengthWidth(m_notes[std::size_t(index)].length);
    for (int slot = index; slot + 1 < m_count; ++slot)
        m_notes[std::size_t(slot)] = m_notes[std::size_t(slot + 1)];
    --m_count;
    m_notes[std::size_t(m_count)] = MelodyNote {};
    ShiftAfter(index - 1, -width);
    return true;
}

void Melody::Replace(int index, const MelodyNote &values)
{
    MelodyNote &note = m_notes[std::size_t(index)];
    const int shift = LengthWidth(values.length) - LengthWidth(note.length);
    note.key = values.key;
    note.length = values.length;
    note.sharp = values.sharp;
    note.y = values.y;
    ShiftAfter(index, shift);
}

void Melody::ShiftAfter(int index, int by)
{
    for (int slot = index + 1; slot < m_count; ++slot)
        m_notes[std::size_t(slot)].x += by;
    m_nextX += by;
}

void Melody::AddHistory(const HistoryEntry &entry)
{
    m_undo.append(entry);
    if (m_undo.size() > kHistoryLimit)
        m_undo.removeFirst();
    m_redo.clear();
}

bool Melody::Apply(const HistoryEntry &entry, bool forwards)
{
    switch (entry.kind) {
    case EditKind::Append:
    case EditKind::Insert:
        return forwards ? PlaceAt(entry.index, entry.before) : RemoveAt(entry.index);
    case EditKind::Delete:
        return forwards ? RemoveAt(entry.index) : PlaceAt(entry.index, entry.before);
    case EditKind::Edit:
    case EditKind::ChangeLength:
        if (entry.index < 0 || entry.index >= m_count)
            return false;
        Replace(entry.index, forwards ? entry.after : entry.before);
        return true;
    }
    return false;
}

bool Melody::Undo()
{
    if (!m_undo.isEmpty() && m_undo.last().saveMarker)
        m_undo.removeLast();
    if (m_undo.isEmpty())
        return false;
    const HistoryEntry entry = m_undo.takeLast();
    Apply(entry, false);
    m_redo.append(entry);
    return true;
}

bool Melody::Redo()
{
    if (m_redo.isEmpty())
        return false;
    const HistoryEntry entry = m_redo.takeLast();
    Apply(entry, true);
    // Unlike a new edit, a redo keeps the older entries and the rest of the
    // redo list.
    m_undo.append(entry);
    return true;
}

void Melody::MarkSaved()
{
    HistoryEntry marker;
    marker.saveMarker = true;
    AddHistory(marker);
}

bool Melody::IsMarkedSaved() const
{
    return !m_undo.isEmpty() && m_undo.last().saveMarker;
}

QString Melody::EntryText(const HistoryEntry &entry)
{
    if (entry.saveMarker)
        return QStringLiteral("20=0");
    const QString head = QString::number(int(entry.kind)) + QLatin1Char('=');
    if (entry.kind == EditKind::Edit || entry.kind == EditKind::ChangeLength)
        return head + NoteValues(entry.index, entry.before) + QLatin1Char('/') + NoteValues(entry.index, entry.after);
    return head + NoteValues(entry.index, entry.before);
}

QStringList Melody::UndoEntries() const
{
    QStringList texts;
    for (const HistoryEntry &entry : m_undo)
        texts.append(EntryText(entry));
    return texts;
}

QStringList Melody::RedoEntries() const
{
    QStringList texts;
    for (const HistoryEntry &entry : m_redo)
        texts.append(EntryText(entry));
    return texts;
}

void Melody::Reset()
{
    *this = Melody();
}

Melody Melody::WithNotes(const QList<MelodyNote> &notes)
{
    Melody melody;
    for (const MelodyNote &note : notes) {
        if (melody.IsFull())
            break;
        melody.m_notes[std::size_t(melody.m_count++)] = note;
        melody.m_nextX += LengthWidth(note.length);
    }
    return melody;
}

}  // namespace kq

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// A melody of at most 110 notes for the clock's buzzer, with the LED colour
// of each pitch class, the speed and the edit history. No widget here: the
// window turns gestures into these operations.
namespace kq {

inline constexpr int kMelodySlots = 110;
inline constexpr int kLedCount = 13;  // 12 pitch classes and the rest
inline constexpr int kRestLed = 12;
inline constexpr int kLedOff = 7;
inline constexpr int kColourCount = 8;
inline constexpr int kLengthCount = 5;  // sixteenth .. half
inline constexpr int kQuarterLength = 2;
inline constexpr int kWhiteKeyCount = 22;  // C3 .. C6
inline constexpr int kRestKey = 185;
inline constexpr int kFirstNoteX = 80;
inline constexpr int kStaffUnit = 30;
inline constexpr int kHistoryLimit = 10;

inline const QString kMelodyFullMessage = QStringLiteral("これ以上音符の追加は出来ません。");

enum class MelodySpeed {
    Double,
    Standard,
    Half
};

// What the pupil chose on a key: the key number ("0".."21", 185 the rest)
// and whether it was the black key to its right.
struct KeyChoice {
    int key = 0;
    bool sharp = false;
    bool operator==(const KeyChoice &) const = default;
};

struct MelodyNote {
    int key = 0;
    int length = 0;
    int sharp = 0;
    int x = 0;
    int y = 0;
    bool operator==(const MelodyNote &) const = default;
};

// Keys with a black key to their right: C, D, F, G and A below C6.
bool HasBlackKeyRight(int whiteKey);
bool IsRest(const MelodyNote &note);
// 30 pixels per length unit on the staff.
int LengthWidth(int length);
// The glyph offset of a key: 40 − 4 × key, 0 for the rest.
int KeyY(int key);
// Semitone above C3 (0..36).
int SemitoneOf(int key, int sharp);
// The LED of a note: its pitch class, or 12 for a rest.
int LedOf(const MelodyNote &note);
// The white key and sharp flag of a semitone above C3.
KeyChoice KeyOfSemitone(int semitone);

class Melody {
public:
    enum class EditKind {
        Append = 1,
        Delete = 2,
        Insert = 3,
        Edit = 4,
        ChangeLength = 5
    };

    int Count() const { return m_count; }
    const MelodyNote &Note(int index) const { return m_notes[std::size_t(index)]; }
    QList<MelodyNote> Notes() const;
    int NextX() const { return m_nextX; }

    int LedColour(int led) const { return m_leds[std::size_t(led)]; }
    void SetLedColour(int led, int colour);
    bool LedLink() const { return m_ledLink; }
    void SetLedLink(bool on) { m_ledLink = on; }
    MelodySpeed Speed() const { return m_speed; }
    void SetSpeed(MelodySpeed speed) { m_speed = speed; }
    int CurrentLength() const { return m_currentLength; }
    void SetCurrentLength(int length);

    // Each edit returns false and changes nothing when it cannot be made: a
    // full melody for the additions, an index without a note for the others.
    [[nodiscard]] bool Append(const KeyChoice &choice);
    [[nodiscard]] bool InsertBefore(int index, const KeyChoice &choice, int length);
    [[nodiscard]] bool Edit(int index, const KeyChoice &choice, int length);
    [[nodiscard]] bool ChangeLength(int index, int length);
    [[nodiscard]] bool Delete(int index);
    bool IsFull() const { return m_count == kMelodySlots; }

    // False when there was nothing to undo or redo.
    bool Undo();
    bool Redo();
    void MarkSaved();
    // Whether the last undo entry is the save marker.
    bool IsMarkedSaved() const;
    // The entries in their text form, oldest first.
    QStringList UndoEntries() const;
    QStringList RedoEntries() const;

    // Everything back to the initial state, history included.
    void Reset();

    // A melody with these notes (at most 110; the history empty). x and y
    // are taken as they stand; next x follows from the lengths.
    static Melody WithNotes(const QList<MelodyNote> &notes);

private:
    struct HistoryEntry {
        bool saveMarker = false;
        EditKind kind = EditKind::Append;
        int index = 0;
        MelodyNote before;  // the note itself for 1, 2 and 3
        MelodyNote after;  // the new values for 4 and 5
    };

    static QString EntryText(const HistoryEntry &entry);
    void AddHistory(const HistoryEntry &entry);
    bool PlaceAt(int index, const MelodyNote &note);
    bool RemoveAt(int index);
    // Replaces length, key, sharp and y, shifting the later notes.
    void Replace(int index, const MelodyNote &values);
    void ShiftAfter(int index, int by);
    // Applies an entry: backwards for undo, forwards for redo.
    bool Apply(const HistoryEntry &entry, bool forwards);

    std::array<MelodyNote, kMelodySlots> m_notes {};
    int m_count = 0;
    int m_nextX = kFirstNoteX;
    std::array<int, kLedCount> m_leds = MakeLedsOff();
    bool m_ledLink = false;
    MelodySpeed m_speed = MelodySpeed::Standard;
    int m_currentLength = kQuarterLength;
    QList<HistoryEntry> m_undo;
    QList<HistoryEntry> m_redo;

    static constexpr std::array<int, kLedCount> MakeLedsOff()
    {
        std::array<int, kLedCount> leds {};
        leds.fill(kLedOff);
        return leds;
    }
};

}  // namespace kq

#pragma once

#include "base/paths.h"
#include "base/text_file.h"
#include "panel/document/panel_file_names.h"
#include "panel/document/panel_messages.h"
#include "panel/model/kit_model.h"
#include "panel/model/panel_record.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

// The panel document: a background and up to 90 layers, kept together with
// the text records that say how each layer was made. Every rule of the
// document lives here; the main window turns gestures into these calls and
// redraws afterwards.
namespace kq::panel {

class PhotoEncodings;
struct TextRecord;

// One layer above the background. image is RGB32; where transparent is on,
// pixels of exactly transparentColour are not drawn.
struct PanelLayer {
    QImage image;
    QPoint position;  // document pixels, top-left corner
    bool transparent = false;
    QColor transparentColour = Qt::white;
};

// What a layer was made from (its creation record); the background is layer
// kBackgroundLayer (-1).
enum class LayerKind {
    Background,
    Photo,
    Part,
    Text
};

// No layer selected. The background (kBackgroundLayer, -1) can be selected
// like a layer.
inline constexpr int kNoSelection = -2;

// Percent 0..100 of a save or load, for the window's progress panel.
using ProgressCallback = std::function<void(int percent)>;

enum class PanelFileStatus {
    Done,
    MissingPicture,  // a background or part file named in the panel file does not exist
    Failed,  // anything else: unreadable, damaged or unwritable
};

struct [[nodiscard]] PanelFileResult {
    PanelFileStatus status = PanelFileStatus::Done;
    QString message;  // the text to show; empty when Done

    explicit operator bool() const { return status == PanelFileStatus::Done; }
};

// The file name of a record's path, after the last "/" or "\" (panel files
// made on Windows hold "C:\...\name.gif").
QString FileNameOf(const QString &path);

class PanelDocument {
public:
    // panelPaths: the panel maker's data tree (program folder KQ-18/) and its
    // temporary folder. Starts reset.
    PanelDocument(const KitModel &model, const kq::Paths &panelPaths);

    const KitModel &Model() const { return m_model; }

    // Called after every change of the pictures or the records (not of the
    // selection or the snapshot alone), so views of the whole panel follow.
    void SetChangeListener(std::function<void()> listener);

    // Empties the layers, loads the model's default background (a missing or
    // unreadable one leaves no background), records := the one background
    // line "-1,背景,<path>,0,0", no selection. The snapshot stays.
    void Reset();

    // Null when there is no background picture.
    const QImage &Background() const { return m_state.background; }
    bool HasBackground() const { return !m_state.background.isNull(); }
    QString BackgroundPath() const { return m_state.backgroundPath; }

    int LayerCount() const { return int(m_state.layers.size()); }
    // n 0..LayerCount()-1, layer 0 lowest.
    const PanelLayer &Layer(int n) const { return m_state.layers.at(n); }
    // n -1..LayerCount()-1.
    LayerKind KindOf(int n) const;
    // The layer's first record ("n,写真,..." / "n,部品,..." / "n,文字,..."),
    // e.g. for ParseTextRecord before editing a text layer.
    QString CreationRecord(int n) const;

    const QStringList &Records() const { return m_state.records; }

    // The layer list: the top layer first, the background last, as
    // kind + "：" + file name (or "文字：" + the text).
    QStringList LayerListTexts() const;
    // Row of the list <-> layer number (the last row is the background).
    int LayerOfListRow(int row) const { return LayerCount() - 1 - row; }
    int ListRowOfLayer(int n) const { return LayerCount() - 1 - n; }

    // kNoSelection, kBackgroundLayer or a layer number.
    int Selected() const { return m_selected; }
    // Anything else than those values selects nothing.
    void Select(int layer);
    // The top layer whose rectangle holds documentPoint, else
    // kBackgroundLayer inside the panel, else kNoSelection.
    int LayerUnder(QPoint documentPoint) const;

    // One level of undo. The commands below that change the document take the
    // snapshot themselves where noted; restoring sorts the records, clears the
    // selection and may be repeated. Restoring without a snapshot does nothing.
    bool HasSnapshot() const { return m_snapshot.has_value(); }
    void TakeSnapshot();
    void RestoreSnapshot();

    // kLayerLimitMessage at 90 layers, kNoBackgroundMessage without a
    // background; nullopt when a photo, part or text layer may be added.
    std::optional<QString> CanAddLayer() const;

    // New photo layer at 0, 0, transparency off with white as its colour;
    // record "n,写真,<path>,0,0,False,clWhite," with the path as
    // StorableRecordPath writes it (the file carries the photo's pixels, so
    // any folder will do). A photo larger than the panel is scaled down to
    // fit it, keeping its aspect, and a resize record follows:
    // "n,加工,Resize,0/0/0/0/0/0/0/0,w,h,True". Takes the snapshot. False
    // (nothing changed) when CanAddLayer refuses or the file is unreadable;
    // the window then shows kPanelReadFailedMessage.
    [[nodiscard]] bool AddPhoto(const QString &path);
    // New part layer at position, transparency on with white; record
    // "n,部品,<path>,x,y" (path as for AddPhoto). Takes the snapshot and
    // clears the selection. False as for AddPhoto.
    [[nodiscard]] bool AddPart(const QString &path, QPoint position);
    // The background becomes the file (layers and their records stay, the
    // first record becomes "-1,背景,<path>,0,0"). Takes the snapshot and
    // clears the selection. False (nothing changed) as for AddPhoto.
    [[nodiscard]] bool ChooseBackground(const QString &path);
    // New text layer n = LayerCount() at 0, 0 from the text window's record
    // (its layer and position are ignored), rendered at the model's text
    // factor. Takes the snapshot and clears the selection. False (nothing
    // changed) when CanAddLayer refuses or TextRefusal refuses the text or
    // the face name.
    [[nodiscard]] bool AddText(const TextRecord &record);
    // Text layer n rendered again from record; number and position stay, the
    // record line is replaced in place, the layer's processing records are
    // applied again to the new picture. Takes the snapshot. False (nothing
    // changed) when n is not a text layer, TextRefusal refuses the text or
    // the face name, or the picture would be absurdly large.
    bool ReplaceText(int n, const TextRecord &record);

    // Drag: the layer's picture moves, its record not yet.
    void MoveLayerTo(int n, QPoint position);
    // Release of a drag: the creation record gets the layer's position in
    // fields 4 and 5.
    void CommitPosition(int n);
    // Arrow keys: moves by delta (one document pixel) and writes the record.
    void NudgeLayer(int n, QPoint delta);

    // Photo and text layers only (others are left alone): transparency flag
    // and colour of layer and creation record. Takes the snapshot.
    void SetTransparency(int n, bool on, const QColor &colour);

    // The selected layer one step up / down, with the records renumbered; the
    // selection follows the layer. kNothingToChangeMessage without a
    // selection, kBackgroundFixedMessage for the background; nothing happens
    // (nullopt) when there is no layer above / below. Takes the snapshot when
    // two layers change places.
    std::optional<QString> RaiseSelected();
    std::optional<QString> LowerSelected();

    // Removes layer n (0..count-1) and all its records; higher layers and
    // their records move down one. Clears the selection. No snapshot (the
    // window asks kDeleteQuestion first).
    void DeleteLayer(int n);

    // An applied effect: layer n's picture becomes result and the records
    // (each from the effect name on, e.g. "Blur,0/0/0/0/0/0/0/0,10") are
    // appended as "n,加工,...". A "SelectImage" record (the ellipse cut) also
    // turns the layer's transparency on with white, in its creation record
    // too for photo and text layers. Takes the snapshot.
    void ApplyProcessed(int n, const QImage &result, const QStringList &recordsFromName);

    // The whole panel (panel size): background, every layer with its colour
    // key, and with withOverlay the model's frame overlay leaving out black.
    // Null without a background.
    QImage Flatten(bool withOverlay) const;

    // Writes the panel file (sorted records, photos with their pixels).
    // Failed with kPanelSaveFailedMessage when it cannot be written; an
    // existing file is then left untouched. The sorted list replaces the
    // document's records.
    PanelFileResult Save(const QString &path, const ProgressCallback &progress = {});
    // What writes the bytes Save would write now (nullopt, with the character
    // CP932 cannot hold if that is why, when it cannot), without changing the
    // document. It holds its own copies, so it may run on another thread
    // while the document goes on changing.
    std::function<EncodedLines()> FileWriter() const;
    // Reads a panel file. On success the document holds exactly the file's
    // panel with no selection. On failure nothing changes: MissingPicture with
    // the not-found message, Failed with kPanelReadFailedMessage.
    PanelFileResult Load(const QString &path, const ProgressCallback &progress = {});
    // Load of a panel file's bytes (a recovery copy's) that belong in
    // panelFolder, where pictures moved beside the file are looked for;
    // empty for a panel never saved.
    PanelFileResult LoadBytes(QByteArrayView bytes, const QString &panelFolder);

    // The photos' encoded pictures, shared by saves and FileWriter.
    const PhotoEncodings &Encodings() const { return *m_encodings; }

    // The document as one value: what the snapshot holds.
    struct State {
        QImage background;
        QString backgroundPath;
        QList<PanelLayer> layers;
        QStringList records;
    };

private:
    PanelFileResult LoadContent(const TextFileContent &content, const QString &panelFolder,
                                const ProgressCallback &progress);
    State ResetState() const;
    int CreationRecordIndex(int n) const;
    void RewriteCreationRecord(int n, const std::function<void(QStringList &fields)> &edit);
    void WriteTransparency(int n);
    std::optional<QString> SwapSelectedWith(int offset);
    void Changed() const;

    KitModel m_model;
    kq::Paths m_paths;
    State m_state;
    std::optional<State> m_snapshot;
    int m_selected = kNoSelection;
    mutable std::optional<QImage> m_overlay;  // read on the first flatten that needs it
    std::function<void()> m_changeListener;
    std::shared_ptr<PhotoEncodings> m_encodings;
};

}  // namespace kq::panel

#include "panel/document/panel_document.h"

#include "panel/document/layer_building.h"
#include "panel/document/panel_picture.h"
#include "panel/document/photo_encodings.h"
#include "panel/effects/effect_records.h"
#include "panel/effects/image_effects.h"
#include "panel/model/colour_text.h"
#include "panel/text/text_layer.h"

#include <algorithm>
#include <utility>

namespace kq::panel {

namespace {

const QString kTrue = QStringLiteral("True");
const QString kFalse = QStringLiteral("False");
const QString kEllipseCutName = QStringLiteral("SelectImage");

QString Number(int value)
{
    return QString::number(value);
}

// Text and face name go into the record's fields and the panel file.
bool CanStoreText(const TextRecord &record)
{
    return !TextRefusal(record.description.text) && !TextRefusal(record.description.face);
}

QString BackgroundRecord(const QString &path)
{
    return Number(kBackgroundLayer) + QLatin1Char(',') + kBackgroundKind + QLatin1Char(',') + path
        + QStringLiteral(",0,0");
}

// The creation record's fields without the trailing ones a kind does not
// have (a photo keeps its empty picture field 8).
int CreationFieldCount(RecordKind kind)
{
    switch (kind) {
    case RecordKind::Photo:
        return 8;
    case RecordKind::Text:
        return 9;
    default:
        return 5;
    }
}

bool IsCreationKind(RecordKind kind)
{
    return kind == RecordKind::Photo || kind == RecordKind::Part || kind == RecordKind::Text;
}

// The size a photo is added at: within the panel, keeping its aspect.
QSize FittedPhotoSize(QSize photo, QSize panel)
{
    if (photo.width() <= panel.width() && photo.height() <= panel.height())
        return photo;
    return photo.scaled(panel, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

}  // namespace

QString FileNameOf(const QString &path)
{
    const qsizetype slash = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(slash + 1);
}

PanelDocument::PanelDocument(const KitModel &model, const kq::Paths &panelPaths)
    : m_model(model), m_paths(panelPaths), m_encodings(std::make_shared<PhotoEncodings>())
{
    Reset();
}

PanelDocument::State PanelDocument::ResetState() const
{
    State state;
    const QString path = m_paths.ProgramFile(DefaultBackground(m_model));
    if (std::optional<QImage> picture = ReadPanelPicture(path))
        state.background = std::move(*picture);
    state.backgroundPath = StorableRecordPath(path);
    state.records = {BackgroundRecord(state.backgroundPath)};
    return state;
}

void PanelDocument::Reset()
{
    m_state = ResetState();
    m_selected = kNoSelection;
    Changed();
}

void PanelDocument::SetChangeListener(std::function<void()> listener)
{
    m_changeListener = std::move(listener);
}

void PanelDocument::Changed() const
{
    if (m_changeListener)
        m_changeListener();
}

int PanelDocument::CreationRecordIndex(int n) const
{
    for (int i = 0; i < m_state.records.size(); ++i) {
        const QString &line = m_state.records.at(i);
        if (RecordLayer(line) == n && IsCreationKind(KindOfRecord(line)))
            return i;
    }
    return -1;
}

QString PanelDocument::CreationRecord(int n) const
{
    const int index = CreationRecordIndex(n);
    return index < 0 ? QString() : m_state.records.at(index);
}

LayerKind PanelDocument::KindOf(int n) const
{
    switch (KindOfRecord(CreationRecord(n))) {
    case RecordKind::Photo:
        return LayerKind::Photo;
    case RecordKind::Text:
        return LayerKind::Text;
    case RecordKind::Part:
        return LayerKind::Part;
    default:
        return LayerKind::Background;
    }
}

QStringList PanelDocument::LayerListTexts() const
{
    QStringList texts;
    for (int n = LayerCount() - 1; n >= 0; --n) {
        const QString record = CreationRecord(n);
        if (KindOfRecord(record) == RecordKind::Text)
            texts.append(kTextKind + QStringLiteral("：") + RecordField(record, 7).section(QLatin1Char('/'), 0, 0));
        else
            texts.append(RecordField(record, 2) + QStringLiteral("：") + FileNameOf(RecordField(record, 3)));
    }
    texts.append(kBackgroundKind + QStringLiteral("：") + FileNameOf(m_state.backgroundPath));
    return texts;
}

void PanelDocument::Select(int layer)
{
    const bool valid = layer == kBackgroundLayer || (layer >= 0 && layer < LayerCount());
    m_selected = valid ? layer : kNoSelection;
}

int PanelDocument::LayerUnder(QPoint documentPoint) const
{
    for (int n = LayerCount() - 1; n >= 0; --n) {
        const PanelLayer &layer = m_state.layers.at(n);
        if (QRect(layer.position, layer.image.size()).contains(documentPoint))
            return n;
    }
    return QRect(QPoint(0, 0), m_model.panelSize).contains(documentPoint) ? kBackgroundLayer : kNoSelection;
}

void PanelDocument::TakeSnapshot()
{
    m_snapshot = m_state;
}

void PanelDocument::RestoreSnapshot()
{
    if (!m_snapshot)
        return;
    m_state = *m_snapshot;
    m_state.records = SortRecordsByLayer(m_state.records);
    m_selected = kNoSelection;
    Changed();
}

std::optional<QString> PanelDocument::CanAddLayer() const
{
    if (LayerCount() >= kMaxLayers)
        return kLayerLimitMessage;
    if (!HasBackground())
        return kNoBackgroundMessage;
    return std::nullopt;
}

bool PanelDocument::AddPhoto(const QString &path)
{
    if (CanAddLayer())
        return false;
    std::optional<QImage> picture = ReadPanelPicture(path);
    if (!picture)
        return false;
    // A camera's photo is many times the panel (4000 pixels are 40 cm): it
    // arrives fitted, resized and recorded as the resize page would do it.
    const ResizeEffect fit {{}, FittedPhotoSize(picture->size(), m_model.panelSize)};
    const bool fitted = fit.size != picture->size();
    UnattendedEffect control;
    if (fitted && !ApplyEffect(*picture, fit, control))
        return false;
    TakeSnapshot();
    const int n = LayerCount();
    m_state.layers.append({std::move(*picture), QPoint(0, 0), false, QColor(Qt::white)});
    m_state.records.append(Number(n) + QLatin1Char(',') + kPhotoKind + QLatin1Char(',') + StorableRecordPath(path)
                           + QStringLiteral(",0,0,False,clWhite,"));
    if (fitted)
        m_state.records.append(Number(n) + QLatin1Char(',') + kProcessingKind + QLatin1Char(',') + EffectRecord(fit));
    Changed();
    return true;
}

bool PanelDocument::AddPart(const QString &path, QPoint position)
{
    if (CanAddLayer())
        return false;
    std::optional<QImage> picture = ReadPanelPicture(path);
    if (!picture)
        return false;
    TakeSnapshot();
    const int n = LayerCount();
    m_state.layers.append({std::move(*picture), position, true, QColor(Qt::white)});
    m_state.records.append(Number(n) + QLatin1Char(',') + kPartKind + QLatin1Char(',') + StorableRecordPath(path)
                           + QLatin1Char(',') + Number(position.x()) + QLatin1Char(',') + Number(position.y()));
    m_selected = kNoSelection;
    Changed();
    return true;
}

bool PanelDocument::ChooseBackground(const QString &path)
{
    std::optional<QImage> picture = ReadPanelPicture(path);
    if (!picture)
        return false;
    TakeSnapshot();
    m_state.background = std::move(*picture);
    m_state.backgroundPath = StorableRecordPath(path);
    const QString line = BackgroundRecord(m_state.backgroundPath);
    const auto found = std::find_if(m_state.records.begin(), m_state.records.end(), [](const QString &record) {
        return KindOfRecord(record) == RecordKind::Background;
    });
    if (found != m_state.records.end())
        *found = line;
    else
        m_state.records.prepend(line);
    m_selected = kNoSelection;
    Changed();
    return true;
}

bool PanelDocument::AddText(const TextRecord &record)
{
    if (CanAddLayer() || !CanStoreText(record))
        return false;
    TextRecord placed = record;
    placed.layer = LayerCount();
    placed.position = QPoint(0, 0);
    std::optional<QImage> picture = RenderTextPicture(placed, m_model);
    if (!picture)
        return false;
    TakeSnapshot();
    m_state.layers.append({std::move(*picture), placed.position, placed.transparent, placed.transparentColour});
    m_state.records.append(TextRecordLine(placed));
    m_selected = kNoSelection;
    Changed();
    return true;
}

bool PanelDocument::ReplaceText(int n, const TextRecord &record)
{
    const int index = CreationRecordIndex(n);
    if (index < 0 || KindOfRecord(m_state.records.at(index)) != RecordKind::Text || !CanStoreText(record))
        return false;
    TextRecord placed = record;
    placed.layer = n;
    placed.position = m_state.layers.at(n).position;
    std::optional<QImage> picture = RenderTextPicture(placed, m_model);
    if (!picture)
        return false;
    PanelLayer rendered{std::move(*picture), placed.position, placed.transparent, placed.transparentColour};
    // The picture must show what loading the saved file would show, so the
    // layer's effects are applied again to the new text.
    for (const QString &line : std::as_const(m_state.records)) {
        if (RecordLayer(line) == n && KindOfRecord(line) == RecordKind::Processing
            && !ReplayProcessingRecord(rendered, line))
            return false;
    }
    TakeSnapshot();
    m_state.layers[n] = std::move(rendered);
    m_state.records[index] = TextRecordLine(placed);
    Changed();
    return true;
}

void PanelDocument::RewriteCreationRecord(int n, const std::function<void(QStringList &fields)> &edit)
{
    const int index = CreationRecordIndex(n);
    if (index < 0)
        return;
    QStringList fields = RecordFields(m_state.records.at(index));
    fields.resize(CreationFieldCount(KindOfRecord(m_state.records.at(index))));
    edit(fields);
    m_state.records[index] = fields.join(QLatin1Char(','));
}

void PanelDocument::MoveLayerTo(int n, QPoint position)
{
    if (n < 0 || n >= LayerCount())
        return;
    m_state.layers[n].position = position;
    Changed();
}

void PanelDocument::CommitPosition(int n)
{
    if (n < 0 || n >= LayerCount())
        return;
    const QPoint position = m_state.layers.at(n).position;
    RewriteCreationRecord(n, [position](QStringList &fields) {
        fields[3] = Number(position.x());
        fields[4] = Number(position.y());
    });
    // The record is what the file and the recovery copy keep of the drag.
    Changed();
}

void PanelDocument::NudgeLayer(int n, QPoint delta)
{
    if (n < 0 || n >= LayerCount())
        return;
    m_state.layers[n].position += delta;
    CommitPosition(n);
}

void PanelDocument::WriteTransparency(int n)
{
    const PanelLayer &layer = m_state.layers.at(n);
    // Photo fields 6 and 7, text fields 8 and 9.
    const int flagField = KindOf(n) == LayerKind::Photo ? 6 : 8;
    const QString flag = layer.transparent ? kTrue : kFalse;
    const QString colour = ColourText(layer.transparentColour);
    RewriteCreationRecord(n, [&](QStringList &fields) {
        fields[flagField - 1] = flag;
        fields[flagField] = colour;
    });
}

void PanelDocument::SetTransparency(int n, bool on, const QColor &colour)
{
    if (n < 0 || n >= LayerCount() || (KindOf(n) != LayerKind::Photo && KindOf(n) != LayerKind::Text))
        return;
    TakeSnapshot();
    PanelLayer &layer = m_state.layers[n];
    layer.transparent = on;
    layer.transparentColour = QColor(colour.rgb());
    WriteTransparency(n);
    Changed();
}

std::optional<QString> PanelDocument::RaiseSelected()
{
    return SwapSelectedWith(1);
}

std::optional<QString> PanelDocument::LowerSelected()
{
    return SwapSelectedWith(-1);
}

std::optional<QString> PanelDocument::SwapSelectedWith(int offset)
{
    if (m_selected == kNoSelection)
        return kNothingToChangeMessage;
    if (m_selected == kBackgroundLayer)
        return kBackgroundFixedMessage;
    const int n = m_selected;
    const int target = n + offset;
    if (target < 0 || target >= LayerCount())
        return std::nullopt;
    TakeSnapshot();
    m_state.layers.swapItemsAt(n, target);
    for (QString &line : m_state.records) {
        const std::optional<int> layer = RecordLayer(line);
        if (layer == n)
            line = WithRecordField(line, 1, Number(target));
        else if (layer == target)
            line = WithRecordField(line, 1, Number(n));
    }
    m_selected = target;
    Changed();
    return std::nullopt;
}

void PanelDocument::DeleteLayer(int n)
{
    if (n < 0 || n >= LayerCount())
        return;
    m_state.layers.removeAt(n);
    QStringList kept;
    for (const QString &line : std::as_const(m_state.records)) {
        const std::optional<int> layer = RecordLayer(line);
        if (layer == n)
            continue;
        // Only field 1: numbers inside effect parameters are not layers.
        kept.append(layer && *layer > n ? WithRecordField(line, 1, Number(*layer - 1)) : line);
    }
    m_state.records = kept;
    m_selected = kNoSelection;
    Changed();
}

void PanelDocument::ApplyProcessed(int n, const QImage &result, const QStringList &recordsFromName)
{
    if (n < 0 || n >= LayerCount())
        return;
    TakeSnapshot();
    PanelLayer &layer = m_state.layers[n];
    layer.image = result.convertToFormat(QImage::Format_RGB32);
    bool ellipseCut = false;
    for (const QString &record : recordsFromName) {
        m_state.records.append(Number(n) + QLatin1Char(',') + kProcessingKind + QLatin1Char(',') + record);
        ellipseCut = ellipseCut || record.section(QLatin1Char(','), 0, 0) == kEllipseCutName;
    }
    if (ellipseCut) {
        // The cut paints the outside white; white must then be see-through, and
        // the creation record says so because replaying the cut does not.
        layer.transparent = true;
        layer.transparentColour = QColor(Qt::white);
        if (KindOf(n) == LayerKind::Photo || KindOf(n) == LayerKind::Text)
            WriteTransparency(n);
    }
    Changed();
}

QImage PanelDocument::Flatten(bool withOverlay) const
{
    if (!HasBackground())
        return {};
    QImage panel(m_model.panelSize, QImage::Format_RGB32);
    panel.fill(Qt::white);
    MergeWithColourKey(panel, m_state.background, QPoint(0, 0), std::nullopt);
    for (const PanelLayer &layer : m_state.layers) {
        MergeWithColourKey(panel, layer.image, layer.position,
                           layer.transparent ? std::optional<QColor>(layer.transparentColour) : std::nullopt);
    }
    if (withOverlay) {
        if (!m_overlay)
            m_overlay = ReadPanelPicture(m_paths.ProgramFile(FrameOverlay(m_model))).value_or(QImage());
        if (!m_overlay->isNull())
            MergeWithColourKey(panel, *m_overlay, QPoint(0, 0), QColor(Qt::black));
    }
    return panel;
}

}  // namespace kq::panel

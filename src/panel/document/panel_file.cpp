// Saving and loading the panel file: one record per line, photos carrying
// their pixels as base64 JPEG, everything else rebuilt from its source.
#include "panel/document/panel_document.h"

#include "base/atomic_file.h"
#include "base/picture_file.h"
#include "base/save_failed_text.h"
#include "base/text_file.h"
#include "panel/document/layer_building.h"
#include "panel/document/panel_picture.h"
#include "panel/document/picture_lookup.h"
#include "panel/model/colour_text.h"
#include "panel/text/text_layer.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace kq::panel {

namespace {

const QString kReadJpegName = QStringLiteral("Read.jpg");
const QString kKeptPhotoEffect = QStringLiteral("SelectImage");
constexpr int kPhotoFieldsBeforePicture = 7;

void Report(const ProgressCallback &progress, qsizetype done, qsizetype total)
{
    if (progress)
        progress(total > 0 ? int(done * 100 / total) : 100);
}

PanelFileResult SaveFailed(const TextWriteResult &written = {})
{
    return {PanelFileStatus::Failed, SaveFailedText(kPanelSaveFailedMessage, written)};
}

PanelFileResult ReadFailed()
{
    return {PanelFileStatus::Failed, kPanelReadFailedMessage};
}

// The picture's JPEG bytes at quality 100. Encoded in memory: a JPEG file
// cut short on a full disk would be stored as a broken picture.
std::optional<QByteArray> JpegBytes(const QImage &image)
{
    return PictureBytes(image, "jpeg", 100);
}

// The picture of base64 text, decoded through a file of the temporary folder
// that is removed again.
std::optional<QImage> PictureOfBase64(const QString &text, const QString &file)
{
    const auto decoded = QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.isEmpty())
        return std::nullopt;
    std::optional<QImage> picture;
    if (WriteFileAtomically(file, decoded.decoded))
        picture = ReadPanelPicture(file);
    QFile::remove(file);
    return picture;
}

std::optional<QPoint> PositionOf(const QStringList &fields)
{
    if (fields.size() < 5)
        return std::nullopt;
    bool xOk = false;
    bool yOk = false;
    const QPoint position(fields.at(3).toInt(&xOk), fields.at(4).toInt(&yOk));
    return xOk && yOk ? std::optional<QPoint>(position) : std::nullopt;
}

}  // namespace

PanelFileResult PanelDocument::Save(const QString &path, const ProgressCallback &progress)
{
    m_state.records = SortRecordsByLayer(m_state.records);
    const QStringList &records = m_state.records;

    QSet<int> photoLayers;
    for (const QString &line : records) {
        if (KindOfRecord(line) == RecordKind::Photo)
            photoLayers.insert(RecordLayer(line).value_or(kBackgroundLayer));
    }

    QStringList lines;
    for (qsizetype i = 0; i < records.size(); ++i) {
        const QString &line = records.at(i);
        const int n = RecordLayer(line).value_or(kBackgroundLayer);
        switch (KindOfRecord(line)) {
        case RecordKind::Photo: {
            if (n < 0 || n >= LayerCount())
                return SaveFailed();
            const std::optional<QByteArray> jpeg = JpegBytes(m_state.layers.at(n).image);
            if (!jpeg)
                return SaveFailed();
            lines.append(RecordFields(line).mid(0, kPhotoFieldsBeforePicture).join(QLatin1Char(',')) + QLatin1Char(',')
                         + QString::fromLatin1(jpeg->toBase64()));
            break;
        }
        case RecordKind::Processing:
            // The photo's pixels already show its effects; only the ellipse
            // cut is kept.
            if (!photoLayers.contains(n) || RecordField(line, 3) == kKeptPhotoEffect)
                lines.append(line);
            break;
        default:
            lines.append(line);
            break;
        }
        Report(progress, i + 1, records.size() + 1);
    }
    if (const TextWriteResult written = WriteTextLines(path, lines); !written)
        return SaveFailed(written);
    Report(progress, 1, 1);
    return {};
}

PanelFileResult PanelDocument::Load(const QString &path, const ProgressCallback &progress)
{
    const std::optional<TextFileContent> content = ReadTextLines(path, kPanelFileSizeLimit);
    if (!content || content->hasDecodingErrors)
        return ReadFailed();
    // A hand-made file may list its layers in any order.
    QStringList lines = SortRecordsByLayer(content->lines);
    const qsizetype total = 2 * lines.size();

    // Missing pictures are named before anything is built. A picture found
    // elsewhere than written (the file came from another machine) is named
    // by where it is on this one, so the next save writes a path that works.
    const QString panelFolder = QFileInfo(path).absolutePath();
    QStringList pictureFiles(lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString &line = lines[i];
        const RecordKind kind = KindOfRecord(line);
        if (kind == RecordKind::Background || kind == RecordKind::Part) {
            const QString file = RecordField(line, 3);
            const std::optional<QString> found = FindRecordPicture(file, m_paths.ProgramFolder(), panelFolder);
            if (!found)
                return {PanelFileStatus::MissingPicture, PictureNotFoundMessage(RecordField(line, 2), file)};
            pictureFiles[i] = *found;
            if (*found != file)
                line = WithRecordField(line, 3, StorableRecordPath(*found));
        }
        Report(progress, i + 1, total);
    }

    // Built aside: a file that fails half-way leaves the pupil's panel as it was.
    const State reset = ResetState();
    State state = reset;
    state.records.clear();
    bool hasBackground = false;
    const QString readJpeg = m_paths.PanelTempFolder() + kReadJpegName;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        const RecordKind kind = KindOfRecord(line);
        if (kind == RecordKind::Other)
            continue;
        const std::optional<int> n = RecordLayer(line);
        const int count = int(state.layers.size());
        const bool isNextLayer = n == count && count < kMaxLayers;
        const QStringList fields = RecordFields(line);
        const std::optional<QPoint> position = PositionOf(fields);
        switch (kind) {
        case RecordKind::Background: {
            if (n != kBackgroundLayer || hasBackground || !position)
                return ReadFailed();
            std::optional<QImage> picture = ReadPanelPicture(pictureFiles.at(i));
            if (!picture)
                return ReadFailed();
            state.background = std::move(*picture);
            state.backgroundPath = fields.at(2);
            state.records.append(line);
            hasBackground = true;
            break;
        }
        case RecordKind::Part: {
            if (!isNextLayer || !position)
                return ReadFailed();
            std::optional<QImage> picture = ReadPanelPicture(pictureFiles.at(i));
            if (!picture)
                return ReadFailed();
            state.layers.append({std::move(*picture), *position, true, QColor(Qt::white)});
            state.records.append(line);
            break;
        }
        case RecordKind::Photo: {
            if (!isNextLayer || !position || fields.size() < kPhotoFieldsBeforePicture + 1)
                return ReadFailed();
            const std::optional<QColor> colour = ParseColourText(fields.at(6));
            std::optional<QImage> picture = PictureOfBase64(fields.at(7), readJpeg);
            if (!colour || !picture)
                return ReadFailed();
            state.layers.append({std::move(*picture), *position, fields.at(5) == QStringLiteral("True"), *colour});
            // In memory a photo's picture field stays empty.
            state.records.append(fields.mid(0, kPhotoFieldsBeforePicture).join(QLatin1Char(',')) + QLatin1Char(','));
            break;
        }
        case RecordKind::Text: {
            const std::optional<TextRecord> record = ParseTextRecord(line);
            if (!isNextLayer || !record)
                return ReadFailed();
            std::optional<QImage> picture = RenderTextPicture(*record, m_model);
            if (!picture)
                return ReadFailed();
            state.layers.append(
                {std::move(*picture), record->position, record->transparent, record->transparentColour});
            state.records.append(line);
            break;
        }
        case RecordKind::Processing:
            if (!n || *n < 0 || *n >= count || !ReplayProcessingRecord(state.layers[*n], line))
                return ReadFailed();
            state.records.append(line);
            break;
        case RecordKind::Other:
            break;
        }
        Report(progress, lines.size() + i + 1, total);
    }
    if (!hasBackground)
        state.records.prepend(reset.records.constFirst());
    state.records = SortRecordsByLayer(state.records);
    m_state = std::move(state);
    m_selected = kNoSelection;
    Changed();
    Report(progress, 1, 1);
    return {};
}

}  // namespace kq::panel

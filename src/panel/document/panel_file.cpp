// Saving and loading the panel file: one record per line, photos carrying
// their pixels as base64 JPEG, everything else rebuilt from its source.
#include "panel/document/panel_document.h"

#include "base/atomic_file.h"
#include "base/save_failed_text.h"
#include "base/text_file.h"
#include "panel/document/layer_building.h"
#include "panel/document/panel_picture.h"
#include "panel/document/photo_encodings.h"
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

// The bytes of base64 text; nullopt when it is not base64 or holds nothing.
std::optional<QByteArray> Base64Bytes(const QString &text)
{
    auto decoded = QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.isEmpty())
        return std::nullopt;
    return std::move(decoded.decoded);
}

bool IsJpeg(const QByteArray &bytes)
{
    return bytes.startsWith("\xFF\xD8\xFF");
}

// The picture of a photo line's bytes, read through a file of the temporary
// folder that is removed again.
std::optional<QImage> PictureOfBytes(const QByteArray &bytes, const QString &file)
{
    std::optional<QImage> picture;
    if (WriteFileAtomically(file, bytes))
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

// Records sorted by layer, written line by line; a photo line carries the
// layer's picture. Reads only what it is given, so it may run on any thread.
EncodedLines PanelFileBytes(const QStringList &records, const QList<PanelLayer> &layers, PhotoEncodings &encodings,
                            const ProgressCallback &progress)
{
    QSet<int> photoLayers;
    for (const QString &line : records) {
        if (KindOfRecord(line) == RecordKind::Photo)
            photoLayers.insert(RecordLayer(line).value_or(kBackgroundLayer));
    }

    QSet<qint64> pictures;
    // The pictures' base64 is ASCII, the same bytes in CP932: it is put in
    // as it is, where converting megabytes of it would take seconds.
    QByteArray bytes;
    QString unencodable;
    const auto append = [&](const QString &text, const QByteArray &base64 = {}) {
        const EncodedLines encoded = EncodeTextLines({text});
        if (!encoded) {
            unencodable = encoded.unencodable;
            return false;
        }
        if (base64.isEmpty()) {
            bytes += *encoded;
        } else {
            bytes += QByteArrayView(*encoded).chopped(2);  // the CR LF goes after the picture
            bytes += base64;
            bytes += "\r\n";
        }
        return true;
    };
    for (qsizetype i = 0; i < records.size(); ++i) {
        const QString &line = records.at(i);
        const int n = RecordLayer(line).value_or(kBackgroundLayer);
        bool appended = true;
        switch (KindOfRecord(line)) {
        case RecordKind::Photo: {
            if (n < 0 || n >= layers.size())
                return {};
            const QImage &picture = layers.at(n).image;
            const std::optional<QByteArray> base64 = encodings.Base64Jpeg(picture);
            if (!base64)
                return {};
            pictures.insert(picture.cacheKey());
            appended = append(
                RecordFields(line).mid(0, kPhotoFieldsBeforePicture).join(QLatin1Char(',')) + QLatin1Char(','), *base64);
            break;
        }
        case RecordKind::Processing:
            // The photo's pixels already show its effects; only the ellipse
            // cut is kept.
            if (!photoLayers.contains(n) || RecordField(line, 3) == kKeptPhotoEffect)
                appended = append(line);
            break;
        default:
            appended = append(line);
            break;
        }
        if (!appended)
            return {{}, unencodable};
        Report(progress, i + 1, records.size() + 1);
    }
    encodings.KeepOnly(pictures);
    return {std::move(bytes), {}};
}

}  // namespace

PanelFileResult PanelDocument::Save(const QString &path, const ProgressCallback &progress)
{
    m_state.records = SortRecordsByLayer(m_state.records);
    const EncodedLines bytes = PanelFileBytes(m_state.records, m_state.layers, *m_encodings, progress);
    if (!bytes)
        return SaveFailed({false, bytes.unencodable});
    if (!WriteFileAtomically(path, *bytes))
        return SaveFailed();
    Report(progress, 1, 1);
    return {};
}

std::function<EncodedLines()> PanelDocument::FileWriter() const
{
    // Copies of implicitly shared values: the window goes on changing its
    // own while these are written.
    return [records = m_state.records, layers = m_state.layers, encodings = m_encodings] {
        return PanelFileBytes(SortRecordsByLayer(records), layers, *encodings, {});
    };
}

PanelFileResult PanelDocument::Load(const QString &path, const ProgressCallback &progress)
{
    const std::optional<TextFileContent> content = ReadTextLines(path, kPanelFileSizeLimit);
    if (!content)
        return ReadFailed();
    return LoadContent(*content, QFileInfo(path).absolutePath(), progress);
}

PanelFileResult PanelDocument::LoadBytes(QByteArrayView bytes, const QString &panelFolder)
{
    if (bytes.size() > kPanelFileSizeLimit)
        return ReadFailed();
    return LoadContent(DecodeTextLines(bytes), panelFolder, {});
}

PanelFileResult PanelDocument::LoadContent(const TextFileContent &content, const QString &panelFolder,
                                           const ProgressCallback &progress)
{
    if (content.hasDecodingErrors)
        return ReadFailed();
    // A hand-made file may list its layers in any order.
    QStringList lines = SortRecordsByLayer(content.lines);
    const qsizetype total = 2 * lines.size();

    // Missing pictures are named before anything is built. A picture found
    // elsewhere than written (the file came from another machine) is named
    // by where it is on this one, so the next save writes a path that works.
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
            const std::optional<QByteArray> bytes = Base64Bytes(fields.at(7));
            std::optional<QImage> picture = bytes ? PictureOfBytes(*bytes, readJpeg) : std::nullopt;
            if (!colour || !picture)
                return ReadFailed();
            // Saved again as they came, unless the picture changes: a save
            // then neither takes the time to encode it nor loses detail.
            if (IsJpeg(*bytes))
                m_encodings->Remember(*picture, bytes->toBase64());
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

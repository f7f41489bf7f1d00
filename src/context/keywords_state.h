#pragma once

#include "base/paths.h"
#include "base/text_file.h"

#include <QFileInfo>
#include <QObject>
#include <QStringList>

#include <optional>

// The text language's keyword file as the studio last read or wrote it: the
// per-user copy when there is one, else the installed default. The settings
// window sets it after writing the copy; the text step reads it when it opens.
namespace kq {

class KeywordsState final : public QObject {
    Q_OBJECT

public:
    explicit KeywordsState(const Paths &paths) { Reload(paths); }

    // The file's lines; nullopt when it could not be read.
    const std::optional<QStringList> &Value() const { return m_lines; }

    void Set(const std::optional<QStringList> &lines)
    {
        if (lines == m_lines)
            return;
        m_lines = lines;
        emit Changed();
    }

    // The file names are the text step's: the context sits below the editors
    // and cannot use their keyword file reader.
    void Reload(const Paths &paths)
    {
        const QString user = paths.TempFolder() + QStringLiteral("KQ27.dat");
        const QString file = QFileInfo::exists(user) ? user : paths.ProgramFile(QStringLiteral("Data\\KQ27.dat"));
        const std::optional<TextFileContent> content = ReadTextLines(file);
        Set(content && !content->hasDecodingErrors ? std::optional<QStringList>(content->lines) : std::nullopt);
    }

signals:
    void Changed();

private:
    std::optional<QStringList> m_lines;
};

}  // namespace kq

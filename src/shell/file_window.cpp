#include "shell/file_window.h"

#include "base/text_file.h"
#include "model/program_file.h"
#include "tools/melody/melody_file.h"

namespace kq {

WindowKind FileWindowKind(const QString &path)
{
    const std::optional<TextFileContent> content = ReadTextLines(path);
    if (!content || content->hasDecodingErrors || content->lines.isEmpty())
        return WindowKind::FlowchartEditor;
    if (content->lines.constFirst() == kMelodyFileMark)
        return WindowKind::MelodyEditor;
    const QString marker = SplitProgramFile(content->lines).sectionMarker;
    if (marker == kIconSectionMarker)
        return WindowKind::IconEditor;
    if (marker == kTextSectionMarker)
        return WindowKind::TextEditor;
    return WindowKind::FlowchartEditor;
}

}  // namespace kq

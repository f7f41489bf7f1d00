#include "editors/flowchart/undo_record.h"

namespace kq {

QString UndoRecord::Text() const
{
    if (type == UndoType::Saved)
        return kSavedMarker;
    const QString head = QString::number(static_cast<int>(type)) + '=';
    if (type == UndoType::SwitchRoutine)
        return head + QString::number(routine);
    return head + nodeLines.join('/');
}

}  // namespace kq

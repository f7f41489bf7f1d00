#pragma once

#include "model/catalogue.h"

#include <QObject>

// The generation of the connected clock, shared by every open window: the
// device link sets it, the windows that show generation-dependent choices
// listen for the change instead of polling.
namespace kq {

class DeviceGeneration final : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    int Value() const { return m_value; }
    // Emits Changed when the value differs.
    void Set(int generation)
    {
        if (generation == m_value)
            return;
        m_value = generation;
        emit Changed(generation);
    }

signals:
    void Changed(int generation);

private:
    int m_value = kCurrentGeneration;
};

}  // namespace kq
